#include "render/spline.h"

#include "render/curve_flattening.h"

#include <algorithm>
#include <cmath>

namespace quillon {

namespace {

struct Homogeneous {
    double x, y, z, w;
};

bool UsableKnots(const std::vector<double>& k, size_t controls, int degree) {
    if (k.size() != controls + size_t(degree) + 1) return false;
    for (size_t i = 0; i < k.size(); ++i) {
        if (!std::isfinite(k[i])) return false;
        if (i > 0 && k[i] < k[i - 1]) return false;
    }
    return k[size_t(degree)] < k[controls];
}

std::vector<double> ClampedUniformKnots(size_t controls, int degree) {
    std::vector<double> k;
    const size_t inner = controls - size_t(degree); // spans
    for (int i = 0; i <= degree; ++i) k.push_back(0);
    for (size_t i = 1; i < inner; ++i) k.push_back(double(i));
    for (int i = 0; i <= degree; ++i) k.push_back(double(inner));
    return k;
}

// A B-spline in homogeneous form, evaluated by de Boor's algorithm.
class BSpline {
public:
    explicit BSpline(const SplineDefinition& s) {
        const size_t n = s.control.size();
        degree_ = std::clamp(s.degree, 1, int(n) - 1);
        knots_ = UsableKnots(s.knots, n, degree_) ? s.knots : ClampedUniformKnots(n, degree_);
        const bool weighted = s.weights.size() == n &&
                              std::all_of(s.weights.begin(), s.weights.end(),
                                          [](double w) { return std::isfinite(w) && w > 0; });
        for (size_t i = 0; i < n; ++i) {
            const double w = weighted ? s.weights[i] : 1.0;
            const TAcadPoint& p = s.control[i];
            control_.push_back({p.x * w, p.y * w, p.z * w, w});
        }
        scratch_.resize(size_t(degree_) + 1);
    }

    double start() const { return knots_[size_t(degree_)]; }
    double end() const { return knots_[control_.size()]; }
    const std::vector<double>& knots() const { return knots_; }
    int degree() const { return degree_; }

    TAcadPoint operator()(double t) {
        const size_t p = size_t(degree_), n = control_.size();
        // The span holding t: knots[k] <= t < knots[k + 1], within the domain.
        const auto upper = std::upper_bound(knots_.begin() + long(p), knots_.begin() + long(n), t);
        const size_t k = std::clamp(size_t(upper - knots_.begin()), p + 1, n) - 1;
        for (size_t j = 0; j <= p; ++j) scratch_[j] = control_[k - p + j];
        for (size_t r = 1; r <= p; ++r)
            for (size_t j = p; j >= r; --j) {
                const size_t i = k - p + j;
                const double den = knots_[i + p + 1 - r] - knots_[i];
                const double a = den > 0 ? (t - knots_[i]) / den : 0;
                Homogeneous& d = scratch_[j];
                const Homogeneous& e = scratch_[j - 1];
                d = {e.x + a * (d.x - e.x), e.y + a * (d.y - e.y), e.z + a * (d.z - e.z),
                     e.w + a * (d.w - e.w)};
            }
        const Homogeneous& h = scratch_[p];
        return {h.x / h.w, h.y / h.w, h.z / h.w};
    }

private:
    int degree_ = 1;
    std::vector<double> knots_;
    std::vector<Homogeneous> control_;
    std::vector<Homogeneous> scratch_;
};

std::vector<TAcadPoint> FlattenControlled(const SplineDefinition& s, double tolerance,
                                          size_t budget) {
    BSpline b(s);
    std::vector<TAcadPoint> out{b(b.start())};
    const CurveAt at = [&](double t) { return b(t); };
    const std::vector<double>& k = b.knots();
    for (size_t i = size_t(b.degree()); i < s.control.size() && budget > 0; ++i)
        if (k[i + 1] > k[i]) FlattenCurve(at, k[i], k[i + 1], 4, tolerance, budget, out);
    return out;
}

// The natural cubic through the fit points, by chord length: one cubic per pair of points with
// continuous slope and curvature, straight at the ends' second derivative.
std::vector<TAcadPoint> FlattenThroughFitPoints(const std::vector<TAcadPoint>& fit,
                                                double tolerance, size_t budget) {
    std::vector<TAcadPoint> pts;
    for (const TAcadPoint& p : fit)
        if (pts.empty() || std::hypot(p.x - pts.back().x, p.y - pts.back().y) > 0 ||
            p.z != pts.back().z)
            pts.push_back(p);
    if (pts.size() < 2) return {};
    const size_t n = pts.size();
    std::vector<double> h(n - 1);
    for (size_t i = 0; i + 1 < n; ++i)
        h[i] =
            std::sqrt(std::pow(pts[i + 1].x - pts[i].x, 2) + std::pow(pts[i + 1].y - pts[i].y, 2) +
                      std::pow(pts[i + 1].z - pts[i].z, 2));
    // Second derivatives M of each coordinate (Thomas algorithm), M[0] = M[n-1] = 0.
    std::vector<TAcadPoint> m(n);
    if (n > 2) {
        std::vector<double> c(n, 0);
        std::vector<TAcadPoint> d(n);
        for (size_t i = 1; i + 1 < n; ++i) {
            const double a = h[i - 1], b = 2 * (h[i - 1] + h[i]), cc = h[i];
            const auto rhs = [&](double TAcadPoint::*f) {
                return 6 * ((pts[i + 1].*f - pts[i].*f) / h[i] -
                            (pts[i].*f - pts[i - 1].*f) / h[i - 1]);
            };
            const double den = b - a * c[i - 1];
            c[i] = cc / den;
            d[i] = {(rhs(&TAcadPoint::x) - a * d[i - 1].x) / den,
                    (rhs(&TAcadPoint::y) - a * d[i - 1].y) / den,
                    (rhs(&TAcadPoint::z) - a * d[i - 1].z) / den};
        }
        for (size_t i = n - 2; i >= 1; --i)
            m[i] = {d[i].x - c[i] * m[i + 1].x, d[i].y - c[i] * m[i + 1].y,
                    d[i].z - c[i] * m[i + 1].z};
    }
    std::vector<TAcadPoint> out{pts[0]};
    for (size_t i = 0; i + 1 < n && budget > 0; ++i) {
        const double hi = h[i];
        const auto at = [&](double t) {
            const double a = (hi - t) / hi, b = t / hi;
            const auto f = [&](double TAcadPoint::*c) {
                return a * (pts[i].*c) + b * (pts[i + 1].*c) +
                       ((a * a * a - a) * (m[i].*c) + (b * b * b - b) * (m[i + 1].*c)) * hi * hi /
                           6;
            };
            return TAcadPoint{f(&TAcadPoint::x), f(&TAcadPoint::y), f(&TAcadPoint::z)};
        };
        FlattenCurve(at, 0, hi, 2, tolerance, budget, out);
    }
    return out;
}

} // namespace

std::vector<TAcadPoint> FlattenSpline(const SplineDefinition& s, double tolerance,
                                      size_t maxPoints) {
    const size_t budget = maxPoints > 0 ? maxPoints - 1 : 0;
    if (s.control.size() >= 2) return FlattenControlled(s, tolerance, budget);
    return FlattenThroughFitPoints(s.fit, tolerance, budget);
}

} // namespace quillon
