#include "thumbs/thumbnail_maker.h"

#include "dwg/thumbnail.h"
#include "render/pipeline.h"

#include <QFileInfo>

namespace quillon {

Thumbnail MakeThumbnail(const QString& file, QSize size) {
    Thumbnail t;
    const QString ext = QFileInfo(file).suffix().toUpper();
    if (ext == QLatin1String("DXF")) {
        t.kind = ThumbnailKind::Dxf;
        DxfDrawing d;
        ViewState view;
        PreviewFacts facts;
        t.picture = DrawDxfImage(d, view, file, size, {}, &facts);
        t.drawn = facts.drawn;
    } else if (ext == QLatin1String("DWG")) {
        t.kind = ThumbnailKind::Dwg;
        ThumbnailFacts facts;
        t.drawn = ShowDwgThumbnail(file, size, {}, t.picture, &facts) && !facts.cancelled;
        if (!t.drawn) t.picture = NotDrawablePicture(size);
    } else {
        t.picture = NotDrawablePicture(size);
    }
    return t;
}

} // namespace quillon
