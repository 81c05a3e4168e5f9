// Pictures are drawn in the screen's own pixels: on a dense screen (125 % to 200 %) a widget of a
// given size in logical pixels covers size × ratio device pixels, and a picture of that many,
// shown pixel for pixel, keeps its one-pixel lines one pixel wide.
#pragma once

#include <QPoint>
#include <QPointF>
#include <QSize>
#include <cmath>

namespace quillon {

// The device pixels a logical size covers, a pixel covered in part counted whole.
inline QSize DevicePixels(QSize logical, double ratio) {
    const auto cover = [ratio](int n) { return int(std::ceil(n * ratio - 1e-6)); };
    return {cover(logical.width()), cover(logical.height())};
}

// The device pixel at a logical position.
inline QPoint DevicePixel(QPointF logical, double ratio) {
    return (logical * ratio).toPoint();
}

} // namespace quillon
