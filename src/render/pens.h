// Pens of the drawable records (colour from the colour index, style from the line type) and the
// two primitives that draw a segment or a circle or arc.
#pragma once

#include "dxf/model.h"
#include "render/canvas.h"

#include <QPoint>

namespace quillon {

TColor AciToColor(int number);
TPenStyle LineTypeToPenStyle(const QString& name);
class LayerIndex;
TPenStyle EntityPenStyle(const DxfDrawing& d, LayerIndex& layers, const QString& ltype,
                         const QString& layer);

// Fills PenColor, PenStyle and layindex of every drawable record.
void ResolvePens(DxfDrawing& d);

// start and end are relative to the view centre.
void DrawLine(Canvas& canvas, QPoint origin, const TAcadPoint& start, const TAcadPoint& end,
              double upp, TColor color, int penWidth, TPenStyle penStyle);
// Angles in radians; both 0 draw the full circle.
void DrawArc(Canvas& canvas, QPoint origin, const TAcadPoint& centre, double radius,
             double startAngle, double endAngle, double upp, TColor color, int penWidth,
             TPenStyle penStyle);

} // namespace quillon
