// Picking the drawable record nearest to a model point, and its measures.
#pragma once

#include "dxf/model.h"
#include "render/canvas.h"
#include "render/view.h"

#include <QString>

namespace quillon {

struct Picked {
    enum Kind { None, Line, Circle, Arc, Text } kind = None;
    int index = -1;
};

// The nearest visible line (by its perpendicular foot, which must lie on it), circle or arc (by
// its whole circle) or text (by its reference point). At equal distance lines beat circles,
// circles arcs, arcs texts, and a lower index a higher one.
Picked PickNearest(const DxfDrawing& d, const TAcadPoint& q);

// A text's reference point: its second point when it has an alignment, else its first.
TAcadPoint TextReferencePoint(const TTextBlk& t);

// The picked record drawn inverted, width 7, at the view: drawn twice, the picture is restored.
void DrawHighlight(Canvas& canvas, const DxfDrawing& d, const ViewState& view, const Picked& p);

// "%.3f" with the user's decimal separator.
QString Fixed(double value, int decimals = 3);

// What a press shows for a circle, an arc or a text; empty for a line or nothing.
QString PressMeasure(const DxfDrawing& d, const Picked& p);

// What a release shows for a line: its length, and its distance to the line picked before when
// the two lines meet the perpendicular at its start.
QString LineMeasure(const TAcadLineBlk& line, const TAcadLineBlk& previous);

} // namespace quillon
