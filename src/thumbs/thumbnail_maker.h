// One drawing's thumbnail, as the preview would draw it at that size: DXF through the preview
// pipeline, DWG from its embedded image, anything else (or a failure) the cross with its reason
// (thumbs/cannot_draw.h). Safe to call from any thread.
#pragma once

#include <QImage>
#include <QString>

namespace quillon {

enum class ThumbnailKind { Dxf, Dwg, Other };

struct Thumbnail {
    QImage picture;
    ThumbnailKind kind = ThumbnailKind::Other;
    bool drawn = false; // false: the cross
};

Thumbnail MakeThumbnail(const QString& file, QSize size);

} // namespace quillon
