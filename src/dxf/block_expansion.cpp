#include "dxf/block_expansion.h"

#include "dxf/layer_index.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <unordered_map>
#include <unordered_set>

namespace quillon {

namespace {

// Where each block's entities lie in the block-side arrays, in array order. Built once per
// expansion so that every INSERT does not scan the whole arrays again.
using Positions = std::unordered_map<const void*, std::vector<size_t>>; // by Name::id()

struct BlockContents {
    Positions lines, circles, arcs, texts, solids, fills;

    explicit BlockContents(const DxfDrawing& d) {
        index(d.BlkLineAry, lines);
        index(d.BlkCircleAry, circles);
        index(d.BlkArcAry, arcs);
        index(d.BlkTextAry, texts);
        index(d.BlkSolidAry, solids);
        index(d.BlkFillAry, fills);
    }

    template <class R> static void index(const RecordArray<R>& a, Positions& out) {
        for (size_t i = 0; i < a.size(); ++i) out[a[i].bname.id()].push_back(i);
    }

    static const std::vector<size_t>& of(const Positions& h, const Name& name) {
        static const std::vector<size_t> none;
        const auto it = h.find(name.id());
        return it == h.end() ? none : it->second;
    }
};

using BlockNumbers = std::unordered_map<const void*, size_t>; // by Name::id()
using NameSet = std::unordered_set<const void*>;              // of Name::id()

const TBlockBlk* FindBlock(const DxfDrawing& d, const BlockNumbers& blocks, const Name& name) {
    const auto it = blocks.find(name.id());
    return it == blocks.end() ? nullptr : &d.BlockAry[it->second];
}

BlockNumbers BlockIndex(const DxfDrawing& d) {
    BlockNumbers index;
    for (size_t i = 0; i < d.BlockAry.size(); ++i)
        index.try_emplace(d.BlockAry[i].name.id(), i); // the first wins
    return index;
}

NameSet DimensionBlockNames(const DxfDrawing& d) {
    NameSet names;
    for (const TDimensionBlk& dim : d.DimensionAry) names.insert(dim.dimblkName.id());
    return names;
}

bool TakesInsertLayer(const Name& layer, int16_t color) {
    return color == 0 || layer == LayerZero();
}

// LayerColor for the many lookups of a few names. Expansion adds layers but renames none, so an
// answer once given stays right.
class LayerColors {
public:
    explicit LayerColors(DxfDrawing& d) : d_(d), layers_(d.LayerAry) {}
    int16_t operator()(const Name& name) {
        const auto [it, added] = memo_.try_emplace(name.id(), 0);
        if (added) it->second = LayerColor(d_, layers_, name);
        return it->second;
    }

private:
    DxfDrawing& d_;
    LayerIndex layers_;
    std::unordered_map<const void*, int16_t> memo_;
};

constexpr double kDegrees = 180 / std::numbers::pi;

// The placement of one insert, with its rotation worked out once. Points land in the insert's
// own plane (its OCS), which the reduction takes to world coordinates afterwards.
struct Placement {
    TAcadPoint from, scale, to;
    double rotate, cos, sin;
    bool mirrored; // an odd number of negative scale factors in the plane

    Placement(const TBlockBlk& b, const TInsertBlk& i)
        : from(b.base), scale(i.scale), to(i.base), rotate(i.rotate),
          cos(std::cos(i.rotate / kDegrees)), sin(std::sin(i.rotate / kDegrees)),
          mirrored((i.scale.x < 0) != (i.scale.y < 0)) {}

    TAcadPoint operator()(const TAcadPoint& p) const {
        const double x = (p.x - from.x) * scale.x, y = (p.y - from.y) * scale.y;
        return {x * cos - y * sin + to.x, x * sin + y * cos + to.y,
                (p.z - from.z) * scale.z + to.z};
    }

    // A direction of the block, in degrees, as placed.
    double angle(double degrees) const {
        const double a = degrees / kDegrees;
        return std::atan2(scale.y * std::sin(a), scale.x * std::cos(a)) * kDegrees + rotate;
    }

    // An arc keeps its sweep; a mirror runs it the other way round, so it starts at the
    // mirrored end.
    void arc(double& st, double& ed) const {
        double sweep = ed - st;
        if (sweep < 0) sweep += 360;
        st = std::fmod(angle(mirrored ? ed : st), 360.0);
        if (st < 0) st += 360;
        ed = st + sweep;
        if (ed > 360 && sweep < 360) ed -= 360;
    }

    // A text keeps reading left to right: it turns with the insert, but is not mirrored.
    void text(TTextBlk& t) const {
        t.code50 += rotate;
        if (t.mtflag && (t.pt11.x != 0 || t.pt11.y != 0)) // a direction vector
            t.pt11 = {t.pt11.x * cos - t.pt11.y * sin, t.pt11.x * sin + t.pt11.y * cos, t.pt11.z};
    }
};

// Copies a block fill into the drawing's fills, every point placed; returns the copy.
template <class Place> TFillBlk& CopyFill(DxfDrawing& d, const TFillBlk& f, const Place& place) {
    std::vector<std::vector<TFillPoint>> rings(f.rings);
    size_t at = f.first;
    for (uint32_t r = 0; r < f.rings; ++r)
        for (uint32_t k = 0; k < d.BlkFillRingAry[f.firstRing + r]; ++k, ++at) {
            const TFillPoint& p = d.BlkFillPointAry[at];
            const TAcadPoint q = place(TAcadPoint{p.x, p.y, 0});
            rings[r].push_back({q.x, q.y});
        }
    TFillBlk& copy = AppendFill(d.FillAry, d.FillRingAry, d.FillPointAry, rings);
    const TFillBlk placed = copy;
    copy = f;
    copy.first = placed.first;
    copy.firstRing = placed.firstRing;
    copy.left = placed.left, copy.bottom = placed.bottom;
    copy.right = placed.right, copy.top = placed.top;
    return copy;
}

// Copies a block's lines, circles, arcs, texts and fills into the drawing, placed by insert i.
void CopyPlaced(DxfDrawing& d, const BlockContents& contents, LayerColors& colors,
                const TBlockBlk& b, const TInsertBlk& i) {
    const double scale = std::fabs(i.scale.x);
    const Placement place(b, i);
    const auto common = [&](auto& r, bool withLtype) {
        r.code67 = i.code67;
        r.code210 = i.code210;
        if (TakesInsertLayer(r.layer, r.color)) {
            r.layer = i.layer;
            r.color = colors(i.layer);
            if constexpr (requires { r.ltype; })
                if (withLtype) r.ltype = i.ltype;
        }
    };
    for (size_t k : BlockContents::of(contents.lines, b.name)) {
        TAcadLineBlk r = d.BlkLineAry[k];
        r.st = place(r.st);
        r.ed = place(r.ed);
        common(r, true);
        d.LineAry.push_back(std::move(r));
    }
    for (size_t k : BlockContents::of(contents.circles, b.name)) {
        TCircleBlk r = d.BlkCircleAry[k];
        r.center = place(r.center);
        r.hankei *= scale;
        common(r, true);
        d.CircleAry.push_back(std::move(r));
    }
    for (size_t k : BlockContents::of(contents.arcs, b.name)) {
        TArcBlk r = d.BlkArcAry[k];
        r.center = place(r.center);
        r.hankei *= scale;
        place.arc(r.st, r.ed);
        common(r, true);
        d.ArcAry.push_back(std::move(r));
    }
    for (size_t k : BlockContents::of(contents.texts, b.name)) {
        TTextBlk r = d.BlkTextAry[k];
        r.pt10 = place(r.pt10);
        if (!r.mtflag) r.pt11 = place(r.pt11);
        place.text(r);
        r.code40 *= scale;
        common(r, false);
        d.TextAry.push_back(std::move(r));
    }
    for (size_t k : BlockContents::of(contents.fills, b.name))
        common(CopyFill(d, d.BlkFillAry[k], place), false);
}

} // namespace

TAcadPoint PlacePoint(const TAcadPoint& p, const TBlockBlk& block, const TInsertBlk& insert) {
    return Placement(block, insert)(p);
}

DrawableCounts CountsOf(const BlockContents& contents, const Name& block) {
    return {BlockContents::of(contents.lines, block).size(),
            BlockContents::of(contents.circles, block).size(),
            BlockContents::of(contents.arcs, block).size(),
            BlockContents::of(contents.texts, block).size()};
}

void Add(DrawableCounts& sum, const DrawableCounts& more) {
    sum.lines += more.lines;
    sum.circles += more.circles;
    sum.arcs += more.arcs;
    sum.texts += more.texts;
}

// Room for everything the inserts will add, made once: the arrays are large and growing them
// step by step would copy them again and again.
void ReserveFor(DxfDrawing& d, const BlockContents& contents,
                const RecordArray<TInsertBlk>& inserts) {
    DrawableCounts added;
    for (const TInsertBlk& insert : inserts) Add(added, CountsOf(contents, insert.name));
    d.LineAry.reserve(d.LineAry.size() + added.lines);
    d.CircleAry.reserve(d.CircleAry.size() + added.circles);
    d.ArcAry.reserve(d.ArcAry.size() + added.arcs);
    d.TextAry.reserve(d.TextAry.size() + added.texts);
}

DrawableCounts AddedByExpansion(const DxfDrawing& d) {
    const BlockContents contents(d);
    const BlockNumbers blocks = BlockIndex(d);
    DrawableCounts added;
    for (const TInsertBlk& top : d.TopInsertAry) {
        Add(added, CountsOf(contents, top.name));
        if (const TBlockBlk* b = FindBlock(d, blocks, top.name))
            for (const TInsertBlk& nested : b->InsertAry)
                Add(added, CountsOf(contents, nested.name));
    }
    return added;
}

DrawableCounts ReducedSizes(const DxfDrawing& d) {
    const DrawableCounts added = AddedByExpansion(d);
    const auto bulges = size_t(std::count_if(d.LwpVerAry.begin(), d.LwpVerAry.end(),
                                             [](const TLwpVer& v) { return v.code42 != 0; }));
    return {d.LineAry.size() + d.LwpVerAry.size() + d.LwpAry.size() + 37 * d.EllipseAry.size() +
                added.lines + 4 * d.SolidAry.size() + 4 * d.FaceAry.size(),
            d.CircleAry.size() + added.circles, d.ArcAry.size() + bulges + added.arcs,
            d.TextAry.size() + added.texts};
}

void ExpandTopInserts(DxfDrawing& d) {
    const BlockContents contents(d);
    const BlockNumbers blocks = BlockIndex(d);
    LayerColors colors(d);
    ReserveFor(d, contents, d.TopInsertAry);
    for (size_t n = 0; n < d.TopInsertAry.size(); ++n) {
        const TInsertBlk& i = d.TopInsertAry[n];
        if (i.code60 != 0) continue;
        if (const TBlockBlk* b = FindBlock(d, blocks, i.name))
            CopyPlaced(d, contents, colors, *b, i);
    }
}

namespace {

// Dimension graphics are already in drawing coordinates: copied as they stand.
void CopyDimensionGraphics(DxfDrawing& d, const BlockContents& contents, const TBlockBlk& k) {
    for (size_t n : BlockContents::of(contents.lines, k.name)) d.LineAry.push_back(d.BlkLineAry[n]);
    for (size_t n : BlockContents::of(contents.arcs, k.name)) d.ArcAry.push_back(d.BlkArcAry[n]);
    for (size_t n : BlockContents::of(contents.solids, k.name)) {
        const TSolidBlk& s = d.BlkSolidAry[n];
        std::array<TAcadPoint, 4> corners;
        const int count = SolidOutline(s, corners);
        for (int c = 0; c < count; ++c) {
            TAcadLineBlk l;
            l.bname = s.bname;
            l.layer = s.layer;
            l.color = s.color;
            l.ltype = s.ltype;
            l.st = corners[size_t(c)];
            l.ed = corners[size_t((c + 1) % count)];
            d.LineAry.push_back(std::move(l));
        }
    }
    for (size_t n : BlockContents::of(contents.texts, k.name)) d.TextAry.push_back(d.BlkTextAry[n]);
    for (size_t n : BlockContents::of(contents.fills, k.name))
        CopyFill(d, d.BlkFillAry[n], [](const TAcadPoint& p) { return p; });
}

} // namespace

void ExpandBlocks(DxfDrawing& d) {
    const BlockContents contents(d);
    LayerColors colors(d);
    const NameSet dimensionBlocks = DimensionBlockNames(d);
    Positions topByName;
    for (size_t i = 0; i < d.TopInsertAry.size(); ++i)
        topByName[d.TopInsertAry[i].name.id()].push_back(i);
    // Blocks some INSERT refers to are drawn through it, placed: never also as they stand.
    NameSet inserted;
    for (const TInsertBlk& i : d.TopInsertAry) inserted.insert(i.name.id());
    for (const TBlockBlk& b : d.BlockAry)
        for (const TInsertBlk& i : b.InsertAry) inserted.insert(i.name.id());
    // Room for the nested INSERTs placed below, made once: once per top-level INSERT of their
    // block, or once as they stand.
    size_t nested = d.NestInsertAry.size();
    for (const TBlockBlk& k : d.BlockAry)
        if (k.code60 == 0)
            nested += (BlockContents::of(topByName, k.name).size() + 1) * k.InsertAry.size();
    d.NestInsertAry.reserve(nested);

    for (const TBlockBlk& k : d.BlockAry) {
        if (k.code60 != 0) continue;
        if (dimensionBlocks.contains(k.name.id())) CopyDimensionGraphics(d, contents, k);
        if (k.InsertAry.empty()) continue;
        // The block's own INSERTs, placed once for every top-level INSERT of the block.
        for (size_t t : BlockContents::of(topByName, k.name)) {
            const TInsertBlk top = d.TopInsertAry[t];
            for (const TInsertBlk& nested : k.InsertAry) {
                TInsertBlk n = nested;
                n.code67 = top.code67;
                n.code210 = top.code210;
                if (TakesInsertLayer(n.layer, n.color)) {
                    n.ltype = top.ltype;
                    n.layer = top.layer;
                    n.color = colors(top.layer);
                }
                // Under a mirror the nested insert turns the other way.
                const bool mirrored = (top.scale.x < 0) != (top.scale.y < 0);
                n.rotate = (mirrored ? -nested.rotate : nested.rotate) + top.rotate;
                n.scale = {nested.scale.x * top.scale.x, nested.scale.y * top.scale.y,
                           nested.scale.z * top.scale.z};
                n.base = PlacePoint(nested.base, k, top);
                d.NestInsertAry.push_back(std::move(n));
            }
        }
        // The INSERTs of an anonymous block shown through its own entity (a dimension, a
        // table) are taken as they stand.
        if (k.name.str().startsWith(u'*') && !inserted.contains(k.name.id())) {
            for (const TInsertBlk& nested : k.InsertAry) {
                TInsertBlk n = nested;
                if (TakesInsertLayer(n.layer, n.color)) {
                    n.ltype = k.ltype;
                    n.layer = k.layer;
                    n.color = colors(k.layer);
                }
                d.NestInsertAry.push_back(std::move(n));
            }
        }
    }
    ExpandNestedInserts(d);
}

void ExpandNestedInserts(DxfDrawing& d) {
    const BlockContents contents(d);
    const BlockNumbers blocks = BlockIndex(d);
    const NameSet dimensionBlocks = DimensionBlockNames(d);
    LayerColors colors(d);
    ReserveFor(d, contents, d.NestInsertAry);
    for (size_t k = 0; k < d.NestInsertAry.size(); ++k) {
        const TInsertBlk& n = d.NestInsertAry[k];
        const bool anonymous = n.dimBlkName.str().startsWith(u'*');
        if (anonymous && !d.DimensionAry.empty() && !dimensionBlocks.contains(n.dimBlkName.id()))
            continue;
        if (const TBlockBlk* b = FindBlock(d, blocks, n.name))
            CopyPlaced(d, contents, colors, *b, n);
    }
}

} // namespace quillon
