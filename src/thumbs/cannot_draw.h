// A drawing that cannot be drawn looks the same wherever it is shown, in the preview and in the
// grid: black with an aqua cross. Why it could not be drawn is said in the user's words, and
// travels with the picture (in memory and in a cached PNG alike) as its text "reason".
#pragma once

#include "dwg/thumbnail.h"
#include "render/pipeline.h"

#include <QImage>
#include <QString>

namespace quillon {

// Why a DXF preview could not be drawn; empty when it was. `d` is the drawing it read.
QString DxfCannotDrawReason(const QString& file, const PreviewFacts& facts, const DxfDrawing& d);

// Why a DWG file's preview image could not be shown; empty when it was, and for a file that
// carries none (an older file, another kind of image), which shows as plain black.
QString DwgCannotDrawReason(const QString& file, const ThumbnailFacts& facts);

// The cross, with its reason.
QImage CannotDrawPicture(QSize size, const QString& reason);

// The reason a picture carries; empty for a drawing.
QString CannotDrawReason(const QImage& picture);

} // namespace quillon
