#include "render/spline.h"

#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>

using namespace quillon;

namespace {

SplineDefinition Def(int degree, std::vector<double> knots, std::vector<TAcadPoint> control,
                     std::vector<double> weights = {}, std::vector<TAcadPoint> fit = {}) {
    return {degree, std::move(knots), std::move(control), std::move(weights), std::move(fit)};
}

double Radius(const TAcadPoint& p) {
    return std::hypot(p.x, p.y);
}

} // namespace

TEST(Spline, ClampedCubicRunsFromEndToEndThroughItsKnownMiddle) {
    const SplineDefinition s =
        Def(3, {0, 0, 0, 0, 1, 1, 1, 1}, {{0, 0, 0}, {1, 2, 0}, {3, 2, 0}, {4, 0, 0}});
    const std::vector<TAcadPoint> pts = FlattenSpline(s, 1e-4);
    ASSERT_GT(pts.size(), 8u);
    EXPECT_EQ(pts.front(), (TAcadPoint{0, 0, 0}));
    EXPECT_EQ(pts.back(), (TAcadPoint{4, 0, 0}));
    // At t = 1/2 a cubic Bezier is (P0 + 3 P1 + 3 P2 + P3) / 8 = (2, 1.5): the highest point.
    double top = 0;
    for (const TAcadPoint& p : pts) top = std::max(top, p.y);
    EXPECT_NEAR(top, 1.5, 1e-4);
}

TEST(Spline, RationalQuadraticQuarterStaysOnItsCircle) {
    const double w = std::sqrt(0.5);
    const SplineDefinition s =
        Def(2, {0, 0, 0, 1, 1, 1}, {{10, 0, 0}, {10, 10, 0}, {0, 10, 0}}, {1, w, 1});
    const double tolerance = 0.01;
    const std::vector<TAcadPoint> pts = FlattenSpline(s, tolerance);
    ASSERT_GT(pts.size(), 4u);
    for (size_t k = 0; k < pts.size(); ++k) {
        EXPECT_NEAR(Radius(pts[k]), 10, 1e-9);
        if (k > 0) { // the chord's middle stays within the tolerance of the arc
            const TAcadPoint m{(pts[k].x + pts[k - 1].x) / 2, (pts[k].y + pts[k - 1].y) / 2, 0};
            EXPECT_LE(10 - Radius(m), tolerance);
        }
    }
}

TEST(Spline, FitPointsAloneGiveASmoothCurveThroughThem) {
    SplineDefinition s;
    for (int k = 0; k <= 8; ++k)
        s.fit.push_back({10 * std::cos(k * 0.3), 10 * std::sin(k * 0.3), 0});
    const std::vector<TAcadPoint> pts = FlattenSpline(s, 0.001);
    ASSERT_GT(pts.size(), s.fit.size() * 2);
    for (const TAcadPoint& f : s.fit)
        EXPECT_NE(std::find(pts.begin(), pts.end(), f), pts.end()) << f.x << "," << f.y;
    for (const TAcadPoint& p : pts) EXPECT_NEAR(Radius(p), 10, 0.05);
}

TEST(Spline, BadDefinitionsGiveABoundedCurve) {
    const std::vector<TAcadPoint> control{{0, 0, 0}, {1, 5, 0}, {2, -5, 0}, {3, 0, 0}};
    const struct {
        const char* what;
        SplineDefinition s;
        size_t expected; // 0: at least two points, from the first control point to the last
    } cases[] = {
        {"knots too few", Def(3, {0, 0, 1, 1}, control), 0},
        {"knots decreasing", Def(3, {0, 0, 0, 0, 1, 0, 1, 1}, control), 0},
        {"zero weights", Def(3, {}, control, {1, 0, 0, 1}), 0},
        {"degree beyond the points", Def(9, {}, control), 0},
        {"degree zero", Def(0, {}, control), 0},
        {"one control point", Def(3, {}, {{1, 1, 0}}), 1},
        {"nothing", Def(3, {}, {}), 1},
        {"one fit point twice", Def(3, {}, {}, {}, {{2, 2, 0}, {2, 2, 0}}), 1},
    };
    for (const auto& c : cases) {
        const std::vector<TAcadPoint> pts = FlattenSpline(c.s, 1e-3);
        if (c.expected == 1) {
            EXPECT_TRUE(pts.empty()) << c.what;
            continue;
        }
        ASSERT_GE(pts.size(), 2u) << c.what;
        EXPECT_EQ(pts.front(), control.front()) << c.what;
        EXPECT_EQ(pts.back(), control.back()) << c.what;
    }
    // No tolerance at all: the point count stops at the cap.
    const std::vector<TAcadPoint> capped = FlattenSpline(Def(3, {}, control), 0, 500);
    EXPECT_EQ(capped.size(), 500u);
}
