#include "thumbs/thumbnail_maker.h"

#include "dwg/thumbnail.h"
#include "dxf/file_kind.h"
#include "render/pipeline.h"
#include "thumbs/cannot_draw.h"

namespace quillon {

Thumbnail MakeThumbnail(const QString& file, QSize size) {
    Thumbnail t;
    const FileKind kind = FileKindOf(file);
    QString reason = QStringLiteral("図面ではありません");
    if (kind == FileKind::Dxf) {
        t.kind = ThumbnailKind::Dxf;
        DxfDrawing d;
        ViewState view;
        PreviewFacts facts;
        t.picture = DrawDxfImage(d, view, file, size, {}, &facts);
        reason = DxfCannotDrawReason(file, facts, d);
    } else if (kind == FileKind::Dwg) {
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
