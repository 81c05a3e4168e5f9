#include "render/canvas.h"
#include "render/geometry.h"
#include "render/hatch_boundary.h"
#include "render/hatch_pattern.h"
#include "render/pipeline.h"
#include "support/temp_files.h"

#include <cmath>
#include <gtest/gtest.h>

using namespace quillon;

namespace {

THatchPath Polyline(std::vector<TAcadPoint> vertices, std::vector<double> bulges = {},
                    int32_t flags = 3) {
    return {flags, std::move(vertices), std::move(bulges), {}};
}

THatchPath Edges(std::vector<THatchEdge> edges, int32_t flags = 1) {
    return {flags, {}, {}, std::move(edges)};
}

THatchEdge ArcEdge(TAcadPoint centre, double r, double start, double end, bool ccw = true) {
    THatchEdge e;
    e.kind = THatchEdge::Arc;
    e.p1 = centre;
    e.r = r;
    e.start = start;
    e.end = end;
    e.ccw = ccw;
    return e;
}

THatchEdge LineEdge(TAcadPoint a, TAcadPoint b) {
    THatchEdge e;
    e.p1 = a;
    e.p2 = b;
    return e;
}

THatchBlk HatchOf(std::vector<THatchPath> paths) {
    THatchBlk h;
    h.layer = "H";
    h.color = 1;
    h.code210 = kExtrusionZ;
    h.paths = std::move(paths);
    return h;
}

const std::vector<TAcadPoint> kSquare{{0, 0, 0}, {10, 0, 0}, {10, 10, 0}, {0, 10, 0}};

} // namespace

TEST(HatchBoundary, PathsOfEveryKindGiveClosedRingsOnTheirCurves) {
    THatchEdge ellipse;
    ellipse.kind = THatchEdge::Ellipse;
    ellipse.p2 = {4, 0, 0};
    ellipse.r = 0.5;
    ellipse.end = 360;
    THatchEdge spline;
    spline.kind = THatchEdge::Spline;
    spline.degree = 2;
    spline.knots = {0, 0, 0, 1, 1, 1};
    spline.control = {{0, 1, 0}, {0, 0, 0}, {1, 0, 0}};
    spline.weights = {1, std::sqrt(0.5), 1};
    const struct {
        const char* what;
        THatchPath path;
        std::function<bool(const TAcadPoint&)> on; // every ring point lies on the shape
        size_t least;                              // points at least
    } cases[] = {
        {"square", Polyline(kSquare),
         [](auto& p) { return p.x == 0 || p.x == 10 || p.y == 0 || p.y == 10; }, 4},
        {"circle of two bulges", Polyline({{-1, 0, 0}, {1, 0, 0}}, {1, 1}),
         [](auto& p) { return std::fabs(std::hypot(p.x, p.y) - 1) < 1e-9; }, 16},
        {"full arc edge", Edges({ArcEdge({0, 0, 0}, 5, 0, 360)}),
         [](auto& p) { return std::fabs(std::hypot(p.x, p.y) - 5) < 1e-9; }, 16},
        {"clockwise arc edge below the axis, closed by a line",
         Edges({ArcEdge({0, 0, 0}, 1, 0, 90, false), LineEdge({0, -1, 0}, {1, 0, 0})}),
         [](auto& p) { return p.y <= 1e-12 && p.x >= -1e-12; }, 8},
        {"ellipse edge", Edges({ellipse}),
         [](auto& p) { return std::fabs(std::hypot(p.x / 4, p.y / 2) - 1) < 1e-9; }, 16},
        {"quarter circle spline and two lines",
         Edges({spline, LineEdge({1, 0, 0}, {1, 1, 0}), LineEdge({1, 1, 0}, {0, 1, 0})}),
         [](auto& p) {
             return std::fabs(std::hypot(p.x - 1, p.y - 1) - 1) < 1e-9 || p.x == 1 || p.y == 1;
         },
         8},
        {"open triangle of lines",
         Edges({LineEdge({0, 0, 0}, {4, 0, 0}), LineEdge({4, 0, 0}, {0, 3, 0})}),
         [](auto& p) { return p.y == 0 || std::fabs(p.x / 4 + p.y / 3 - 1) < 1e-12; }, 3},
    };
    for (const auto& c : cases) {
        const std::vector<Ring> rings = HatchRings(HatchOf({c.path}), 0.001);
        ASSERT_EQ(rings.size(), 1u) << c.what;
        EXPECT_GE(rings[0].size(), c.least) << c.what;
        for (const TAcadPoint& p : rings[0])
            EXPECT_TRUE(c.on(p)) << c.what << " " << p.x << "," << p.y;
        EXPECT_NE(rings[0].front(), rings[0].back()) << c.what; // closed implicitly, not repeated
    }
}

TEST(HatchBoundary, IgnoringIslandsKeepsTheOutermostPathsAndBadPathsAreLeftOut) {
    THatchBlk h = HatchOf({Polyline(kSquare, {}, 2 | 16),
                           Polyline({{2, 2, 0}, {8, 2, 0}, {8, 8, 0}, {2, 8, 0}}, {}, 2),
                           Polyline({{1, 1, 0}, {1, 1, 0}, {3, 3, 0}}, {}, 2)});
    EXPECT_EQ(HatchRings(h, 0.01).size(), 2u); // the degenerate third one has two points
    h.style = 2;
    ASSERT_EQ(HatchRings(h, 0.01).size(), 1u);
    EXPECT_EQ(HatchRings(h, 0.01)[0], kSquare);
    // However fine the tolerance, the points stop at the cap.
    const THatchBlk circle = HatchOf({Edges({ArcEdge({0, 0, 0}, 1e6, 0, 360)})});
    EXPECT_LE(HatchRings(circle, 0, 1000)[0].size(), 1000u);
}

TEST(HatchPattern, LinesEndOnTheBoundaryAndMissTheHole) {
    const std::vector<Ring> square{kSquare};
    const std::vector<Ring> withHole{kSquare, {{3, 3, 0}, {7, 3, 0}, {7, 7, 0}, {3, 7, 0}}};
    const TPatternLine diagonal{45, {0, 0, 0}, {-0.5, 0.5, 0}, {}}; // 1 apart along x
    const auto onEdge = [](const TAcadPoint& p) {
        const auto near = [](double a, double b) { return std::fabs(a - b) < 1e-9; };
        return near(p.x, 0) || near(p.x, 10) || near(p.y, 0) || near(p.y, 10);
    };
    std::vector<PatternSegment> lines = PatternSegments(square, {diagonal});
    // The lines x - y = k for k = -9 .. 9 cross the square's inside; those through the corners
    // touch it at most by a rounding error.
    std::erase_if(lines, [](const PatternSegment& s) { return Distance2D(s.a, s.b) < 1e-9; });
    EXPECT_EQ(lines.size(), 19u);
    for (const PatternSegment& s : lines) {
        EXPECT_TRUE(onEdge(s.a) && onEdge(s.b)) << s.a.x << "," << s.a.y;
        EXPECT_NEAR(s.b.y - s.a.y, s.b.x - s.a.x, 1e-9); // at 45 degrees
    }
    for (const PatternSegment& s : PatternSegments(withHole, {diagonal})) {
        const TAcadPoint m{(s.a.x + s.b.x) / 2, (s.a.y + s.b.y) / 2, 0};
        EXPECT_FALSE(m.x > 3 && m.x < 7 && m.y > 3 && m.y < 7) << m.x << "," << m.y;
    }
    // Dashes 1 on, 1 off along horizontal lines: half of each line is drawn.
    const TPatternLine dashed{0, {0, 0.5, 0}, {0, 1, 0}, {1, -1}};
    double drawn = 0;
    for (const PatternSegment& s : PatternSegments(square, {dashed})) drawn += s.b.x - s.a.x;
    EXPECT_NEAR(drawn, 10 * 10 / 2.0, 1e-9);
}

TEST(HatchPattern, ADenseOrBrokenPatternStaysBounded) {
    const std::vector<Ring> square{kSquare};
    const struct {
        const char* what;
        TPatternLine line;
        size_t most;
    } cases[] = {
        {"a billion lines", {0, {0, 0, 0}, {0, 1e-8, 0}, {}}, 0},
        {"offset along the lines only", {0, {0, 0, 0}, {1, 0, 0}, {}}, 0},
        {"not a number", {NAN, {0, 0, 0}, {0, 1, 0}, {}}, 0},
        {"dashes of nothing", {0, {0, 0.5, 0}, {0, 1, 0}, {0, 0}}, 10},
        {"a thousand dashes per unit", {0, {0, 0.5, 0}, {0, 1, 0}, {1e-3, -1e-3}}, 1000},
    };
    for (const auto& c : cases)
        EXPECT_LE(PatternSegments(square, {c.line}, 1000).size(), c.most) << c.what;
}

TEST(HatchFill, ASolidCircleWithAHoleDrawsARingAndBlocksPlaceTheirHatches) {
    DxfDrawing d;
    d.LayerAry.push_back(DefaultLayer("H"));
    THatchBlk ring =
        HatchOf({Edges({ArcEdge({0, 0, 0}, 10, 0, 360)}), Edges({ArcEdge({0, 0, 0}, 5, 0, 360)})});
    ring.solid = true;
    d.HatchAry.push_back(ring);
    // A block with a solid square, placed at (30, 0) at twice its size.
    TBlockBlk b;
    b.name = "B";
    d.BlockAry.push_back(b);
    THatchBlk square = HatchOf({Polyline({{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}})});
    square.bname = "B";
    square.solid = true;
    square.color = 3;
    d.BlkHatchAry.push_back(square);
    TInsertBlk i;
    i.name = "B";
    i.layer = "H";
    i.base = {30, 0, 0};
    i.scale = {2, 2, 1};
    i.code210 = kExtrusionZ;
    d.TopInsertAry.push_back(i);
    ReduceDrawing(d, [](int) {});
    ASSERT_EQ(d.FillAry.size(), 2u);
    EXPECT_EQ(d.ExtMinPt, (TAcadPoint{-10, -10, 0}));
    EXPECT_NEAR(d.ExtMaxPt.x, 32, 1e-12);
    const TFillBlk& placed = d.FillAry[0]; // placed with the inserts, before the drawing's own
    EXPECT_NEAR(placed.left, 30, 1e-12);
    EXPECT_NEAR(placed.top, 2, 1e-12);

    ViewState view;
    view.ViewCentre = {10, 0, 0};
    view.ViewWidth = 80;
    view.ViewHeight = 40;
    view.FillFactor = 1;
    Canvas canvas(400, 200); // 0.2 units per pixel, (0, 0) at (150, 100)
    ClearCanvas(canvas, 400, 200, 0);
    DrawDxf(canvas, d, view, {});
    const QImage& img = canvas.image();
    const QRgb red = 0xFF0000, green = 0x00FF00;
    EXPECT_EQ(img.pixel(150, 100) & 0xFFFFFF, 0u);       // in the hole
    EXPECT_EQ(img.pixel(150 + 37, 100) & 0xFFFFFF, red); // between the circles
    EXPECT_EQ(img.pixel(150, 100 - 37) & 0xFFFFFF, red);
    EXPECT_EQ(img.pixel(150 + 60, 100) & 0xFFFFFF, 0u);         // outside
    EXPECT_EQ(img.pixel(150 + 155, 100 - 5) & 0xFFFFFF, green); // the placed square, (31, 1)
}

TEST(HatchFill, APreviewShowsSolidHatchesWideBandsAndSplineCurves) {
    // A solid hatch square, a band 2 wide above it and a spline arch over all, from the file.
    quillon::test::TempFolder dir;
    const QString path = dir.write("filled.dxf", quillon::test::DxfOf(R"(
        0 SECTION 2 ENTITIES
        0 HATCH 8 0 62 1 10 0 20 0 30 0 2 SOLID 70 1 91 1
          92 2 72 0 73 1 93 4 10 0 20 0 10 10 20 0 10 10 20 10 10 0 20 10 97 0 75 0 76 1 98 0
        0 LWPOLYLINE 8 0 62 3 90 2 70 0 43 2 10 0 20 14 10 10 20 14
        0 SPLINE 8 0 62 5 70 8 71 3 72 8 73 4 40 0 40 0 40 0 40 0 40 1 40 1 40 1 40 1
          10 0 20 16 30 0 10 0 20 24 30 0 10 10 20 24 30 0 10 10 20 16 30 0
        0 ENDSEC 0 EOF)"));
    DxfDrawing d;
    ViewState view;
    PreviewFacts facts;
    const QImage img = DrawDxfImage(d, view, path, {220, 220}, {}, &facts);
    ASSERT_TRUE(facts.drawn);
    const double upp =
        UnitsPerPixel(view.ViewWidth, view.ViewHeight, img.width(), img.height(), view.FillFactor);
    const auto at = [&](double x, double y, int dx = 0, int dy = 0) { // a drawing point's pixel
        return img.pixel(110 + dx + int(std::lround((x - view.ViewCentre.x) / upp)),
                         110 + dy - int(std::lround((y - view.ViewCentre.y) / upp))) &
               0xFFFFFF;
    };
    const auto near = [&](double x, double y, QRgb colour) { // within a pixel
        for (int dx = -1; dx <= 1; ++dx)
            for (int dy = -1; dy <= 1; ++dy)
                if (at(x, y, dx, dy) == colour) return true;
        return false;
    };
    EXPECT_EQ(at(5, 5), 0xFF0000u);    // inside the hatch
    EXPECT_EQ(at(5, 14.7), 0x00FF00u); // inside the band, off its centre line
    // The spline (in its layer's white: a spline's own colour is not read) tops out at
    // (P0 + 3 P1 + 3 P2 + P3) / 8, below its control polygon.
    EXPECT_TRUE(near(5, 22, 0xFFFFFF));
    EXPECT_FALSE(near(5, 23, 0xFFFFFF));
}
