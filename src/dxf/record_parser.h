// The entity records of the BLOCKS and ENTITIES sections, read one group at a time. The record
// being read is held as one kind of OpenRecord, with what reading it has to remember; a record
// ends at the next group 0.
//
// A new kind of record is a struct below (the names that start it, the array it goes to, the
// record), a line in OpenRecord and its group handler `take` in record_parser.cpp; and, where
// its starting values or its end differ from the common ones, a `start` or an `end` of its own.
#pragma once

#include "dxf/hatch_groups.h"
#include "dxf/layer_index.h"
#include "dxf/model.h"
#include "dxf/value_decoder.h"

#include <array>
#include <string_view>
#include <unordered_map>
#include <variant>

namespace quillon {

using std::string_view_literals::operator""sv;

struct OpenLine {
    static constexpr std::array kNames{"LINE"sv};
    static RecordArray<TAcadLineBlk>* array(DxfDrawing& d, bool blockSide) {
        return blockSide ? &d.BlkLineAry : &d.LineAry;
    }
    TAcadLineBlk* r;
};

struct OpenCircle {
    static constexpr std::array kNames{"CIRCLE"sv, "POINT"sv}; // a point: a circle of no size
    static RecordArray<TCircleBlk>* array(DxfDrawing& d, bool blockSide) {
        return blockSide ? &d.BlkCircleAry : &d.CircleAry;
    }
    TCircleBlk* r;
};

struct OpenArc {
    static constexpr std::array kNames{"ARC"sv};
    static RecordArray<TArcBlk>* array(DxfDrawing& d, bool blockSide) {
        return blockSide ? &d.BlkArcAry : &d.ArcAry;
    }
    TArcBlk* r;
};

// A lightweight polyline carries its vertices in its own groups.
struct OpenLwp {
    static constexpr std::array kNames{"LWPOLYLINE"sv};
    static RecordArray<TLwpBlk>* array(DxfDrawing& d, bool blockSide) {
        return blockSide ? &d.BlkLwpAry : &d.LwpAry;
    }
    TLwpBlk* r;
    bool vertexOwned = false; // the newest vertex is this polyline's
};

// The header of a POLYLINE: its vertices follow as VERTEX records (OpenVertices).
struct OpenPolyline {
    static constexpr std::array kNames{"POLYLINE"sv};
    static RecordArray<TLwpBlk>* array(DxfDrawing& d, bool blockSide) {
        return OpenLwp::array(d, blockSide);
    }
    TLwpBlk* r;
};

// The VERTEX records after a POLYLINE's header, up to its SEQEND.
struct OpenVertices {
    RecordArray<TLwpVer>* vertices;
    int32_t ihand;            // the polyline's number
    bool vertexOwned = false; // a VERTEX gave its point
};

struct OpenText {
    static constexpr std::array kNames{"TEXT"sv, "ATTRIB"sv, "MTEXT"sv};
    static RecordArray<TTextBlk>* array(DxfDrawing& d, bool blockSide) {
        return blockSide ? &d.BlkTextAry : &d.TextAry;
    }
    TTextBlk* r;
    bool embeddedObject = false; // an MTEXT's groups after "101" belong to its column data
};

struct OpenInsert {
    static constexpr std::array kNames{"INSERT"sv};
    static RecordArray<TInsertBlk>* array(DxfDrawing& d, bool blockSide) {
        if (!blockSide) return &d.TopInsertAry;
        return d.BlockAry.empty() ? nullptr : &d.BlockAry.back().InsertAry;
    }
    TInsertBlk* r;
};

struct OpenEllipse {
    static constexpr std::array kNames{"ELLIPSE"sv};
    static RecordArray<TEllipseBlk>* array(DxfDrawing& d, bool blockSide) {
        return blockSide ? &d.BlkEllipseAry : &d.EllipseAry;
    }
    TEllipseBlk* r;
};

struct OpenSolid {
    static constexpr std::array kNames{"SOLID"sv, "TRACE"sv};
    static RecordArray<TSolidBlk>* array(DxfDrawing& d, bool blockSide) {
        return blockSide ? &d.BlkSolidAry : &d.SolidAry;
    }
    TSolidBlk* r;
    bool fourth = false; // the fourth corner was given
};

struct OpenSpline {
    static constexpr std::array kNames{"SPLINE"sv};
    static RecordArray<TSplineBlk>* array(DxfDrawing& d, bool blockSide) {
        return blockSide ? &d.BlkSplineAry : &d.SplineAry;
    }
    TSplineBlk* r;
};

// A hatch's groups mean different things by where they come: HatchGroups follows them.
struct OpenHatch {
    static constexpr std::array kNames{"HATCH"sv};
    static RecordArray<THatchBlk>* array(DxfDrawing& d, bool blockSide) {
        return blockSide ? &d.BlkHatchAry : &d.HatchAry;
    }
    THatchBlk* r;
    HatchGroups groups{*r};
};

// The kinds below are read from the ENTITIES section only.
struct OpenFace {
    static constexpr std::array kNames{"3DFACE"sv};
    static RecordArray<TFaceBlk>* array(DxfDrawing& d, bool blockSide) {
        return blockSide ? nullptr : &d.FaceAry;
    }
    TFaceBlk* r;
};

struct OpenLeader {
    static constexpr std::array kNames{"LEADER"sv};
    static RecordArray<TLeaderBlk>* array(DxfDrawing& d, bool blockSide) {
        return blockSide ? nullptr : &d.LeaderAry;
    }
    TLeaderBlk* r;
    int index = -1;        // the vertex being read, from group 76 on
    bool complete = false; // every vertex was read: the remaining groups are passed over
};

struct OpenRay {
    static constexpr std::array kNames{"RAY"sv, "XLINE"sv};
    static RecordArray<TRayBlk>* array(DxfDrawing& d, bool blockSide) {
        return blockSide ? nullptr : &d.RayAry;
    }
    TRayBlk* r;
};

struct OpenMline {
    static constexpr std::array kNames{"MLINE"sv};
    static RecordArray<TMlineBlk>* array(DxfDrawing& d, bool blockSide) {
        return blockSide ? nullptr : &d.MlineAry;
    }
    TMlineBlk* r;
    bool offsetFollows = false; // the next 41 places an element
};

struct OpenDimension {
    static constexpr std::array kNames{"DIMENSION"sv};
    static RecordArray<TDimensionBlk>* array(DxfDrawing& d, bool blockSide) {
        return blockSide ? nullptr : &d.DimensionAry;
    }
    TDimensionBlk* r;
};

// No record open: the groups up to the next group 0 are passed over. A name is looked up in
// the order of this list.
using OpenRecord =
    std::variant<std::monostate, OpenLine, OpenCircle, OpenArc, OpenLwp, OpenPolyline, OpenText,
                 OpenInsert, OpenEllipse, OpenSolid, OpenFace, OpenLeader, OpenSpline, OpenHatch,
                 OpenRay, OpenMline, OpenDimension, OpenVertices>;

class RecordParser {
public:
    RecordParser(DxfDrawing& d, ValueDecoder& decoder, LayerIndex& layers)
        : d_(d), dec_(decoder), layers_(layers) {}

    // A group 0 with this name: ends the open record and opens the one it starts, if any, in a
    // block body (`blockSide`, inside the definition of `block`) or in the ENTITIES section.
    void next(std::string_view name, bool blockSide, const Name& block);
    // Any other group of the open record.
    void group(int code, std::string_view v) {
        std::visit([&](auto& open) { take(open, code, v); }, open_);
    }
    // Ends the open record (and a POLYLINE's vertices) as a section's or a block's end does.
    void stop();
    // The layer table changed: colours of layers looked up before may differ now.
    void forgetLayerColours() { layerColours_.clear(); }

private:
    template <class Open> void open(std::string_view name, bool blockSide, const Name& block);
    struct Opening {
        std::string_view name;
        size_t index; // of the new record in its array
        const Name& block;
    };
    template <class Open> void start(Open& o, const Opening&);
    void start(OpenLwp& o, const Opening& at);
    void start(OpenPolyline& o, const Opening& at);
    void start(OpenText& o, const Opening& at);
    void start(OpenInsert& o, const Opening& at);
    void start(OpenFace& o, const Opening& at);
    void start(OpenRay& o, const Opening& at);

    // What follows the record: nothing, or for a POLYLINE's header its vertices.
    template <class Open> OpenRecord end(Open& o);
    OpenRecord end(std::monostate&) { return {}; }
    OpenRecord end(OpenLwp&) { return {}; } // coloured at each vertex
    OpenRecord end(OpenPolyline& o);
    OpenRecord end(OpenVertices& o) { return o; } // the vertices go on while VERTEX records follow
    OpenRecord end(OpenText& o);
    OpenRecord end(OpenSolid& o);

    void take(std::monostate&, int, std::string_view) {}
    void take(OpenLine& o, int code, std::string_view v);
    void take(OpenCircle& o, int code, std::string_view v);
    void take(OpenArc& o, int code, std::string_view v);
    void take(OpenLwp& o, int code, std::string_view v);
    void take(OpenPolyline& o, int code, std::string_view v);
    void take(OpenVertices& o, int code, std::string_view v);
    void take(OpenText& o, int code, std::string_view v);
    void take(OpenInsert& o, int code, std::string_view v);
    void take(OpenEllipse& o, int code, std::string_view v);
    void take(OpenSolid& o, int code, std::string_view v);
    void take(OpenFace& o, int code, std::string_view v);
    void take(OpenLeader& o, int code, std::string_view v);
    void take(OpenSpline& o, int code, std::string_view v);
    void take(OpenDimension& o, int code, std::string_view v);
    void take(OpenHatch& o, int code, std::string_view v);
    void take(OpenRay& o, int code, std::string_view v);
    void take(OpenMline& o, int code, std::string_view v);

    template <class R> bool common(R& r, int code, std::string_view v, bool withColour);
    template <class R> void colourRule(R& r);
    int16_t layerColour(const Name& name);
    RecordArray<TLwpVer>& vertices() { return openBlockSide_ ? d_.BlkLwpVerAry : d_.LwpVerAry; }

    DxfDrawing& d_;
    ValueDecoder& dec_;
    LayerIndex& layers_;
    OpenRecord open_;
    bool openBlockSide_ = false;
    std::unordered_map<const void*, int16_t> layerColours_; // by Name::id()
};

} // namespace quillon
