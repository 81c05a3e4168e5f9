// The preview image a CAD program stores in a DWG file: found through the file header, decoded
// (BMP or PNG), trimmed to its drawn part and fitted into the preview panel.
#pragma once

#include "dxf/model.h"

#include <QImage>
#include <QRect>
#include <QString>
#include <optional>

namespace quillon {

enum class ThumbnailLoad {
    Taken,     // the bitmap now holds the preview image
    Untouched, // an older file, or a preview of another kind: the bitmap is as it was
    Cancelled  // unreadable or damaged: the caller stops silently
};

// What was found on the way, for reports.
struct ThumbnailFacts {
    int version = 0;
    std::optional<uint32_t> seeker, start, size;
    std::optional<int> imageKind;
    std::optional<QSize> image;
    QRgb background = 0;
    QRect content, crop, shown; // crop: source rectangle copied; shown: where it went
    bool cancelled = false;
};

ThumbnailLoad LoadDwgThumbnail(const QString& fileName, QImage& bitmap,
                               ThumbnailFacts* facts = nullptr);

// The panel's picture for a DWG file: the preview cropped to its drawn part, on the background,
// scaled to 90 % of the panel and centred. False only when the file does not exist; a
// cancelled load leaves the plain background.
struct ThumbnailOptions {
    TColor background = 0;
    bool trim = true;           // cropped to the drawn part
    bool whiteEmphasis = false; // thin white lines kept when shrinking
};
bool ShowDwgThumbnail(const QString& fileName, QSize panel, const ThumbnailOptions& options,
                      QImage& picture, ThumbnailFacts* facts = nullptr);

} // namespace quillon
