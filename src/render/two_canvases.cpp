#include "render/two_canvases.h"

#include "dxf/two_threads.h"
#include "render/extents.h"
#include "render/figure_run.h"

#include <algorithm>
#include <cmath>

namespace quillon {

namespace {

// Where the second thread can take over: a shown figure at or after the middle of the work that
// surely sets a solid pen of its own. The end when there is none.
size_t HandOver(const DxfDrawing& d, const Frame& frame, const DrawOptions& options) {
    const FigureRun figures{d, options.thin ? size_t(2) : size_t(1)};
    // An arc costs about three lines or circles (the turns to its ends, the test of its sweep).
    const size_t work = figures.circlesEnd() + 3 * d.ArcAry.size();
    const size_t middle = work / 2 <= figures.circlesEnd()
                              ? work / 2
                              : figures.circlesEnd() + (work / 2 - figures.circlesEnd()) / 3;
    // Within a margin of the pixel limits a line is never cut (and always sets its pen).
    constexpr double kSafe = 1 << 19;
    const auto near = [&](const TAcadPoint& p) {
        return std::fabs((p.x - frame.centre.x) / frame.upp) < kSafe &&
               std::fabs((p.y - frame.centre.y) / frame.upp) < kSafe;
    };
    const auto settles = [&](const auto& r) {
        return r.PenStyle == TPenStyle::psSolid && Shown(d, r);
    };
    for (size_t i = middle; i < figures.circlesEnd(); ++i) {
        if (!figures.taken(i)) continue;
        if (i < figures.lines()) {
            const TAcadLineBlk& l = d.LineAry[i];
            if (settles(l) && (options.noClip || LineInWindow(l, frame.window)) && near(l.st) &&
                near(l.ed))
                return i;
        } else {
            const TCircleBlk& c = d.CircleAry[i - figures.lines()];
            if (settles(c) && (options.noClip || CircleInWindow(c, frame.window)) &&
                Nearest(c.hankei / frame.upp) > 0)
                return i;
        }
    }
    return figures.end();
}

} // namespace

void DrawFiguresInTwo(Canvas& canvas, const DxfDrawing& d, const Frame& frame,
                      const DrawOptions& options, size_t figures,
                      const std::function<void(Canvas&, size_t, size_t)>& draw) {
    size_t handOver = figures;
    if (options.twoThreads.worth(figures) && options.penWidth == 1 &&
        canvas.penMode() == PenMode::Copy && !canvas.recording())
        handOver = HandOver(d, frame, options);
    if (handOver == figures) {
        draw(canvas, 0, figures);
        return;
    }
    const std::unique_ptr<Canvas> later = Overlay(canvas);
    RunInTwo([&](int part) {
        if (part == 0)
            draw(canvas, 0, handOver);
        else
            draw(*later, handOver, figures);
    });
    LayOver(canvas, *later);
}

std::unique_ptr<Canvas> Overlay(const Canvas& canvas) {
    auto o = std::make_unique<Canvas>(canvas.width_, canvas.height_);
    std::fill_n(o->bits_, qsizetype(o->stride_) * o->height_, 0u);
    return o;
}

void LayOver(Canvas& canvas, const Canvas& later) {
    canvas.endPainter();
    // Every pixel a pen sets is opaque; the untouched ones of an overlay are not.
    for (int y = 0; y < std::min(canvas.height_, later.height_); ++y) {
        uint32_t* to = canvas.bits_ + qsizetype(y) * canvas.stride_;
        const uint32_t* from = later.bits_ + qsizetype(y) * later.stride_;
        for (int x = 0; x < std::min(canvas.width_, later.width_); ++x) {
            const uint32_t set = uint32_t(int32_t(from[x]) >> 31); // all ones where opaque
            to[x] = (from[x] & set) | (to[x] & ~set);
        }
    }
    canvas.penColor_ = later.penColor_;
    canvas.penRgb_ = later.penRgb_;
    canvas.penWidth_ = later.penWidth_;
    canvas.penStyle_ = later.penStyle_;
    canvas.pattern_ = later.pattern_;
    canvas.patternIndex_ = later.patternIndex_;
    canvas.patternLeft_ = later.patternLeft_;
    canvas.penChanges_ += later.penChanges_;
    canvas.curX_ = later.curX_;
    canvas.curY_ = later.curY_;
}

} // namespace quillon
