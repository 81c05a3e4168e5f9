#include "render/canvas.h"
#include "render/geometry.h"
#include "render/view.h"

#include "support/drawing_checks.h"
#include <cmath>

#include <gtest/gtest.h>

using namespace quillon;
using quillon::test::ExpectNearPoint;

TEST(Geometry, PointAngleQuadrantsAndTolerance) {
    const struct {
        TAcadPoint a, b;
        double angle;
    } cases[] = {
        {{0, 0, 0}, {1, 1, 0}, kPi / 4},
        {{0, 0, 0}, {-1, 1, 0}, 3 * kPi / 4},
        {{0, 0, 0}, {-1, -1, 0}, 5 * kPi / 4},
        {{0, 0, 0}, {1, -1, 0}, 7 * kPi / 4},
        {{0, 0, 0}, {0.000001, -5, 0}, 3 * kPi / 2},
        {{2, 3, 0}, {2, 3, 0}, 3 * kPi / 2},
        {{0, 0, 0}, {-4, 0.000001, 0}, kPi},
        {{0, 0, 0}, {4, 0, 0}, 0},
    };
    for (const auto& c : cases) EXPECT_NEAR(PointAngle(c.a, c.b), c.angle, 1e-12);
}

TEST(Geometry, SegmentIntersectBounds) {
    TAcadPoint p;
    ASSERT_TRUE(SegmentIntersect({0, 0, 0}, {2, 2, 0}, {0, 2, 0}, {2, 0, 0}, true, p));
    ExpectNearPoint(p, {1, 1, 0});
    // t = 1, s = 0: a crossing exactly at C is not found.
    EXPECT_FALSE(SegmentIntersect({0, 0, 0}, {1, 0, 0}, {1, 0, 0}, {1, 1, 0}, true, p));
    // ... but it is found at B and D.
    EXPECT_TRUE(SegmentIntersect({0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {1, 0, 0}, true, p));
    EXPECT_FALSE(SegmentIntersect({0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {1, 1, 0}, false, p));
    EXPECT_FALSE(SegmentIntersect({0, 0, 0}, {1, 0, 0}, {3, -1, 0}, {3, 1, 0}, true, p));
    ASSERT_TRUE(SegmentIntersect({0, 0, 5}, {1, 0, 0}, {3, -1, 0}, {3, 1, 0}, false, p));
    ExpectNearPoint(p, {3, 0, 5});
}

TEST(Geometry, BulgeArcs) {
    const ArcOfBulge ccw = BulgeToArc({0, 0, 0}, {2, 0, 0}, 1);
    ExpectNearPoint(ccw.centre, {1, 0, 0});
    EXPECT_NEAR(ccw.radius, 1, 1e-12);
    EXPECT_NEAR(ccw.startAngle, kPi, 1e-12);
    EXPECT_NEAR(ccw.endAngle, 0, 1e-12);
    const ArcOfBulge cw = BulgeToArc({0, 0, 0}, {2, 0, 0}, -1);
    ExpectNearPoint(cw.centre, {1, 0, 0});
    EXPECT_NEAR(cw.startAngle, 0, 1e-12);
    EXPECT_NEAR(cw.endAngle, kPi, 1e-12);
    const ArcOfBulge quarter = BulgeToArc({1, 0, 0}, {0, 1, 0}, std::tan(kPi / 8));
    ExpectNearPoint(quarter.centre, {0, 0, 0});
    EXPECT_NEAR(quarter.startAngle, 0, 1e-9);
    EXPECT_NEAR(quarter.endAngle, kPi / 2, 1e-9);
}

TEST(Geometry, RotationAndExtrusion) {
    ExpectNearPoint(RotatePoint({1, 0, 7}, kPi / 2), {0, 1, 7});
    ExpectNearPoint(RotatePoint({0, -2, 0}, kPi), {0, 2, 0});
    ExpectNearPoint(OcsToWcs({1, 0, 0}, {0, 0, 1}), {1, 0, 0});
    ExpectNearPoint(OcsToWcs({1, 0, 0}, {0, 0, -1}), {-1, 0, 0});
    ExpectNearPoint(OcsToWcs({1, 2, 3}, {1, 0, 0}), {3, 1, 2});
    ExpectNearPoint(OcsToWcs({1, 2, 3}, {0, 0, 0}), {0, 0, 0});
    ExpectNearPoint(AxesToWorld(MakePoint(1, 2, 3), {10, 20, 30}, {0, 1, 0}, {-1, 0, 0}, {0, 0, 2}),
                    {8, 21, 36});
    ExpectNearPoint(NormalizeVector({0, 3, 4}), {0, 0.6, 0.8});
    ExpectNearPoint(NormalizeVector({0, 0, 0}), {0, 0, 0});
    EXPECT_TRUE(SamePoint({0, 0, 1}, {0, 0, 1.000009}, 1e-5));
    EXPECT_FALSE(SamePoint({0, 0, 1}, {0, 0, 1.00001}, 1e-5));
}

TEST(ViewTransform, FitRuleAndConversions) {
    const double upp = UnitsPerPixel(100, 50, 400, 300, 0.9);
    EXPECT_NEAR(upp, 0.25 / 0.9, 1e-12);
    EXPECT_EQ(DrawingToScreen(PointSub({0, 0, 0}, {50, 25, 0}), {200, 150}, upp), QPoint(20, 240));
    const Box w = WindowOfView({50, 25, 0}, 400, 300, upp);
    EXPECT_NEAR(w.max.x - w.min.x, 111.111, 1e-3);
    EXPECT_NEAR(w.max.y - w.min.y, 83.333, 1e-3);
    EXPECT_NEAR(UnitsPerPixel(100, 0, 400, 300, 0.9), 1 / 0.9, 1e-12); // zero height: s = 1
    EXPECT_NEAR(UnitsPerPixel(10, 100, 400, 300, 0.9), 100.0 / 300 / 0.9, 1e-12);
    EXPECT_EQ(ScreenToDrawing({5, 5, 0}, {17, 3}, 300, 0.9, 400, 0, 0), (TAcadPoint{0, 0, 0}));
    const TAcadPoint back = ScreenToDrawing({50, 25, 0}, {20, 240}, 300, 0.9, 400, 50, 100);
    EXPECT_NEAR(back.x, 0, upp);
    EXPECT_NEAR(back.y, 0, upp);
    // Halves go to the even neighbour.
    EXPECT_EQ(DrawingToScreen({2.5, -3.5, 0}, {0, 0}, 1), QPoint(2, 4));
    EXPECT_EQ(InvertColor(0), 0xFFFFFF);
    EXPECT_EQ(InvertColor(0x7F00FF01), 0x00FF00FE);
}
