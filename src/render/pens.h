// Pens of the drawable records: colour from the colour index, style from the line type.
#pragma once

#include "dxf/model.h"
#include "dxf/two_threads.h"
#include "render/canvas.h"

#include <QPoint>

namespace quillon {

TColor AciToColor(int number);
TPenStyle LineTypeToPenStyle(const QString& name);
class LayerIndex;
TPenStyle EntityPenStyle(const DxfDrawing& d, LayerIndex& layers, const QString& ltype,
                         const QString& layer);

// Fills PenColor, PenStyle and layindex of every drawable record; lines, arcs and circles are
// the work two threads may share.
void ResolvePens(DxfDrawing& d, TwoThreads twoThreads = {});

} // namespace quillon
