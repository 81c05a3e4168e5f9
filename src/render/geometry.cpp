#include "render/geometry.h"

#include <algorithm>
#include <cmath>

namespace quillon {

double Distance2D(const TAcadPoint& a, const TAcadPoint& b) {
    return std::sqrt((b.y - a.y) * (b.y - a.y) + (b.x - a.x) * (b.x - a.x));
}

double PointAngle(const TAcadPoint& a, const TAcadPoint& b) {
    const double dx = b.x - a.x, dy = b.y - a.y;
    if (std::fabs(dx) < 1e-5) return b.y > a.y ? kPi / 2 : 3 * kPi / 2;
    if (std::fabs(dy) < 1e-5) return b.x > a.x ? 0.0 : kPi;
    const double r = std::fabs(std::atan(dy / dx));
    if (dx < 0 && dy >= 0) return kPi - r;
    if (dx >= 0 && dy < 0) return 2 * kPi - r;
    if (dx < 0 && dy < 0) return r + kPi;
    return r;
}

bool SegmentIntersect(const TAcadPoint& a, const TAcadPoint& b, const TAcadPoint& c,
                      const TAcadPoint& d, bool bounded, TAcadPoint& point) {
    const double d1x = b.x - a.x, d1y = b.y - a.y, d2x = d.x - c.x, d2y = d.y - c.y;
    const double den = d2x * d1y - d1x * d2y;
    if (std::fabs(den) <= 1e-12) return false;
    const double cx = c.x - a.x, cy = c.y - a.y;
    const double t = (cy * d2x - cx * d2y) / den;
    const double s = (cy * d1x - cx * d1y) / den;
    if (bounded && (s < 1e-12 || s > 1 || t < 1e-12 || t > 1)) return false;
    point = {a.x + t * d1x, a.y + t * d1y, a.z};
    return true;
}

ArcOfBulge BulgeToArc(const TAcadPoint& s, const TAcadPoint& e, double bulge) {
    const double theta = 4 * std::atan(bulge);
    const double c = Distance2D(s, e) / 2;
    const double r = c / std::sin(theta / 2);
    ArcOfBulge arc;
    arc.radius = std::fabs(r);
    arc.centre = PolarPoint(s, PointAngle(s, e) + kPi / 2 - theta / 2, r);
    const double toS = PointAngle(arc.centre, s), toE = PointAngle(arc.centre, e);
    arc.startAngle = bulge >= 0 ? toS : toE;
    arc.endAngle = bulge >= 0 ? toE : toS;
    return arc;
}

TAcadPoint RotatePoint(const TAcadPoint& p, double angle) {
    if (angle == 0) return p;
    const double m = std::sqrt(p.x * p.x + p.y * p.y);
    double phi;
    if (p.x == 0) {
        phi = p.y < 0 ? 3 * kPi / 2 : kPi / 2;
    } else {
        phi = std::atan(std::fabs(p.y / p.x));
        if (p.x < 0 && p.y >= 0)
            phi = kPi - phi;
        else if (p.x >= 0 && p.y < 0)
            phi = 2 * kPi - phi;
        else if (p.x < 0 && p.y < 0)
            phi = phi + kPi;
    }
    return {m * std::cos(phi + angle), m * std::sin(phi + angle), p.z};
}

bool SamePoint(const TAcadPoint& a, const TAcadPoint& b, double tolerance) {
    return std::fabs(a.x - b.x) < tolerance && std::fabs(a.y - b.y) < tolerance &&
           std::fabs(a.z - b.z) < tolerance;
}

TAcadPoint NormalizeVector(const TAcadPoint& v) {
    const double len = std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z);
    return len > 0 ? TAcadPoint{v.x / len, v.y / len, v.z / len} : v;
}

TAcadPoint CrossProduct(const TAcadPoint& a, const TAcadPoint& b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

TAcadPoint OcsToWcs(const TAcadPoint& p, const TAcadPoint& n) {
    const double limit = 1.0 / 64;
    const TAcadPoint w = (std::fabs(n.x) < limit && std::fabs(n.y) < limit) ? TAcadPoint{0, 1, 0}
                                                                            : TAcadPoint{0, 0, 1};
    const TAcadPoint ax = NormalizeVector(CrossProduct(w, n));
    const TAcadPoint ay = NormalizeVector(CrossProduct(n, ax));
    return {p.x * ax.x + p.y * ay.x + p.z * n.x, p.x * ax.y + p.y * ay.y + p.z * n.y,
            p.x * ax.z + p.y * ay.z + p.z * n.z};
}

TAcadPoint AxesToWorld(const TAcadPoint& l, const TAcadPoint& origin, const TAcadPoint& x,
                       const TAcadPoint& y, const TAcadPoint& z) {
    return {origin.x + l.x * x.x + l.y * y.x + l.z * z.x,
            origin.y + l.x * x.y + l.y * y.y + l.z * z.y,
            origin.z + l.x * x.z + l.y * y.z + l.z * z.z};
}

bool CutSegment(double& x0, double& y0, double& x1, double& y1, double left, double top,
                double right, double bottom) {
    if (!std::isfinite(x0) || !std::isfinite(y0) || !std::isfinite(x1) || !std::isfinite(y1))
        return true;
    const bool inside0 = x0 >= left && x0 <= right && y0 >= top && y0 <= bottom;
    const bool inside1 = x1 >= left && x1 <= right && y1 >= top && y1 <= bottom;
    // Liang-Barsky: the part of the parameter range [0, 1] inside all four edges.
    const double dx = x1 - x0, dy = y1 - y0;
    double t0 = 0, t1 = 1;
    const auto edge = [&](double p, double q) {
        if (p == 0) return q >= 0;
        const double t = q / p;
        if (p < 0) {
            if (t > t1) return false;
            t0 = std::max(t0, t);
        } else {
            if (t < t0) return false;
            t1 = std::min(t1, t);
        }
        return true;
    };
    if (!edge(-dx, x0 - left) || !edge(dx, right - x0) || !edge(-dy, y0 - top) ||
        !edge(dy, bottom - y0))
        return false;
    const double sx = x0, sy = y0;
    if (!inside1) x1 = sx + t1 * dx, y1 = sy + t1 * dy;
    if (!inside0) x0 = sx + t0 * dx, y0 = sy + t0 * dy;
    return true;
}

} // namespace quillon
