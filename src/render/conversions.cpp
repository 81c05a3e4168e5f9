#include "render/conversions.h"

#include "render/band_outline.h"
#include "render/fills.h"
#include "render/geometry.h"
#include "render/spline.h"
#include "render/view.h"

#include <algorithm>
#include <cmath>

namespace quillon {

namespace {

// Chords of one full turn never need more than this many steps; it also bounds the work for
// nonsense angles and parameters in damaged files.
constexpr int64_t kMaxSteps = 100000;

bool IsUpright(const TAcadPoint& n) {
    return SamePoint(n, kExtrusionZ, 1e-5);
}

// Chords of a curve stay within a small part of its own size: a few thousandths of a pixel when
// the curve fills the view, below a pixel still when it is zoomed in far.
double SplineTolerance(const std::vector<TAcadPoint>& pts) {
    double x0 = pts[0].x, x1 = x0, y0 = pts[0].y, y1 = y0;
    for (const TAcadPoint& p : pts) {
        x0 = std::min(x0, p.x), x1 = std::max(x1, p.x);
        y0 = std::min(y0, p.y), y1 = std::max(y1, p.y);
    }
    return std::hypot(x1 - x0, y1 - y0) / 20000;
}

template <class From>
TAcadLineBlk LineLike(const From& r, const TAcadPoint& st, const TAcadPoint& ed) {
    TAcadLineBlk l;
    l.layer = r.layer;
    l.color = r.color;
    if constexpr (requires { r.ltype; }) l.ltype = r.ltype;
    l.code67 = r.code67 < 0 ? 0 : r.code67; // paper space stays paper space
    l.st = st;
    l.ed = ed;
    return l;
}

template <class From>
TAcadLineBlk LineWithOwner(const From& r, const TAcadPoint& st, const TAcadPoint& ed) {
    TAcadLineBlk l = LineLike(r, st, ed);
    l.bname = r.bname;
    return l;
}

// The fills of one side.
struct FillArrays {
    RecordArray<TFillBlk>& fills;
    RecordArray<uint32_t>& rings;
    RecordArray<TFillPoint>& points;
};

// The band of a polyline with widths, filled under its centre lines: in world coordinates on
// the drawing side, in block coordinates on the other.
void WidePolyline(const TLwpBlk& p, const std::vector<BandVertex>& vertices, bool drawingSide,
                  const FillArrays& side) {
    double x0 = HUGE_VAL, y0 = HUGE_VAL, x1 = -HUGE_VAL, y1 = -HUGE_VAL;
    for (const BandVertex& v : vertices) {
        x0 = std::min(x0, v.at.x - v.startWidth), x1 = std::max(x1, v.at.x + v.startWidth);
        y0 = std::min(y0, v.at.y - v.startWidth), y1 = std::max(y1, v.at.y + v.startWidth);
    }
    const std::vector<Ring> band =
        BandOutline(vertices, p.code70 & 1, std::hypot(x1 - x0, y1 - y0) / 20000);
    if (band.empty()) return;
    const bool toWorld = drawingSide && !IsUpright(p.code210);
    std::vector<std::vector<TFillPoint>> rings;
    for (const Ring& r : band) {
        std::vector<TFillPoint>& out = rings.emplace_back();
        for (const TAcadPoint& q : r) {
            const TAcadPoint w = toWorld ? OcsToWcs({q.x, q.y, p.code38}, p.code210) : q;
            out.push_back({w.x, w.y});
        }
    }
    TFillBlk& f = AppendFill(side.fills, side.rings, side.points, rings);
    f.winding = true;
    f.bname = p.bname;
    f.layer = p.layer;
    f.color = p.color;
    f.code67 = p.code67;
}

// Turns the polylines of one side into lines and arcs, and bands where they have widths.
void ExplodePolylineSide(RecordArray<TLwpBlk>& polys, const RecordArray<TLwpVer>& verts,
                         RecordArray<TAcadLineBlk>& lines, RecordArray<TArcBlk>& arcs,
                         const FillArrays& fills, bool drawingSide) {
    size_t pos = 0;
    std::vector<TAcadPoint> pts;
    std::vector<double> bulges;
    std::vector<BandVertex> band;
    for (const TLwpBlk& p : polys) {
        if (p.code60 != 0) continue;
        // The polyline's vertices: the next run tagged with its ihand. A polyline without any
        // leaves the search position where it was, so later polylines still find theirs.
        size_t at = pos;
        while (at < verts.size() && verts[at].ihand != p.ihand) ++at;
        pts.clear();
        bulges.clear();
        band.clear();
        bool wide = p.code40 > 0 || p.code41 > 0;
        while (at < verts.size() && verts[at].ihand == p.ihand) {
            const TLwpVer& v = verts[at];
            pts.push_back(v.code10);
            bulges.push_back(v.code42);
            const bool own = v.code40 != 0 || v.code41 != 0;
            band.push_back(
                {v.code10, v.code42, own ? v.code40 : p.code40, own ? v.code41 : p.code41});
            wide = wide || own;
            ++at;
        }
        if (pts.empty()) continue;
        pos = at;
        if (wide && !(p.code70 & (16 | 64))) WidePolyline(p, band, drawingSide, fills);
        const auto makeLine = [&](const TAcadPoint& a, const TAcadPoint& b) {
            TAcadLineBlk l = LineWithOwner(p, a, b);
            if (drawingSide) l.code210 = p.code210;
            lines.push_back(std::move(l));
        };
        if (p.code70 & (16 | 64)) {
            if (!drawingSide || !(p.code70 & 16)) continue;
            // An M x N grid of vertices, row after row: N polylines along M (closed by flag
            // 1) and M polylines along N (closed by flag 32).
            const int64_t m = p.code71, n = p.code72;
            if (m < 1 || n < 1 || m * n > int64_t(pts.size())) continue;
            const auto vertex = [&](int64_t i, int64_t j) { return pts[size_t(i * n + j)]; };
            for (int64_t j = 0; j < n; ++j) {
                for (int64_t i = 0; i + 1 < m; ++i) makeLine(vertex(i, j), vertex(i + 1, j));
                if ((p.code70 & 1) && m > 2) makeLine(vertex(m - 1, j), vertex(0, j));
            }
            for (int64_t i = 0; i < m; ++i) {
                for (int64_t j = 0; j + 1 < n; ++j) makeLine(vertex(i, j), vertex(i, j + 1));
                if ((p.code70 & 32) && n > 2) makeLine(vertex(i, n - 1), vertex(i, 0));
            }
            continue;
        }
        if (p.code70 & 1) {
            pts.push_back(pts.front());
            bulges.push_back(0);
        }
        for (size_t k = 0; k + 1 < pts.size(); ++k) {
            if (bulges[k] == 0) {
                makeLine(pts[k], pts[k + 1]);
                continue;
            }
            const ArcOfBulge b = BulgeToArc(pts[k], pts[k + 1], bulges[k]);
            double st = b.startAngle / kDegToRad, ed = b.endAngle / kDegToRad;
            if (drawingSide) {
                double end = ed;
                if (st > end) end += 360;
                if (std::fabs(end - st) <= 1) {
                    makeLine(PolarPoint(b.centre, st * kDegToRad, b.radius),
                             PolarPoint(b.centre, end * kDegToRad, b.radius));
                    continue;
                }
            }
            TArcBlk a;
            a.bname = p.bname;
            a.layer = p.layer;
            a.ltype = p.ltype;
            a.color = p.color;
            a.code67 = p.code67;
            if (drawingSide) a.code210 = p.code210;
            a.center = b.centre;
            a.hankei = b.radius;
            a.st = st;
            a.ed = ed;
            arcs.push_back(std::move(a));
        }
    }
}

// Number of whole steps of a sweep, as the chord conversions count them.
int64_t StepCount(double sweep, double step) {
    const double n = std::nearbyint(sweep / step - 0.5);
    return std::isfinite(n) ? std::clamp<int64_t>(int64_t(n), 0, kMaxSteps) : 0;
}

// Chords from angle a through a + s ... a + count*s, then one more chord to angle last.
template <class R>
void Chords(RecordArray<TAcadLineBlk>& lines, const R& r, double a, int64_t count, double step,
            double last) {
    TAcadPoint prev = PolarPoint(r.center, a, r.hankei);
    const auto add = [&](const TAcadPoint& q) {
        TAcadLineBlk l = LineLike(r, prev, q);
        l.code210 = r.code210;
        lines.push_back(std::move(l));
        prev = q;
    };
    for (int64_t k = 1; k <= count; ++k) add(PolarPoint(r.center, a + double(k) * step, r.hankei));
    add(PolarPoint(r.center, last, r.hankei));
}

} // namespace

void ExplodeBlkPolylines(DxfDrawing& d) {
    ExplodePolylineSide(d.BlkLwpAry, d.BlkLwpVerAry, d.BlkLineAry, d.BlkArcAry,
                        {d.BlkFillAry, d.BlkFillRingAry, d.BlkFillPointAry}, false);
}

void ExplodePolylines(DxfDrawing& d) {
    ExplodePolylineSide(d.LwpAry, d.LwpVerAry, d.LineAry, d.ArcAry,
                        {d.FillAry, d.FillRingAry, d.FillPointAry}, true);
}

namespace {

// Chords of each ellipse, at most one per step of the parameter. An elliptical arc whose start
// parameter lies above its end runs through 2 pi.
void ExplodeEllipseSide(const RecordArray<TEllipseBlk>& ellipses, RecordArray<TAcadLineBlk>& lines,
                        double stepDegrees) {
    const double step = stepDegrees * kDegToRad;
    for (const TEllipseBlk& e : ellipses) {
        if (e.code60 != 0) continue;
        const TAcadPoint& ep = e.endpoint;
        const double r = std::sqrt(ep.x * ep.x + ep.y * ep.y + ep.z * ep.z);
        if (!(r > 0)) continue; // no major axis, no ellipse
        const TAcadPoint u{ep.x / r, ep.y / r, ep.z / r};
        const TAcadPoint v = CrossProduct(e.code210, u);
        const auto at = [&](double t) {
            const double a = r * std::cos(t), b = e.henpei * r * std::sin(t);
            return TAcadPoint{e.center.x + a * u.x + b * v.x, e.center.y + a * u.y + b * v.y,
                              e.center.z + a * u.z + b * v.z};
        };
        double t = e.kaisi, end = e.owari;
        if (end < t) end += 2 * kPi;
        TAcadPoint p = at(t);
        for (int64_t k = 0; end > t && k < kMaxSteps; ++k) {
            t = std::min(t + step, end);
            const TAcadPoint q = at(t);
            if (!SamePoint(p, q, 1e-5)) {
                TAcadLineBlk l = LineWithOwner(e, p, q);
                l.code210 = kExtrusionZ;
                lines.push_back(std::move(l));
            }
            p = q;
        }
    }
}

} // namespace

void ExplodeEllipses(DxfDrawing& d, double stepDegrees) {
    ExplodeEllipseSide(d.EllipseAry, d.LineAry, stepDegrees);
}

void ExplodeBlkEllipses(DxfDrawing& d, double stepDegrees) {
    ExplodeEllipseSide(d.BlkEllipseAry, d.BlkLineAry, stepDegrees);
}

void ExplodeOcsArcs(DxfDrawing& d, bool allArcs, double stepDegrees) {
    const double step = stepDegrees * kDegToRad;
    const size_t count = d.ArcAry.size();
    for (size_t i = 0; i < count; ++i) {
        TArcBlk& a = d.ArcAry[i];
        if (a.code60 != 0 || a.code67 < 0 || (!allArcs && IsUpright(a.code210))) continue;
        const double from = a.st * kDegToRad;
        double to = a.ed * kDegToRad;
        if (to < from) to += 2 * kPi;
        Chords(d.LineAry, a, from, StepCount(to - from, step), step, to);
        a.code67 = -1; // drawn through its chords from now on
    }
}

void ExplodeOcsCircles(DxfDrawing& d, bool allCircles, double stepDegrees) {
    const double step = stepDegrees * kDegToRad;
    for (TCircleBlk& c : d.CircleAry) {
        if (c.code60 != 0 || c.code67 < 0 || (!allCircles && IsUpright(c.code210))) continue;
        Chords(d.LineAry, c, 0, StepCount(2 * kPi, step), step, 0);
        c.code67 = -1; // drawn through its chords from now on
    }
}

void LinesToWcs(DxfDrawing& d) {
    for (TAcadLineBlk& l : d.LineAry) {
        if (IsUpright(l.code210)) continue;
        l.st = OcsToWcs(l.st, l.code210);
        l.ed = OcsToWcs(l.ed, l.code210);
        l.code210 = kExtrusionZ; // in world coordinates now
    }
}

void TextsToWcs(DxfDrawing& d) {
    for (TTextBlk& t : d.TextAry) {
        if (IsUpright(t.code210)) continue;
        t.pt10 = OcsToWcs(t.pt10, t.code210);
        t.pt11 = OcsToWcs(t.pt11, t.code210);
        t.code50 += PointAngle(OcsToWcs({0, 0, 0}, t.code210), OcsToWcs({100, 0, 0}, t.code210)) /
                    kDegToRad;
        t.code210 = kExtrusionZ; // in world coordinates now
    }
}

void ExplodeFaces(DxfDrawing& d) {
    for (const TFaceBlk& f : d.FaceAry) {
        if (f.code60 != 0 || f.count <= 0) continue;
        const int n = std::min<int>(f.count, 4);
        for (int j = 0; j < n; ++j) {
            d.LineAry.push_back(LineLike(f, f.pt[size_t(j)], f.pt[size_t((j + 1) % n)]));
        }
    }
}

void ExplodeLeaders(DxfDrawing& d) {
    for (const TLeaderBlk& r : d.LeaderAry) {
        if (r.code60 != 0 || r.code76 <= 1) continue;
        d.LineAry.push_back(LineWithOwner(r, r.p1, r.p2));
        if (r.code76 > 2) d.LineAry.push_back(LineWithOwner(r, r.p2, r.p3));
        if (r.code41 != 0) {
            const TAcadPoint end = d.LineAry.back().ed;
            d.LineAry.push_back(LineWithOwner(r, end, PolarPoint(end, 0, r.code41)));
        }
    }
}

void ExplodeSolids(DxfDrawing& d) {
    for (const TSolidBlk& s : d.SolidAry) {
        if (s.code60 != 0) continue;
        std::array<TAcadPoint, 4> corners;
        const int count = SolidOutline(s, corners);
        for (int c = 0; c < count; ++c)
            d.LineAry.push_back(
                LineWithOwner(s, corners[size_t(c)], corners[size_t((c + 1) % count)]));
        FillSolid(d, s);
    }
}

namespace {

void ExplodeSplineSide(const RecordArray<TSplineBlk>& splines, RecordArray<TAcadLineBlk>& lines) {
    for (const TSplineBlk& s : splines) {
        const std::vector<TAcadPoint>& defining = s.code10Ary.empty() ? s.code11Ary : s.code10Ary;
        if (s.code60 != 0 || defining.size() < 2) continue;
        // Planar, or flat in the drawing's plane: every defining point at one height.
        const bool flat = IsUpright(s.code210) &&
                          std::all_of(defining.begin(), defining.end(), [&](const TAcadPoint& p) {
                              return p.z == defining.front().z;
                          });
        if (!(s.code70 & 8) && !flat) continue;
        const SplineDefinition def{s.code71, s.code40Ary, s.code10Ary, s.code41Ary, s.code11Ary};
        const std::vector<TAcadPoint> pts = FlattenSpline(def, SplineTolerance(defining));
        for (size_t k = 0; k + 1 < pts.size(); ++k)
            lines.push_back(LineWithOwner(s, pts[k], pts[k + 1]));
    }
}

} // namespace

void ExplodeSplines(DxfDrawing& d) {
    ExplodeSplineSide(d.SplineAry, d.LineAry);
}

void ExplodeBlkSplines(DxfDrawing& d) {
    ExplodeSplineSide(d.BlkSplineAry, d.BlkLineAry);
}

void ExplodeMlines(DxfDrawing& d) {
    for (const TMlineBlk& m : d.MlineAry) {
        const size_t n = m.vertices.size(), elements = size_t(std::max<int16_t>(m.elements, 0));
        if (m.code60 != 0 || n < 2 || m.miters.size() != n || m.offsets.size() != n * elements)
            continue;
        const auto at = [&](size_t v, size_t e) { // vertices and miters are in world axes
            const TAcadPoint& p = m.vertices[v];
            const double o = m.offsets[v * elements + e];
            return TAcadPoint{p.x + m.miters[v].x * o, p.y + m.miters[v].y * o,
                              p.z + m.miters[v].z * o};
        };
        for (size_t e = 0; e < elements; ++e) {
            for (size_t v = 0; v + 1 < n; ++v) {
                TAcadLineBlk l = LineLike(m, at(v, e), at(v + 1, e));
                l.code210 = kExtrusionZ;
                d.LineAry.push_back(std::move(l));
            }
            if (m.code71 & 2) {
                TAcadLineBlk l = LineLike(m, at(n - 1, e), at(0, e));
                l.code210 = kExtrusionZ;
                d.LineAry.push_back(std::move(l));
            }
        }
    }
}

void ExtendRays(DxfDrawing& d) {
    const TAcadPoint lo = d.ExtMinPt, hi = d.ExtMaxPt;
    const TAcadPoint mid{(lo.x + hi.x) / 2, (lo.y + hi.y) / 2, 0};
    const double size = Distance2D(lo, hi);
    for (const TRayBlk& r : d.RayAry) {
        const double len = std::hypot(r.direction.x, r.direction.y);
        if (r.code60 != 0 || !(len > 0) || !std::isfinite(len)) continue;
        // A thousand times the drawing beyond it: a view would have to be zoomed out that far
        // to see an end.
        const double reach = 1000 * (std::max(size, 1e-9) + Distance2D(r.base, mid)) / len;
        if (!std::isfinite(reach)) continue;
        const auto along = [&](double t) {
            return TAcadPoint{r.base.x + r.direction.x * t, r.base.y + r.direction.y * t, r.base.z};
        };
        TAcadLineBlk l = LineLike(r, r.bothWays ? along(-reach) : r.base, along(reach));
        l.code210 = kExtrusionZ;
        d.LineAry.push_back(std::move(l));
    }
}

} // namespace quillon
