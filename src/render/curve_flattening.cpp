#include "render/curve_flattening.h"

#include <algorithm>
#include <cmath>

namespace quillon {

namespace {

// Halvings below one part: 2^16 chords per part are far beyond any pixel.
constexpr int kMaxDepth = 16;

void Refine(const CurveAt& at, double t0, const TAcadPoint& p0, double t1, const TAcadPoint& p1,
            double tolerance, int depth, size_t& budget, std::vector<TAcadPoint>& out) {
    const double tm = (t0 + t1) / 2;
    const TAcadPoint pm = at(tm);
    if (depth < kMaxDepth && budget > 1 && PlanDistanceToSegment(pm, p0, p1) > tolerance) {
        Refine(at, t0, p0, tm, pm, tolerance, depth + 1, budget, out);
        Refine(at, tm, pm, t1, p1, tolerance, depth + 1, budget, out);
        return;
    }
    if (budget == 0) return;
    out.push_back(p1);
    --budget;
}

} // namespace

double PlanDistanceToSegment(const TAcadPoint& p, const TAcadPoint& a, const TAcadPoint& b) {
    const double dx = b.x - a.x, dy = b.y - a.y;
    const double len2 = dx * dx + dy * dy;
    double t = len2 > 0 ? ((p.x - a.x) * dx + (p.y - a.y) * dy) / len2 : 0;
    t = std::clamp(t, 0.0, 1.0);
    return std::hypot(p.x - (a.x + t * dx), p.y - (a.y + t * dy));
}

void FlattenCurve(const CurveAt& at, double t0, double t1, int pieces, double tolerance,
                  size_t& budget, std::vector<TAcadPoint>& out) {
    if (!(t1 > t0) || !std::isfinite(t0) || !std::isfinite(t1)) return;
    pieces = std::max(pieces, 1);
    TAcadPoint p0 = at(t0);
    for (int k = 1; k <= pieces && budget > 0; ++k) {
        const double tk = k == pieces ? t1 : t0 + (t1 - t0) * k / pieces;
        const TAcadPoint pk = at(tk);
        Refine(at, k == 1 ? t0 : t0 + (t1 - t0) * (k - 1) / pieces, p0, tk, pk, tolerance, 0,
               budget, out);
        p0 = pk;
    }
}

} // namespace quillon
