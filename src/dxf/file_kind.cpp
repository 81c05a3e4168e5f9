#include "dxf/file_kind.h"

#include <QFileInfo>

namespace quillon {

FileKind FileKindOf(const QString& path) {
    const QString ext = UpperExtension(path);
    if (ext == QLatin1String(".DXF")) return FileKind::Dxf;
    if (ext == QLatin1String(".DWG")) return FileKind::Dwg;
    return FileKind::Other;
}

QString UpperExtension(const QString& path) {
    const QString name = QFileInfo(path).fileName();
    const qsizetype dot = name.lastIndexOf(u'.');
    return dot < 0 ? QString() : name.mid(dot).toUpper();
}

} // namespace quillon
