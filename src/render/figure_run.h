// The lines, circles and arcs of a drawing taken as one run of figures, in that order, as the
// draws and the extents walk them, and shared between threads by ranges of that run.
#pragma once

#include "dxf/model.h"

#include <algorithm>

namespace quillon {

template <class Drawing> struct FigureRun {
    Drawing& d;
    size_t stride = 1; // 2: every other figure of each array

    size_t lines() const { return d.LineAry.size(); }
    size_t circlesEnd() const { return lines() + d.CircleAry.size(); }
    size_t end() const { return circlesEnd() + d.ArcAry.size(); }
    // Whether figure i is one the stride takes.
    bool taken(size_t i) const {
        const size_t inArray = i < lines() ? i : i < circlesEnd() ? i - lines() : i - circlesEnd();
        return inArray % stride == 0;
    }

    // Hands the taken figures `from` to `to` - 1, in order, to line, circle and arc.
    template <class Line, class Circle, class Arc>
    void each(size_t from, size_t to, Line&& line, Circle&& circle, Arc&& arc) const {
        walk(d.LineAry, 0, from, to, line);
        walk(d.CircleAry, lines(), from, to, circle);
        walk(d.ArcAry, circlesEnd(), from, to, arc);
    }

private:
    // The records of `array`, which starts at figure `first`, that fall in [from, to).
    template <class Array, class Visit>
    void walk(Array& array, size_t first, size_t from, size_t to, Visit& visit) const {
        size_t i = from > first ? (from - first + stride - 1) / stride * stride : 0;
        const size_t end = std::min(array.size(), to > first ? to - first : 0);
        for (; i < end; i += stride) visit(array[i]);
    }
};

template <class Drawing> FigureRun(Drawing&, size_t) -> FigureRun<Drawing>;

} // namespace quillon
