// The words a DXF drawing holds, as the search looks through them: its texts (TEXT, MTEXT without
// its formatting codes, ATTRIB, the texts of dimensions) and the names of its blocks, decoded as
// the preview decodes them.
#pragma once

#include <QString>
#include <vector>

namespace quillon {

enum class TextKind : unsigned char { Text, MText, Attrib, Dimension, Block };
const char* TextKindName(TextKind kind); // "text", "mtext", "attrib", "dimension", "block"

struct DrawingText {
    TextKind kind = TextKind::Text;
    QString text;
    bool operator==(const DrawingText&) const = default;
};

struct DrawingTexts {
    bool readable = false; // false: not a DXF the reader could read to its end
    std::vector<DrawingText> texts;
};

DrawingTexts ReadDrawingTexts(const QString& dxfName);

} // namespace quillon
