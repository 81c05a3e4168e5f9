#include "render/hatch_pattern.h"

#include "render/geometry.h"

#include <algorithm>
#include <cmath>
#include <functional>

namespace quillon {

namespace {

// A point in a family's frame: u along its lines, v across them.
struct Frame {
    double cx, sx; // the lines' direction (cos, sin)
    double u(const TAcadPoint& p) const { return p.x * cx + p.y * sx; }
    double v(const TAcadPoint& p) const { return -p.x * sx + p.y * cx; }
    TAcadPoint at(double u, double v) const { return {u * cx - v * sx, u * sx + v * cx, 0}; }
};

// The rings' edges in a family's frame, met by lines of rising v: an edge joins the active
// ones when the lines reach its lower end and leaves them once they pass its upper end.
class EdgeSweep {
public:
    EdgeSweep(const std::vector<Ring>& rings, const Frame& f) {
        for (const Ring& r : rings)
            for (size_t i = 0; i < r.size(); ++i) {
                const TAcadPoint& p = r[i];
                const TAcadPoint& q = r[(i + 1) % r.size()];
                edges_.push_back({f.u(p), f.v(p), f.u(q), f.v(q)});
            }
        std::sort(edges_.begin(), edges_.end(), [](const Edge& a, const Edge& b) {
            return std::min(a.v0, a.v1) < std::min(b.v0, b.v1);
        });
    }

    // Where the line at height v (no lower than the last asked) crosses the rings, in order
    // along it. An edge counts when one end lies above the line and the other not, so a line
    // through a corner counts it once.
    void crossings(double v, std::vector<double>& out) {
        while (next_ < edges_.size() && std::min(edges_[next_].v0, edges_[next_].v1) <= v)
            active_.push_back(next_++);
        out.clear();
        size_t kept = 0;
        for (const size_t k : active_) {
            const Edge& e = edges_[k];
            if (std::max(e.v0, e.v1) < v) continue; // passed for good
            active_[kept++] = k;
            if ((e.v0 > v) == (e.v1 > v)) continue;
            out.push_back(e.u0 + (v - e.v0) * (e.u1 - e.u0) / (e.v1 - e.v0));
        }
        active_.resize(kept);
        std::sort(out.begin(), out.end());
    }

private:
    struct Edge {
        double u0, v0, u1, v1;
    };
    std::vector<Edge> edges_;
    std::vector<size_t> active_;
    size_t next_ = 0;
};

// The dashes of a line from u0 to u1 whose pattern starts at `origin`.
void Dashes(const std::vector<double>& dashes, double period, double origin, double u0, double u1,
            const std::function<void(double, double)>& keep) {
    // Whole periods before u0 are skipped; a pattern this fine against its line is drawn whole.
    if (period <= 0 || (u1 - u0) / period * double(dashes.size()) > 1e5) return keep(u0, u1);
    double at = origin + std::floor((u0 - origin) / period) * period;
    while (at < u1)
        for (const double d : dashes) {
            const double len = std::fabs(d);
            if (d > 0) {
                const double a = std::max(at, u0), b = std::min(at + len, u1);
                if (b > a) keep(a, b);
            }
            at += len;
        }
}

} // namespace

std::vector<PatternSegment> PatternSegments(const std::vector<Ring>& rings,
                                            const std::vector<TPatternLine>& lines,
                                            size_t maxSegments) {
    std::vector<PatternSegment> out;
    std::vector<double> cuts;
    for (const TPatternLine& line : lines) {
        const double a = line.angle * kDegToRad;
        const Frame f{std::cos(a), std::sin(a)};
        const double spacing = f.v(line.offset), shift = f.u(line.offset);
        double lo = HUGE_VAL, hi = -HUGE_VAL;
        for (const Ring& r : rings)
            for (const TAcadPoint& p : r) lo = std::min(lo, f.v(p)), hi = std::max(hi, f.v(p));
        if (!std::isfinite(spacing) || !std::isfinite(shift) || !(hi >= lo) || spacing == 0)
            continue;
        const double base = f.v(line.base), start = f.u(line.base);
        const double k0 = std::ceil((spacing > 0 ? lo - base : hi - base) / spacing);
        const double k1 = std::floor((spacing > 0 ? hi - base : lo - base) / spacing);
        if (!(k1 - k0 < double(maxSegments - out.size()))) continue; // too dense to draw
        double period = 0;
        for (const double d : line.dashes) period += std::fabs(d);
        const bool solid = line.dashes.empty() || !std::isfinite(period) || period == 0;
        // Lines from the lowest up, for the sweep.
        EdgeSweep sweep(rings, f);
        const double first = spacing > 0 ? k0 : k1, step = spacing > 0 ? 1 : -1;
        for (double n = 0; n <= k1 - k0 && out.size() < maxSegments; ++n) {
            const double k = first + n * step, v = base + k * spacing;
            sweep.crossings(v, cuts);
            for (size_t i = 0; i + 1 < cuts.size() && out.size() < maxSegments; i += 2) {
                const auto keep = [&](double u0, double u1) {
                    if (out.size() < maxSegments) out.push_back({f.at(u0, v), f.at(u1, v)});
                };
                if (!(cuts[i + 1] > cuts[i])) continue; // touches a corner only
                if (solid)
                    keep(cuts[i], cuts[i + 1]);
                else
                    Dashes(line.dashes, period, start + k * shift, cuts[i], cuts[i + 1], keep);
            }
        }
    }
    return out;
}

} // namespace quillon
