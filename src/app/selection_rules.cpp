#include "app/selection_rules.h"

#include "app/paths.h"

namespace quillon {

SelectionActions ActionsForPath(const QString& path, bool convertDxfFirst) {
    const QString ext = UpperExtension(path);
    const bool dwg = ext == QLatin1String(".DWG"), dxf = ext == QLatin1String(".DXF");
    return {dwg, dwg || (dxf && convertDxfFirst)};
}

QString MaskForTyped(const QString& typed) {
    return QStringLiteral("*") + typed + QStringLiteral("*.DWG;*DXF");
}

} // namespace quillon
