// A draw's lines, circles and arcs on two canvases at once. The first thread draws the figures
// before the hand-over on the picture, the second the rest on a canvas of its own with nothing
// on it, which is then laid over the picture. That gives the picture of a single run because
// the pen is a 1-pixel copy pen (each pixel shows the last figure drawn on it), the second
// canvas begins at a figure that sets a solid pen of its own (nothing it draws depends on the
// pen or the place in a style pattern before it), and the picture takes the second canvas's
// pen and position at the end, as if it had drawn what the second drew.
#pragma once

#include "dxf/layer_index.h"
#include "dxf/model.h"
#include "render/canvas.h"
#include "render/pipeline.h"
#include "render/view.h"

#include <QPoint>
#include <functional>
#include <memory>

namespace quillon {

// The geometry of one draw: where the view's centre lands and how large a pixel is.
struct Frame {
    QPoint origin;
    TAcadPoint centre;
    double upp;
    Box window;
};

// A record the view shows: visible, in model space, on a visible layer.
template <class R> bool Shown(const DxfDrawing& d, const R& r) {
    return r.code60 == 0 && r.code67 == 0 && LayerVisibleByIndex(d, r.layindex);
}

// Draws the figures 0 to `figures` - 1 of the drawing (FigureRun) on `canvas` by
// draw(canvas, from, to), which draws figures `from` to `to` - 1 in order: on two canvases at
// once where that pays and gives the same picture.
void DrawFiguresInTwo(Canvas& canvas, const DxfDrawing& d, const Frame& frame,
                      const DrawOptions& options, size_t figures,
                      const std::function<void(Canvas&, size_t, size_t)>& draw);

// A canvas of the same size with nothing on it (not even black), a copy pen and no pen set yet.
std::unique_ptr<Canvas> Overlay(const Canvas& canvas);
// Copies every pixel `later` set onto `canvas` and gives it the pen and pen position of
// `later`, as if `canvas` had drawn what `later` drew.
void LayOver(Canvas& canvas, const Canvas& later);

} // namespace quillon
