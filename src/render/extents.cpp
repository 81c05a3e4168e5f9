#include "render/extents.h"

#include "dxf/layer_index.h"
#include "dxf/two_threads.h"
#include "render/figure_run.h"
#include "render/geometry.h"
#include "render/text_layout.h"

#include <algorithm>
#include <cmath>

namespace quillon {

namespace {

// The four edges of a rectangle's outline, in the order lo, (lo.x, hi.y), hi, (hi.x, lo.y).
void Outline(const TAcadPoint& lo, const TAcadPoint& hi, TAcadPoint (&corners)[5]) {
    corners[0] = {lo.x, lo.y, 0};
    corners[1] = {lo.x, hi.y, 0};
    corners[2] = {hi.x, hi.y, 0};
    corners[3] = {hi.x, lo.y, 0};
    corners[4] = corners[0];
}

bool OutlinesCross(const Box& box, const Box& w) {
    TAcadPoint a[5], b[5], hit;
    Outline(box.min, box.max, a);
    Outline(w.min, w.max, b);
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j)
            if (SegmentIntersect(a[i], a[i + 1], b[j], b[j + 1], true, hit)) return true;
    return false;
}

} // namespace

Box OrderCorners(const TAcadPoint& a, const TAcadPoint& b) {
    return {{std::min(a.x, b.x), std::min(a.y, b.y), 0},
            {std::max(a.x, b.x), std::max(a.y, b.y), 0}};
}

Box CircleBox(const TAcadPoint& c, double r) {
    return {{c.x - r, c.y - r, c.z}, {c.x + r, c.y + r, c.z}};
}

Box ArcBox(const TAcadPoint& c, double r, double start, double end) {
    // An end past a whole turn (as a drawn arc's end is raised above its start) is the same
    // direction a turn lower: the sweep then runs through angle 0.
    if (end > 2 * kPi) end = std::fmod(end, 2 * kPi);
    Box box = OrderCorners(PolarPoint(c, start, r), PolarPoint(c, end, r));
    if (end > start) {
        if (start == 0 || end == 2 * kPi) box.max.x = c.x + r;
        if (start <= kPi / 2 && kPi / 2 <= end) box.max.y = c.y + r;
        if (start <= kPi && kPi <= end) box.min.x = c.x - r;
        if (start <= 3 * kPi / 2 && 3 * kPi / 2 <= end) box.min.y = c.y - r;
    } else {
        box.max.x = c.x + r;
        if (start <= kPi / 2 || end >= kPi / 2) box.max.y = c.y + r;
        if (start <= kPi || end >= kPi) box.min.x = c.x - r;
        if (start <= 3 * kPi / 2 || end >= 3 * kPi / 2) box.min.y = c.y - r;
    }
    return box;
}

namespace {

// The boxes of a run of records taken in order: the first one as it stands, and the least and
// greatest coordinates of all of them (a coordinate that is not a number changes neither).
struct Reach {
    bool any = false;
    Box first;
    Box all{{HUGE_VAL, HUGE_VAL, 0}, {-HUGE_VAL, -HUGE_VAL, 0}};

    void add(const Box& b) {
        if (!any) first = b, any = true;
        Widen(all, b);
    }
    // The reach of this run followed by `later`. Ties keep the earlier coordinate, as widening a
    // box record by record does.
    void follow(const Reach& later) {
        if (!later.any) return;
        if (!any) first = later.first, any = true;
        Widen(all, later.all);
    }
    // The box widened record by record from the first: a coordinate of the first box that is
    // not a number stays so.
    Box box() const {
        const auto pick = [](double a, double b) { return std::isnan(a) ? a : b; };
        return {{pick(first.min.x, all.min.x), pick(first.min.y, all.min.y), 0},
                {pick(first.max.x, all.max.x), pick(first.max.y, all.max.y), 0}};
    }
};

// The reach of the lines, circles and arcs (one run, in that order) from `from` to `to` - 1.
Reach FiguresReach(const DxfDrawing& d, size_t from, size_t to) {
    LayerIndex layers(d.LayerAry);
    Reach reach;
    const auto add = [&](const auto& r, const Box& box) {
        if (r.code60 == 0 && r.code67 == 0 && layers.visible(r.layer)) reach.add(box);
    };
    FigureRun{d, 1}.each(
        from, to, [&](const TAcadLineBlk& l) { add(l, OrderCorners(l.st, l.ed)); },
        [&](const TCircleBlk& c) { add(c, CircleBox(c.center, c.hankei)); },
        [&](const TArcBlk& a) {
            add(a, ArcBox(a.center, a.hankei, a.st * kDegToRad, a.ed * kDegToRad));
        });
    return reach;
}

} // namespace

void CalcExtents(DxfDrawing& d, TwoThreads twoThreads) {
    d.ExtMinPt = d.ExtMaxPt = {};
    const size_t figures = FigureRun{d, 1}.end();
    Reach reach;
    if (twoThreads.worth(figures)) {
        Reach parts[2];
        RunInTwo([&](int k) {
            parts[k] = FiguresReach(d, k == 0 ? 0 : figures / 2, k == 0 ? figures / 2 : figures);
        });
        reach = parts[0];
        reach.follow(parts[1]);
    } else {
        reach = FiguresReach(d, 0, figures);
    }
    {
        LayerIndex layers(d.LayerAry);
        Reach fills;
        for (const TFillBlk& f : d.FillAry)
            if (f.code60 == 0 && f.code67 == 0 && layers.visible(f.layer))
                fills.add({{f.left, f.bottom, 0}, {f.right, f.top, 0}});
        reach.follow(fills);
    }
    if (!reach.any) { // a drawing of texts alone
        LayerIndex layers(d.LayerAry);
        for (const TTextBlk& t : d.TextAry)
            if (t.code60 == 0 && t.code67 == 0 && layers.visible(t.layer)) reach.add(TextBoxOf(t));
    }
    if (reach.any) {
        const Box b = reach.box();
        d.ExtMinPt = b.min;
        d.ExtMaxPt = b.max;
    }
}

bool LineCrossesWindow(const TAcadLineBlk& l, const Box& w) {
    const TAcadPoint corners[4] = {w.min, {w.min.x, w.max.y, 0}, w.max, {w.max.x, w.min.y, 0}};
    // left, bottom, top, right
    const int edges[4][2] = {{0, 1}, {0, 3}, {1, 2}, {3, 2}};
    TAcadPoint hit;
    for (const auto& e : edges)
        if (SegmentIntersect(l.st, l.ed, corners[e[0]], corners[e[1]], true, hit)) return true;
    return false;
}

bool CircleCrossesWindow(const TCircleBlk& c, const Box& w) {
    return OutlinesCross(CircleBox(c.center, c.hankei), w);
}

bool ArcCrossesWindow(const TArcBlk& a, const Box& w) {
    const double s = a.st * kDegToRad, e = a.ed * kDegToRad;
    if (InWindow(PolarPoint(a.center, s, a.hankei), w) ||
        InWindow(PolarPoint(a.center, e, a.hankei), w))
        return true;
    return OutlinesCross(ArcBox(a.center, a.hankei, s, e), w);
}

bool TextInWindow(const TTextBlk& t, const Box& w) {
    if (InWindow(t.pt10, w)) return true;
    const TextReach reach = ReachOf(t);
    const TAcadPoint& a = reach.anchor;
    const double r = reach.radius;
    if (BesideWindow(a.x - r, a.y - r, a.x + r, a.y + r, w)) return false;
    return OutlinesCross(TextBoxOf(t), w);
}

} // namespace quillon
