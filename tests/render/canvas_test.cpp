#include "render/canvas.h"
#include "render/entity_drawing.h"
#include "render/geometry.h"
#include "render/pens.h"
#include "render/view.h"

#include <cmath>
#include <gtest/gtest.h>
#include <set>

using namespace quillon;

namespace {

constexpr TColor kWhite = 0xFFFFFF;

std::set<std::pair<int, int>> Lit(Canvas& c) {
    std::set<std::pair<int, int>> out;
    for (int y = 0; y < c.height(); ++y)
        for (int x = 0; x < c.width(); ++x)
            if (c.pixel(x, y) != 0) out.insert({x, y});
    return out;
}

std::string RowPattern(Canvas& c, int y, int from, int to) {
    std::string s;
    for (int x = from; x < to; ++x) s += c.pixel(x, y) ? '#' : '.';
    return s;
}

} // namespace

TEST(Canvas, LineSetsItsFirstPixelButNotItsLast) {
    Canvas c(20, 20);
    c.setPen(kWhite, 1, TPenStyle::psSolid);
    c.moveTo(2, 3);
    c.lineTo(8, 6);
    const std::set<std::pair<int, int>> expected = {{2, 3}, {3, 3}, {4, 4}, {5, 4}, {6, 5}, {7, 5}};
    EXPECT_EQ(Lit(c), expected);
    Canvas same(4, 4);
    same.moveTo(1, 1);
    same.lineTo(1, 1);
    EXPECT_TRUE(Lit(same).empty());
}

TEST(Canvas, ClippedLinesKeepTheirPixels) {
    // A line running far outside a small picture lights the same pixels as on a large one.
    const struct {
        int x0, y0, x1, y1;
    } cases[] = {
        {-500, -37, 900, 60}, {13, -1000, 25, 3000}, {-7, 5, 40, 5}, {300, 300, -300, -290}};
    for (const auto& l : cases) {
        Canvas small(40, 30), big(2400, 2400);
        small.setPen(kWhite, 1, TPenStyle::psDashDot);
        big.setPen(kWhite, 1, TPenStyle::psDashDot);
        small.moveTo(l.x0, l.y0);
        small.lineTo(l.x1, l.y1);
        big.moveTo(l.x0 + 1000, l.y0 + 1000);
        big.lineTo(l.x1 + 1000, l.y1 + 1000);
        for (int y = 0; y < 30; ++y)
            for (int x = 0; x < 40; ++x)
                ASSERT_EQ(small.pixel(x, y), big.pixel(x + 1000, y + 1000)) << x << "," << y;
    }
}

TEST(Canvas, StylePatternsCarryAcrossSegments) {
    const struct {
        TPenStyle style;
        std::string row;
    } cases[] = {
        {TPenStyle::psSolid, std::string(60, '#')},
        {TPenStyle::psDash,
         std::string(18, '#') + "......" + std::string(18, '#') + "......" + std::string(12, '#')},
        {TPenStyle::psDot, "###...###...###...###...###...###...###...###...###...###..."},
        {TPenStyle::psDashDot, "#########......###......#########......###......#########..."},
        {TPenStyle::psDashDotDot, "#########...###...###...#########...###...###...#########..."},
    };
    for (const auto& c : cases) {
        Canvas canvas(70, 3);
        canvas.setPen(kWhite, 1, c.style);
        canvas.moveTo(0, 1);
        for (int x : {7, 20, 33, 60}) canvas.lineTo(x, 1); // the pattern goes on at each joint
        EXPECT_EQ(RowPattern(canvas, 1, 0, 60), c.row) << int(c.style);
    }
}

TEST(Canvas, RasterModesDrawnTwiceRestoreThePicture) {
    for (PenMode mode : {PenMode::Xor, PenMode::Not, PenMode::NotXor}) {
        for (int width : {1, 3, 7}) {
            Canvas c(120, 90);
            for (int y = 0; y < 90; ++y)
                for (int x = 0; x < 120; ++x) c.setPixel(x, y, (x * 2131 + y * 977) & 0xFFFFFF);
            const QImage before = c.image().copy();
            c.setPenMode(mode);
            for (int pass = 0; pass < 2; ++pass) {
                c.setPen(0x3366CC, width, TPenStyle::psSolid);
                c.moveTo(10, 10);
                c.lineTo(100, 70);
                c.arc(20, 20, 80, 70, 80, 45, 80, 45);
            }
            EXPECT_TRUE(c.image() == before) << int(mode) << " width " << width;
        }
    }
}

TEST(Canvas, CircleAndQuarterArcPixels) {
    Canvas c(40, 40);
    c.setPen(kWhite, 1, TPenStyle::psSolid);
    c.arc(10, 10, 30, 30, 30, 20, 30, 20); // full circle, centre (20, 20), radius 10
    const auto lit = Lit(c);
    for (auto [x, y] : {std::pair{30, 20}, {20, 10}, {10, 20}, {20, 30}, {27, 13}, {13, 27}})
        EXPECT_TRUE(lit.count({x, y})) << x << "," << y;
    for (const auto& [x, y] : lit) {
        const double r = std::hypot(x - 20.0, y - 20.0);
        EXPECT_NEAR(r, 10, 0.75) << x << "," << y;
    }
    Canvas q(40, 40);
    q.setPen(kWhite, 1, TPenStyle::psSolid);
    q.arc(10, 10, 30, 30, 30, 20, 20, 10); // from 0 to 90 degrees: the upper right quarter
    for (const auto& [x, y] : Lit(q)) {
        EXPECT_GE(x, 20);
        EXPECT_LE(y, 20);
    }
    EXPECT_TRUE(Lit(q).count({30, 20}));
    EXPECT_TRUE(Lit(q).count({27, 13}));
    EXPECT_GT(Lit(q).size(), 12u);
}

TEST(Canvas, HugeCirclesDrawOnlyWhatCanBeSeen) {
    // Radius 100 000 pixels, centre far to the right: only its leftmost part crosses the picture.
    Canvas c(200, 100);
    c.setPen(kWhite, 1, TPenStyle::psSolid);
    c.arc(50, 50 - 100000, 50 + 200000, 50 + 100000, 200050, 50, 200050, 50);
    const auto lit = Lit(c);
    EXPECT_TRUE(lit.count({50, 50}));
    EXPECT_GE(lit.size(), 90u);
    for (const auto& [x, y] : lit) EXPECT_NEAR(std::hypot(x - 100050.0, y - 50.0), 100000, 1);
}

TEST(DrawArcRules, TinyCirclesAndCoincidentEndsAreOnePixel) {
    const struct {
        double radius, start, end;
        size_t pixels;
    } cases[] = {
        {0.4, 0, 0, 1},           // radius under half a pixel
        {5, 1.0, 1.0 + 0.001, 1}, // end pixels coincide, sweep above 0.01 degree
        {5, 1.0, 1.0, 0},         // zero sweep: the full circle
        {5, 0, 2 * kPi, 0},       // a sweep of a whole turn: the full circle
        {5, 1.0, 1.0 + 2 * kPi, 0},
    };
    for (const auto& c : cases) {
        Canvas canvas(30, 30);
        DrawArc(canvas, {15, 15}, {0, 0, 0}, c.radius, c.start, c.end, 1, kWhite, 1,
                TPenStyle::psSolid);
        const auto lit = Lit(canvas);
        if (c.pixels == 1) {
            EXPECT_EQ(lit, (std::set<std::pair<int, int>>{{15, 15}})) << c.radius;
        } else {
            EXPECT_GT(lit.size(), 20u);
        }
    }
}

TEST(DrawLineRules, FarZoomKeepsTheDirectionOfLines) {
    // A line of slope 0.1 through the middle of the picture, one end very far outside it, at
    // views that get narrower and narrower.
    for (const double upp : {1.0, 1e-4, 1e-8, 1e-12}) {
        Canvas canvas(200, 200);
        DrawLine(canvas, {100, 100}, {-50 * upp, -5 * upp, 0}, {1e6, 1e5, 0}, upp, kWhite, 1,
                 TPenStyle::psSolid);
        for (int x = 0; x < 200; ++x) {
            const int y = 100 - int(std::lround((x - 100) * 0.1));
            EXPECT_TRUE(x < 50 || canvas.pixel(x, y) || canvas.pixel(x, y - 1) ||
                        canvas.pixel(x, y + 1))
                << "upp " << upp << " x " << x;
        }
        EXPECT_LT(Lit(canvas).size(), 200u) << upp;
    }
}

TEST(Canvas, PenChangesOnlyWhenDifferent) {
    Canvas c(10, 10);
    const int before = c.penChanges();
    for (int i = 0; i < 5; ++i)
        DrawLine(c, {5, 5}, {0, 0, 0}, {2, 2, 0}, 1, 0xFF, 1, TPenStyle::psSolid);
    DrawLine(c, {5, 5}, {0, 0, 0}, {2, 2, 0}, 1, 0xFF, 1, TPenStyle::psDot);
    EXPECT_EQ(c.penChanges() - before, 2);
}

TEST(Canvas, ShrinkKeepsTheBrightest) {
    QImage src(8, 8, QImage::Format_RGB32);
    src.fill(Qt::black);
    for (int y = 0; y < 8; ++y) src.setPixel(5, y, qRgb(255, 255, 255)); // a one-pixel line
    const QImage out = ShrinkKeepBrightest(src, src.rect(), {2, 2});
    EXPECT_EQ(out.pixel(1, 0), qRgb(255, 255, 255));
    EXPECT_EQ(out.pixel(1, 1), qRgb(255, 255, 255));
    EXPECT_EQ(out.pixel(0, 0), qRgb(0, 0, 0));
}
