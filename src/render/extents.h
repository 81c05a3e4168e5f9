// How large is the drawing, and does a record reach into the window shown? Boxes of circles
// and arcs (a text's box is its layout's, text_layout.h), the drawing's extents and the window
// tests.
#pragma once

#include "dxf/model.h"
#include "dxf/two_threads.h"
#include "render/view.h"

#include <algorithm>
#include <cmath>

namespace quillon {

Box OrderCorners(const TAcadPoint& a, const TAcadPoint& b);
Box CircleBox(const TAcadPoint& centre, double radius);
Box ArcBox(const TAcadPoint& centre, double radius, double start, double end);

// Sets ExtMinPt and ExtMaxPt of the drawing; lines, circles and arcs are the work two threads
// may share (the extents are those of one).
void CalcExtents(DxfDrawing& d, TwoThreads twoThreads = {});

// The window tests settle a record wholly inside or wholly beside the window inline, the rest
// (a record crossing the window's edge) out of line.
inline bool InWindow(const TAcadPoint& p, const Box& w) {
    return w.min.x <= p.x && p.x <= w.max.x && w.min.y <= p.y && p.y <= w.max.y;
}
inline bool BesideWindow(double minX, double minY, double maxX, double maxY, const Box& w) {
    return maxX < w.min.x || minX > w.max.x || maxY < w.min.y || minY > w.max.y;
}
bool LineCrossesWindow(const TAcadLineBlk& l, const Box& w);
bool CircleCrossesWindow(const TCircleBlk& c, const Box& w);
bool ArcCrossesWindow(const TArcBlk& a, const Box& w);

inline bool LineInWindow(const TAcadLineBlk& l, const Box& w) {
    if (InWindow(l.st, w) && InWindow(l.ed, w)) return true;
    if (BesideWindow(std::min(l.st.x, l.ed.x), std::min(l.st.y, l.ed.y), std::max(l.st.x, l.ed.x),
                     std::max(l.st.y, l.ed.y), w))
        return false;
    return LineCrossesWindow(l, w);
}
inline bool CircleInWindow(const TCircleBlk& c, const Box& w) {
    const TAcadPoint& m = c.center;
    if (BesideWindow(m.x - c.hankei, m.y - c.hankei, m.x + c.hankei, m.y + c.hankei, w))
        return false;
    return InWindow(m, w) || CircleCrossesWindow(c, w);
}
inline bool ArcInWindow(const TArcBlk& a, const Box& w) {
    const TAcadPoint& m = a.center;
    const double r = std::fabs(a.hankei);
    if (BesideWindow(m.x - r, m.y - r, m.x + r, m.y + r, w)) return false;
    return InWindow(m, w) || ArcCrossesWindow(a, w);
}
bool TextInWindow(const TTextBlk& t, const Box& w);

} // namespace quillon
