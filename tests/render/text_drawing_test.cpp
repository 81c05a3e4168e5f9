#include "render/text_drawing.h"
#include "render/text_layout.h"
#include "render/view.h"

#include <gtest/gtest.h>

using namespace quillon;

namespace {

struct Ink {
    int left = 1 << 30, right = -1, top = 1 << 30, bottom = -1;
    bool any() const { return right >= 0; }
};

Ink InkOf(Canvas& c) {
    Ink ink;
    const QImage& img = c.image();
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if ((img.pixel(x, y) & 0xFFFFFF) != 0) {
                ink.left = std::min(ink.left, x);
                ink.right = std::max(ink.right, x);
                ink.top = std::min(ink.top, y);
                ink.bottom = std::max(ink.bottom, y);
            }
    return ink;
}

Ink Draw(const QString& s, int code72, int code73, TAcadPoint p10, TAcadPoint p11, double height,
         double rotation = 0, double upp = 0.1) {
    Canvas c(400, 300);
    TTextBlk t;
    t.pt10 = p10;
    t.pt11 = p11;
    t.code40 = height;
    t.code41 = t.code44 = 1;
    t.code50 = rotation;
    t.code72 = int16_t(code72);
    t.code73 = int16_t(code73);
    TextFonts fonts;
    DrawDxfText(c, fonts, {200, 150}, t, ReplaceTextControlCodes(s), 0xFFFFFF, {0, 0, 0}, upp);
    return InkOf(c);
}

} // namespace

TEST(TextDrawing, ControlCodes) {
    EXPECT_EQ(ReplaceTextControlCodes("%%c30"), QString::fromUtf8("Φ30"));
    EXPECT_EQ(ReplaceTextControlCodes("%%%d"), QString::fromUtf8("%°"));
    EXPECT_EQ(ReplaceTextControlCodes("±%%p \\U+2205 \\U+25A1"), QString::fromUtf8("±± Φ □"));
    EXPECT_EQ(Cp932ByteCount(QString::fromUtf8("Aあ")), 3);
}

TEST(TextDrawing, AlignmentPlacesTheText) {
    // Left baseline text starts at pt10 (pixel 200) and stands on it (baseline at row 150).
    const Ink left = Draw("HHHH", 0, 0, {0, 0, 0}, {0, 0, 0}, 2);
    ASSERT_TRUE(left.any());
    EXPECT_NEAR(left.left, 200, 3);
    EXPECT_GT(left.right, 230);
    EXPECT_NEAR(left.bottom, 150, 3);
    // Right aligned: its right end is at pt11.
    const Ink right = Draw("HHHH", 2, 0, {-50, 0, 0}, {0, 0, 0}, 2);
    ASSERT_TRUE(right.any());
    EXPECT_NEAR(right.right, 200, 3);
    EXPECT_LT(right.left, 170);
    // A rotated text runs along its angle: upwards for 90 degrees.
    const Ink up = Draw("HHHH", 0, 0, {0, 0, 0}, {0, 0, 0}, 2, 90);
    ASSERT_TRUE(up.any());
    EXPECT_LT(up.top, 120);
    EXPECT_LT(up.right - up.left, 40);
}

TEST(TextDrawing, CellUnderTwoPixelsDrawsNothing) {
    EXPECT_FALSE(Draw("HH", 0, 0, {0, 0, 0}, {0, 0, 0}, 0.1).any()); // nearest(1.3) = 1
    EXPECT_TRUE(Draw("HH", 0, 0, {0, 0, 0}, {0, 0, 0}, 0.2).any());  // nearest(2.6) = 3
    EXPECT_FALSE(Draw("", 5, 0, {0, 0, 0}, {5, 0, 0}, 2).any());     // fit without bytes
}

TEST(TextDrawing, MTextLinesStackDownwards) {
    Canvas c(400, 300);
    TTextBlk t;
    t.pt11 = {1, 0, 0};
    t.mtflag = true;
    t.code71 = 7;
    t.code40 = 2;
    t.code41 = t.code44 = 1;
    TextFonts fonts;
    DrawDxfText(c, fonts, {200, 150}, t, "AAAA\\PBBBB\\PCCCC", 0xFFFFFF, {0, 0, 0}, 0.1);
    const Ink ink = InkOf(c);
    ASSERT_TRUE(ink.any());
    // Bottom left attachment: the first baseline three line spacings (1.7 x height each) above
    // the insertion point, the last one a spacing above it.
    const double spacing = 2 * 1.7 / 0.1;
    EXPECT_LT(ink.top, 150 - 3 * spacing);
    EXPECT_GT(ink.top, 150 - 3 * spacing - 26);
    EXPECT_NEAR(ink.bottom, 150 - spacing, 3);
    EXPECT_NEAR(ink.left, 200, 3);
}

TEST(TextDrawing, MTextAngleFromItsDirectionElseItsRotation) {
    const struct {
        TAcadPoint direction;
        double code50, angle;
    } cases[] = {
        {{0, 0, 0}, 90, 90}, {{0, 1, 0}, 0, 90}, {{-1, 0, 0}, 30, 180}, {{1, 1, 0}, 0, 45}};
    for (const auto& c : cases) EXPECT_NEAR(MTextAngle(c.direction, c.code50), c.angle, 1e-9);
}
