// How a TEXT, ATTRIB or MTEXT record is laid out in the preview: the cell its characters are
// drawn in, its angle, where its cell lies against its alignment point, and the box it covers in
// the drawing. Drawing, the window tests and the extents all take texts from here, so that a
// text the window tests keep is one the drawing shows.
#pragma once

#include "dxf/model.h"
#include "render/view.h"

namespace quillon {

// The height in pixels of a text's cell: its height (group 40) at the view's units per pixel,
// and room above and below. A cell of one pixel or less draws nothing.
int TextCellHeight(double code40, double upp);
inline bool CellDrawn(int cellHeight) {
    return cellHeight > 1;
}

// The average character width in pixels: of an MTEXT by its height, of a TEXT by its height and
// width factor (group 41). A fitted TEXT (code72 5) spreads its bytes between its two points.
int TextCharWidth(double code40, double code41, bool mtflag, double upp);
int FittedCharWidth(double distance, int bytes, double upp);

// The angle an MTEXT is drawn at, in degrees: its direction vector when the file gives one,
// else its rotation (group 50).
double MTextAngle(const TAcadPoint& direction, double code50);

// How far above a TEXT's alignment point the top of its cell lies, for a cell of that height,
// by its vertical (code73) and horizontal (code72) alignment.
double TextCellRise(int code72, int code73, double cell);
// The same for each line of an MTEXT, by its attachment (code71).
double MTextLineRise(int code71, double cell);

// The drawing's rectangle a text covers.
Box TextBoxOf(const TTextBlk& t);

// The point a text's box is built on, and a distance from it that no corner of the box passes
// (its corners are turned, its lines stacked): most texts of a zoomed view are told apart from
// the window by it without their box.
struct TextReach {
    TAcadPoint anchor;
    double radius;
};
TextReach ReachOf(const TTextBlk& t);

} // namespace quillon
