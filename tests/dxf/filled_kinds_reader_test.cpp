#include "dxf/reader.h"
#include "support/temp_files.h"

#include <gtest/gtest.h>

using namespace quillon;
using quillon::test::Dxf;
using quillon::test::DxfOf;
using quillon::test::TempFolder;

namespace {

DxfDrawing ReadText(const char* compact, QString* status = nullptr) {
    TempFolder dir;
    DxfDrawing d;
    QString s, version;
    ReadDxfFile(d, dir.write("t.dxf", DxfOf(compact)), nullptr, nullptr, s, TextEncoding::Cp932,
                version);
    if (status) *status = s;
    return d;
}

} // namespace

TEST(FilledKindsReader, HatchesSplinesWidthsTracesPointsAndRaysAreKept) {
    QString status;
    const DxfDrawing d = ReadText(R"(
        0 SECTION 2 BLOCKS
        0 BLOCK 2 B 10 0 20 0
        0 HATCH 8 H 62 3 10 0 20 0 30 0 2 SOLID 70 1 91 1
          92 2 72 0 73 1 93 3 10 0 20 0 10 1 20 0 10 0 20 1 97 0 75 0 76 1 98 0
        0 SPLINE 8 S 70 8 71 3 74 3 11 0 21 0 31 0 11 1 21 1 31 0 11 2 21 0 31 0
        0 ENDBLK 0 ENDSEC
        0 SECTION 2 ENTITIES
        0 HATCH 8 H 10 0 20 0 30 0 2 ANSI31 70 0 91 1
          92 1 93 1 72 2 10 5 20 5 40 2 50 0 51 360 73 1 97 0
          75 1 76 1 52 45 41 1 77 0 78 1 53 45 43 0 44 0 45 -0.5 46 0.5 79 0 98 0
        0 LWPOLYLINE 8 W 90 2 70 0 43 0.5 10 0 20 0 10 10 20 0
        0 LWPOLYLINE 8 W 90 2 70 0 10 0 20 5 40 1 41 2 10 10 20 5
        0 POLYLINE 8 W 66 1 10 0 20 0 30 0 40 0.25 41 0.25
        0 VERTEX 8 W 10 0 20 9 30 0 0 VERTEX 8 W 10 4 20 9 30 0 40 1 41 3 0 SEQEND
        0 TRACE 8 T 10 0 20 0 11 1 21 0 12 0 22 1 13 1 23 1
        0 POINT 8 P 10 7 20 8 30 0
        0 RAY 8 R 10 1 20 2 30 0 11 1 21 0 31 0
        0 XLINE 8 R 10 3 20 4 30 0 11 0 21 1 31 0
        0 MLINE 8 M 2 STANDARD 40 1 70 0 71 1 72 2 73 2 10 0 20 0 30 0
          11 0 21 0 31 0 12 1 22 0 32 0 13 0 23 1 33 0 74 2 41 0.5 41 0 75 0 74 1 41 -0.5 75 0
          11 10 21 0 31 0 12 1 22 0 32 0 13 0 23 1 33 0 74 2 41 0.5 41 0 75 0 74 0 75 0
        0 ENDSEC 0 EOF)",
                                  &status);
    ASSERT_EQ(status, "");
    ASSERT_EQ(d.BlkHatchAry.size(), 1u);
    const THatchBlk& solid = d.BlkHatchAry[0];
    EXPECT_EQ(solid.bname, "B");
    EXPECT_TRUE(solid.solid);
    EXPECT_EQ(solid.color, 3);
    ASSERT_EQ(solid.paths.size(), 1u);
    EXPECT_EQ(solid.paths[0].vertices.size(), 3u);
    ASSERT_EQ(d.BlkSplineAry.size(), 1u);
    EXPECT_EQ(d.BlkSplineAry[0].code11Ary.size(), 3u); // fit points only
    EXPECT_TRUE(d.BlkSplineAry[0].code10Ary.empty());

    ASSERT_EQ(d.HatchAry.size(), 1u);
    const THatchBlk& pattern = d.HatchAry[0];
    EXPECT_FALSE(pattern.solid);
    EXPECT_EQ(pattern.layer, "H");
    ASSERT_EQ(pattern.paths.size(), 1u);
    ASSERT_EQ(pattern.paths[0].edges.size(), 1u);
    EXPECT_EQ(pattern.paths[0].edges[0].r, 2);
    ASSERT_EQ(pattern.lines.size(), 1u);
    EXPECT_EQ(pattern.lines[0].angle, 45);

    ASSERT_EQ(d.LwpAry.size(), 3u);
    EXPECT_EQ(d.LwpAry[0].code40, 0.5); // constant width
    EXPECT_EQ(d.LwpAry[0].code41, 0.5);
    EXPECT_EQ(d.LwpAry[2].code40, 0.25); // the POLYLINE's default widths
    ASSERT_EQ(d.LwpVerAry.size(), 6u);
    EXPECT_EQ(d.LwpVerAry[2].code40, 1); // per vertex
    EXPECT_EQ(d.LwpVerAry[2].code41, 2);
    EXPECT_EQ(d.LwpVerAry[5].code41, 3);

    ASSERT_EQ(d.SolidAry.size(), 1u); // the trace, kept as a solid
    EXPECT_EQ(d.SolidAry[0].p4, (TAcadPoint{1, 1, 0}));
    ASSERT_EQ(d.CircleAry.size(), 1u); // the point, a circle of no size
    EXPECT_EQ(d.CircleAry[0].center, (TAcadPoint{7, 8, 0}));
    EXPECT_EQ(d.CircleAry[0].hankei, 0);
    ASSERT_EQ(d.RayAry.size(), 2u);
    EXPECT_EQ(d.RayAry[0].base, (TAcadPoint{1, 2, 0}));
    EXPECT_FALSE(d.RayAry[0].bothWays);
    EXPECT_EQ(d.RayAry[1].direction, (TAcadPoint{0, 1, 0}));
    EXPECT_TRUE(d.RayAry[1].bothWays);
    ASSERT_EQ(d.MlineAry.size(), 1u);
    const TMlineBlk& m = d.MlineAry[0];
    EXPECT_EQ(m.elements, 2);
    EXPECT_EQ(m.vertices, (std::vector<TAcadPoint>{{0, 0, 0}, {10, 0, 0}}));
    EXPECT_EQ(m.miters[1], (TAcadPoint{0, 1, 0}));
    EXPECT_EQ(m.offsets, (std::vector<double>{0.5, -0.5, 0.5, 0}));
}

TEST(FilledKindsReader, ABadHatchValueStopsTheReadLikeAnyOther) {
    QString status;
    const DxfDrawing d =
        ReadText("0 SECTION 2 ENTITIES 0 HATCH 91 1 92 2 93 1 10 x 20 0 0 ENDSEC 0 EOF", &status);
    EXPECT_FALSE(status.isEmpty());
    EXPECT_EQ(d.HatchAry.size(), 1u);
}
