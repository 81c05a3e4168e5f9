#include "render/ellipse_points.h"

#include <algorithm>
#include <cmath>

namespace quillon {

void EllipsePoints(int left, int top, int right, int bottom, bool ordered, QSize picture,
                   std::vector<QPoint>& out) {
    out.clear();
    const double cx = (left + right) / 2.0, cy = (top + bottom) / 2.0;
    const double a = std::fabs(right - left) / 2.0, b = std::fabs(bottom - top) / 2.0;
    const auto R = [](double v) { return int(std::lround(v)); };
    if (a < 0.5 || b < 0.5) { // degenerate: a segment or a point
        for (int y = int(std::ceil(cy - b)); y <= int(std::floor(cy + b)); ++y)
            for (int x = int(std::ceil(cx - a)); x <= int(std::floor(cx + a)); ++x)
                out.emplace_back(x, y);
        if (out.empty()) out.emplace_back(R(cx), R(cy));
        return;
    }
    const double h = std::sqrt(a * a + b * b);
    const double xs = a * a / h, ys = b * b / h;
    const auto yo = [&](int x) {
        return b * std::sqrt(std::max(0.0, 1 - std::pow((x - cx) / a, 2)));
    };
    const auto xo = [&](int y) {
        return a * std::sqrt(std::max(0.0, 1 - std::pow((y - cy) / b, 2)));
    };
    int x1lo = int(std::ceil(cx - xs)), x1hi = int(std::floor(cx + xs));
    int y2lo = int(std::ceil(cy - ys)), y2hi = int(std::floor(cy + ys));
    if (!ordered) { // only the rows and columns that can be visible
        x1lo = std::max(x1lo, -1);
        x1hi = std::min(x1hi, picture.width());
        y2lo = std::max(y2lo, -1);
        y2hi = std::min(y2hi, picture.height());
    }
    const auto add = [&](int x, int y) {
        if (out.empty() || out.back() != QPoint(x, y)) out.emplace_back(x, y);
    };
    for (int y = y2hi; y >= y2lo; --y)
        if (y <= cy) add(R(cx + xo(y)), y);
    for (int x = x1hi; x >= x1lo; --x) add(x, R(cy - yo(x)));
    for (int y = y2lo; y <= y2hi; ++y) add(R(cx - xo(y)), y);
    for (int x = x1lo; x <= x1hi; ++x) add(x, R(cy + yo(x)));
    for (int y = y2hi; y >= y2lo; --y)
        if (y > cy) add(R(cx + xo(y)), y);
    if (out.size() > 1 && out.front() == out.back()) out.pop_back();
}

} // namespace quillon
