#include "render/extents.h"

#include "dxf/layer_index.h"
#include "dxf/text_decoding.h"
#include "dxf/two_threads.h"
#include "render/figure_run.h"
#include "render/geometry.h"
#include "render/text_drawing.h"

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

void Widen(Box& running, const Box& b) {
    running.min.x = std::min(running.min.x, b.min.x);
    running.min.y = std::min(running.min.y, b.min.y);
    running.max.x = std::max(running.max.x, b.max.x);
    running.max.y = std::max(running.max.y, b.max.y);
}

void Include(Box& box, const TAcadPoint& p) {
    Widen(box, {p, p});
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

Box TextBox(const TAcadPoint& pt10, const TAcadPoint& pt11, int code71, bool mtflag,
            const QString& str, int code73, int code72, double code44, double code50, double code41,
            double code40) {
    const double theta = (mtflag ? MTextAngle(pt11, code50) : code50) * kDegToRad;
    if (mtflag) {
        QStringList lines;
        const int k = SplitMTextLines(str, lines);
        const double w = code41, u = code40 * code44 * 1.86;
        double x1 = 0, x2 = w, y1 = 0, y2 = -u * k;
        if (code71 == 2 || code71 == 5 || code71 == 8)
            x1 = w / 2, x2 = -w / 2;
        else if (code71 == 3 || code71 == 6 || code71 == 9)
            x1 = 0, x2 = -w;
        if (code71 >= 4 && code71 <= 6)
            y1 = u * k / 2, y2 = -u * k / 2;
        else if (code71 >= 7 && code71 <= 9)
            y1 = u * k, y2 = 0;
        Box box{pt10, pt10};
        for (const TAcadPoint& corner : {TAcadPoint{x1, y1, 0}, TAcadPoint{x2, y2, 0},
                                         TAcadPoint{x2, y1, 0}, TAcadPoint{x1, y2, 0}}) {
            const TAcadPoint r = RotatePoint(corner, theta);
            Include(box, {pt10.x + r.x, pt10.y + r.y, 0});
        }
        return box;
    }
    const TAcadPoint b = (code72 == 0 && code73 == 0) ? pt10 : pt11;
    const double width = code40 * code41 * 0.855 * double(str.size());
    double dx = 0;
    if (code72 == 1 || code72 == 4)
        dx = -width / 2;
    else if (code72 == 2 || code72 == 3 || code72 == 5)
        dx = -width;
    const double dy = TextCellRise(code72, code73, code40);
    const TAcadPoint o = RotatePoint({dx, dy, 0}, theta);
    const TAcadPoint k3{b.x + 2 * o.x, b.y + 2 * o.y, b.z};
    const TAcadPoint k4 = PolarPoint(k3, theta, width);
    const TAcadPoint k1 = PolarPoint(k3, theta - kPi / 4, code40);
    const TAcadPoint k2 = PolarPoint(k1, theta, width);
    Box box{b, b};
    for (const TAcadPoint& p : {k1, k2, k3, k4}) Include(box, p);
    box.min.z = box.max.z = 0;
    return box;
}

double TextCellRise(int code72, int code73, double cell) {
    switch (code73) {
    case 0: return code72 == 4 ? cell / 2 - 0.03 * cell : 0.855 * cell;
    case 1: return 0.994 * cell;
    case 2: return cell / 2 - 0.03 * cell;
    case 3: return 0.086 * cell;
    default: return cell;
    }
}

Box TextBoxOf(const TTextBlk& t) {
    return TextBox(t.pt10, t.pt11, t.code71, t.mtflag, t.str, t.code73, t.code72, t.code44,
                   t.code50, t.code41, t.code40);
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

void CalcExtents(DxfDrawing& d, size_t twoThreadsFrom) {
    d.ExtMinPt = d.ExtMaxPt = {};
    const size_t figures = FigureRun{d, 1}.end();
    Reach reach;
    if (WorthASecondThread(figures, twoThreadsFrom)) {
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
    // Most texts of a zoomed view lie far from it: how far a box can reach from the point it is
    // built on (its corners are turned, its lines stacked, never longer than this) tells so
    // without the box.
    const double cell = std::fabs(t.code40), characters = double(t.str.size());
    const double reach =
        t.mtflag ? std::fabs(t.code41) + cell * std::fabs(t.code44) * 1.86 * (characters + 1)
                 : 3 * (cell * std::fabs(t.code41) * 0.855 * characters + cell);
    const double r = reach * 1.01; // and room for rounding
    const TAcadPoint& a = t.mtflag || (t.code72 == 0 && t.code73 == 0) ? t.pt10 : t.pt11;
    if (BesideWindow(a.x - r, a.y - r, a.x + r, a.y + r, w)) return false;
    return OutlinesCross(TextBoxOf(t), w);
}

} // namespace quillon
