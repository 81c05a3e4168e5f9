#include "render/entity_drawing.h"
#include "render/geometry.h"
#include "render/pens.h"
#include "render/pipeline.h"
#include "support/corpus.h"
#include "support/temp_files.h"

#include "support/drawing_checks.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <gtest/gtest.h>

using namespace quillon;
using quillon::test::Dxf;
using quillon::test::DxfOf;
using quillon::test::EntitiesSection;
using quillon::test::RecordedMessages;
using quillon::test::TempFolder;

namespace {

int CountColour(const QImage& img, QRgb colour) {
    int n = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            n += (img.pixel(x, y) & 0xFFFFFF) == (colour & 0xFFFFFF);
    return n;
}

int CountLit(const QImage& img) {
    return img.width() * img.height() - CountColour(img, 0);
}

struct Preview {
    DxfDrawing d;
    ViewState view;
    PreviewFacts facts;
    RecordedMessages messages;
    QImage picture;
};

ViewState ViewOf(const TAcadPoint& centre, double width, double height) {
    ViewState v;
    v.ViewCentre = centre;
    v.ViewWidth = width;
    v.ViewHeight = height;
    return v;
}

void RunPreview(Preview& p, const QString& path, QSize size = {200, 150}) {
    PreviewHooks hooks;
    hooks.owner = &p.messages;
    p.picture = DrawDxfImage(p.d, p.view, path, size, hooks, &p.facts);
}

// The picture drawn in two halves at once is the one drawn in one pass: at the extents, a
// quarter of them about a corner (records cut by the view) and thin.
void ExpectHalvesDrawAsOne(Preview& p) {
    ViewState corner = p.view;
    corner.ViewWidth /= 4;
    corner.ViewHeight /= 4;
    corner.ViewCentre.x += p.view.ViewWidth / 4;
    for (const auto& [view, thin] :
         {std::pair(p.view, false), std::pair(corner, false), std::pair(corner, true)}) {
        DrawOptions one, halves;
        one.twoThreads = TwoThreads::never();
        halves.twoThreads = TwoThreads::always();
        one.thin = halves.thin = thin;
        EXPECT_TRUE(RedrawCurrentView(p.d, view, {160, 120}, one) ==
                    RedrawCurrentView(p.d, view, {160, 120}, halves));
    }
}

} // namespace

TEST(Pipeline, FilesThatAreNotTextDxfShowTheCross) {
    TempFolder dir;
    const QImage cross = NotDrawablePicture({200, 150});
    EXPECT_EQ(cross.pixel(66, 50), qRgb(0, 255, 255));
    EXPECT_EQ(cross.pixel(131, 50), qRgb(0, 255, 255));
    const QString cases[] = {
        dir.write("dwg.dxf", QByteArray("AC1018\0\0\0\0\0\0\0", 13)),
        dir.write("bad.dxf", EntitiesSection(Dxf({{0, "LINE"}, {10, "1,5"}}))),
        dir.write("line.txt", EntitiesSection(Dxf({{0, "LINE"}, {11, "5"}}))),
        dir.file("missing.dxf"),
    };
    for (const QString& path : cases) {
        Preview p;
        RunPreview(p, path);
        EXPECT_FALSE(p.facts.drawn) << path.toStdString();
        EXPECT_TRUE(p.picture == cross) << path.toStdString();
    }
    Preview dwg;
    RunPreview(dwg, cases[0]);
    EXPECT_TRUE(dwg.messages.shown.isEmpty()); // no message for a drawing-version signature
}

TEST(Pipeline, DrawsAndFitsTheDrawing) {
    TempFolder dir;
    // A white line, an arc past angle 0, a tiny arc, an invisible attribute and a paper-space
    // circle far away.
    const QString path = dir.write(
        "d.dxf",
        EntitiesSection(
            Dxf({{0, "LINE"},  {8, "0"},      {62, "7"},     {10, "0"},  {20, "0"},  {11, "100"},
                 {21, "50"},   {0, "ARC"},    {10, "50"},    {20, "25"}, {40, "10"}, {50, "350"},
                 {51, "10"},   {0, "ARC"},    {10, "50"},    {20, "25"}, {40, "20"}, {50, "30"},
                 {51, "30.5"}, {0, "ATTRIB"}, {1, "hidden"}, {70, "1"},  {40, "5"},  {0, "CIRCLE"},
                 {67, "1"},    {10, "900"},   {40, "950"}})));
    Preview p;
    RunPreview(p, path, {400, 300});
    ASSERT_TRUE(p.facts.drawn);
    EXPECT_EQ(p.view.ViewWidth, 100);
    EXPECT_EQ(p.view.ViewHeight, 50);
    EXPECT_EQ(p.view.ViewCentre, (TAcadPoint{50, 25, 0}));
    EXPECT_EQ(p.picture.pixel(20, 240), qRgb(255, 255, 255)); // (0, 0) lands here
    ASSERT_EQ(p.d.ArcAry.size(), 2u);
    EXPECT_EQ(p.d.ArcAry[0].ed, 370); // kept after the draw
    EXPECT_EQ(p.d.TextAry.size(), 1u);
    // Nothing beyond the line's own end pixel: the invisible attribute is not drawn.
    EXPECT_EQ(CountColour(p.picture, qRgb(255, 255, 255)), CountLit(p.picture));
}

TEST(Pipeline, PaperSpaceNeverShowsWhateverItsKind) {
    // Each case: one paper-space record far away beside a model-space line from (0,0) to (10,10).
    const struct {
        const char* kind;
        QByteArray pairs;
    } cases[] = {
        {"ellipse", DxfOf("0 ELLIPSE 67 1 10 900 20 900 11 50 21 0 40 0.5 41 0 42 6.283185307")},
        {"solid", DxfOf("0 SOLID 67 1 10 900 20 900 11 990 21 900 12 900 22 990 13 900 23 990")},
        {"leader", DxfOf("0 LEADER 67 1 76 2 10 900 20 900 30 0 10 990 20 990 30 0")},
        {"spline", DxfOf("0 SPLINE 67 1 70 8 10 900 20 900 30 0 10 990 20 990 30 0")},
        {"tilted circle", DxfOf("0 CIRCLE 67 1 10 900 20 900 40 50 210 0 220 1 230 0")},
        {"tilted arc", DxfOf("0 ARC 67 1 10 900 20 900 40 50 50 0 51 180 210 0 220 1 230 0")},
        {"polyline", DxfOf("0 LWPOLYLINE 67 1 90 2 10 900 20 900 10 990 20 990")},
    };
    const QByteArray line = DxfOf("0 LINE 10 0 20 0 11 10 21 10");
    for (const auto& c : cases) {
        TempFolder dir;
        Preview p;
        RunPreview(p, dir.write("p.dxf", EntitiesSection(line + c.pairs)));
        ASSERT_TRUE(p.facts.drawn) << c.kind;
        EXPECT_EQ(p.d.ExtMaxPt.x, 10) << c.kind;
        EXPECT_EQ(p.d.ExtMaxPt.y, 10) << c.kind;
        int shownLines = 0;
        for (const TAcadLineBlk& l : p.d.LineAry) shownLines += l.code67 == 0;
        EXPECT_EQ(shownLines, 1) << c.kind;
    }
}

TEST(Pipeline, AnonymousBlocksReachedByAnInsertDrawTheirNestedBlocksOncePlaced) {
    // *U1 holds an INSERT of INNER; the drawing places *U1 at (100, 100).
    const QByteArray blocks = DxfOf(R"(0 SECTION 2 BLOCKS
        0 BLOCK 2 INNER 10 0 20 0 0 LINE 8 0 10 0 20 0 11 1 21 0 0 ENDBLK
        0 BLOCK 2 *U1 70 1 10 0 20 0 0 INSERT 2 INNER 10 0 20 0 0 ENDBLK
        0 ENDSEC)");
    const QByteArray entities =
        EntitiesSection(DxfOf("0 INSERT 2 *U1 10 100 20 100 0 LINE 10 100 20 100 11 110 21 110"));
    TempFolder dir;
    Preview p;
    RunPreview(p, dir.write("u.dxf", blocks + entities));
    ASSERT_TRUE(p.facts.drawn);
    ASSERT_EQ(p.d.LineAry.size(), 2u);
    EXPECT_EQ(p.d.LineAry[1].st, (TAcadPoint{100, 100, 0}));
    EXPECT_EQ(p.d.LineAry[1].ed, (TAcadPoint{101, 100, 0}));
    EXPECT_EQ(p.d.ExtMinPt.x, 100);
}

TEST(Pipeline, BlocksArePlacedMirroredTurnedInTheirPlaneAndNested) {
    // Block B: a line, a half circle, a half-circle bulge, half an ellipse and a text. Each case
    // places it by an INSERT (or through block O) and says where a block point must land.
    const QByteArray blocks = DxfOf(R"(0 SECTION 2 BLOCKS
        0 BLOCK 2 B 10 0 20 0
        0 LINE 10 1 20 0 11 2 21 0
        0 ARC 10 0 20 0 40 1 50 0 51 180
        0 LWPOLYLINE 90 2 10 3 20 0 42 1 10 4 20 0
        0 ELLIPSE 10 0 20 5 11 2 21 0 40 0.5 41 0 42 3.141592653589793
        0 TEXT 10 5 20 0 40 1 50 10 1 T
        0 ENDBLK
        0 BLOCK 2 O 10 0 20 0 0 INSERT 2 B 10 10 20 0 50 90 0 ENDBLK
        0 ENDSEC)");
    using Map = std::function<TAcadPoint(double, double)>;
    const struct {
        const char* name;
        const char* insert;
        Map place;
        double textAngle; // NaN: not checked
    } cases[] = {
        {"turned", "0 INSERT 2 B 10 100 20 0 50 90",
         [](double x, double y) {
             return TAcadPoint{100 - y, x, 0};
         },
         100},
        {"mirrored in x", "0 INSERT 2 B 10 100 20 0 41 -1",
         [](double x, double y) {
             return TAcadPoint{100 - x, y, 0};
         },
         10},
        {"mirrored in y", "0 INSERT 2 B 10 100 20 0 42 -1",
         [](double x, double y) {
             return TAcadPoint{100 + x, -y, 0};
         },
         10},
        {"mirrored in both", "0 INSERT 2 B 10 100 20 0 41 -1 42 -1",
         [](double x, double y) {
             return TAcadPoint{100 - x, -y, 0};
         },
         10},
        {"flipped plane", "0 INSERT 2 B 10 100 20 0 210 0 220 0 230 -1",
         [](double x, double y) {
             return TAcadPoint{-100 - x, y, 0};
         },
         190},
        {"nested in a mirrored block", "0 INSERT 2 O 10 100 20 0 41 -1",
         [](double x, double y) {
             return TAcadPoint{90 + y, x, 0};
         },
         std::nan("")},
    };
    for (const auto& c : cases) {
        TempFolder dir;
        Preview p;
        RunPreview(p, dir.write("b.dxf", blocks + EntitiesSection(DxfOf(c.insert))));
        ASSERT_TRUE(p.facts.drawn) << c.name;
        // Every point the drawing passes through: line ends and the middles of arcs.
        std::vector<TAcadPoint> points;
        for (const TAcadLineBlk& l : p.d.LineAry)
            if (l.code67 == 0) points.insert(points.end(), {l.st, l.ed});
        for (const TArcBlk& a : p.d.ArcAry) {
            if (a.code67 != 0) continue;
            const double ed = a.ed < a.st ? a.ed + 360 : a.ed;
            points.push_back(PolarPoint(a.center, (a.st + ed) / 2 * kDegToRad, a.hankei));
        }
        const auto passes = [&](const TAcadPoint& q) {
            return std::any_of(points.begin(), points.end(),
                               [&](const TAcadPoint& pt) { return SamePoint(pt, q, 1e-6); });
        };
        // Line ends, the half circle's top, the bulge's bottom, the ellipse's top.
        for (const auto& [x, y] :
             {std::pair{1.0, 0.0}, {2.0, 0.0}, {0.0, 1.0}, {3.5, -0.5}, {0.0, 6.0}})
            EXPECT_TRUE(passes(c.place(x, y))) << c.name << " (" << x << ", " << y << ")";
        ASSERT_EQ(p.d.TextAry.size(), 1u) << c.name;
        EXPECT_TRUE(SamePoint(p.d.TextAry[0].pt10, c.place(5, 0), 1e-9)) << c.name;
        if (!std::isnan(c.textAngle)) {
            EXPECT_NEAR(std::fmod(p.d.TextAry[0].code50 + 360, 360), c.textAngle, 1e-9) << c.name;
        }
    }
}

TEST(Pipeline, ATinyArcIsDrawnAsItsChord) {
    DxfDrawing d;
    TArcBlk a;
    a.center = {0, 0, 0};
    a.hankei = 40;
    a.st = 40;
    a.ed = 40.5;
    a.PenColor = 0xFFFFFF;
    a.layindex = -1;
    d.ArcAry = {a};
    Canvas canvas(300, 300);
    std::vector<DrawnFigure> drawn;
    canvas.record(&drawn);
    DrawDxf(canvas, d, ViewOf({0, 0, 0}, 100, 100), {.noClip = true});
    const double upp = UnitsPerPixel(100, 100, 300, 300, 0.9);
    const QPoint from = DrawingToScreen(PolarPoint({0, 0, 0}, 40 * kDegToRad, 40), {150, 150}, upp);
    const QPoint to = DrawingToScreen(PolarPoint({0, 0, 0}, 40.5 * kDegToRad, 40), {150, 150}, upp);
    ASSERT_EQ(drawn.size(), 1u);
    EXPECT_EQ(drawn[0].kind, DrawnFigure::Segment);
    EXPECT_EQ(QPoint(drawn[0].x0, drawn[0].y0), from);
    EXPECT_EQ(QPoint(drawn[0].x1, drawn[0].y1), to);
    EXPECT_EQ(drawn[0].color, 0xFFFFFF);
}

TEST(Pipeline, BlackIsDrawnWhiteAndThinSkipsOddRecordsAndTexts) {
    DxfDrawing d;
    for (int i = 0; i < 2; ++i) {
        TAcadLineBlk l;
        l.st = {0, double(i * 10), 0};
        l.ed = {100, double(i * 10), 0};
        l.PenColor = 0;
        l.layindex = -1;
        d.LineAry.push_back(l);
    }
    Canvas full(200, 200), thin(200, 200);
    DrawDxf(full, d, ViewOf({50, 5, 0}, 100, 10), {.noClip = true});
    DrawDxf(thin, d, ViewOf({50, 5, 0}, 100, 10), {.noClip = true, .thin = true});
    const int fullLit = CountColour(full.image(), qRgb(255, 255, 255));
    EXPECT_GT(fullLit, 100);
    EXPECT_EQ(CountColour(thin.image(), qRgb(255, 255, 255)) * 2, fullLit);
}

TEST(Pipeline, TheSecondThreadTakesOverWhereNoPenBeforeMatters) {
    // Dashed figures of one pen carry their dash pattern from one to the next, so the second
    // thread may not start among them: not at the middle of a run of them, not at a circle too
    // small to set a pen, not at a solid line too far away to be drawn.
    const auto line = [](double y, TPenStyle style, double x = 0) {
        TAcadLineBlk l;
        l.st = {x - 37, y, 0};
        l.ed = {x + 37, y, 0};
        l.PenColor = 0x0000FF;
        l.PenStyle = style;
        l.layindex = -1;
        return l;
    };
    const auto dashed = [&](double y) { return line(y, TPenStyle::psDash); };
    TCircleBlk dot;
    dot.hankei = 0.2;
    dot.layindex = -1;
    TArcBlk arc;
    arc.hankei = 30;
    arc.ed = 180;
    arc.PenColor = 0x0000FF;
    arc.PenStyle = TPenStyle::psDash;
    arc.layindex = -1;
    const struct {
        std::vector<TAcadLineBlk> lines;
        std::vector<TCircleBlk> circles;
        std::vector<TArcBlk> arcs;
    } cases[] = {
        {{dashed(40), dashed(30), dashed(20), dashed(10), line(-10, TPenStyle::psSolid),
          dashed(-20)},
         {},
         {}},
        {{dashed(40), dashed(30)}, {dot, dot, dot}, {arc}},
        {{dashed(40), dashed(30), line(0, TPenStyle::psSolid, 1e9), dashed(20), dashed(10)},
         {},
         {}},
    };
    for (const auto& c : cases) {
        DxfDrawing d;
        d.LineAry.assign(c.lines.begin(), c.lines.end());
        d.CircleAry.assign(c.circles.begin(), c.circles.end());
        d.ArcAry.assign(c.arcs.begin(), c.arcs.end());
        Canvas one(100, 100), two(100, 100);
        DrawDxf(one, d, ViewOf({0, 0, 0}, 100, 100),
                {.noClip = true, .twoThreads = TwoThreads::never()});
        DrawDxf(two, d, ViewOf({0, 0, 0}, 100, 100),
                {.noClip = true, .twoThreads = TwoThreads::always()});
        EXPECT_TRUE(one.image() == two.image()) << &c - cases;
    }
}

TEST(Pipeline, SinglePointDrawingShowsTheClearedPicture) {
    TempFolder dir;
    Preview p;
    RunPreview(
        p, dir.write("p.dxf", EntitiesSection(
                                  Dxf({{0, "LINE"}, {10, "5"}, {20, "5"}, {11, "5"}, {21, "5"}}))));
    EXPECT_TRUE(p.facts.drawn);
    EXPECT_EQ(CountLit(p.picture), 0);
}

TEST(Pipeline, FailureInsideThePipelineShowsTheMessageAndTheCross) {
    TempFolder dir;
    const QString path = dir.write("x.dxf", EntitiesSection(Dxf({{0, "LINE"}, {11, "5"}})));
    DxfDrawing d;
    ViewState v;
    RecordedMessages m;
    PreviewHooks hooks;
    hooks.owner = &m;
    hooks.afterRead = [](const DxfDrawing&) { throw std::runtime_error("broken"); };
    const QImage picture = DrawDxfImage(d, v, path, {90, 60}, hooks);
    EXPECT_TRUE(picture == NotDrawablePicture({90, 60}));
    ASSERT_EQ(m.shown.size(), 1);
    EXPECT_EQ(m.shown[0], "情報|" + path + "\r 読み込みエラーです");
}

TEST(Pipeline, RedrawFramesTheViewAndClipsToIt) {
    TempFolder dir;
    Preview p;
    RunPreview(p,
               dir.write("r.dxf", EntitiesSection(Dxf({{0, "LINE"}, {11, "100"}, {21, "100"}}))));
    p.view.ViewWidth /= 4;
    p.view.ViewHeight /= 4;
    const QImage zoomed = RedrawCurrentView(p.d, p.view, {200, 150});
    EXPECT_EQ(zoomed.pixel(0, 0), qRgb(0, 255, 255));
    EXPECT_EQ(zoomed.pixel(199, 149), qRgb(0, 255, 255));
    EXPECT_EQ(zoomed.pixel(100, 75), qRgb(255, 255, 255)); // the line passes the centre
}

TEST(Corpus, EveryDxfDrawsOrReports) {
    QUILLON_CORPUS_FILES(files, ".dxf", 1000);
    int drawn = 0, total = 0;
    for (const auto& file : files) {
        Preview p;
        RunPreview(p, file.path, {160, 120});
        ++total;
        if (p.facts.drawn) {
            ++drawn;
            EXPECT_TRUE(p.facts.status.isEmpty());
            ExpectHalvesDrawAsOne(p);
        }
        EXPECT_EQ(p.picture.size(), QSize(160, 120));
    }
    EXPECT_GT(drawn, total - 20);
}
