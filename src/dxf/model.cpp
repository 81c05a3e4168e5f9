#include "dxf/model.h"

#include "dxf/two_threads.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <iterator>

namespace quillon {

const Name& LayerZero() {
    static const Name zero("0"); // made once: making a name looks it up among all names
    return zero;
}

TLayer DefaultLayer(const QString& name) {
    TLayer l;
    l.Name = name;
    l.color = 7;
    l.code70 = 0;
    l.ltype = QStringLiteral("CONTINUOUS");
    l.visible = true;
    return l;
}

std::vector<std::pair<const char*, size_t>> ArraySizes(const DxfDrawing& d) {
    return {{"LineAry", d.LineAry.size()},
            {"CircleAry", d.CircleAry.size()},
            {"ArcAry", d.ArcAry.size()},
            {"TextAry", d.TextAry.size()},
            {"TopInsertAry", d.TopInsertAry.size()},
            {"LwpAry", d.LwpAry.size()},
            {"LwpVerAry", d.LwpVerAry.size()},
            {"FaceAry", d.FaceAry.size()},
            {"EllipseAry", d.EllipseAry.size()},
            {"SolidAry", d.SolidAry.size()},
            {"LeaderAry", d.LeaderAry.size()},
            {"SplineAry", d.SplineAry.size()},
            {"HatchAry", d.HatchAry.size()},
            {"RayAry", d.RayAry.size()},
            {"MlineAry", d.MlineAry.size()},
            {"DimensionAry", d.DimensionAry.size()},
            {"BlockAry", d.BlockAry.size()},
            {"BlkLineAry", d.BlkLineAry.size()},
            {"BlkCircleAry", d.BlkCircleAry.size()},
            {"BlkArcAry", d.BlkArcAry.size()},
            {"BlkLwpAry", d.BlkLwpAry.size()},
            {"BlkLwpVerAry", d.BlkLwpVerAry.size()},
            {"BlkTextAry", d.BlkTextAry.size()},
            {"BlkSolidAry", d.BlkSolidAry.size()},
            {"BlkEllipseAry", d.BlkEllipseAry.size()},
            {"BlkHatchAry", d.BlkHatchAry.size()},
            {"BlkSplineAry", d.BlkSplineAry.size()},
            {"NestInsertAry", d.NestInsertAry.size()},
            {"FillAry", d.FillAry.size()},
            {"LayerAry", d.LayerAry.size()},
            {"ViewAry", d.ViewAry.size()}};
}

namespace {

void Renumber(RecordArray<TLwpBlk>& polylines, RecordArray<TLwpVer>& vertices, size_t before) {
    for (TLwpBlk& p : polylines) p.ihand += int32_t(before);
    for (TLwpVer& v : vertices) v.ihand += int32_t(before);
}

// Which of two threads joins each record array of `d` (in ForEachRecordArray's order): largest
// first, each to the thread with fewer bytes to copy so far.
std::vector<int> ShareByBytes(const DxfDrawing& d) {
    std::vector<std::pair<size_t, int>> bytes; // of each array, with its number
    ForEachRecordArray(d, d, [&](const auto& a, const auto&) {
        bytes.emplace_back(a.size() * sizeof(a[0]), int(bytes.size()));
    });
    std::sort(bytes.begin(), bytes.end(), std::greater<>());
    std::vector<int> thread(bytes.size());
    size_t load[2] = {0, 0};
    for (const auto& [size, k] : bytes) {
        thread[size_t(k)] = load[1] < load[0];
        load[thread[size_t(k)]] += size;
    }
    return thread;
}

} // namespace

void DxfDrawing::clear() {
    ForEachRecordArray(*this, *this, [](auto& array, auto&) { array.clear(); });
    LayerAry.clear();
    ViewAry.clear();
    ExtMinPt = ExtMaxPt = TAcadPoint{};
}

void AppendDrawing(DxfDrawing& into, DxfDrawing& from, size_t sharedLayers) {
    Renumber(from.LwpAry, from.LwpVerAry, into.LwpAry.size());
    Renumber(from.BlkLwpAry, from.BlkLwpVerAry, into.BlkLwpAry.size());
    size_t records = 0;
    ForEachRecordArray(from, from, [&](const auto& a, const auto&) { records += a.size(); });
    // A large drawing's arrays are joined on two threads at once.
    const std::vector<int> thread =
        TwoThreads{}.worth(records) ? ShareByBytes(from) : std::vector<int>{};
    const auto join = [&](int part) {
        size_t k = 0;
        ForEachRecordArray(into, from, [&](auto& a, auto& b) {
            if (!thread.empty() && thread[k++] != part) return;
            a.insert(a.end(), std::make_move_iterator(b.begin()), std::make_move_iterator(b.end()));
            b = {};
        });
    };
    if (thread.empty())
        join(0);
    else
        RunInTwo(join);
    for (size_t i = sharedLayers; i < from.LayerAry.size(); ++i) {
        TLayer& added = from.LayerAry[i];
        const auto named = [&](const TLayer& l) { return l.Name == added.Name; };
        if (std::none_of(into.LayerAry.begin(), into.LayerAry.end(), named))
            into.LayerAry.push_back(std::move(added));
    }
    from.LayerAry.clear();
}

TFillBlk& AppendFill(RecordArray<TFillBlk>& fills, RecordArray<uint32_t>& ringSizes,
                     RecordArray<TFillPoint>& points,
                     const std::vector<std::vector<TFillPoint>>& rings) {
    TFillBlk f;
    f.code210 = kExtrusionZ;
    f.first = points.size();
    f.firstRing = uint32_t(ringSizes.size());
    f.left = f.bottom = HUGE_VAL;
    f.right = f.top = -HUGE_VAL;
    for (const std::vector<TFillPoint>& r : rings) {
        ringSizes.push_back(uint32_t(r.size()));
        ++f.rings;
        for (const TFillPoint& p : r) {
            points.push_back(p);
            f.left = std::min(f.left, p.x), f.right = std::max(f.right, p.x);
            f.bottom = std::min(f.bottom, p.y), f.top = std::max(f.top, p.y);
        }
    }
    fills.push_back(f);
    return fills.back();
}

int SolidOutline(const TSolidBlk& s, std::array<TAcadPoint, 4>& corners) {
    corners = {s.p1, s.p2, s.p4, s.p3};
    if (s.p3 == s.p4) {
        corners[2] = s.p3;
        return 3;
    }
    return 4;
}

} // namespace quillon
