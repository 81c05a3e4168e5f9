#include "dxf/hatch_groups.h"

#include "dxf/number_parsing.h"

namespace quillon {

namespace {

constexpr int32_t kPolylinePath = 2;

bool Integer(std::string_view v, int32_t& out) {
    return ParseInt(v, out);
}

} // namespace

bool HatchGroups::real(std::string_view v, double& out) const {
    return ParseReal(v, out);
}

bool HatchGroups::room() {
    if (items_ >= kMaxHatchItems) return false;
    ++items_;
    return true;
}

bool HatchGroups::take(int code, std::string_view v) {
    // Groups that start the parts of the record wherever they come.
    if (code == 92 && at_ != At::AfterPaths && at_ != At::Pattern && at_ != At::Seeds) {
        int32_t flags;
        if (!Integer(v, flags)) return false;
        if (h_->paths.size() >= kMaxHatchPaths) {
            at_ = At::Path; // its groups are passed over
            return true;
        }
        h_->paths.push_back({flags, {}, {}, {}});
        at_ = flags & kPolylinePath ? At::PolylinePath : At::Edge;
        return true;
    }
    if (code == 75 && at_ != At::Pattern && at_ != At::Seeds) {
        int32_t style;
        if (!Integer(v, style)) return false;
        h_->style = int16_t(style);
        at_ = At::AfterPaths;
        return true;
    }
    switch (at_) {
    case At::Head: return head(code, v);
    case At::Path: return true;
    case At::PolylinePath: return polyline(code, v);
    case At::Edge: return edge(code, v);
    case At::Spline: return spline(code, v);
    case At::AfterPaths:
    case At::Pattern:
    case At::Seeds: return afterPaths(code, v);
    }
    return true;
}

bool HatchGroups::head(int code, std::string_view v) {
    double d;
    switch (code) {
    case 2:
        h_->pattern = QString::fromLatin1(v.data(), qsizetype(v.size()));
        if (h_->pattern.compare(QLatin1String("SOLID"), Qt::CaseInsensitive) == 0) h_->solid = true;
        return true;
    case 70: {
        int32_t flag;
        if (!Integer(v, flag)) return false;
        if (flag == 1) h_->solid = true;
        return true;
    }
    case 30:
        if (!real(v, d)) return false;
        h_->elevation = d;
        return true;
    case 210:
    case 220:
    case 230:
        if (!real(v, d)) return false;
        (code == 210 ? h_->code210.x : code == 220 ? h_->code210.y : h_->code210.z) = d;
        return true;
    default: return true;
    }
}

bool HatchGroups::polyline(int code, std::string_view v) {
    THatchPath& p = h_->paths.back();
    double d;
    switch (code) {
    case 10:
        if (!real(v, d)) return false;
        if (!room()) return true;
        p.vertices.push_back({d, 0, 0});
        p.bulges.push_back(0);
        return true;
    case 20:
        if (!real(v, d)) return false;
        if (!p.vertices.empty()) p.vertices.back().y = d;
        return true;
    case 42:
        if (!real(v, d)) return false;
        if (!p.bulges.empty()) p.bulges.back() = d;
        return true;
    case 97: at_ = At::Path; return true; // the source objects follow
    default: return true;
    }
}

bool HatchGroups::edge(int code, std::string_view v) {
    THatchPath& p = h_->paths.back();
    if (code == 72) {
        int32_t kind;
        if (!Integer(v, kind)) return false;
        if (kind < THatchEdge::Line || kind > THatchEdge::Spline || !room()) {
            at_ = At::Path; // an edge of no kind this reader knows: the path ends here
            return true;
        }
        p.edges.emplace_back().kind = THatchEdge::Kind(kind);
        if (kind == THatchEdge::Spline) at_ = At::Spline, fitCounted_ = false;
        return true;
    }
    if (code == 97) {
        at_ = At::Path;
        return true;
    }
    if (p.edges.empty()) return true;
    THatchEdge& e = p.edges.back();
    double d;
    if (code == 73) {
        int32_t flag;
        if (!Integer(v, flag)) return false;
        e.ccw = flag != 0;
        return true;
    }
    if (code != 10 && code != 20 && code != 11 && code != 21 && code != 40 && code != 50 &&
        code != 51)
        return true;
    if (!real(v, d)) return false;
    switch (code) {
    case 10: e.p1.x = d; break;
    case 20: e.p1.y = d; break;
    case 11: e.p2.x = d; break;
    case 21: e.p2.y = d; break;
    case 40: e.r = d; break;
    case 50: e.start = d; break;
    case 51: e.end = d; break;
    default: break;
    }
    return true;
}

bool HatchGroups::spline(int code, std::string_view v) {
    THatchEdge& e = h_->paths.back().edges.back();
    switch (code) {
    case 72: at_ = At::Edge; return edge(code, v); // the next edge
    case 97:
        // The first gives the number of fit points, a second the path's source objects.
        if (fitCounted_) at_ = At::Path;
        fitCounted_ = true;
        return true;
    case 94: {
        int32_t degree;
        if (!Integer(v, degree)) return false;
        e.degree = int16_t(degree);
        return true;
    }
    case 40:
    case 42:
    case 10:
    case 20:
    case 11:
    case 21: break;
    default: return true;
    }
    double d;
    if (!real(v, d)) return false;
    if ((code == 40 || code == 42 || code == 10 || code == 11) && !room()) return true;
    switch (code) {
    case 40: e.knots.push_back(d); break;
    case 42: e.weights.push_back(d); break;
    case 10: e.control.push_back({d, 0, 0}); break;
    case 20:
        if (!e.control.empty()) e.control.back().y = d;
        break;
    case 11: e.fit.push_back({d, 0, 0}); break;
    case 21:
        if (!e.fit.empty()) e.fit.back().y = d;
        break;
    default: break;
    }
    return true;
}

bool HatchGroups::afterPaths(int code, std::string_view v) {
    double d;
    switch (code) {
    case 53:
        if (!real(v, d)) return false;
        if (!room()) {
            at_ = At::Seeds; // further lines are passed over
            return true;
        }
        h_->lines.push_back({d, {}, {}, {}});
        at_ = At::Pattern;
        return true;
    case 43:
    case 44:
    case 45:
    case 46:
    case 49: {
        if (!real(v, d)) return false;
        if (at_ != At::Pattern) return true;
        TPatternLine& l = h_->lines.back();
        if (code == 43) l.base.x = d;
        if (code == 44) l.base.y = d;
        if (code == 45) l.offset.x = d;
        if (code == 46) l.offset.y = d;
        if (code == 49 && room()) l.dashes.push_back(d);
        return true;
    }
    case 47:
    case 98: at_ = At::Seeds; return true;
    case 450: {
        int32_t gradient;
        if (!Integer(v, gradient)) return false;
        if (gradient == 1) h_->solid = gradient_ = true;
        return true;
    }
    case 63: { // the gradient's colours: the first fills it
        int32_t colour;
        if (!Integer(v, colour)) return false;
        if (gradient_ && !gradientColour_) h_->color = int16_t(colour), gradientColour_ = true;
        return true;
    }
    default: return true;
    }
}

} // namespace quillon
