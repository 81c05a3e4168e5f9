#include "render/hatch_boundary.h"

#include "render/curve_flattening.h"
#include "render/geometry.h"
#include "render/spline.h"

#include <algorithm>
#include <cmath>

namespace quillon {

namespace {

// Path flags: an outer boundary, and the outermost one.
constexpr int32_t kExternal = 1, kPolyline = 2, kOutermost = 16;

class RingBuilder {
public:
    RingBuilder(double tolerance, size_t& budget) : tolerance_(tolerance), budget_(budget) {}

    void point(const TAcadPoint& p) {
        if (budget_ == 0 || !std::isfinite(p.x) || !std::isfinite(p.y)) return;
        if (!ring_.empty() && ring_.back().x == p.x && ring_.back().y == p.y) return;
        ring_.push_back(p);
        --budget_;
    }
    // A curve from at(t0) to at(t1), its start included.
    void curve(const CurveAt& at, double t0, double t1, int pieces) {
        point(at(t0));
        std::vector<TAcadPoint> pts;
        FlattenCurve(at, t0, t1, pieces, tolerance_, budget_, pts);
        budget_ += pts.size(); // counted again as they are taken
        for (const TAcadPoint& p : pts) point(p);
    }
    // A circular or elliptic arc about c with axes u and v, from angle a0 to a1 (radians,
    // either way round).
    void arc(const TAcadPoint& c, const TAcadPoint& u, const TAcadPoint& v, double a0, double a1) {
        const double sweep = a1 - a0;
        if (!std::isfinite(sweep)) return;
        const CurveAt at = [&](double t) {
            const double a = a0 + (sweep >= 0 ? t : -t);
            return TAcadPoint{c.x + u.x * std::cos(a) + v.x * std::sin(a),
                              c.y + u.y * std::cos(a) + v.y * std::sin(a), c.z};
        };
        const int pieces = std::max(2, int(std::ceil(std::fabs(sweep) / (kPi / 4))));
        if (sweep == 0) return point(at(0));
        curve(at, 0, std::fabs(sweep), std::min(pieces, 16));
    }
    Ring take() {
        Ring r;
        r.swap(ring_);
        if (r.size() > 1 && r.front().x == r.back().x && r.front().y == r.back().y) r.pop_back();
        return r;
    }
    double tolerance() const { return tolerance_; }
    size_t& budget() { return budget_; }

private:
    double tolerance_;
    size_t& budget_;
    Ring ring_;
};

void PolylinePath(const THatchPath& p, RingBuilder& b) {
    const size_t n = p.vertices.size();
    for (size_t i = 0; i < n; ++i) {
        const TAcadPoint& s = p.vertices[i];
        const TAcadPoint& e = p.vertices[(i + 1) % n];
        const double bulge = i < p.bulges.size() ? p.bulges[i] : 0;
        b.point(s);
        if (bulge == 0 || !std::isfinite(bulge) || (s.x == e.x && s.y == e.y)) continue;
        // The centre lies off the chord's middle, to the left for a positive bulge.
        const double dx = e.x - s.x, dy = e.y - s.y, half = std::hypot(dx, dy) / 2;
        const double off = half * (1 - bulge * bulge) / (2 * bulge) / (2 * half);
        const TAcadPoint c{(s.x + e.x) / 2 - dy * off, (s.y + e.y) / 2 + dx * off, s.z};
        const double r = std::hypot(s.x - c.x, s.y - c.y);
        const double a0 = std::atan2(s.y - c.y, s.x - c.x);
        b.arc(c, {r, 0, 0}, {0, r, 0}, a0, a0 + 4 * std::atan(bulge));
    }
}

// Start and end angle of an edge in radians, in the direction it runs.
std::pair<double, double> EdgeAngles(const THatchEdge& e) {
    double a0 = e.start * kDegToRad, a1 = e.end * kDegToRad;
    if (!e.ccw) a0 = -a0, a1 = -a1; // given as seen from below
    const double turn = 2 * kPi;
    if (e.ccw) {
        while (a1 <= a0 && a0 - a1 < 4 * turn) a1 += turn;
        if (a1 - a0 > turn) a1 -= turn;
    } else {
        while (a1 >= a0 && a1 - a0 < 4 * turn) a1 -= turn;
        if (a0 - a1 > turn) a1 += turn;
    }
    return {a0, a1};
}

void EdgePath(const THatchPath& p, RingBuilder& b) {
    for (const THatchEdge& e : p.edges) {
        switch (e.kind) {
        case THatchEdge::Line:
            b.point(e.p1);
            b.point(e.p2);
            break;
        case THatchEdge::Arc: {
            const auto [a0, a1] = EdgeAngles(e);
            b.arc(e.p1, {e.r, 0, 0}, {0, e.r, 0}, a0, a1);
            break;
        }
        case THatchEdge::Ellipse: {
            // Angles become the ellipse's parameters.
            auto [a0, a1] = EdgeAngles(e);
            const auto param = [&](double a) {
                return std::atan2(std::sin(a) / e.r, std::cos(a)) +
                       std::round((a - std::atan2(std::sin(a), std::cos(a))) / (2 * kPi)) * 2 * kPi;
            };
            if (e.r > 0) a0 = param(a0), a1 = param(a1);
            const TAcadPoint u = e.p2, v{-e.p2.y * e.r, e.p2.x * e.r, 0};
            b.arc(e.p1, u, v, a0, a1);
            break;
        }
        case THatchEdge::Spline: {
            const SplineDefinition s{e.degree, e.knots, e.control, e.weights, e.fit};
            for (const TAcadPoint& q :
                 FlattenSpline(s, b.tolerance(), std::min(b.budget(), kMaxSplinePoints)))
                b.point(q);
            break;
        }
        }
    }
}

} // namespace

double HatchSize(const THatchBlk& h) {
    double x0 = INFINITY, y0 = INFINITY, x1 = -INFINITY, y1 = -INFINITY;
    const auto take = [&](const TAcadPoint& p) {
        if (!std::isfinite(p.x) || !std::isfinite(p.y)) return;
        x0 = std::min(x0, p.x), x1 = std::max(x1, p.x);
        y0 = std::min(y0, p.y), y1 = std::max(y1, p.y);
    };
    for (const THatchPath& p : h.paths) {
        for (const TAcadPoint& v : p.vertices) take(v);
        for (const THatchEdge& e : p.edges) {
            if (e.kind == THatchEdge::Line) {
                take(e.p1), take(e.p2);
            } else if (e.kind == THatchEdge::Spline) {
                for (const TAcadPoint& q : e.control) take(q);
                for (const TAcadPoint& q : e.fit) take(q);
            } else {
                const double r = e.kind == THatchEdge::Arc ? e.r : std::hypot(e.p2.x, e.p2.y);
                take({e.p1.x - r, e.p1.y - r, 0}), take({e.p1.x + r, e.p1.y + r, 0});
            }
        }
    }
    return x1 >= x0 ? std::hypot(x1 - x0, y1 - y0) : 0;
}

std::vector<Ring> HatchRings(const THatchBlk& h, double tolerance, size_t maxPoints) {
    // Style 2 ignores islands: only the paths flagged outermost, else those flagged outer.
    int32_t only = 0;
    for (const int32_t flag : {kOutermost, kExternal})
        if (h.style == 2 && !only &&
            std::any_of(h.paths.begin(), h.paths.end(),
                        [&](const THatchPath& p) { return p.flags & flag; }))
            only = flag;
    std::vector<Ring> rings;
    size_t budget = maxPoints;
    RingBuilder b(tolerance, budget);
    for (const THatchPath& p : h.paths) {
        if (only && !(p.flags & only)) continue;
        if (p.flags & kPolyline)
            PolylinePath(p, b);
        else
            EdgePath(p, b);
        Ring r = b.take();
        if (r.size() >= 3) rings.push_back(std::move(r));
    }
    return rings;
}

} // namespace quillon
