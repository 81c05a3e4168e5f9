// How large is the drawing, and does a record reach into the window shown? Boxes of circles,
// arcs and texts, the drawing's extents and the window tests.
#pragma once

#include "dxf/model.h"
#include "render/view.h"

namespace quillon {

Box OrderCorners(const TAcadPoint& a, const TAcadPoint& b);
Box CircleBox(const TAcadPoint& centre, double radius);
Box ArcBox(const TAcadPoint& centre, double radius, double start, double end);
Box TextBox(const TAcadPoint& pt10, const TAcadPoint& pt11, int code71, bool mtflag,
            const QString& str, int code73, int code72, double code44, double code50, double code41,
            double code40);
Box TextBoxOf(const TTextBlk& t);

// How far above a TEXT's alignment point the top of its cell lies, for a cell of that height,
// by its vertical (code73) and horizontal (code72) alignment.
double TextCellRise(int code72, int code73, double cell);

// Sets ExtMinPt and ExtMaxPt of the drawing.
void CalcExtents(DxfDrawing& d);

bool LineInWindow(const TAcadLineBlk& l, const Box& w);
bool CircleInWindow(const TCircleBlk& c, const Box& w);
bool ArcInWindow(const TArcBlk& a, const Box& w);
bool TextInWindow(const TTextBlk& t, const Box& w);

} // namespace quillon
