// The view of the preview: which model rectangle is fitted into the picture, and the
// conversions between model points and picture pixels.
#pragma once

#include "dxf/model.h"

#include <QPoint>
#include <algorithm>
#include <cmath>

namespace quillon {

struct ViewState {
    TAcadPoint ViewCentre;
    double ViewWidth = 0, ViewHeight = 0;
    double FillFactor = 0.9;
    int ColourMode = 0;
};

// Nearest integer, halves to the even neighbour; kept inside the range pixel coordinates use.
inline int Nearest(double v) {
    constexpr double kLimit = 1 << 30;
    if (!(v > -kLimit)) return -(1 << 30);
    if (!(v < kLimit)) return 1 << 30;
    // Adding and taking away 1.5 * 2^52 rounds to an integer in the current (to nearest, ties
    // to even) mode, as nearbyint does, without a library call.
    const double shifted = v + 6755399441055744.0;
    return int(shifted - 6755399441055744.0);
}

double UnitsPerPixel(double viewWidth, double viewHeight, int width, int height, double fill);
inline QPoint DrawingToScreen(const TAcadPoint& p, QPoint origin, double upp) {
    return {origin.x() + Nearest(p.x / upp), origin.y() + Nearest(-p.y / upp)};
}
TAcadPoint ScreenToDrawing(const TAcadPoint& centre, QPoint pixel, int height, double fill,
                           int width, double viewHeight, double viewWidth);
// A rectangle of the model: lower-left and upper-right corners.
struct Box {
    TAcadPoint min, max;
};

// Grows a box to hold another (a coordinate that is not a number changes neither).
inline void Widen(Box& running, const Box& b) {
    running.min.x = std::min(running.min.x, b.min.x);
    running.min.y = std::min(running.min.y, b.min.y);
    running.max.x = std::max(running.max.x, b.max.x);
    running.max.y = std::max(running.max.y, b.max.y);
}

// The model window shown by a picture of that size.
Box WindowOfView(const TAcadPoint& centre, int width, int height, double upp);

} // namespace quillon
