// The two primitives every drawable record is drawn with: a segment, and a circle or arc, from
// model coordinates relative to the view centre onto the canvas.
#pragma once

#include "dxf/model.h"
#include "render/canvas.h"

#include <QPoint>

namespace quillon {

// start and end are relative to the view centre.
void DrawLine(Canvas& canvas, QPoint origin, const TAcadPoint& start, const TAcadPoint& end,
              double upp, TColor color, int penWidth, TPenStyle penStyle);
// Angles in radians; both 0 draw the full circle.
void DrawArc(Canvas& canvas, QPoint origin, const TAcadPoint& centre, double radius,
             double startAngle, double endAngle, double upp, TColor color, int penWidth,
             TPenStyle penStyle);
// A fill of the drawing (its rings in `d`'s fill arrays) with the view centre at `centre`.
void DrawFill(Canvas& canvas, QPoint origin, const DxfDrawing& d, const TFillBlk& f,
              const TAcadPoint& centre, double upp, TColor color);

} // namespace quillon
