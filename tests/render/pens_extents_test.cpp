#include "dxf/layer_index.h"
#include "render/extents.h"
#include "render/geometry.h"
#include "render/pens.h"
#include "render/text_layout.h"

#include <cstring>
#include <gtest/gtest.h>

using namespace quillon;

namespace {
TColor Rgb(int r, int g, int b) {
    return r | (g << 8) | (b << 16);
}

TTextBlk Text(const char* s, TAcadPoint at, double height) {
    TTextBlk t;
    t.str = s;
    t.layer = "0";
    t.pt10 = at;
    t.code40 = height;
    t.code41 = t.code44 = 1;
    return t;
}
} // namespace

TEST(Pens, ColourIndexRows) {
    const struct {
        int aci;
        TColor rgb;
    } cases[] = {{1, Rgb(255, 0, 0)},      {-3, Rgb(0, 255, 0)},      {7, Rgb(255, 255, 255)},
                 {0, Rgb(255, 255, 255)},  {256, Rgb(255, 255, 255)}, {8, Rgb(128, 128, 128)},
                 {10, Rgb(255, 0, 0)},     {11, Rgb(255, 127, 127)},  {21, Rgb(255, 159, 127)},
                 {43, Rgb(204, 178, 102)}, {161, Rgb(127, 159, 255)}, {249, Rgb(76, 38, 47)},
                 {250, Rgb(51, 51, 51)},   {254, Rgb(214, 214, 214)}};
    for (const auto& c : cases) EXPECT_EQ(AciToColor(c.aci), c.rgb) << c.aci;
}

TEST(Pens, LineTypesAndLayerLineTypes) {
    const struct {
        const char* ltype;
        TPenStyle style;
    } cases[] = {{"CONTINUOUS", TPenStyle::psSolid},   {"hidden2", TPenStyle::psDot},
                 {"DASHED", TPenStyle::psDot},         {"DASHDOT", TPenStyle::psDashDot},
                 {"CENTER", TPenStyle::psDashDot},     {"BORDER", TPenStyle::psDashDot},
                 {"PHANTOM", TPenStyle::psDashDotDot}, {"DIVIDE", TPenStyle::psDashDotDot},
                 {"DEVIDE", TPenStyle::psDashDotDot},  {"DOT", TPenStyle::psDot},
                 {"BYBLOCK", TPenStyle::psSolid}};
    for (const auto& c : cases) EXPECT_EQ(LineTypeToPenStyle(c.ltype), c.style) << c.ltype;
    DxfDrawing d;
    d.LayerAry.push_back(DefaultLayer("H"));
    d.LayerAry.back().ltype = "HIDDEN";
    LayerIndex layers(d.LayerAry);
    EXPECT_EQ(EntityPenStyle(d, layers, "BYLAYER", "H"), TPenStyle::psDot);
    EXPECT_EQ(EntityPenStyle(d, layers, "", "H"), TPenStyle::psDot);
    EXPECT_EQ(EntityPenStyle(d, layers, "PHANTOM", "H"), TPenStyle::psDashDotDot);
    EXPECT_EQ(EntityPenStyle(d, layers, "BYLAYER", "missing"), TPenStyle::psSolid);
}

TEST(Extents, LinesWinOverTexts) {
    DxfDrawing d;
    d.LayerAry.push_back(DefaultLayer("0"));
    TAcadLineBlk l;
    l.layer = "0";
    l.ed = {10, 5, 0};
    d.LineAry.push_back(l);
    d.TextAry.push_back(Text("far", {1000, 1000, 0}, 5));
    CalcExtents(d);
    EXPECT_EQ(d.ExtMinPt, (TAcadPoint{0, 0, 0}));
    EXPECT_EQ(d.ExtMaxPt, (TAcadPoint{10, 5, 0}));

    d.LineAry.clear();
    d.TextAry = {Text("AB", {0, 0, 0}, 1)};
    CalcExtents(d);
    EXPECT_NEAR(d.ExtMinPt.x, 0, 1e-12);
    EXPECT_NEAR(d.ExtMinPt.y, 0, 1e-12);
    EXPECT_NEAR(d.ExtMaxPt.x, 2 * 0.855 + 0.70710678, 1e-6);
    EXPECT_NEAR(d.ExtMaxPt.y, 1.71, 1e-12);

    d.LayerAry[0].visible = false; // everything on a layer switched off
    CalcExtents(d);
    EXPECT_EQ(d.ExtMinPt, (TAcadPoint{}));
    EXPECT_EQ(d.ExtMaxPt, (TAcadPoint{}));
}

TEST(Extents, TwoThreadsFindTheExtentsOfOne) {
    // Widening record by record keeps a first coordinate that is not a number, passes over later
    // ones and keeps the earlier of two equal ones (0 and -0): shared between two threads, the
    // run still gives the same bits, wherever the counted records lie.
    const double nan = std::nan(""), z = 0.0, mz = -0.0;
    const auto line = [](TAcadPoint a, TAcadPoint b, int16_t hidden = 0) {
        TAcadLineBlk l;
        l.layer = "0";
        l.st = a;
        l.ed = b;
        l.code60 = hidden;
        return l;
    };
    const std::vector<std::vector<TAcadLineBlk>> cases = {
        {line({nan, 1, 0}, {2, 3, 0}), line({-5, -5, 0}, {9, nan, 0}), line({1, 1, 0}, {4, 4, 0})},
        {line({0, 0, 0}, {0, 0, 0}, 1), line({0, 0, 0}, {0, 0, 0}, 1), line({mz, z, 0}, {z, mz, 0}),
         line({z, mz, 0}, {mz, z, 0})},
        {line({z, z, 0}, {1, 1, 0}), line({mz, mz, 0}, {2, 2, 0}), line({3, nan, 0}, {-1, 7, 0})},
        {line({1, 1, 0}, {2, 2, 0}, 1), line({1, 1, 0}, {2, 2, 0}, 1), line({nan, 4, 0}, {5, 6, 0}),
         line({-3, -3, 0}, {8, 8, 0})},
    };
    for (const auto& lines : cases) {
        DxfDrawing one, two;
        one.LayerAry.push_back(DefaultLayer("0"));
        one.LineAry.assign(lines.begin(), lines.end());
        two = one;
        CalcExtents(one, TwoThreads::never());
        CalcExtents(two, TwoThreads::always());
        EXPECT_EQ(std::memcmp(&one.ExtMinPt, &two.ExtMinPt, sizeof(TAcadPoint)), 0)
            << &lines - &cases[0];
        EXPECT_EQ(std::memcmp(&one.ExtMaxPt, &two.ExtMaxPt, sizeof(TAcadPoint)), 0)
            << &lines - &cases[0];
    }
}

TEST(Extents, ArcBoxes) {
    const struct {
        double start, end;
        TAcadPoint min, max;
    } cases[] = {{0, 90, {0, 0, 0}, {1, 1, 0}},
                 {270, 90, {0, -1, 0}, {1, 1, 0}},
                 {45, 135, {-0.70710678, 0.70710678, 0}, {0.70710678, 1, 0}},
                 {90, 360, {-1, -1, 0}, {1, 1, 0}},
                 // ends raised a turn above their starts, as drawing leaves them
                 {270, 450, {0, -1, 0}, {1, 1, 0}},
                 {300, 400, {0.5, -0.8660254, 0}, {1, 0.64278761, 0}}};
    for (const auto& c : cases) {
        const Box b = ArcBox({0, 0, 0}, 1, c.start * kDegToRad, c.end * kDegToRad);
        EXPECT_NEAR(b.min.x, c.min.x, 1e-6) << c.start << " " << c.end;
        EXPECT_NEAR(b.min.y, c.min.y, 1e-6) << c.start << " " << c.end;
        EXPECT_NEAR(b.max.x, c.max.x, 1e-6) << c.start << " " << c.end;
        EXPECT_NEAR(b.max.y, c.max.y, 1e-6) << c.start << " " << c.end;
    }
}

TEST(Extents, WindowTests) {
    const Box w{{0, 0, 0}, {10, 10, 0}};
    TAcadLineBlk crossing;
    crossing.st = {-5, 5, 0};
    crossing.ed = {15, 6, 0};
    EXPECT_TRUE(LineInWindow(crossing, w));
    TAcadLineBlk outside;
    outside.st = {-5, -5, 0};
    outside.ed = {-1, 20, 0};
    EXPECT_FALSE(LineInWindow(outside, w));
    TCircleBlk c;
    c.center = {12, 5, 0};
    c.hankei = 3; // centre outside, box crosses the right edge
    EXPECT_TRUE(CircleInWindow(c, w));
    c.hankei = 1;
    EXPECT_FALSE(CircleInWindow(c, w));
    c.center = {-50, 5, 0};
    c.hankei = 200; // encloses the whole window from outside it: no edge crossing
    EXPECT_FALSE(CircleInWindow(c, w));
    TArcBlk a;
    a.center = {20, 5, 0};
    a.hankei = 12;
    a.st = 170;
    a.ed = 190; // its start point lies inside
    EXPECT_TRUE(ArcInWindow(a, w));
    TTextBlk t = Text("hello", {-3, 5, 0}, 1);
    EXPECT_TRUE(TextInWindow(t, w));
    t.pt10 = {-30, 5, 0};
    EXPECT_FALSE(TextInWindow(t, w));
}

TEST(Extents, AWindowAboutAnyCornerOfATextsBoxSeesTheText) {
    // Texts of every alignment, turned, and multi-line texts of every attachment, with long
    // strings: their boxes reach far from the point they are built on.
    std::vector<TTextBlk> texts;
    for (int align = 0; align <= 5; ++align) {
        TTextBlk t = Text("a long line of text", {0, 0, 0}, 2.5);
        t.code72 = int16_t(align);
        t.code73 = int16_t(align % 4);
        t.pt11 = {3, -2, 0};
        t.code50 = 30 * align;
        texts.push_back(t);
    }
    for (int attach = 1; attach <= 9; ++attach) {
        TTextBlk t = Text("one\\Ptwo\\Pthree", {0, 0, 0}, 2);
        t.mtflag = true;
        t.code71 = int16_t(attach);
        t.code41 = 5;
        t.code44 = 1.5;
        t.code50 = 20 * attach;
        texts.push_back(t);
    }
    for (const TTextBlk& t : texts) {
        const Box b = TextBoxOf(t);
        for (const TAcadPoint& c :
             {b.min, b.max, TAcadPoint{b.min.x, b.max.y, 0}, TAcadPoint{b.max.x, b.min.y, 0}}) {
            const Box w{{c.x - 0.01, c.y - 0.01, 0}, {c.x + 0.01, c.y + 0.01, 0}};
            EXPECT_TRUE(TextInWindow(t, w)) << t.str.toStdString() << " " << t.code72 << " "
                                            << t.code71 << " at " << c.x << ", " << c.y;
        }
    }
}

TEST(LayerIndex, FirstExactNameAndLayersAddedLater) {
    DxfDrawing d;
    LayerIndex layers(d.LayerAry);
    EXPECT_EQ(layers.find(Name("A")), -1);
    d.LayerAry = {DefaultLayer("A"), DefaultLayer("a"), DefaultLayer("A")};
    d.LayerAry[1].visible = false;
    EXPECT_EQ(layers.find(Name("a")), 1);
    EXPECT_EQ(layers.find(Name("A")), 0);
    EXPECT_FALSE(layers.visible(Name("a")));
    EXPECT_TRUE(layers.visible(Name("zzz")));
    EXPECT_TRUE(LayerVisibleByIndex(d, -1));
    EXPECT_TRUE(LayerVisibleByIndex(d, 3));
    // A missing layer is added, and found from then on; a renamed newest layer by its new name.
    EXPECT_EQ(LayerColor(d, layers, "NEW"), 7);
    EXPECT_EQ(layers.find(Name("NEW")), 3);
    layers.forgetNewest();
    d.LayerAry.back().Name = "RENAMED";
    EXPECT_EQ(layers.find(Name("NEW")), -1);
    EXPECT_EQ(layers.find(Name("RENAMED")), 3);
}
