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
    double code42 = 0;            // bulge of the segment starting here
    float code40 = 0, code41 = 0; // start and end width of the segment starting here
    bool operator==(const TLwpVer&) const = default;
};

struct TLwpBlk {
    Name bname, layer, ltype;
    int32_t ihand = 0; // its index in its array: the number its vertices carry
    int16_t color = 0;
    double code38 = 0; // elevation (group 38)
    double code40 = 0, code41 = 0; // widths of vertices that give none (LWPOLYLINE: 43)
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
    std::vector<TAcadPoint> code11Ary; // fit points, used when there are no control points
    int16_t code67 = 0;
    int16_t code60 = 0;
    bool operator==(const TSplineBlk&) const = default;
};

// One edge of a hatch boundary path: a line from p1 to p2; a circular arc about p1 of radius r;
// an elliptic arc about p1 with major axis end p2 (relative) and minor/major ratio r; angles
// (degrees; parameters for the ellipse) from start to end, counter-clockwise unless ccw is
// false, when they are as seen from below and the edge runs clockwise; or a spline.
struct THatchEdge {
    enum Kind : int16_t { Line = 1, Arc = 2, Ellipse = 3, Spline = 4 } kind = Line;
    TAcadPoint p1, p2;
    double r = 0, start = 0, end = 0;
    bool ccw = true;
    int16_t degree = 3;
    std::vector<double> knots, weights;
    std::vector<TAcadPoint> control, fit;
    bool operator==(const THatchEdge&) const = default;
};

// One boundary path (group 92 flags: 2 a polyline path, otherwise edges): polyline vertices with
// their bulges, or edges, in order.
struct THatchPath {
    int32_t flags = 0;
    std::vector<TAcadPoint> vertices;
    std::vector<double> bulges;
    std::vector<THatchEdge> edges;
    bool operator==(const THatchPath&) const = default;
};

// One line family of a hatch pattern, as the file stores it: already scaled and turned.
struct TPatternLine {
    double angle = 0;           // degrees (53)
    TAcadPoint base;            // a point of one line (43, 44)
    TAcadPoint offset;          // from one line to the next (45, 46)
    std::vector<double> dashes; // 49: dash > 0, gap < 0, dot 0; none: a solid line
    bool operator==(const TPatternLine&) const = default;
};

struct THatchBlk {
    Name bname, layer, ltype;
    int16_t color = 0;
    QString pattern;    // 2
    bool solid = false; // 70 = 1, or a gradient (450)
    int16_t style = 0;  // 75: 0 normal, 1 outer, 2 ignore islands
    TAcadPoint code210;
    double elevation = 0; // 30 of the elevation point
    std::vector<THatchPath> paths;
    std::vector<TPatternLine> lines;
    int16_t code67 = 0;
    int16_t code60 = 0;
    bool operator==(const THatchBlk&) const = default;
};

// A filled area, the drawable kind of fills (hatches, solids, wide polylines): its outline's
// rings are runs of `FillPointAry` from `first`, `rings` of them, their point counts in
// `FillRingAry` from `firstRing`. Inside is by the even-odd rule, or by the winding rule for
// bands whose pieces overlap.
struct TFillBlk {
    double left = 0, bottom = 0, right = 0, top = 0; // the box of its points
    TColor PenColor = 0;
    int16_t code67 = 0;
    int16_t layindex = 0;
    int16_t code60 = 0;
    int16_t color = 0;
    bool winding = false;
    TAcadPoint code210; // the plane of its points; (0, 0, 1) once in world coordinates
    uint32_t firstRing = 0, rings = 0;
    size_t first = 0;
    Name bname, layer;
    bool operator==(const TFillBlk&) const = default;
};

struct TFillPoint {
    double x = 0, y = 0;
    bool operator==(const TFillPoint&) const = default;
};

// A RAY (from its base point on) or an XLINE (both ways): a line without end.
struct TRayBlk {
    Name layer, ltype;
    int16_t color = 0;
    TAcadPoint base, direction;
    bool bothWays = false;
    int16_t code67 = 0;
    int16_t code60 = 0;
    bool operator==(const TRayBlk&) const = default;
};

// An MLINE: its element lines run parallel through its vertices (world coordinates), each
// element at its own distance from a vertex along that vertex's miter direction.
struct TMlineBlk {
    Name layer, ltype;
    int16_t color = 0;
    int16_t code71 = 0; // flags: 2 closed
    int16_t elements = 0;
    std::vector<TAcadPoint> vertices, miters;
    std::vector<double> offsets; // vertex after vertex, one for each element
    int16_t code67 = 0;
    int16_t code60 = 0;
    bool operator==(const TMlineBlk&) const = default;
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
    RecordArray<THatchBlk> HatchAry;
    RecordArray<TRayBlk> RayAry;
    RecordArray<TMlineBlk> MlineAry;
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
    RecordArray<THatchBlk> BlkHatchAry;
    RecordArray<TSplineBlk> BlkSplineAry;
    RecordArray<TInsertBlk> NestInsertAry;
    // Fills, the fifth drawable kind, and their outlines; block fills wait to be placed.
    RecordArray<TFillBlk> FillAry, BlkFillAry;
    RecordArray<uint32_t> FillRingAry, BlkFillRingAry;
    RecordArray<TFillPoint> FillPointAry, BlkFillPointAry;
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
    f(a.HatchAry, b.HatchAry);
    f(a.RayAry, b.RayAry);
    f(a.MlineAry, b.MlineAry);
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
    f(a.BlkHatchAry, b.BlkHatchAry);
    f(a.BlkSplineAry, b.BlkSplineAry);
    f(a.NestInsertAry, b.NestInsertAry);
    f(a.FillAry, b.FillAry);
    f(a.BlkFillAry, b.BlkFillAry);
    f(a.FillRingAry, b.FillRingAry);
    f(a.BlkFillRingAry, b.BlkFillRingAry);
    f(a.FillPointAry, b.FillPointAry);
    f(a.BlkFillPointAry, b.BlkFillPointAry);
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

// Appends a fill of the rings to one side's fill arrays, with the box of their points; its pen
// fields and owner are the caller's to set.
TFillBlk& AppendFill(RecordArray<TFillBlk>& fills, RecordArray<uint32_t>& ringSizes,
                     RecordArray<TFillPoint>& points,
                     const std::vector<std::vector<TFillPoint>>& rings);

// The name of layer "0", which block contents on it take from their insert.
const Name& LayerZero();

// A new layer record with the reader's defaults (colour 7, CONTINUOUS, visible).
TLayer DefaultLayer(const QString& name);

} // namespace quillon
