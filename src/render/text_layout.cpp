#include "render/text_layout.h"

#include "dxf/text_decoding.h"
#include "render/geometry.h"

#include <cmath>

namespace quillon {

namespace {

constexpr double kCellFactor = 1.3;       // a cell's height per text height
constexpr double kCharWidthFactor = 0.51; // a character's width per cell height
constexpr double kCharWidthScale = 0.75;  // of that, what a character takes of its cell
constexpr double kMTextWidthFactor = 0.8; // an MTEXT's width factor; a fitted text's too
constexpr double kBoxCharWidth = 0.855;   // a TEXT box's character width per height
constexpr double kBoxLinePitch = 1.86;    // an MTEXT box's line pitch per height and spacing

bool OnFirstPoint(const TTextBlk& t) {
    return t.mtflag || (t.code72 == 0 && t.code73 == 0);
}

Box MTextBox(const TTextBlk& t, double theta) {
    QStringList lines;
    const int k = SplitMTextLines(t.str, lines);
    const double w = t.code41, u = t.code40 * t.code44 * kBoxLinePitch;
    double x1 = 0, x2 = w, y1 = 0, y2 = -u * k;
    if (t.code71 == 2 || t.code71 == 5 || t.code71 == 8)
        x1 = w / 2, x2 = -w / 2;
    else if (t.code71 == 3 || t.code71 == 6 || t.code71 == 9)
        x1 = 0, x2 = -w;
    if (t.code71 >= 4 && t.code71 <= 6)
        y1 = u * k / 2, y2 = -u * k / 2;
    else if (t.code71 >= 7 && t.code71 <= 9)
        y1 = u * k, y2 = 0;
    const TAcadPoint& p = t.pt10;
    Box box{p, p};
    for (const TAcadPoint& corner : {TAcadPoint{x1, y1, 0}, TAcadPoint{x2, y2, 0},
                                     TAcadPoint{x2, y1, 0}, TAcadPoint{x1, y2, 0}}) {
        const TAcadPoint r = RotatePoint(corner, theta);
        const TAcadPoint q{p.x + r.x, p.y + r.y, 0};
        Widen(box, {q, q});
    }
    return box;
}

} // namespace

int TextCellHeight(double code40, double upp) {
    return Nearest(code40 / upp * kCellFactor);
}

int TextCharWidth(double code40, double code41, bool mtflag, double upp) {
    const double widthFactor = mtflag ? kMTextWidthFactor : code41;
    return Nearest(code40 / upp * kCellFactor * kCharWidthFactor * widthFactor * kCharWidthScale);
}

int FittedCharWidth(double distance, int bytes, double upp) {
    return Nearest(distance / upp * kMTextWidthFactor / bytes);
}

double MTextAngle(const TAcadPoint& direction, double code50) {
    if (direction.x == 0 && direction.y == 0) return code50;
    return PointAngle({0, 0, 0}, direction) / kDegToRad;
}

double TextCellRise(int code72, int code73, double cell) {
    switch (code73) {
    case 0: return code72 == 4 ? cell / 2 - 0.03 * cell : 0.855 * cell;
    case 1: return 0.994 * cell;
    case 2: return cell / 2 - 0.03 * cell;
    case 3: return 0.086 * cell;
    default: return cell;
    }
}

double MTextLineRise(int code71, double cell) {
    if (code71 >= 4 && code71 <= 6) return cell / 2 - 0.03 * cell;
    if (code71 >= 7 && code71 <= 9) return 0.855 * cell;
    return 0.086 * cell;
}

Box TextBoxOf(const TTextBlk& t) {
    const double theta = (t.mtflag ? MTextAngle(t.pt11, t.code50) : t.code50) * kDegToRad;
    if (t.mtflag) return MTextBox(t, theta);
    const TAcadPoint b = OnFirstPoint(t) ? t.pt10 : t.pt11;
    const double width = t.code40 * t.code41 * kBoxCharWidth * double(t.str.size());
    double dx = 0;
    if (t.code72 == 1 || t.code72 == 4)
        dx = -width / 2;
    else if (t.code72 == 2 || t.code72 == 3 || t.code72 == 5)
        dx = -width;
    const double dy = TextCellRise(t.code72, t.code73, t.code40);
    const TAcadPoint o = RotatePoint({dx, dy, 0}, theta);
    const TAcadPoint k3{b.x + 2 * o.x, b.y + 2 * o.y, b.z};
    const TAcadPoint k4 = PolarPoint(k3, theta, width);
    const TAcadPoint k1 = PolarPoint(k3, theta - kPi / 4, t.code40);
    const TAcadPoint k2 = PolarPoint(k1, theta, width);
    Box box{b, b};
    for (const TAcadPoint& p : {k1, k2, k3, k4}) Widen(box, {p, p});
    box.min.z = box.max.z = 0;
    return box;
}

TextReach ReachOf(const TTextBlk& t) {
    const double cell = std::fabs(t.code40), characters = double(t.str.size());
    const double reach =
        t.mtflag
            ? std::fabs(t.code41) + cell * std::fabs(t.code44) * kBoxLinePitch * (characters + 1)
            : 3 * (cell * std::fabs(t.code41) * kBoxCharWidth * characters + cell);
    return {OnFirstPoint(t) ? t.pt10 : t.pt11, reach * 1.01}; // and room for rounding
}

} // namespace quillon
