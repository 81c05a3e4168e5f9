// Drawing TEXT, ATTRIB and MTEXT records: a font cell from the text height, a character width
// from the width factor, the rotation as escapement and the alignment offsets.
#pragma once

#include "dxf/model.h"
#include "render/canvas.h"

#include <QPoint>

namespace quillon {

// The %% codes and the two remaining \U+ codes replaced by their characters.
QString ReplaceTextControlCodes(const QString& text);

// Bytes the text takes in Shift-JIS (a full-width character counts two).
int Cp932ByteCount(const QString& text);

// The angle an MTEXT is drawn at, in degrees: its direction vector when the file gives one,
// else its rotation (group 50).
double MTextAngle(const TAcadPoint& direction, double code50);

// p10 and p11 are relative to the view centre; pt11 is the stored point (MTEXT direction).
void DrawDxfText(Canvas& canvas, QPoint origin, const QString& text, const TAcadPoint& pt11,
                 bool mtflag, int code71, TColor color, double code44, double code50, double code41,
                 double code40, int code73, int code72, const TAcadPoint& p11,
                 const TAcadPoint& p10, double upp);

} // namespace quillon
