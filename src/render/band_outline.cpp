#include "render/band_outline.h"

#include "render/curve_flattening.h"

#include <algorithm>
#include <cmath>

namespace quillon {

namespace {

// More segments than this in one band are drawn as hairlines only.
constexpr size_t kMaxBandSegments = 100000;

void CounterClockwise(Ring& r) {
    double area = 0;
    for (size_t i = 0; i < r.size(); ++i) {
        const TAcadPoint& p = r[i];
        const TAcadPoint& q = r[(i + 1) % r.size()];
        area += p.x * q.y - q.x * p.y;
    }
    if (area < 0) std::reverse(r.begin(), r.end());
}

TAcadPoint Offset(const TAcadPoint& p, double nx, double ny, double d) {
    return {p.x + nx * d, p.y + ny * d, p.z};
}

// The band of one straight segment; (nx, ny) is set to its unit normal, to the left.
Ring StraightBand(const TAcadPoint& a, const TAcadPoint& b, double w0, double w1, double& nx,
                  double& ny) {
    const double len = std::hypot(b.x - a.x, b.y - a.y);
    nx = -(b.y - a.y) / len, ny = (b.x - a.x) / len;
    return {Offset(a, nx, ny, -w0 / 2), Offset(b, nx, ny, -w1 / 2), Offset(b, nx, ny, w1 / 2),
            Offset(a, nx, ny, w0 / 2)};
}

// The band of a bulged segment: outer arc forward, inner arc back.
Ring ArcBand(const TAcadPoint& a, const TAcadPoint& b, double bulge, double w0, double w1,
             double tolerance, double (&normals)[2][2]) {
    const double dx = b.x - a.x, dy = b.y - a.y;
    const double off = (1 - bulge * bulge) / (4 * bulge);
    const TAcadPoint c{(a.x + b.x) / 2 - dy * off, (a.y + b.y) / 2 + dx * off, a.z};
    const double r = std::hypot(a.x - c.x, a.y - c.y);
    const double a0 = std::atan2(a.y - c.y, a.x - c.x), sweep = 4 * std::atan(bulge);
    // The band's sides at parameter t in [0, 1]: radius r -/+ half the width there. Going
    // counter-clockwise the left side is inside.
    const double side = sweep > 0 ? 1 : -1;
    const auto at = [&](double t, double towardsLeft) {
        const double w = w0 + (w1 - w0) * t, ang = a0 + sweep * t;
        const double rr = r - side * towardsLeft * w / 2;
        return TAcadPoint{c.x + rr * std::cos(ang), c.y + rr * std::sin(ang), c.z};
    };
    Ring ring;
    size_t budget = 4096;
    for (const double leftSide : {-1.0, 1.0}) {
        std::vector<TAcadPoint> pts{at(leftSide < 0 ? 0 : 1, leftSide)};
        const CurveAt curve = [&](double t) { return at(leftSide < 0 ? t : 1 - t, leftSide); };
        FlattenCurve(curve, 0, 1, std::max(2, int(std::fabs(sweep) / 0.4)), tolerance, budget, pts);
        ring.insert(ring.end(), pts.begin(), pts.end());
    }
    for (int end = 0; end < 2; ++end) { // the unit normals to the left of travel at the ends
        const double ang = a0 + sweep * end;
        normals[end][0] = -side * std::cos(ang), normals[end][1] = -side * std::sin(ang);
    }
    return ring;
}

} // namespace

std::vector<Ring> BandOutline(const std::vector<BandVertex>& vertices, bool closed,
                              double tolerance) {
    std::vector<Ring> rings;
    const size_t n = vertices.size();
    const size_t segments = closed ? n : (n > 0 ? n - 1 : 0);
    if (segments > kMaxBandSegments) return rings;
    const bool wide =
        std::any_of(vertices.begin(), vertices.begin() + long(segments),
                    [](const BandVertex& v) { return v.startWidth > 0 || v.endWidth > 0; });
    if (!wide) return rings;
    // The normals at each segment's ends, for the corners.
    struct Ends {
        bool drawn = false;
        double start[2], end[2];
        double w0, w1;
    };
    std::vector<Ends> ends(segments);
    for (size_t i = 0; i < segments; ++i) {
        const BandVertex& v = vertices[i];
        const TAcadPoint& a = v.at;
        const TAcadPoint& b = vertices[(i + 1) % n].at;
        const double w0 = std::fabs(v.startWidth), w1 = std::fabs(v.endWidth);
        if (!std::isfinite(w0) || !std::isfinite(w1) || (a.x == b.x && a.y == b.y)) continue;
        Ends& e = ends[i];
        e.drawn = true, e.w0 = w0, e.w1 = w1;
        Ring r;
        if (v.bulge == 0 || !std::isfinite(v.bulge)) {
            double nx, ny;
            r = StraightBand(a, b, w0, w1, nx, ny);
            e.start[0] = e.end[0] = nx, e.start[1] = e.end[1] = ny;
        } else {
            double normals[2][2];
            r = ArcBand(a, b, v.bulge, w0, w1, tolerance, normals);
            e.start[0] = normals[0][0], e.start[1] = normals[0][1];
            e.end[0] = normals[1][0], e.end[1] = normals[1][1];
        }
        CounterClockwise(r);
        rings.push_back(std::move(r));
    }
    // Corners: between the end of one band and the start of the next, the wedges on both
    // sides, so that the turn is covered whichever way it goes.
    for (size_t i = 0; i < segments; ++i) {
        const size_t j = i + 1;
        if (j == segments && !closed) break;
        const Ends& e = ends[i];
        const Ends& f = ends[j % segments];
        if (!e.drawn || !f.drawn) continue;
        const TAcadPoint& p = vertices[j % n].at;
        const double w = std::min(e.w1, f.w0) / 2;
        if (w <= 0) continue;
        for (const double s : {-1.0, 1.0}) {
            Ring wedge{p, Offset(p, e.end[0], e.end[1], s * w),
                       Offset(p, f.start[0], f.start[1], s * w)};
            CounterClockwise(wedge);
            rings.push_back(std::move(wedge));
        }
    }
    return rings;
}

} // namespace quillon
