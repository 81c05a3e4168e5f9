#include "thumbs/thumbnail_maker.h"

#include "dwg/thumbnail.h"
#include "render/pipeline.h"
#include "thumbs/cannot_draw.h"

#include <QFileInfo>

namespace quillon {

Thumbnail MakeThumbnail(const QString& file, QSize size) {
    Thumbnail t;
    const QString ext = QFileInfo(file).suffix().toUpper();
    QString reason = QStringLiteral("図面ではありません");
    if (ext == QLatin1String("DXF")) {
        t.kind = ThumbnailKind::Dxf;
        DxfDrawing d;
        ViewState view;
        PreviewFacts facts;
        t.picture = DrawDxfImage(d, view, file, size, {}, &facts);
        reason = DxfCannotDrawReason(file, facts, d);
    } else if (ext == QLatin1String("DWG")) {
        t.kind = ThumbnailKind::Dwg;
        ThumbnailFacts facts;
        ShowDwgThumbnail(file, size, {}, t.picture, &facts);
        reason = DwgCannotDrawReason(file, facts);
    }
    t.drawn = reason.isEmpty();
    if (!t.drawn) t.picture = CannotDrawPicture(size, reason);
    return t;
}

} // namespace quillon
