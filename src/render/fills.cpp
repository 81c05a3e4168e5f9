#include "render/fills.h"

#include "render/geometry.h"
#include "render/hatch_boundary.h"
#include "render/hatch_pattern.h"

#include <algorithm>
#include <cmath>

namespace quillon {

namespace {

// One side's arrays: the drawing's own, or those of the block definitions.
struct Side {
    RecordArray<TAcadLineBlk>& lines;
    RecordArray<TFillBlk>& fills;
    RecordArray<uint32_t>& rings;
    RecordArray<TFillPoint>& points;
    bool world; // records are taken to world coordinates
};

Side DrawingSide(DxfDrawing& d) {
    return {d.LineAry, d.FillAry, d.FillRingAry, d.FillPointAry, true};
}
Side BlockSide(DxfDrawing& d) {
    return {d.BlkLineAry, d.BlkFillAry, d.BlkFillRingAry, d.BlkFillPointAry, false};
}

bool Upright(const TAcadPoint& n) {
    return SamePoint(n, kExtrusionZ, 1e-5);
}

template <class R> void Own(TFillBlk& f, const R& r) {
    f.bname = r.bname;
    f.layer = r.layer;
    f.color = r.color;
    f.code67 = r.code67 < 0 ? 0 : r.code67;
}

void Hatch(const Side& side, const THatchBlk& h) {
    if (h.code60 != 0) return;
    const std::vector<Ring> rings = HatchRings(h, HatchSize(h) / 20000);
    if (rings.empty()) return;
    const bool toWorld = side.world && !Upright(h.code210);
    const auto place = [&](const TAcadPoint& p) {
        const TAcadPoint q{p.x, p.y, h.elevation};
        return toWorld ? OcsToWcs(q, h.code210) : q;
    };
    if (h.solid) {
        std::vector<std::vector<TFillPoint>> outline;
        for (const Ring& r : rings) {
            std::vector<TFillPoint>& o = outline.emplace_back();
            for (const TAcadPoint& p : r) {
                const TAcadPoint q = place(p);
                o.push_back({q.x, q.y});
            }
        }
        Own(AppendFill(side.fills, side.rings, side.points, outline), h);
        return;
    }
    // Pattern lines carry their own dashes: drawn with a solid pen.
    static const Name continuous("CONTINUOUS");
    for (const PatternSegment& s : PatternSegments(rings, h.lines)) {
        TAcadLineBlk l;
        l.bname = h.bname;
        l.layer = h.layer;
        l.color = h.color;
        l.ltype = continuous;
        l.code67 = h.code67 < 0 ? 0 : h.code67;
        l.code210 = kExtrusionZ;
        l.st = place(s.a);
        l.ed = place(s.b);
        side.lines.push_back(std::move(l));
    }
}

void Solid(const Side& side, const TSolidBlk& s) {
    if (s.code60 != 0) return;
    std::array<TAcadPoint, 4> corners;
    const int count = SolidOutline(s, corners);
    std::vector<std::vector<TFillPoint>> outline(1);
    for (int k = 0; k < count; ++k)
        outline[0].push_back({corners[size_t(k)].x, corners[size_t(k)].y});
    Own(AppendFill(side.fills, side.rings, side.points, outline), s);
}

} // namespace

void ExplodeHatches(DxfDrawing& d) {
    const Side side = DrawingSide(d);
    for (const THatchBlk& h : d.HatchAry) Hatch(side, h);
}

void ExplodeBlkHatches(DxfDrawing& d) {
    const Side side = BlockSide(d);
    for (const THatchBlk& h : d.BlkHatchAry) Hatch(side, h);
}

void FillBlkSolids(DxfDrawing& d) {
    const Side side = BlockSide(d);
    for (const TSolidBlk& s : d.BlkSolidAry) Solid(side, s);
}

void FillSolid(DxfDrawing& d, const TSolidBlk& s) {
    Solid(DrawingSide(d), s);
}

void FillsToWcs(DxfDrawing& d) {
    for (TFillBlk& f : d.FillAry) {
        if (Upright(f.code210)) continue;
        size_t count = 0;
        for (uint32_t r = 0; r < f.rings; ++r) count += d.FillRingAry[f.firstRing + r];
        f.left = f.bottom = HUGE_VAL;
        f.right = f.top = -HUGE_VAL;
        for (size_t k = f.first; k < f.first + count; ++k) {
            TFillPoint& p = d.FillPointAry[k];
            const TAcadPoint w = OcsToWcs({p.x, p.y, 0}, f.code210);
            p = {w.x, w.y};
            f.left = std::min(f.left, p.x), f.right = std::max(f.right, p.x);
            f.bottom = std::min(f.bottom, p.y), f.top = std::max(f.top, p.y);
        }
        f.code210 = kExtrusionZ;
    }
}

} // namespace quillon
