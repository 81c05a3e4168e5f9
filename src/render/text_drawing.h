// Drawing TEXT, ATTRIB and MTEXT records: a font for the cell of their layout (text_layout.h),
// the rotation as escapement and the alignment offsets.
#pragma once

#include "dxf/model.h"
#include "render/canvas.h"

#include <QFont>
#include <QPoint>
#include <unordered_map>

namespace quillon {

// The %% codes and the two remaining \U+ codes replaced by their characters.
QString ReplaceTextControlCodes(const QString& text);

// Bytes the text takes in Shift-JIS (a full-width character counts two).
int Cp932ByteCount(const QString& text);

// The fonts texts are drawn with, made once per cell size and kept by whoever draws.
class TextFonts {
public:
    QFont cell(const QFont& base, int cellHeight, int charWidth);

private:
    std::unordered_map<size_t, double> heightRatio_; // ascent + descent per pixel, by family
    std::unordered_map<uint64_t, QFont> made_;
};

// Draws a TEXT, ATTRIB or MTEXT record at a view centred on `centre`; `text` is its string with
// the control codes replaced.
void DrawDxfText(Canvas& canvas, TextFonts& fonts, QPoint origin, const TTextBlk& t,
                 const QString& text, TColor color, const TAcadPoint& centre, double upp);

} // namespace quillon
