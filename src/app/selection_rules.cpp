#include "app/selection_rules.h"

#include "dxf/file_kind.h"

namespace quillon {

SelectionActions ActionsForPath(const QString& path, bool convertDxfFirst) {
    const FileKind kind = FileKindOf(path);
    const bool dwg = kind == FileKind::Dwg, dxf = kind == FileKind::Dxf;
    return {dwg, dwg || (dxf && convertDxfFirst)};
}

QString MaskForTyped(const QString& typed) {
    return QStringLiteral("*") + typed + QStringLiteral("*.DWG;*DXF");
}

} // namespace quillon
