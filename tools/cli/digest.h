// Digests of what a preview draws: the drawable records field by field, and the picture's
// pixels. Two builds that draw alike give equal digests, whatever the records' layout in memory.
#pragma once

#include "dxf/model.h"

#include <QImage>
#include <string>

namespace quillon::cli {

std::string RecordsDigest(const DxfDrawing& d);
std::string PictureDigest(const QImage& picture);

} // namespace quillon::cli
