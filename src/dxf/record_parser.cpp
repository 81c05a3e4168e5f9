#include "dxf/record_parser.h"

#include "dxf/group_values.h"

#include <type_traits>

namespace quillon {

namespace {

using sv = std::string_view;

// Groups 70 to 74 into the five flag fields of polylines and splines.
template <class R> bool TakeFlags(R& r, int code, sv v) {
    int16_t* const fields[] = {&r.code70, &r.code71, &r.code72, &r.code73, &r.code74};
    if (code < 70 || code > 74) return false;
    *fields[code - 70] = Small(v);
    return true;
}

} // namespace

void RecordParser::next(sv name, bool blockSide, const Name& block) {
    open_ = std::visit([&](auto& open) { return end(open); }, open_);
    // SEQEND ends a polyline's vertices; any other record but VERTEX means it is missing.
    if (std::holds_alternative<OpenVertices>(open_)) {
        if (name == "VERTEX") return;
        open_ = {};
    }
    // The kinds of OpenRecord in turn, up to the first that has this name.
    const auto opens = [&]<class Open>(std::type_identity<Open>) {
        if constexpr (requires { Open::kNames; })
            for (const sv kind : Open::kNames)
                if (name == kind) {
                    open<Open>(name, blockSide, block);
                    return true;
                }
        return false;
    };
    [&]<class... Kind>(std::type_identity<std::variant<Kind...>>) {
        (opens(std::type_identity<Kind>{}) || ...);
    }(std::type_identity<OpenRecord>{});
}

void RecordParser::stop() {
    std::visit([&](auto& open) { end(open); }, open_);
    open_ = {};
}

template <class Open> void RecordParser::open(sv name, bool blockSide, const Name& block) {
    auto* const array = Open::array(d_, blockSide);
    if (!array) return;
    auto& r = array->emplace_back();
    Open o{&r};
    start(o, {name, array->size() - 1, block});
    if constexpr (requires { r.bname; })
        if (blockSide) r.bname = block;
    open_ = o;
    openBlockSide_ = blockSide;
}

// The starting values of most kinds.
template <class Open> void RecordParser::start(Open& o, const Opening&) {
    static const Name byLayer("BYLAYER"); // made once, as LayerZero
    auto& r = *o.r;
    r.layer = LayerZero();
    if constexpr (requires { r.ltype; }) r.ltype = byLayer;
    r.color = 256;
    if constexpr (requires { r.code210; }) r.code210 = kExtrusionZ;
}

void RecordParser::start(OpenLwp& o, const Opening& at) {
    start<OpenLwp>(o, at);
    o.r->ihand = int32_t(at.index);
}

void RecordParser::start(OpenPolyline& o, const Opening& at) {
    start<OpenPolyline>(o, at);
    o.r->ihand = int32_t(at.index);
}

void RecordParser::start(OpenText& o, const Opening& at) {
    TTextBlk& r = *o.r;
    r.color = 256;
    r.code41 = r.code44 = 1;
    r.mtflag = at.name == "MTEXT";
    r.atflag = at.name == "ATTRIB";
    r.code210 = kExtrusionZ;
}

void RecordParser::start(OpenInsert& o, const Opening& at) {
    start<OpenInsert>(o, at);
    o.r->scale = {1, 1, 1};
    o.r->dimBlkName = at.block;
}

void RecordParser::start(OpenFace& o, const Opening& at) {
    start<OpenFace>(o, at);
    o.r->count = 3;
}

void RecordParser::start(OpenRay& o, const Opening& at) {
    start<OpenRay>(o, at);
    o.r->bothWays = at.name == "XLINE";
}

// The end of most kinds: the colour rule.
template <class Open> OpenRecord RecordParser::end(Open& o) {
    colourRule(*o.r);
    return {};
}

OpenRecord RecordParser::end(OpenPolyline& o) {
    colourRule(*o.r);
    return OpenVertices{&vertices(), o.r->ihand};
}

OpenRecord RecordParser::end(OpenText& o) {
    if (o.r->str.isEmpty())
        OpenText::array(d_, openBlockSide_)->pop_back();
    else
        colourRule(*o.r);
    return {};
}

OpenRecord RecordParser::end(OpenSolid& o) {
    if (!o.fourth) o.r->p4 = o.r->p3; // a triangle
    colourRule(*o.r);
    return {};
}

// The layer table may change colours: it empties the memo.
int16_t RecordParser::layerColour(const Name& name) {
    const auto [it, added] = layerColours_.try_emplace(name.id(), 0);
    if (added) it->second = LayerColor(d_, layers_, name);
    return it->second;
}

template <class R> void RecordParser::colourRule(R& r) {
    if (r.color == 256) r.color = layerColour(r.layer);
    if (openBlockSide_ && (r.color == 0 || r.layer == LayerZero())) r.color = layerColour(r.layer);
}

// Groups every kind takes: 6 line type, 8 layer, 60 visibility, 62 colour where read.
template <class R> bool RecordParser::common(R& r, int code, sv v, bool withColour) {
    switch (code) {
    case 6:
        if constexpr (requires { r.ltype; }) r.ltype = dec_.upperName(v);
        return true;
    case 8: r.layer = dec_.name(v); return true;
    case 60: r.code60 = Small(v); return true;
    case 67: // paper space
        if constexpr (requires { r.code67; }) {
            r.code67 = Small(v);
            return true;
        }
        return false;
    case 62:
        if (withColour) r.color = Small(v);
        return true;
    default: return false;
    }
}

void RecordParser::take(OpenLine& o, int code, sv v) {
    TAcadLineBlk& r = *o.r;
    if (common(r, code, v, true)) return;
    if (!TakePoint(r.st, 10, code, v)) TakePoint(r.ed, 11, code, v);
}

void RecordParser::take(OpenCircle& o, int code, sv v) {
    TCircleBlk& r = *o.r;
    if (common(r, code, v, true)) return;
    if (code == 40)
        r.hankei = Real(v);
    else if (!TakePoint(r.center, 10, code, v))
        TakePoint(r.code210, 210, code, v);
}

void RecordParser::take(OpenArc& o, int code, sv v) {
    TArcBlk& r = *o.r;
    if (common(r, code, v, true)) return;
    if (code == 40)
        r.hankei = Real(v);
    else if (code == 50)
        r.st = Real(v);
    else if (code == 51)
        r.ed = Real(v);
    else if (!TakePoint(r.center, 10, code, v))
        TakePoint(r.code210, 210, code, v);
}

void RecordParser::take(OpenPolyline& o, int code, sv v) {
    TLwpBlk& r = *o.r;
    if (common(r, code, v, true) || TakeFlags(r, code, v)) return;
    if (code == 38)
        r.code38 = Real(v);
    else if (code == 40) // the widths of vertices that give none
        r.code40 = Real(v);
    else if (code == 41)
        r.code41 = Real(v);
    else
        TakePoint(r.code210, 210, code, v);
}

void RecordParser::take(OpenLwp& o, int code, sv v) {
    TLwpBlk& r = *o.r;
    if (common(r, code, v, true) || TakeFlags(r, code, v)) return;
    if (code == 38) {
        r.code38 = Real(v);
        return;
    }
    if (code == 43) { // one width for every vertex
        r.code40 = r.code41 = Real(v);
        return;
    }
    if (TakePoint(r.code210, 210, code, v)) return;
    auto& verts = vertices();
    if (code == 10) {
        colourRule(r);
        TLwpVer ver;
        ver.ihand = r.ihand;
        ver.code10 = {Real(v), 0, r.code38};
        verts.push_back(ver);
        o.vertexOwned = true;
    } else if (code == 20 && o.vertexOwned) {
        verts.back().code10.y = Real(v);
    } else if (code == 42 && o.vertexOwned) {
        verts.back().code42 = Real(v);
    } else if (code == 40 && o.vertexOwned) {
        verts.back().code40 = float(Real(v));
    } else if (code == 41 && o.vertexOwned) {
        verts.back().code41 = float(Real(v));
    }
}

void RecordParser::take(OpenVertices& o, int code, sv v) {
    RecordArray<TLwpVer>& verts = *o.vertices;
    switch (code) {
    case 10: {
        TLwpVer ver;
        ver.ihand = o.ihand;
        ver.code10.x = Real(v);
        verts.push_back(ver);
        o.vertexOwned = true;
        break;
    }
    case 20:
        if (o.vertexOwned) verts.back().code10.y = Real(v);
        break;
    case 30:
        if (o.vertexOwned) verts.back().code10.z = Real(v);
        break;
    case 42:
        if (o.vertexOwned) verts.back().code42 = Real(v);
        break;
    case 40:
        if (o.vertexOwned) verts.back().code40 = float(Real(v));
        break;
    case 41:
        if (o.vertexOwned) verts.back().code41 = float(Real(v));
        break;
    default: break;
    }
}

void RecordParser::take(OpenText& o, int code, sv v) {
    TTextBlk& r = *o.r;
    if (o.embeddedObject || (code == 101 && r.mtflag)) {
        o.embeddedObject = true; // repeats 10, 11, 40, ... for its columns: never the text's own
        return;
    }
    if (common(r, code, v, true)) return;
    switch (code) {
    case 1:
    case 3: r.str += dec_.text(v); return;
    case 40: r.code40 = Real(v); return;
    case 41: r.code41 = Real(v); return;
    case 44: r.code44 = Real(v); return;
    case 50: r.code50 = Real(v); return;
    case 70: r.code70 = Small(v); return;
    case 71: r.code71 = Small(v); return;
    case 72: r.code72 = Small(v); return;
    case 73:
        if (!r.atflag) r.code73 = Small(v);
        return;
    case 74:
        if (r.atflag) r.code73 = Small(v);
        return;
    default: break;
    }
    if (!TakePoint(r.pt10, 10, code, v) && !TakePoint(r.pt11, 11, code, v))
        TakePoint(r.code210, 210, code, v);
}

void RecordParser::take(OpenInsert& o, int code, sv v) {
    TInsertBlk& r = *o.r;
    if (common(r, code, v, true)) return;
    switch (code) {
    case 2: r.name = dec_.name(v); return;
    case 41: r.scale.x = Real(v); return;
    case 42: r.scale.y = Real(v); return;
    case 43: r.scale.z = Real(v); return;
    case 50: r.rotate = Real(v); return;
    case 66: r.code66 = Small(v); return;
    default:
        if (!TakePoint(r.base, 10, code, v)) TakePoint(r.code210, 210, code, v);
        return;
    }
}

void RecordParser::take(OpenFace& o, int code, sv v) {
    TFaceBlk& r = *o.r;
    if (common(r, code, v, true)) return;
    if (code == 70)
        r.code70 = Small(v);
    else
        for (int k = 0; k < 4; ++k)
            if (TakePoint(r.pt[k], 10 + k, code, v)) {
                if (code == 13) r.count = 4;
                return;
            }
}

void RecordParser::take(OpenEllipse& o, int code, sv v) {
    TEllipseBlk& r = *o.r;
    if (common(r, code, v, true)) return;
    if (code == 40)
        r.henpei = Real(v);
    else if (code == 41)
        r.kaisi = Real(v);
    else if (code == 42)
        r.owari = Real(v);
    else if (!TakePoint(r.center, 10, code, v) && !TakePoint(r.endpoint, 11, code, v))
        TakePoint(r.code210, 210, code, v);
}

void RecordParser::take(OpenSolid& o, int code, sv v) {
    TSolidBlk& r = *o.r;
    if (common(r, code, v, false)) return;
    TAcadPoint* corners[4] = {&r.p1, &r.p2, &r.p3, &r.p4};
    for (int k = 0; k < 4; ++k)
        if (TakePoint(*corners[k], 10 + k, code, v)) {
            if (k == 3) o.fourth = true;
            return;
        }
}

void RecordParser::take(OpenLeader& o, int code, sv v) {
    TLeaderBlk& r = *o.r;
    // Once its vertices are complete, any group but these passes over the rest of the leader.
    o.complete = o.complete || (o.index >= 0 && o.index >= r.code76 && code != 6 && code != 8 &&
                                code != 41 && code != 60 && code != 76);
    if (o.complete || common(r, code, v, false)) return;
    if (code == 41) {
        r.code41 = Real(v);
    } else if (code == 76) {
        r.code76 = Small(v);
        o.index = 0;
    } else if (code == 10 || code == 20 || code == 30) {
        const double value = Real(v);
        TAcadPoint* kept[3] = {&r.p1, &r.p2, &r.p3};
        if (o.index < r.code76 && o.index >= 0 && o.index < 3) {
            TAcadPoint& p = *kept[o.index];
            (code == 10 ? p.x : code == 20 ? p.y : p.z) = value;
        }
        if (code == 30) ++o.index;
    }
}

void RecordParser::take(OpenSpline& o, int code, sv v) {
    TSplineBlk& r = *o.r;
    if (common(r, code, v, false) || TakeFlags(r, code, v)) return;
    switch (code) {
    case 10: r.code10Ary.push_back({Real(v), 0, 0}); return;
    case 20:
        if (!r.code10Ary.empty()) r.code10Ary.back().y = Real(v);
        return;
    case 30:
        if (!r.code10Ary.empty()) r.code10Ary.back().z = Real(v);
        return;
    case 40: r.code40Ary.push_back(Real(v)); return;
    case 41: r.code41Ary.push_back(Real(v)); return;
    case 11: r.code11Ary.push_back({Real(v), 0, 0}); return;
    case 21:
        if (!r.code11Ary.empty()) r.code11Ary.back().y = Real(v);
        return;
    case 31:
        if (!r.code11Ary.empty()) r.code11Ary.back().z = Real(v);
        return;
    default: TakePoint(r.code210, 210, code, v); return;
    }
}

void RecordParser::take(OpenHatch& o, int code, sv v) {
    if (common(*o.r, code, v, true)) return;
    if (!o.groups.take(code, v)) throw BadValue{};
}

void RecordParser::take(OpenRay& o, int code, sv v) {
    TRayBlk& r = *o.r;
    if (common(r, code, v, true)) return;
    if (!TakePoint(r.base, 10, code, v)) TakePoint(r.direction, 11, code, v);
}

// Vertices (11), their miters (13) and, for each element, a list of parameters (74 counts,
// 41 each) whose first is the element's distance along the miter.
void RecordParser::take(OpenMline& o, int code, sv v) {
    TMlineBlk& r = *o.r;
    if (common(r, code, v, true)) return;
    constexpr size_t kMost = 1000000; // vertices and element places of one MLINE
    switch (code) {
    case 71: r.code71 = Small(v); return;
    case 73: r.elements = Small(v); return;
    case 11:
        if (r.vertices.size() < kMost) {
            r.vertices.push_back({Real(v), 0, 0});
            r.miters.emplace_back();
        }
        return;
    case 74: { // an element without parameters lies on the vertex
        const bool room = !r.vertices.empty() && r.offsets.size() < kMost;
        if (room) r.offsets.push_back(0);
        o.offsetFollows = room && Small(v) > 0;
        return;
    }
    case 41:
        if (o.offsetFollows) r.offsets.back() = Real(v);
        o.offsetFollows = false;
        return;
    default: break;
    }
    if (r.vertices.empty()) return;
    if (code == 21 || code == 31) TakePoint(r.vertices.back(), 11, code, v);
    if (code == 13 || code == 23 || code == 33) TakePoint(r.miters.back(), 13, code, v);
}

void RecordParser::take(OpenDimension& o, int code, sv v) {
    TDimensionBlk& r = *o.r;
    if (common(r, code, v, true)) return;
    switch (code) {
    case 2: r.dimblkName = dec_.name(v); return;
    case 40: r.code40 = Real(v); return;
    case 50: r.code50 = Real(v); return;
    case 51: r.code51 = Real(v); return;
    case 70: r.dimtype = Small(v); return;
    default: break;
    }
    TAcadPoint* points[7] = {&r.p0, &r.p1, &r.p2, &r.p3, &r.p4, &r.P5, &r.P6};
    for (int k = 0; k < 7; ++k)
        if (TakePoint(*points[k], 10 + k, code, v)) return;
    TakePoint(r.code210, 210, code, v);
}

} // namespace quillon
