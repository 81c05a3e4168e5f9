// Pictures written as PNG for scripts: fast to write (no filters, zlib's fastest level) and, as
// drawings have few colours, with a palette whenever 256 colours are enough.
#pragma once

#include <QImage>
#include <QString>

namespace quillon::cli {

// Writes the picture to path; false when it cannot be written.
bool WritePng(const QImage& picture, const QString& path);

} // namespace quillon::cli
