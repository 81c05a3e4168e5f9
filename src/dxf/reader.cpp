#include "dxf/reader.h"

#include "dxf/block_expansion.h"
#include "dxf/file_bytes.h"
#include "dxf/hatch_groups.h"
#include "dxf/layer_index.h"

#include "dxf/number_parsing.h"
#include "dxf/value_decoder.h"

#include <QFileInfo>
#include <QHash>
#include <cstring>
#include <exception>
#include <optional>
#include <thread>
#include <unordered_map>

namespace quillon {

namespace {

using sv = std::string_view;

struct BadValue {};

enum class Kind {
    None,
    Line,
    Circle,
    Arc,
    Lwp,
    PolyHeader,
    Text,
    Insert,
    Face,
    Ellipse,
    Solid,
    Leader,
    Spline,
    Dimension,
    Hatch,
    Ray,
    Mline
};

double Real(sv v) {
    double d;
    if (!ParseReal(v, d)) throw BadValue{};
    return d;
}

int16_t Small(sv v) {
    int32_t i;
    if (!ParseInt(v, i)) throw BadValue{};
    return int16_t(i);
}

// Groups 70 to 74 into the five flag fields of polylines and splines.
template <class R> bool TakeFlags(R& r, int code, sv v) {
    int16_t* const fields[] = {&r.code70, &r.code71, &r.code72, &r.code73, &r.code74};
    if (code < 70 || code > 74) return false;
    *fields[code - 70] = Small(v);
    return true;
}

// Sets x, y or z of a point from groups base, base + 10, base + 20.
bool TakePoint(TAcadPoint& p, int base, int code, sv v) {
    if (code == base)
        p.x = Real(v);
    else if (code == base + 10)
        p.y = Real(v);
    else if (code == base + 20)
        p.z = Real(v);
    else
        return false;
    return true;
}

// Where the reader is among the file's sections: all that a reader continuing from an entity
// boundary of the ENTITIES section needs to know of what came before.
struct Sections {
    bool header = false, versionFollows = false;
    QString version;
    bool inTable = false, layerTable = false, layerRecord = false;
    bool viewTable = false, viewRecord = false;
    bool inBlocks = false, blockHeader = false, blockBody = false, inEntities = false;
    Name currentBlock; // the block definition most recently opened
    bool operator==(const Sections&) const = default;
};

class DxfReader {
public:
    DxfReader(DxfDrawing& d, TextEncoding e) : d_(d), dec_(e) {}
    // A reader into `d` that goes on from an entity boundary of the ENTITIES section `other`
    // has reached.
    DxfReader(DxfDrawing& d, TextEncoding e, const DxfReader& other) : DxfReader(d, e) {
        at_ = other.at_;
    }

    void pair(int code, sv v);
    void finish(QString& acadVer) { acadVer = at_.version; }

    const Sections& sections() const { return at_; }
    // Ends the open record as the next entity would: the reader is then at an entity boundary.
    void endEntity() {
        endRecord();
        vertexMode_ = false;
    }
    // A table or the header read after the ENTITIES section (unusual) changes the drawing in
    // ways that two halves read apart cannot join.
    bool readTablesOrHeader() const { return tablesOrHeader_; }

private:
    void header(int code, sv v);
    void layerTable(int code, sv v);
    void viewTable(int code, sv v);
    void blockHeader(int code, sv v);
    void entityGroup(int code, sv v);
    void vertexGroup(int code, sv v);
    void create(sv name);
    void endRecord();
    template <class R> void colourRule(R& r);
    int16_t layerColor(const Name& name);
    template <class R> bool common(R& r, int code, sv v, bool withColour);

    void lineGroup(TAcadLineBlk& r, int code, sv v);
    void circleGroup(TCircleBlk& r, int code, sv v);
    void arcGroup(TArcBlk& r, int code, sv v);
    void polylineGroup(TLwpBlk& r, int code, sv v, bool lightweight);
    void textGroup(TTextBlk& r, int code, sv v);
    void insertGroup(TInsertBlk& r, int code, sv v);
    void faceGroup(TFaceBlk& r, int code, sv v);
    void ellipseGroup(TEllipseBlk& r, int code, sv v);
    void solidGroup(TSolidBlk& r, int code, sv v);
    bool leaderGroup(TLeaderBlk& r, int code, sv v);
    void splineGroup(TSplineBlk& r, int code, sv v);
    void dimensionGroup(TDimensionBlk& r, int code, sv v);
    void hatchGroup(THatchBlk& r, int code, sv v);
    void rayGroup(TRayBlk& r, int code, sv v);
    void mlineGroup(TMlineBlk& r, int code, sv v);

    RecordArray<TLwpVer>& vertices(bool blockSide) {
        return blockSide ? d_.BlkLwpVerAry : d_.LwpVerAry;
    }

    DxfDrawing& d_;
    ValueDecoder dec_;

    Sections at_;
    bool tablesOrHeader_ = false;
    bool vertexMode_ = false, vertexBlockSide_ = false, vertexOwned_ = false;
    int32_t vertexIhand_ = 0;

    Kind open_ = Kind::None;
    bool openBlockSide_ = false;
    void* rec_ = nullptr;
    bool lwpVertexOwned_ = false; // the newest vertex belongs to the open LWPOLYLINE
    int leaderIndex_ = -1;
    bool embeddedObject_ = false;      // an MTEXT's groups after "101" belong to its column data
    bool solidFourth_ = false;         // the open SOLID gave its fourth corner
    std::optional<HatchGroups> hatch_; // the groups of the open HATCH
    bool mlineOffsetFollows_ = false;  // the next 41 of the open MLINE places an element
    std::unordered_map<const void*, int16_t> layerColors_; // by Name::id()
    LayerIndex layers_{d_.LayerAry};
};

// The layer table may change colours: it empties the memo.
int16_t DxfReader::layerColor(const Name& name) {
    const auto [it, added] = layerColors_.try_emplace(name.id(), 0);
    if (added) it->second = LayerColor(d_, layers_, name);
    return it->second;
}

template <class R> void DxfReader::colourRule(R& r) {
    if (r.color == 256) r.color = layerColor(r.layer);
    if (openBlockSide_ && (r.color == 0 || r.layer == LayerZero())) r.color = layerColor(r.layer);
}

// Groups every kind takes: 6 line type, 8 layer, 60 visibility, 62 colour where read.
template <class R> bool DxfReader::common(R& r, int code, sv v, bool withColour) {
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

void DxfReader::pair(int code, sv v) {
    header(code, v);
    if (at_.layerTable) layerTable(code, v);
    if (at_.viewTable) viewTable(code, v);
    if (at_.inTable && code == 2) {
        if (v == "LAYER")
            at_.layerTable = true;
        else if (v == "VIEW")
            at_.viewTable = true;
    }
    if (code == 0) {
        if (v == "TABLE")
            at_.inTable = tablesOrHeader_ = true;
        else if (v == "ENDBLK") {
            endRecord();
            vertexMode_ = false;
            at_.blockBody = false;
        } else if (v == "ENDSEC") {
            endRecord();
            vertexMode_ = false;
            at_.viewRecord = at_.blockBody = at_.inEntities = at_.inBlocks = false;
        }
    }
    if (at_.blockHeader && at_.inBlocks) blockHeader(code, v);
    if (at_.blockBody || at_.inEntities) {
        entityGroup(code, v);
        if (vertexMode_) vertexGroup(code, v);
        if (code == 0) create(v);
    }
    if (code == 0 && v == "BLOCK" && at_.inBlocks) {
        d_.BlockAry.emplace_back();
        at_.blockHeader = true;
    }
    if (code == 2) {
        if (v == "BLOCKS" && !at_.inBlocks) {
            at_.inBlocks = true;
            at_.blockHeader = false;
        } else if (v == "ENTITIES" && !at_.inEntities) {
            at_.inEntities = true;
        }
    }
}

void DxfReader::header(int code, sv v) {
    if (at_.header && at_.version.isEmpty()) {
        if (at_.versionFollows) {
            if (code == 1) at_.version = dec_.text(v);
        } else if (code == 9 && v == "$ACADVER") {
            at_.versionFollows = true;
        }
    }
    if (!at_.header && code == 2 && v == "HEADER") at_.header = tablesOrHeader_ = true;
}

void DxfReader::layerTable(int code, sv v) {
    layerColors_.clear(); // the table may change the colour of a layer looked up before
    if (at_.layerRecord && !d_.LayerAry.empty()) {
        TLayer& l = d_.LayerAry.back();
        switch (code) {
        case 2:
            layers_.forgetNewest(); // indexed under its former name, if at all
            l.Name = dec_.name(v);
            break;
        case 6: l.ltype = dec_.upperName(v); break;
        case 70:
            l.code70 = Small(v);
            if (l.code70 & 1) l.visible = false;
            break;
        case 62:
            l.color = Small(v);
            if (l.color < 0) l.visible = false;
            break;
        case 0: at_.layerRecord = false; break;
        default: break;
        }
    }
    if (code != 0) return;
    if (v == "ENDTAB") {
        at_.layerTable = at_.layerRecord = at_.inTable = false;
    } else if (v == "LAYER") {
        d_.LayerAry.push_back(DefaultLayer(QString()));
        at_.layerRecord = true;
    }
}

void DxfReader::viewTable(int code, sv v) {
    if (at_.viewRecord && !d_.ViewAry.empty()) {
        TViewTbl& t = d_.ViewAry.back();
        switch (code) {
        case 2: t.name = dec_.text(v); break;
        case 10: t.center.x = Real(v); break;
        case 20: t.center.y = Real(v); break;
        case 40: t.height = Real(v); break;
        case 41: t.width = Real(v); break;
        case 70: t.code70 = Small(v); break;
        case 0: at_.viewRecord = false; break;
        default: break;
        }
    }
    if (code != 0) return;
    if (v == "ENDTAB") {
        at_.viewTable = false;
    } else if (v == "VIEW") {
        d_.ViewAry.emplace_back();
        at_.viewRecord = true;
    }
}

void DxfReader::blockHeader(int code, sv v) {
    if (d_.BlockAry.empty()) return;
    TBlockBlk& b = d_.BlockAry.back();
    switch (code) {
    case 2:
        b.name = dec_.name(v);
        at_.currentBlock = b.name;
        break;
    case 8: b.layer = dec_.name(v); break;
    case 6: b.ltype = dec_.upperName(v); break;
    case 0:
        at_.blockHeader = false;
        at_.blockBody = true;
        break;
    default: TakePoint(b.base, 10, code, v); break;
    }
}

void DxfReader::entityGroup(int code, sv v) {
    if (open_ == Kind::None) return;
    if (code == 0) {
        endRecord();
        return;
    }
    switch (open_) {
    case Kind::Line: lineGroup(*static_cast<TAcadLineBlk*>(rec_), code, v); break;
    case Kind::Circle: circleGroup(*static_cast<TCircleBlk*>(rec_), code, v); break;
    case Kind::Arc: arcGroup(*static_cast<TArcBlk*>(rec_), code, v); break;
    case Kind::Lwp: polylineGroup(*static_cast<TLwpBlk*>(rec_), code, v, true); break;
    case Kind::PolyHeader: polylineGroup(*static_cast<TLwpBlk*>(rec_), code, v, false); break;
    case Kind::Text: textGroup(*static_cast<TTextBlk*>(rec_), code, v); break;
    case Kind::Insert: insertGroup(*static_cast<TInsertBlk*>(rec_), code, v); break;
    case Kind::Face: faceGroup(*static_cast<TFaceBlk*>(rec_), code, v); break;
    case Kind::Ellipse: ellipseGroup(*static_cast<TEllipseBlk*>(rec_), code, v); break;
    case Kind::Solid: solidGroup(*static_cast<TSolidBlk*>(rec_), code, v); break;
    case Kind::Leader:
        if (!leaderGroup(*static_cast<TLeaderBlk*>(rec_), code, v)) endRecord();
        break;
    case Kind::Spline: splineGroup(*static_cast<TSplineBlk*>(rec_), code, v); break;
    case Kind::Dimension: dimensionGroup(*static_cast<TDimensionBlk*>(rec_), code, v); break;
    case Kind::Hatch: hatchGroup(*static_cast<THatchBlk*>(rec_), code, v); break;
    case Kind::Ray: rayGroup(*static_cast<TRayBlk*>(rec_), code, v); break;
    case Kind::Mline: mlineGroup(*static_cast<TMlineBlk*>(rec_), code, v); break;
    case Kind::None: break;
    }
}

void DxfReader::vertexGroup(int code, sv v) {
    RecordArray<TLwpVer>& verts = vertices(vertexBlockSide_);
    switch (code) {
    case 0:
        // SEQEND ends the vertices; any other record but VERTEX means the SEQEND is missing.
        if (v != "VERTEX") vertexMode_ = false;
        break;
    case 10: {
        TLwpVer ver;
        ver.ihand = vertexIhand_;
        ver.code10.x = Real(v);
        verts.push_back(ver);
        vertexOwned_ = true;
        break;
    }
    case 20:
        if (vertexOwned_) verts.back().code10.y = Real(v);
        break;
    case 30:
        if (vertexOwned_) verts.back().code10.z = Real(v);
        break;
    case 42:
        if (vertexOwned_) verts.back().code42 = Real(v);
        break;
    case 40:
        if (vertexOwned_) verts.back().code40 = float(Real(v));
        break;
    case 41:
        if (vertexOwned_) verts.back().code41 = float(Real(v));
        break;
    default: break;
    }
}

template <class R> R& Append(RecordArray<R>& a) {
    return a.emplace_back();
}

template <class R> void StartValues(R& r) {
    static const Name byLayer("BYLAYER"); // made once, as LayerZero
    r.layer = LayerZero();
    if constexpr (requires { r.ltype; }) r.ltype = byLayer;
    r.color = 256;
    if constexpr (requires { r.code210; }) r.code210 = kExtrusionZ;
}

void DxfReader::create(sv name) {
    const bool blk = at_.blockBody;
    if (!blk && !at_.inEntities) return;
    auto begin = [&](Kind k, auto& r) {
        open_ = k;
        openBlockSide_ = blk;
        rec_ = &r;
        if constexpr (requires { r.bname; })
            if (blk) r.bname = at_.currentBlock;
    };
    if (name == "LINE") {
        auto& r = Append(blk ? d_.BlkLineAry : d_.LineAry);
        StartValues(r);
        begin(Kind::Line, r);
    } else if (name == "CIRCLE" || name == "POINT") { // a point: a circle of no size, a dot
        auto& r = Append(blk ? d_.BlkCircleAry : d_.CircleAry);
        StartValues(r);
        begin(Kind::Circle, r);
    } else if (name == "ARC") {
        auto& r = Append(blk ? d_.BlkArcAry : d_.ArcAry);
        StartValues(r);
        begin(Kind::Arc, r);
    } else if (name == "LWPOLYLINE" || name == "POLYLINE") {
        auto& a = blk ? d_.BlkLwpAry : d_.LwpAry;
        auto& r = Append(a);
        StartValues(r);
        r.ihand = int32_t(a.size() - 1);
        begin(name == "POLYLINE" ? Kind::PolyHeader : Kind::Lwp, r);
        lwpVertexOwned_ = false;
    } else if (name == "TEXT" || name == "ATTRIB" || name == "MTEXT") {
        auto& r = Append(blk ? d_.BlkTextAry : d_.TextAry);
        r.color = 256;
        r.code41 = r.code44 = 1;
        r.mtflag = name == "MTEXT";
        r.atflag = name == "ATTRIB";
        r.code210 = kExtrusionZ;
        embeddedObject_ = false;
        begin(Kind::Text, r);
    } else if (name == "INSERT") {
        if (blk && d_.BlockAry.empty()) return;
        auto& r = Append(blk ? d_.BlockAry.back().InsertAry : d_.TopInsertAry);
        StartValues(r);
        r.scale = {1, 1, 1};
        r.dimBlkName = at_.currentBlock;
        begin(Kind::Insert, r);
    } else if (name == "ELLIPSE") {
        auto& r = Append(blk ? d_.BlkEllipseAry : d_.EllipseAry);
        StartValues(r);
        begin(Kind::Ellipse, r);
    } else if (name == "SOLID" || name == "TRACE") {
        auto& r = Append(blk ? d_.BlkSolidAry : d_.SolidAry);
        StartValues(r);
        solidFourth_ = false;
        begin(Kind::Solid, r);
    } else if (name == "SPLINE") {
        auto& r = Append(blk ? d_.BlkSplineAry : d_.SplineAry);
        StartValues(r);
        begin(Kind::Spline, r);
    } else if (name == "HATCH") {
        auto& r = Append(blk ? d_.BlkHatchAry : d_.HatchAry);
        StartValues(r);
        hatch_.emplace(r);
        begin(Kind::Hatch, r);
    } else if (blk) {
        return; // the remaining kinds are read from the ENTITIES section only
    } else if (name == "3DFACE") {
        auto& r = Append(d_.FaceAry);
        StartValues(r);
        r.count = 3;
        begin(Kind::Face, r);
    } else if (name == "LEADER") {
        auto& r = Append(d_.LeaderAry);
        StartValues(r);
        leaderIndex_ = -1;
        begin(Kind::Leader, r);
    } else if (name == "RAY" || name == "XLINE") {
        auto& r = Append(d_.RayAry);
        StartValues(r);
        r.bothWays = name == "XLINE";
        begin(Kind::Ray, r);
    } else if (name == "MLINE") {
        auto& r = Append(d_.MlineAry);
        StartValues(r);
        mlineOffsetFollows_ = false;
        begin(Kind::Mline, r);
    } else if (name == "DIMENSION") {
        auto& r = Append(d_.DimensionAry);
        StartValues(r);
        begin(Kind::Dimension, r);
    }
}

void DxfReader::endRecord() {
    switch (open_) {
    case Kind::None: return;
    case Kind::Line: colourRule(*static_cast<TAcadLineBlk*>(rec_)); break;
    case Kind::Circle: colourRule(*static_cast<TCircleBlk*>(rec_)); break;
    case Kind::Arc: colourRule(*static_cast<TArcBlk*>(rec_)); break;
    case Kind::Lwp: break; // coloured at each vertex
    case Kind::PolyHeader: {
        auto& r = *static_cast<TLwpBlk*>(rec_);
        colourRule(r);
        vertexBlockSide_ = openBlockSide_;
        vertexIhand_ = r.ihand;
        vertexOwned_ = false;
        vertexMode_ = true; // cleared again at once unless the next record is a VERTEX
        break;
    }
    case Kind::Text: {
        auto& r = *static_cast<TTextBlk*>(rec_);
        if (r.str.isEmpty())
            (openBlockSide_ ? d_.BlkTextAry : d_.TextAry).pop_back();
        else
            colourRule(r);
        break;
    }
    case Kind::Insert: colourRule(*static_cast<TInsertBlk*>(rec_)); break;
    case Kind::Face: colourRule(*static_cast<TFaceBlk*>(rec_)); break;
    case Kind::Ellipse: colourRule(*static_cast<TEllipseBlk*>(rec_)); break;
    case Kind::Solid: {
        auto& r = *static_cast<TSolidBlk*>(rec_);
        if (!solidFourth_) r.p4 = r.p3; // a triangle
        colourRule(r);
        break;
    }
    case Kind::Leader:
        colourRule(*static_cast<TLeaderBlk*>(rec_));
        leaderIndex_ = -1;
        break;
    case Kind::Spline: colourRule(*static_cast<TSplineBlk*>(rec_)); break;
    case Kind::Dimension: colourRule(*static_cast<TDimensionBlk*>(rec_)); break;
    case Kind::Ray: colourRule(*static_cast<TRayBlk*>(rec_)); break;
    case Kind::Mline: colourRule(*static_cast<TMlineBlk*>(rec_)); break;
    case Kind::Hatch:
        colourRule(*static_cast<THatchBlk*>(rec_));
        hatch_.reset();
        break;
    }
    open_ = Kind::None;
    rec_ = nullptr;
}

void DxfReader::lineGroup(TAcadLineBlk& r, int code, sv v) {
    if (common(r, code, v, true)) return;
    if (!TakePoint(r.st, 10, code, v)) TakePoint(r.ed, 11, code, v);
}

void DxfReader::circleGroup(TCircleBlk& r, int code, sv v) {
    if (common(r, code, v, true)) return;
    if (code == 40)
        r.hankei = Real(v);
    else if (!TakePoint(r.center, 10, code, v))
        TakePoint(r.code210, 210, code, v);
}

void DxfReader::arcGroup(TArcBlk& r, int code, sv v) {
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

void DxfReader::polylineGroup(TLwpBlk& r, int code, sv v, bool lightweight) {
    if (common(r, code, v, true) || TakeFlags(r, code, v)) return;
    if (code == 38) {
        r.code38 = Real(v);
        return;
    }
    if (code == 43 || (!lightweight && (code == 40 || code == 41))) { // widths of every vertex
        const double w = Real(v);
        if (code != 41) r.code40 = w;
        if (code != 40) r.code41 = w;
        return;
    }
    if (TakePoint(r.code210, 210, code, v) || !lightweight) return;
    auto& verts = vertices(openBlockSide_);
    if (code == 10) {
        colourRule(r);
        TLwpVer ver;
        ver.ihand = r.ihand;
        ver.code10 = {Real(v), 0, r.code38};
        verts.push_back(ver);
        lwpVertexOwned_ = true;
    } else if (code == 20 && lwpVertexOwned_) {
        verts.back().code10.y = Real(v);
    } else if (code == 42 && lwpVertexOwned_) {
        verts.back().code42 = Real(v);
    } else if (code == 40 && lwpVertexOwned_) {
        verts.back().code40 = float(Real(v));
    } else if (code == 41 && lwpVertexOwned_) {
        verts.back().code41 = float(Real(v));
    }
}

void DxfReader::textGroup(TTextBlk& r, int code, sv v) {
    if (embeddedObject_ || (code == 101 && r.mtflag)) {
        embeddedObject_ = true; // repeats 10, 11, 40, ... for its columns: never the text's own
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

void DxfReader::insertGroup(TInsertBlk& r, int code, sv v) {
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

void DxfReader::faceGroup(TFaceBlk& r, int code, sv v) {
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

void DxfReader::ellipseGroup(TEllipseBlk& r, int code, sv v) {
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

void DxfReader::solidGroup(TSolidBlk& r, int code, sv v) {
    if (common(r, code, v, false)) return;
    TAcadPoint* corners[4] = {&r.p1, &r.p2, &r.p3, &r.p4};
    for (int k = 0; k < 4; ++k)
        if (TakePoint(*corners[k], 10 + k, code, v)) {
            if (k == 3) solidFourth_ = true;
            return;
        }
}

// Returns false when the group ends the leader (its vertices are complete).
bool DxfReader::leaderGroup(TLeaderBlk& r, int code, sv v) {
    const bool complete = leaderIndex_ >= 0 && leaderIndex_ >= r.code76;
    if (complete && code != 6 && code != 8 && code != 41 && code != 60 && code != 76) return false;
    if (common(r, code, v, false)) return true;
    if (code == 41) {
        r.code41 = Real(v);
    } else if (code == 76) {
        r.code76 = Small(v);
        leaderIndex_ = 0;
    } else if (code == 10 || code == 20 || code == 30) {
        const double value = Real(v);
        TAcadPoint* kept[3] = {&r.p1, &r.p2, &r.p3};
        if (leaderIndex_ < r.code76 && leaderIndex_ >= 0 && leaderIndex_ < 3) {
            TAcadPoint& p = *kept[leaderIndex_];
            (code == 10 ? p.x : code == 20 ? p.y : p.z) = value;
        }
        if (code == 30) ++leaderIndex_;
    }
    return true;
}

void DxfReader::splineGroup(TSplineBlk& r, int code, sv v) {
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

void DxfReader::rayGroup(TRayBlk& r, int code, sv v) {
    if (common(r, code, v, true)) return;
    if (!TakePoint(r.base, 10, code, v)) TakePoint(r.direction, 11, code, v);
}

// Vertices (11), their miters (13) and, for each element, a list of parameters (74 counts,
// 41 each) whose first is the element's distance along the miter.
void DxfReader::mlineGroup(TMlineBlk& r, int code, sv v) {
    if (common(r, code, v, true)) return;
    constexpr size_t kMost = 1000000; // vertices and element places of one MLINE
    switch (code) {
    case 71: r.code71 = Small(v); return;
    case 73: r.elements = Small(v); return;
    case 11:
        if (r.vertices.size() < kMost)
            r.vertices.push_back({Real(v), 0, 0}), r.miters.emplace_back();
        return;
    case 74: { // an element without parameters lies on the vertex
        const bool room = !r.vertices.empty() && r.offsets.size() < kMost;
        if (room) r.offsets.push_back(0);
        mlineOffsetFollows_ = room && Small(v) > 0;
        return;
    }
    case 41:
        if (mlineOffsetFollows_) r.offsets.back() = Real(v);
        mlineOffsetFollows_ = false;
        return;
    default: break;
    }
    if (r.vertices.empty()) return;
    if (code == 21 || code == 31) TakePoint(r.vertices.back(), 11, code, v);
    if (code == 13 || code == 23 || code == 33) TakePoint(r.miters.back(), 13, code, v);
}

void DxfReader::hatchGroup(THatchBlk& r, int code, sv v) {
    if (common(r, code, v, true)) return;
    if (!hatch_->take(code, v)) throw BadValue{};
}

void DxfReader::dimensionGroup(TDimensionBlk& r, int code, sv v) {
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

// Reads the next line; lines end at CR LF, a lone CR or a lone LF. DXF lines are short, so a
// plain scan beats library searches here.
inline sv NextLine(const char* data, size_t size, size_t& pos) {
    const size_t start = pos;
    size_t e = start;
    while (e < size && data[e] != '\n' && data[e] != '\r') ++e;
    pos = e;
    if (pos < size && data[pos++] == '\r' && pos < size && data[pos] == '\n') ++pos;
    return TrimBytes(sv(data + start, e - start));
}

int CodeOf(sv line) {
    int32_t c;
    return ParseInt(line, c) ? c : -999;
}

// Where reading stopped at a value that is not a number: the pair and its number.
struct BadPair {
    sv code, value;
    int64_t n = 0;
};

// Gives the memory of the file's bytes behind the reader that reads from the file's start back
// to the system every few megabytes: a large file's bytes then never all sit in the program's
// memory beside the records read from them.
class PassedPages {
public:
    explicit PassedPages(const FileBytes& bytes) : bytes_(bytes) {}
    void passed(size_t pos) {
        if (pos >= from_ + kStep) {
            bytes_.release(from_, pos);
            from_ = pos;
        }
    }

private:
    static constexpr size_t kStep = size_t(4) << 20;
    const FileBytes& bytes_;
    size_t from_ = 0;
};

// Reads pairs from `pos` to `end` (the file's end, or the start of a line), counting them in
// `n`; `afterPair(n)` returning false stops it. Stops before a pair that would run past `end`
// when that is not the file's end. Returns false at a bad value.
template <class AfterPair>
bool ReadPairs(DxfReader& reader, const char* data, size_t end, size_t size, size_t& pos,
               int64_t& n, BadPair& bad, AfterPair&& afterPair) {
    while (pos < end) {
        const size_t at = pos;
        const sv codeLine = NextLine(data, end, pos);
        if (pos >= end && end < size) {
            pos = at;
            break;
        }
        const sv valueLine = pos < end ? NextLine(data, end, pos) : sv{};
        ++n;
        try {
            reader.pair(CodeOf(codeLine), valueLine);
        } catch (const BadValue&) {
            bad = {codeLine, valueLine, n};
            return false;
        }
        if (!afterPair(n)) break;
    }
    return true;
}

// The entities worth starting the second half at: common kinds that begin no sequence.
bool StartsHalf(sv name) {
    for (const sv kind :
         {"LINE", "ARC", "CIRCLE", "LWPOLYLINE", "POLYLINE", "TEXT", "MTEXT", "INSERT"})
        if (name == kind) return true;
    return false;
}

// The start of a "0" line followed by one of those entities, at or after `at`; 0 when none is
// found near it.
size_t EntityStartAfter(const char* data, size_t at, size_t size) {
    size_t pos = at;
    while (pos < size && data[pos] != '\n') ++pos; // to the start of a line
    ++pos;
    for (int lines = 0; pos < size && lines < 100000; ++lines) {
        const size_t start = pos;
        const sv line = NextLine(data, size, pos);
        if (line == "0" && pos < size) {
            size_t next = pos;
            if (StartsHalf(NextLine(data, size, next))) return start;
        }
    }
    return 0;
}

QString FileNameOnly(const QString& path) {
    return QFileInfo(path).fileName();
}

// Sizes the arrays of `d` for the records the bytes from `pos` to `until` will bring, judged by
// those the stretch from `start` to `pos` brought (`before`: the arrays' sizes at `start`), so
// that they do not grow step by step. With `reducedBefore` the drawable arrays are sized for
// what the reduction will make of them too, so that it does not move them either.
void SizeForTheRest(DxfDrawing& d, const std::vector<size_t>& before,
                    const DrawableCounts* reducedBefore, size_t start, size_t pos, size_t until) {
    const double rest = double(until - pos) / double(pos - start) * 1.25;
    const size_t most = (until - pos) / 16; // no record takes fewer bytes
    const auto room = [&](size_t now, size_t then) {
        const double grown = now > then ? double(now - then) : 0;
        return now + size_t(std::min(double(most), grown * rest));
    };
    if (reducedBefore) {
        const DrawableCounts reduced = ReducedSizes(d);
        d.LineAry.reserve(room(reduced.lines, reducedBefore->lines));
        d.CircleAry.reserve(room(reduced.circles, reducedBefore->circles));
        d.ArcAry.reserve(room(reduced.arcs, reducedBefore->arcs));
        d.TextAry.reserve(room(reduced.texts, reducedBefore->texts));
    }
    size_t k = 0;
    ForEachRecordArray(d, d, [&](auto& a, auto&) { a.reserve(room(a.size(), before[k++])); });
}

// Reads entities from `pos` to `end` as ReadPairs does, first a stretch of them up to an entity
// by which the arrays are sized for the bytes up to `until` (SizeForTheRest; `reduced` as its
// `reducedBefore`).
template <class OnPair>
bool ReadSized(DxfReader& reader, DxfDrawing& d, const char* data, size_t end, size_t until,
               bool reduced, size_t size, size_t& pos, int64_t& n, BadPair& bad, OnPair&& onPair) {
    const size_t start = pos, stretch = EntityStartAfter(data, pos + (end - pos) / 64, end);
    if (stretch > start) {
        std::vector<size_t> before;
        ForEachRecordArray(d, d, [&](const auto& a, const auto&) { before.push_back(a.size()); });
        const DrawableCounts reducedBefore = reduced ? ReducedSizes(d) : DrawableCounts{};
        if (!ReadPairs(reader, data, stretch, size, pos, n, bad, onPair)) return false;
        if (pos == stretch && reader.sections().inEntities) {
            reader.endEntity(); // no record open while the arrays move
            SizeForTheRest(d, before, reduced ? &reducedBefore : nullptr, start, pos, until);
        }
    }
    return ReadPairs(reader, data, end, size, pos, n, bad, onPair);
}

// Reads the rest of the ENTITIES section, which starts at `pos`, in two halves at once: the
// second, into `second`, by a reader that starts where the first will end, on a thread of its
// own. Appending `second` (AppendDrawing) then makes the drawing one reader makes; the first
// half sizes the drawing's arrays for both. Should the first half not end exactly where the
// second began (a damaged file), or the second read tables, the second half is dropped and the
// first reader reads on from where it stopped: the second half's bytes are kept to the end for
// that. Returns false at a bad value, as ReadPairs does. (The second reader cannot change the
// version: a header would have dropped its half.)
template <class OnPair>
bool ReadInHalves(DxfReader& reader, DxfDrawing& drawing, DxfDrawing& second, size_t& sharedLayers,
                  TextEncoding encoding, const char* data, size_t size, size_t& pos, int64_t& n,
                  BadPair& bad, OnPair&& onPair) {
    const size_t half = EntityStartAfter(data, pos + (size - pos) / 2, size);
    if (half == 0) return true;
    const Sections at = reader.sections();
    second.LayerAry = drawing.LayerAry;
    sharedLayers = second.LayerAry.size();
    DxfReader other(second, encoding, reader);
    size_t otherPos = half;
    int64_t otherN = 0;
    BadPair otherBad;
    bool otherOk = true;
    std::exception_ptr failure;
    std::thread worker([&] {
        try {
            otherOk = ReadSized(other, second, data, size, size, false, size, otherPos, otherN,
                                otherBad, [](int64_t) { return true; });
        } catch (...) {
            failure = std::current_exception();
        }
    });
    bool ok = false;
    try {
        ok = ReadSized(reader, drawing, data, half, size, true, size, pos, n, bad, onPair);
    } catch (...) {
        worker.join();
        throw;
    }
    worker.join();
    if (!ok || pos != half || !(reader.sections() == at) || other.readTablesOrHeader()) {
        second = {};
        return ok;
    }
    if (failure) std::rethrow_exception(failure);
    reader.endEntity();
    pos = size;
    if (otherOk) {
        n += otherN;
        return true;
    }
    bad = otherBad;
    bad.n += n;
    return false;
}

} // namespace

void ReadDxfFile(DxfDrawing& drawing, const QString& FileName, ProgressSink* ProgressBar,
                 MessageSink* OwnerWindow, QString& Status, TextEncoding Encoding, QString& AcadVer,
                 ReadSharing sharing) {
    Status.clear();
    drawing.clear();
    DxfReader reader(drawing, Encoding);
    FileBytes bytes;
    if (QFileInfo::exists(FileName) && !bytes.read(FileName)) {
        Status = QStringLiteral("error");
        if (OwnerWindow)
            OwnerWindow->showMessage(QStringLiteral("DxfReport"),
                                     QStringLiteral("DXFファイル読み込み失敗．"));
    }
    const char* const data = bytes.data();
    const size_t size = bytes.size();
    size_t pos = 0;
    if (Encoding == TextEncoding::Utf8 && size >= 3 && memcmp(data, "\xEF\xBB\xBF", 3) == 0)
        pos = 3;

    int64_t step = 0;
    if (ProgressBar) {
        ProgressBar->setPosition(0);
        ProgressBar->setMaximum(50);
        step = int64_t(size) * 65 / 1024 / 50 + 1;
    }
    PassedPages passed(bytes);
    const auto onPair = [&](int64_t k) {
        passed.passed(pos);
        if (ProgressBar && k % step == 0)
            ProgressBar->setPosition(std::min(ProgressBar->position() + 1, 50));
        return true;
    };
    int64_t n = 0;
    BadPair bad;
    bool ok = true;
    DxfDrawing second;
    size_t sharedLayers = 0;
    if (sharing.twoHalves && size >= sharing.splitFrom && std::thread::hardware_concurrency() > 1) {
        ok = ReadPairs(reader, data, size, size, pos, n, bad, [&](int64_t k) {
            onPair(k);
            return !reader.sections().inEntities;
        });
        if (ok && reader.sections().inEntities && size - pos >= sharing.splitFrom)
            ok = ReadInHalves(reader, drawing, second, sharedLayers, Encoding, data, size, pos, n,
                              bad, onPair);
    }
    if (ok) ok = ReadPairs(reader, data, size, size, pos, n, bad, onPair);
    QString message;
    if (!ok) {
        ValueDecoder lines(Encoding);
        const QString code = lines.text(bad.code), value = lines.text(bad.value);
        const QString first = QString::number(2 * bad.n - 1), second = QString::number(2 * bad.n);
        Status = first + u':' + code + u'/' + second + u':' + value;
        message = FileNameOnly(FileName) + u'\n' + first + QStringLiteral(" 行=") + code + u'\n' +
                  second + QStringLiteral(" 行=") + value;
    }
    // The file's bytes are no longer needed: released before the halves are joined.
    bytes.clear();
    AppendDrawing(drawing, second, sharedLayers);
    if (!message.isEmpty() && OwnerWindow)
        OwnerWindow->showMessage(QStringLiteral("DxfReport"), message);
    if (drawing.LayerAry.empty()) drawing.LayerAry.push_back(DefaultLayer(QStringLiteral("0")));
    DecodeUnicodeEscapes(drawing.BlkTextAry);
    DecodeUnicodeEscapes(drawing.TextAry);
    reader.finish(AcadVer);
}

} // namespace quillon
