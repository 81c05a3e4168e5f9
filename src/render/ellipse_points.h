// The pixels of an ellipse given by its bounding rectangle, as the canvas draws arcs from them.
#pragma once

#include <QPoint>
#include <QSize>
#include <cstdint>
#include <vector>

namespace quillon {

// Steps along the ellipse inscribed in the rectangle (both corners included) with integer
// error terms, from the ends of its horizontal axis towards the ends of its vertical one, and
// hands each step's points to visit(quarter, x, y): 0 upper right, 1 upper left, 2 lower left,
// 3 lower right (screen quarters). Each quarter's points come in the order walked.
template <class Visit>
void WalkEllipse(int64_t x0, int64_t y0, int64_t x1, int64_t y1, Visit visit) {
    int64_t a = x1 - x0, b = y1 - y0, b1 = b & 1;
    int64_t dx = 4 * (1 - a) * b * b, dy = 4 * (b1 + 1) * a * a;
    int64_t err = dx + dy + b1 * a * a;
    int64_t lower = y0 + (b + 1) / 2, upper = lower - b1;
    int64_t l = x0, r = x1;
    const int64_t a8 = 8 * a * a, b8 = 8 * b * b;
    do {
        visit(0, r, upper);
        visit(1, l, upper);
        visit(2, l, lower);
        visit(3, r, lower);
        const int64_t e2 = 2 * err;
        if (e2 <= dy) {
            ++lower;
            --upper;
            err += dy += a8;
        }
        if (e2 >= dx || 2 * err > dy) {
            ++l;
            --r;
            err += dx += b8;
        }
    } while (l <= r);
    while (lower - upper < b) { // the tips of very flat ellipses
        visit(0, r + 1, upper);
        visit(1, l - 1, upper--);
        visit(2, l - 1, lower);
        visit(3, r + 1, lower++);
    }
}

// Points of the ellipse in counter-clockwise screen order starting at its rightmost point: the
// steep parts are stepped along y, the flat parts along x. Unless `ordered`, only the rows and
// columns that can be visible in a picture of that size.
void EllipsePoints(int left, int top, int right, int bottom, bool ordered, QSize picture,
                   std::vector<QPoint>& out);

} // namespace quillon
