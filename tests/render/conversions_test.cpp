#include "render/conversions.h"
#include "render/geometry.h"
#include "support/drawing_checks.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <gtest/gtest.h>
#include <set>

using namespace quillon;

namespace {

void AddPolyline(DxfDrawing& d, RecordArray<TLwpBlk>& polys, RecordArray<TLwpVer>& verts, int flags,
                 std::initializer_list<std::pair<TAcadPoint, double>> vertices) {
    TLwpBlk p;
    p.layer = "P";
    p.color = 3;
    p.code70 = int16_t(flags);
    p.code210 = kExtrusionZ;
    p.ihand = int32_t(polys.size());
    polys.push_back(p);
    for (const auto& [pt, bulge] : vertices) verts.push_back({p.ihand, pt, bulge});
    (void)d;
}

double Sweep(const TArcBlk& a) {
    double s = a.ed - a.st;
    if (s <= 0) s += 360;
    return s;
}

} // namespace

TEST(Conversions, ClosedPolylinesWithAndWithoutBulges) {
    const struct {
        double bulge;
        size_t lines, arcs;
    } cases[] = {{0, 3, 0}, {1, 2, 1}, {-1, 2, 1}};
    for (const auto& c : cases) {
        DxfDrawing d;
        AddPolyline(d, d.LwpAry, d.LwpVerAry, 1,
                    {{{0, 0, 0}, c.bulge}, {{2, 0, 0}, 0}, {{2, 2, 0}, 0}});
        ExplodePolylines(d);
        ASSERT_EQ(d.LineAry.size(), c.lines);
        ASSERT_EQ(d.ArcAry.size(), c.arcs);
        EXPECT_EQ(d.LineAry.back().ed, (TAcadPoint{0, 0, 0})); // closed back to the start
        EXPECT_EQ(d.LineAry[0].layer, "P");
        EXPECT_EQ(d.LineAry[0].color, 3);
        if (c.arcs) {
            EXPECT_NEAR(Sweep(d.ArcAry[0]), 180, 1e-9);
            EXPECT_NEAR(d.ArcAry[0].hankei, 1, 1e-12);
        }
    }
}

TEST(Conversions, SmallBulgesBecomeChordsOnlyInTheDrawing) {
    const double bulge = std::tan(0.8 * kDegToRad / 4); // a 0.8 degree arc
    DxfDrawing d;
    AddPolyline(d, d.LwpAry, d.LwpVerAry, 0, {{{0, 0, 0}, bulge}, {{100, 0, 0}, 0}});
    AddPolyline(d, d.BlkLwpAry, d.BlkLwpVerAry, 0, {{{0, 0, 0}, bulge}, {{100, 0, 0}, 0}});
    ExplodePolylines(d);
    ExplodeBlkPolylines(d);
    EXPECT_EQ(d.LineAry.size(), 1u);
    EXPECT_TRUE(d.ArcAry.empty());
    EXPECT_TRUE(d.BlkLineAry.empty());
    ASSERT_EQ(d.BlkArcAry.size(), 1u);
    EXPECT_NEAR(Sweep(d.BlkArcAry[0]), 0.8, 1e-9);
}

TEST(Conversions, PolylineWithoutVerticesLeavesTheOthersTheirs) {
    DxfDrawing d;
    AddPolyline(d, d.LwpAry, d.LwpVerAry, 0, {});
    AddPolyline(d, d.LwpAry, d.LwpVerAry, 0, {{{0, 0, 0}, 0}, {{1, 0, 0}, 0}, {{1, 1, 0}, 0}});
    ExplodePolylines(d);
    EXPECT_EQ(d.LineAry.size(), 2u);
}

TEST(Conversions, PolygonMeshes) {
    DxfDrawing d;
    // A 2 x 3 mesh (M = 2, N = 3): three chains of one line each.
    AddPolyline(d, d.LwpAry, d.LwpVerAry, 16,
                {{{0, 0, 0}, 0},
                 {{1, 0, 0}, 0},
                 {{2, 0, 0}, 0},
                 {{0, 1, 0}, 0},
                 {{1, 1, 0}, 0},
                 {{2, 1, 0}, 0}});
    d.LwpAry[0].code71 = 2;
    d.LwpAry[0].code72 = 3;
    AddPolyline(d, d.LwpAry, d.LwpVerAry, 64,
                {{{0, 0, 0}, 0}, {{5, 5, 0}, 0}}); // polyface: nothing
    // A closed 3 x 2 mesh: closed along M (flag 1), open along N.
    AddPolyline(d, d.LwpAry, d.LwpVerAry, 16 | 1,
                {{{0, 0, 5}, 0},
                 {{1, 0, 5}, 0},
                 {{0, 1, 5}, 0},
                 {{1, 1, 5}, 0},
                 {{0, 2, 5}, 0},
                 {{1, 2, 5}, 0}});
    d.LwpAry[2].code71 = 3;
    d.LwpAry[2].code72 = 2;
    ExplodePolylines(d);
    std::set<std::pair<std::array<double, 3>, std::array<double, 3>>> edges;
    const auto key = [](const TAcadPoint& p) { return std::array{p.x, p.y, p.z}; };
    for (const TAcadLineBlk& l : d.LineAry) edges.insert(std::minmax(key(l.st), key(l.ed)));
    EXPECT_EQ(d.LineAry.size(), edges.size()); // no edge twice
    // The first mesh: 3 lines along M and 2 x 2 along N.
    const std::set<std::pair<std::array<double, 3>, std::array<double, 3>>> expected = {
        // first mesh
        {{0, 0, 0}, {0, 1, 0}},
        {{1, 0, 0}, {1, 1, 0}},
        {{2, 0, 0}, {2, 1, 0}},
        {{0, 0, 0}, {1, 0, 0}},
        {{1, 0, 0}, {2, 0, 0}},
        {{0, 1, 0}, {1, 1, 0}},
        {{1, 1, 0}, {2, 1, 0}},
        // second mesh: along M (y) 2 x (2 + closing), along N (x) 3 x 1
        {{0, 0, 5}, {0, 1, 5}},
        {{0, 1, 5}, {0, 2, 5}},
        {{0, 0, 5}, {0, 2, 5}},
        {{1, 0, 5}, {1, 1, 5}},
        {{1, 1, 5}, {1, 2, 5}},
        {{1, 0, 5}, {1, 2, 5}},
        {{0, 0, 5}, {1, 0, 5}},
        {{0, 1, 5}, {1, 1, 5}},
        {{0, 2, 5}, {1, 2, 5}}};
    EXPECT_EQ(edges, expected);
}

TEST(Conversions, TiltedCirclesAndArcsBecomeChords) {
    DxfDrawing d;
    TCircleBlk c;
    c.hankei = 1;
    c.code210 = {1, 0, 0};
    d.CircleAry = {c};
    c.code210 = kExtrusionZ; // an upright circle stays a circle
    d.CircleAry.push_back(c);
    ExplodeOcsCircles(d, false, 10);
    ASSERT_EQ(d.LineAry.size(), 37u);
    EXPECT_EQ(d.CircleAry[0].code67, -1);
    EXPECT_EQ(d.CircleAry[1].code67, 0);
    EXPECT_TRUE(SamePoint(d.LineAry.back().st, d.LineAry.back().ed, 1e-9)); // zero-length closing
    LinesToWcs(d);
    EXPECT_TRUE(SamePoint(d.LineAry[0].st, {0, 1, 0}, 1e-12));

    DxfDrawing a;
    TArcBlk arc;
    arc.hankei = 2;
    arc.st = 10;
    arc.ed = 105;
    arc.code210 = {0, 0, -1};
    a.ArcAry = {arc};
    ExplodeOcsArcs(a, false, 10);
    ASSERT_EQ(a.LineAry.size(), 10u);
    const TAcadLineBlk& last = a.LineAry.back();
    const double chord = Distance2D(last.st, last.ed);
    EXPECT_NEAR(chord, 2 * 2 * std::sin(5 * kDegToRad / 2), 1e-9); // the final 5 degrees
    EXPECT_EQ(a.ArcAry[0].code67, -1);
}

TEST(Conversions, EllipsesSplinesLeadersFacesSolids) {
    DxfDrawing d;
    TEllipseBlk e;
    e.endpoint = {4, 0, 0};
    e.henpei = 0.5;
    e.owari = 2 * kPi;
    e.code210 = kExtrusionZ;
    TEllipseBlk flat = e;
    flat.endpoint = {0, 0, 0};
    d.EllipseAry = {e, flat};
    ExplodeEllipses(d, 10);
    ASSERT_EQ(d.LineAry.size(), 36u);
    EXPECT_TRUE(SamePoint(d.LineAry[8].ed, {0, 2, 0}, 1e-9)); // t = 90 degrees

    DxfDrawing s;
    TSplineBlk planar;
    planar.code70 = 8;
    planar.code10Ary = {{0, 0, 0}, {1, 1, 0}, {2, 0, 0}};
    TSplineBlk spatial = planar;
    spatial.code70 = 0;
    spatial.code210 = kExtrusionZ;
    spatial.code10Ary[1].z = 1;
    TSplineBlk level = spatial; // not flagged planar, but every point at one height
    level.code10Ary = {{0, 0, 2}, {1, 1, 2}, {2, 0, 2}, {3, 3, 2}};
    TSplineBlk levelTilted = level;
    levelTilted.code210 = {0, 1, 0};
    planar.layer = "drawn";
    level.layer = "drawn";
    s.SplineAry = {planar, spatial, level, levelTilted};
    ExplodeSplines(s);
    // The two drawn ones as curves from their first control point to their last.
    ASSERT_GT(s.LineAry.size(), 2u + 3u);
    std::vector<TAcadPoint> ends;
    for (size_t k = 0; k < s.LineAry.size(); ++k) {
        EXPECT_EQ(s.LineAry[k].layer, "drawn");
        if (k == 0 || s.LineAry[k].st != s.LineAry[k - 1].ed) ends.push_back(s.LineAry[k].st);
        if (k + 1 == s.LineAry.size() || s.LineAry[k].ed != s.LineAry[k + 1].st)
            ends.push_back(s.LineAry[k].ed);
    }
    EXPECT_EQ(ends, (std::vector<TAcadPoint>{{0, 0, 0}, {2, 0, 0}, {0, 0, 2}, {3, 3, 2}}));

    DxfDrawing l;
    TLeaderBlk leader;
    leader.code76 = 3;
    leader.p1 = {0, 0, 0};
    leader.p2 = {1, 1, 0};
    leader.p3 = {2, 1, 0};
    leader.code41 = 5;
    l.LeaderAry = {leader};
    ExplodeLeaders(l);
    ASSERT_EQ(l.LineAry.size(), 3u);
    EXPECT_EQ(l.LineAry[2].st, (TAcadPoint{2, 1, 0}));
    EXPECT_TRUE(SamePoint(l.LineAry[2].ed, {7, 1, 0}, 1e-12));

    DxfDrawing f;
    TFaceBlk face;
    face.count = 3;
    face.pt = {TAcadPoint{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {9, 9, 9}};
    f.FaceAry = {face};
    TSolidBlk solid;
    solid.p2 = {1, 0, 0};
    solid.p3 = {0, 1, 0};
    solid.p4 = {5, 5, 0};
    TSolidBlk triangle = solid;
    triangle.p4 = triangle.p3;
    f.SolidAry = {solid, triangle};
    ExplodeFaces(f);
    ExplodeSolids(f);
    ASSERT_EQ(f.LineAry.size(), 3u + 4u + 3u);
    EXPECT_EQ(f.LineAry[2].ed, (TAcadPoint{0, 0, 0}));
    // Corners 1, 2, 4, 3, as DXF stores them.
    const TAcadPoint outline[] = {{0, 0, 0}, {1, 0, 0}, {5, 5, 0}, {0, 1, 0}};
    for (int k = 0; k < 4; ++k) EXPECT_EQ(f.LineAry[size_t(3 + k)].st, outline[k]);
    EXPECT_EQ(f.LineAry[9].st, (TAcadPoint{0, 1, 0}));
    EXPECT_EQ(f.LineAry[9].ed, (TAcadPoint{0, 0, 0}));
}

TEST(Conversions, EllipseParameterRanges) {
    const struct {
        double start, end;
        size_t lines;
        TAcadPoint first, last;
    } cases[] = {
        {0, 2 * kPi, 36, {4, 0, 0}, {4, 0, 0}},
        {1.5 * kPi, 0, 9, {0, -2, 0}, {4, 0, 0}},          // wraps through 2 pi
        {1.5 * kPi, 2.5 * kPi, 18, {0, -2, 0}, {0, 2, 0}}, // end above 2 pi
        {0.5 * kPi, 0.25 * kPi, 32, {0, 2, 0}, {std::sqrt(8), std::sqrt(2), 0}},
    };
    for (const bool inBlock : {false, true}) {
        for (const auto& c : cases) {
            DxfDrawing d;
            TEllipseBlk e;
            e.endpoint = {4, 0, 0};
            e.henpei = 0.5;
            e.kaisi = c.start;
            e.owari = c.end;
            e.code210 = kExtrusionZ;
            e.bname = "B";
            (inBlock ? d.BlkEllipseAry : d.EllipseAry).push_back(e);
            inBlock ? ExplodeBlkEllipses(d, 10) : ExplodeEllipses(d, 10);
            const auto& lines = inBlock ? d.BlkLineAry : d.LineAry;
            ASSERT_EQ(lines.size(), c.lines) << c.start << " " << c.end;
            EXPECT_TRUE(SamePoint(lines.front().st, c.first, 1e-9)) << c.start;
            EXPECT_TRUE(SamePoint(lines.back().ed, c.last, 1e-9)) << c.start;
            if (inBlock) {
                EXPECT_EQ(lines.front().bname, "B"); // placed with its block
            }
        }
    }
}

TEST(Conversions, TiltedTextsTurnIntoTheWorld) {
    DxfDrawing d;
    TTextBlk t;
    t.pt10 = {1, 0, 0};
    t.code50 = 10;
    t.code210 = {0, 0, -1};
    d.TextAry = {t};
    TextsToWcs(d);
    EXPECT_TRUE(SamePoint(d.TextAry[0].pt10, {-1, 0, 0}, 1e-12));
    EXPECT_NEAR(d.TextAry[0].code50, 190, 1e-9);
}

TEST(Conversions, RaysAndConstructionLinesReachFarBeyondTheExtentsWithoutWideningThem) {
    DxfDrawing d;
    d.ExtMinPt = {0, 0, 0};
    d.ExtMaxPt = {10, 10, 0};
    TRayBlk ray;
    ray.base = {5, 5, 0};
    ray.direction = {1, 0, 0};
    TRayBlk xline = ray;
    xline.bothWays = true;
    xline.direction = {0, 2, 0};
    TRayBlk none = ray;
    none.direction = {0, 0, 0};
    d.RayAry = {ray, xline, none};
    ExtendRays(d);
    ASSERT_EQ(d.LineAry.size(), 2u);
    EXPECT_EQ(d.LineAry[0].st, ray.base);
    EXPECT_EQ(d.LineAry[0].ed.y, 5);
    EXPECT_GT(d.LineAry[0].ed.x, 1000 * 10);
    EXPECT_EQ(d.LineAry[1].st.x, 5);
    EXPECT_LT(d.LineAry[1].st.y, -1000 * 10);
    EXPECT_GT(d.LineAry[1].ed.y, 1000 * 10);
    EXPECT_EQ(d.ExtMaxPt, (TAcadPoint{10, 10, 0}));
}

TEST(Conversions, MlineElementsRunAtTheirDistancesAlongTheMiters) {
    DxfDrawing d;
    TMlineBlk m;
    m.elements = 2;
    m.vertices = {{0, 0, 0}, {10, 0, 0}, {10, 10, 0}};
    const double k = std::sqrt(0.5);
    m.miters = {{0, 1, 0}, {-k, k, 0}, {-1, 0, 0}};
    m.offsets = {1, -1, std::sqrt(2.0), -std::sqrt(2.0), 1, -1}; // a band 2 wide, mitred
    TMlineBlk broken = m;
    broken.offsets.pop_back();
    d.MlineAry = {m, broken};
    ExplodeMlines(d);
    ASSERT_EQ(d.LineAry.size(), 4u); // two segments of two elements; nothing of the broken one
    test::ExpectNearPoint(d.LineAry[0].st, {0, 1, 0});
    test::ExpectNearPoint(d.LineAry[0].ed, {9, 1, 0});
    test::ExpectNearPoint(d.LineAry[1].ed, {9, 10, 0});
    test::ExpectNearPoint(d.LineAry[2].st, {0, -1, 0});
    test::ExpectNearPoint(d.LineAry[3].ed, {11, 10, 0});
}
