// The in-memory form of one DXF drawing: plain records, one per entity kind, held in arrays.
#pragma once

#include "dxf/name.h"
#include "dxf/record_memory.h"

#include <QString>
#include <array>
#include <cstdint>
#include <vector>

namespace quillon {

using TColor = int32_t; // R + 256*G + 65536*B

enum class TPenStyle : uint8_t {
    psSolid,
    psDash,
    psDot,
    psDashDot,
    psDashDotDot,
    psClear,
    psInsideFrame,
    psUserStyle,
    psAlternate
};

struct TAcadPoint {
    double x = 0, y = 0, z = 0;
    bool operator==(const TAcadPoint&) const = default;
};

inline constexpr TAcadPoint kExtrusionZ{0, 0, 1};

struct TLayer {
    QString Name;
    int16_t color = 0;
    int16_t code70 = 0;
    QString ltype;
    bool visible = false;
    QString Comment;
    bool operator==(const TLayer&) const = default;
};

// The most numerous record: what a redraw reads of it (points, pen, filters) fills the first
// cache line, and records start on cache lines.
struct alignas(64) TAcadLineBlk {
    TAcadPoint st, ed;
    TColor PenColor = 0;
    TPenStyle PenStyle = TPenStyle::psSolid;
    bool lwpflag = false; // unused (false)
    int16_t code67 = 0;   // paper space (group 67): not 0 = not drawn
    int16_t layindex = 0; // of its layer in LayerAry, -1 for none; set before drawing
    int16_t code60 = 0;   // visibility (group 60): 0 visible, otherwise hidden
    int16_t color = 0;
    int16_t convtype = 0;     // unused (0)
    TAcadPoint code210;       // extrusion direction (groups 210, 220, 230)
    double atsumi = 0;        // thickness; unused (0)
    bool checked = false;     // unused (false)
    Name bname, layer, ltype; // bname: the block definition holding it, empty outside one
    bool operator==(const TAcadLineBlk&) const = default;
};

// Circles and arcs keep what a redraw reads of them in their first cache line too.
struct alignas(64) TCircleBlk {
    TAcadPoint center;
    double hankei = 0; // radius
    TColor PenColor = 0;
    TPenStyle PenStyle = TPenStyle::psSolid;
    bool checked = false; // unused (false)
    int16_t code67 = 0;   // paper space (group 67): not 0 = not drawn
    int16_t layindex = 0; // of its layer in LayerAry, -1 for none; set before drawing
    int16_t code60 = 0;   // visibility (group 60): 0 visible, otherwise hidden
    int16_t color = 0;
    TAcadPoint code210;
    Name bname, layer, ltype; // bname: the block definition holding it, empty outside one
    bool operator==(const TCircleBlk&) const = default;
};

struct alignas(64) TArcBlk {
    TAcadPoint center;
    double hankei = 0;     // radius
    double st = 0, ed = 0; // degrees, counter-clockwise from st to ed
    TColor PenColor = 0;
    TPenStyle PenStyle = TPenStyle::psSolid;
    bool lwpflag = false; // unused (false)
    int16_t code67 = 0;   // paper space (group 67): not 0 = not drawn
    int16_t layindex = 0; // of its layer in LayerAry, -1 for none; set before drawing
    int16_t code60 = 0;   // visibility (group 60): 0 visible, otherwise hidden
    int16_t color = 0;
    bool checked = false; // unused (false)
    TAcadPoint code210;
    double atsumi = 0;        // thickness; unused (0)
    Name bname, layer, ltype; // bname: the block definition holding it, empty outside one
    bool operator==(const TArcBlk&) const = default;
};

struct TInsertBlk {
    Name name, layer, ltype;
    TAcadPoint base;
    TAcadPoint scale;
    int16_t color = 0;
    double rotate = 0;
    int16_t code66 = 0; // attributes follow (group 66): ATTRIB records come after it
    TColor PenColor = 0;
    TPenStyle PenStyle = TPenStyle::psSolid;
    int16_t code67 = 0;
    TAcadPoint code210;
    int16_t layindex = 0;
    Name dimBlkName; // the block definition most recently opened when this record was made
    int16_t code60 = 0;
    bool operator==(const TInsertBlk&) const = default;
};

struct TBlockBlk {
    Name name, layer, ltype;
    TAcadPoint base;
    int16_t layindex = 0;
    RecordArray<TInsertBlk> InsertAry;
    int16_t code60 = 0;
    bool operator==(const TBlockBlk&) const = default;
};

struct TLwpVer {
    int32_t ihand = 0; // the number of its polyline (TLwpBlk::ihand)
    TAcadPoint code10;
    double code42 = 0; // bulge of the segment starting here
    bool operator==(const TLwpVer&) const = default;
};

struct TLwpBlk {
    Name bname, layer, ltype;
    int32_t ihand = 0; // its index in its array: the number its vertices carry
    int16_t color = 0;
    double code38 = 0; // elevation (group 38)
    int16_t code67 = 0;
    int16_t code70 = 0, code71 = 0, code72 = 0, code73 = 0, code74 = 0;
    TAcadPoint code210;
    TColor PenColor = 0;
    TPenStyle PenStyle = TPenStyle::psSolid;
    int16_t layindex = 0;
    std::vector<TLwpVer> verAry; // unused: vertices live in the flat vertex arrays
    int16_t code60 = 0;
    bool operator==(const TLwpBlk&) const = default;
};

struct TTextBlk {
    Name bname, layer;
    int16_t color = 0;
    TAcadPoint pt10, pt11;
    double code40 = 0, code41 = 0, code44 = 0, code50 = 0;
    int16_t code72 = 0, code73 = 0, code70 = 0, code71 = 0;
    QString str;
    bool mtflag = false; // an MTEXT
    bool atflag = false; // an ATTRIB
    TColor PenColor = 0;
    int16_t code67 = 0;
    TAcadPoint code210;
    int16_t layindex = 0;
    bool checked = false; // unused (false)
    int16_t code60 = 0;
    bool operator==(const TTextBlk&) const = default;
};

struct TFaceBlk {
    Name bname, layer, ltype;
    int16_t color = 0;
    std::array<TAcadPoint, 4> pt{};
    TColor PenColor = 0;
    TPenStyle PenStyle = TPenStyle::psSolid;
    int16_t code67 = 0;
    int16_t code70 = 0;
    int16_t count = 0;
    int16_t layindex = 0;
    int16_t code60 = 0;
    bool operator==(const TFaceBlk&) const = default;
};

struct TEllipseBlk {
    Name bname, layer, ltype;
    int16_t color = 0;
    TAcadPoint center, endpoint;
    // henpei: minor to major axis; kaisi, owari: start and end parameter in radians.
    double henpei = 0, kaisi = 0, owari = 0;
    TAcadPoint code210;
    int16_t layindex = 0;
    int16_t code67 = 0;
    int16_t code60 = 0;
    bool operator==(const TEllipseBlk&) const = default;
};

struct TSolidBlk {
    Name bname, layer, ltype;
    int16_t color = 0;
    TAcadPoint p1, p2, p3, p4;
    int16_t code67 = 0;
    int16_t code60 = 0;
    bool operator==(const TSolidBlk&) const = default;
};

struct TLeaderBlk {
    Name bname, layer, ltype;
    int16_t color = 0;
    double code41 = 0;
    int16_t code76 = 0; // number of vertices (group 76)
    TAcadPoint p1, p2, p3;
    int16_t code67 = 0;
    int16_t code60 = 0;
    bool operator==(const TLeaderBlk&) const = default;
};

struct TDimensionBlk {
    Name bname, layer, ltype;
    int16_t color = 0;
    Name dimblkName; // the block that holds its graphics (group 2)
    TAcadPoint p0, p1, p2, p3, p4, P5, P6;
    int16_t dimtype = 0;
    double code40 = 0, code50 = 0, code51 = 0;
    TAcadPoint code210;
    int16_t code60 = 0;
    bool operator==(const TDimensionBlk&) const = default;
};

struct TViewTbl {
    QString name;
    TAcadPoint center;
    double height = 0, width = 0;
    int16_t code70 = 0;
    bool operator==(const TViewTbl&) const = default;
};

struct TSplineBlk {
    Name bname, layer, ltype;
    int32_t ihand = 0;
    int16_t color = 0;
    int16_t code70 = 0, code71 = 0, code72 = 0, code73 = 0, code74 = 0;
    TAcadPoint code210;
    TColor PenColor = 0;
    TPenStyle PenStyle = TPenStyle::psSolid;
    int16_t layindex = 0;
    std::vector<TAcadPoint> code10Ary;
    std::vector<double> code40Ary;
    std::vector<double> code41Ary;
    int16_t code67 = 0;
    int16_t code60 = 0;
    bool operator==(const TSplineBlk&) const = default;
};

// One drawing: every array of the model, refilled by each read.
struct DxfDrawing {
    RecordArray<TAcadLineBlk> LineAry;
    RecordArray<TCircleBlk> CircleAry;
    RecordArray<TArcBlk> ArcAry;
    RecordArray<TTextBlk> TextAry;
    RecordArray<TInsertBlk> TopInsertAry;
    RecordArray<TLwpBlk> LwpAry;
    RecordArray<TLwpVer> LwpVerAry;
    RecordArray<TFaceBlk> FaceAry;
    RecordArray<TEllipseBlk> EllipseAry;
    RecordArray<TSolidBlk> SolidAry;
    RecordArray<TLeaderBlk> LeaderAry;
    RecordArray<TSplineBlk> SplineAry;
    RecordArray<TDimensionBlk> DimensionAry;
    RecordArray<TBlockBlk> BlockAry;
    RecordArray<TAcadLineBlk> BlkLineAry;
    RecordArray<TCircleBlk> BlkCircleAry;
    RecordArray<TArcBlk> BlkArcAry;
    RecordArray<TLwpBlk> BlkLwpAry;
    RecordArray<TLwpVer> BlkLwpVerAry;
    RecordArray<TTextBlk> BlkTextAry;
    RecordArray<TSolidBlk> BlkSolidAry;
    RecordArray<TEllipseBlk> BlkEllipseAry;
    RecordArray<TInsertBlk> NestInsertAry;
    std::vector<TLayer> LayerAry;
    std::vector<TViewTbl> ViewAry;

    TAcadPoint ExtMinPt, ExtMaxPt;

    // Empties the drawing for the next read. The arrays keep their memory: a window reading
    // one drawing after another into the same model writes most records into memory already
    // in use instead of asking the system for new pages each time.
    void clear();
};

// Calls f(a.X, b.X) for every record array X of two drawings (all but the layer and view
// tables), in a fixed order.
template <class A, class B, class F> void ForEachRecordArray(A& a, B& b, F&& f) {
    f(a.LineAry, b.LineAry);
    f(a.CircleAry, b.CircleAry);
    f(a.ArcAry, b.ArcAry);
    f(a.TextAry, b.TextAry);
    f(a.TopInsertAry, b.TopInsertAry);
    f(a.LwpAry, b.LwpAry);
    f(a.LwpVerAry, b.LwpVerAry);
    f(a.FaceAry, b.FaceAry);
    f(a.EllipseAry, b.EllipseAry);
    f(a.SolidAry, b.SolidAry);
    f(a.LeaderAry, b.LeaderAry);
    f(a.SplineAry, b.SplineAry);
    f(a.DimensionAry, b.DimensionAry);
    f(a.BlockAry, b.BlockAry);
    f(a.BlkLineAry, b.BlkLineAry);
    f(a.BlkCircleAry, b.BlkCircleAry);
    f(a.BlkArcAry, b.BlkArcAry);
    f(a.BlkLwpAry, b.BlkLwpAry);
    f(a.BlkLwpVerAry, b.BlkLwpVerAry);
    f(a.BlkTextAry, b.BlkTextAry);
    f(a.BlkSolidAry, b.BlkSolidAry);
    f(a.BlkEllipseAry, b.BlkEllipseAry);
    f(a.NestInsertAry, b.NestInsertAry);
}

// Appends the records `from` read after those of `into`, as if one reader had read both: the
// polylines' numbers continue those of `into`, and of the layers `from` added after its first
// `sharedLayers` (layers it met without a table entry) those `into` lacks are added. Empties
// `from`.
void AppendDrawing(DxfDrawing& into, DxfDrawing& from, size_t sharedLayers);

// Every array of the drawing by name with its number of records, in a fixed order.
std::vector<std::pair<const char*, size_t>> ArraySizes(const DxfDrawing& d);

// A solid's outline as DXF stores its corners: 1, 2, 4, 3; three corners when 3 and 4 coincide.
// Returns the number of corners written to `corners`.
int SolidOutline(const TSolidBlk& s, std::array<TAcadPoint, 4>& corners);

// The name of layer "0", which block contents on it take from their insert.
const Name& LayerZero();

// A new layer record with the reader's defaults (colour 7, CONTINUOUS, visible).
TLayer DefaultLayer(const QString& name);

} // namespace quillon
