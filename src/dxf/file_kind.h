// What a drawing file is, told by its name's extension in any case: "a.DWG", "b.dxf".
#pragma once

#include <QString>

namespace quillon {

enum class FileKind { Other, Dxf, Dwg };

FileKind FileKindOf(const QString& path);

// The extension with its dot, upper case ("" when none); a dot in a folder's name is none.
QString UpperExtension(const QString& path);

} // namespace quillon
