#include "dxf/block_expansion.h"

#include "support/drawing_checks.h"
#include <cmath>

#include <gtest/gtest.h>

using namespace quillon;
using quillon::test::ExpectNearPoint;

namespace {

TBlockBlk Block(const char* name, TAcadPoint base = {}) {
    TBlockBlk b;
    b.name = name;
    b.base = base;
    return b;
}

TInsertBlk Insert(const char* name, TAcadPoint at, TAcadPoint scale = {1, 1, 1}, double rotate = 0,
                  const char* layer = "0") {
    TInsertBlk i;
    i.name = name;
    i.base = at;
    i.scale = scale;
    i.rotate = rotate;
    i.layer = layer;
    i.ltype = "BYLAYER";
    i.code210 = kExtrusionZ;
    return i;
}

TAcadLineBlk Line(const char* block, TAcadPoint st, TAcadPoint ed, const char* layer = "0",
                  int color = 7) {
    TAcadLineBlk l;
    l.bname = block;
    l.layer = layer;
    l.color = int16_t(color);
    l.st = st;
    l.ed = ed;
    return l;
}

} // namespace

TEST(BlockExpansion, PlacementByBaseScaleAndRotation) {
    DxfDrawing d;
    d.BlockAry = {Block("D", {10, 0, 0})};
    d.BlkLineAry = {Line("D", {10, 0, 0}, {11, 0, 0})};
    d.TopInsertAry = {Insert("D", {100, 50, 0}, {2, 2, 1}, 90)};
    ExpandTopInserts(d);
    ASSERT_EQ(d.LineAry.size(), 1u);
    ExpectNearPoint(d.LineAry[0].st, {100, 50, 0});
    ExpectNearPoint(d.LineAry[0].ed, {100, 52, 0});
}

TEST(BlockExpansion, CirclesArcsAndTextsFollowTheInsert) {
    DxfDrawing d;
    d.BlockAry = {Block("B")};
    TCircleBlk c;
    c.bname = "B";
    c.center = {4, 1, 0};
    c.hankei = 5;
    c.layer = "DOOR";
    c.color = 3;
    d.BlkCircleAry = {c};
    TArcBlk a;
    a.bname = "B";
    a.hankei = 1;
    a.st = 0;
    a.ed = 90;
    d.BlkArcAry = {a};
    TTextBlk t;
    t.bname = "B";
    t.str = "T";
    t.pt10 = {1, 0, 0};
    t.pt11 = {2, 0, 0};
    t.code40 = 2;
    t.code50 = 15;
    d.BlkTextAry = {t};
    d.LayerAry = {DefaultLayer("WALL")};
    d.LayerAry[0].color = 5;
    d.TopInsertAry = {Insert("B", {0, 0, 0}, {-2, 3, 1}, 0, "WALL"),
                      Insert("B", {0, 0, 0}, {1, 1, 1}, 30, "WALL")};
    ExpandTopInserts(d);
    ASSERT_EQ(d.CircleAry.size(), 2u);
    EXPECT_EQ(d.CircleAry[0].hankei, 10);
    ExpectNearPoint(d.CircleAry[0].center, {-8, 3, 0}); // mirrored in x
    EXPECT_EQ(d.CircleAry[0].layer, "DOOR");            // its own layer and colour stay
    EXPECT_EQ(d.CircleAry[0].color, 3);
    ASSERT_EQ(d.ArcAry.size(), 2u);
    EXPECT_EQ(d.ArcAry[0].st, 90); // mirrored in x: the first quarter becomes the second
    EXPECT_EQ(d.ArcAry[0].ed, 180);
    EXPECT_EQ(d.ArcAry[1].st, 30);
    EXPECT_EQ(d.ArcAry[1].ed, 120);
    EXPECT_EQ(d.ArcAry[1].layer, "WALL"); // layer 0 takes the insert's layer and its colour
    EXPECT_EQ(d.ArcAry[1].color, 5);
    ASSERT_EQ(d.TextAry.size(), 2u);
    EXPECT_EQ(d.TextAry[1].code50, 45); // turned with the insert
    const double r30 = 30 * std::acos(-1.0) / 180;
    ExpectNearPoint(d.TextAry[1].pt10, {std::cos(r30), std::sin(r30), 0});
    EXPECT_EQ(d.TextAry[0].code40, 4); // height scaled by |x scale|
}

TEST(BlockExpansion, ByBlockAndLayerZeroTakeTheInsertLayer) {
    DxfDrawing d;
    d.BlockAry = {Block("B")};
    d.BlkLineAry = {Line("B", {}, {1, 0, 0}, "0", 7), Line("B", {}, {1, 0, 0}, "A", 0),
                    Line("B", {}, {1, 0, 0}, "DOOR", 3)};
    d.LayerAry = {DefaultLayer("WALL")};
    d.LayerAry[0].color = 4;
    TInsertBlk i = Insert("B", {}, {1, 1, 1}, 0, "WALL");
    i.color = 1;
    i.ltype = "DASHED";
    d.TopInsertAry = {i};
    ExpandTopInserts(d);
    ASSERT_EQ(d.LineAry.size(), 3u);
    for (int k = 0; k < 2; ++k) {
        EXPECT_EQ(d.LineAry[k].layer, "WALL");
        EXPECT_EQ(d.LineAry[k].color, 4); // the layer's colour, not the insert's own
        EXPECT_EQ(d.LineAry[k].ltype, "DASHED");
    }
    EXPECT_EQ(d.LineAry[2].layer, "DOOR");
    EXPECT_EQ(d.LineAry[2].color, 3);
}

TEST(BlockExpansion, InvisibleAndMissingBlocksAddNothing) {
    DxfDrawing d;
    d.BlockAry = {Block("B")};
    d.BlkLineAry = {Line("B", {}, {1, 0, 0})};
    TInsertBlk hidden = Insert("B", {});
    hidden.code60 = 1;
    d.TopInsertAry = {hidden, Insert("NOPE", {}), Insert("b", {})};
    ExpandTopInserts(d);
    EXPECT_TRUE(d.LineAry.empty());
}

TEST(BlockExpansion, NestedInsertsOncePerTopInsert) {
    DxfDrawing d;
    TBlockBlk outer = Block("OUTER", {5, 0, 0});
    TInsertBlk inner = Insert("INNER", {5, 0, 0}); // at the outer block's base point
    inner.dimBlkName = "OUTER";
    outer.InsertAry = {inner};
    d.BlockAry = {outer, Block("INNER")};
    d.BlkLineAry = {Line("OUTER", {5, 0, 0}, {6, 0, 0}), Line("INNER", {0, 0, 0}, {0, 1, 0})};
    d.TopInsertAry = {Insert("OUTER", {100, 100, 0}), Insert("OUTER", {200, 100, 0}),
                      Insert("OUTER", {300, 100, 0}, {2, 2, 1}, 90)};
    ExpandTopInserts(d);
    ASSERT_EQ(d.LineAry.size(), 3u); // the block drawn three times
    ExpandBlocks(d);
    ASSERT_EQ(d.NestInsertAry.size(), 3u);
    ASSERT_EQ(d.LineAry.size(), 6u);
    // The nested block sits where the parent's base point lands.
    ExpectNearPoint(d.LineAry[3].st, {100, 100, 0});
    ExpectNearPoint(d.LineAry[3].ed, {100, 101, 0});
    ExpectNearPoint(d.LineAry[5].st, {300, 100, 0});
    ExpectNearPoint(d.LineAry[5].ed, {298, 100, 0}); // scale 2 and rotation 90 carried down
}

TEST(BlockExpansion, DimensionBlocksAreCopiedAsTheyStand) {
    DxfDrawing d;
    d.BlockAry = {Block("*D1"), Block("*U2")};
    d.BlkLineAry = {Line("*D1", {1, 2, 0}, {3, 4, 0}), Line("*U2", {0, 0, 0}, {1, 1, 0})};
    TCircleBlk c;
    c.bname = "*D1";
    c.hankei = 1;
    d.BlkCircleAry = {c};
    TSolidBlk s;
    s.bname = "*D1";
    s.layer = "DIM";
    s.color = 2;
    s.p2 = {1, 0, 0};
    s.p3 = {0, 1, 0};
    s.p4 = {9, 9, 0};
    d.BlkSolidAry = {s};
    TDimensionBlk dim;
    dim.dimblkName = "*D1";
    d.DimensionAry = {dim};
    ExpandBlocks(d);
    EXPECT_TRUE(d.CircleAry.empty());
    ASSERT_EQ(d.LineAry.size(), 5u); // the line and the solid's four edges; *U2 is not placed
    ExpectNearPoint(d.LineAry[0].st, {1, 2, 0});
    EXPECT_EQ(d.LineAry[1].layer, "DIM");
    EXPECT_EQ(d.LineAry[2].ed, (TAcadPoint{9, 9, 0})); // corners 1, 2, 4, 3
    EXPECT_EQ(d.LineAry[4].ed, (TAcadPoint{0, 0, 0}));
}
