#include "render/view.h"

namespace quillon {

double UnitsPerPixel(double viewWidth, double viewHeight, int width, int height, double fill) {
    double s = 1;
    if (viewWidth > 0 && viewHeight > 0)
        s = viewHeight / viewWidth > double(height) / double(width) ? viewHeight / height
                                                                    : viewWidth / width;
    return s / fill;
}

TAcadPoint ScreenToDrawing(const TAcadPoint& centre, QPoint pixel, int height, double fill,
                           int width, double viewHeight, double viewWidth) {
    if (viewWidth <= 0 && viewHeight <= 0) return {};
    const double u = UnitsPerPixel(viewWidth, viewHeight, width, height, fill);
    return {centre.x + u * (pixel.x() - width / 2),
            centre.y + u * (height - pixel.y() - height / 2), 0};
}

Box WindowOfView(const TAcadPoint& centre, int width, int height, double upp) {
    return {{centre.x - width * upp / 2, centre.y - height * upp / 2, 0},
            {centre.x + width * upp / 2, centre.y + height * upp / 2, 0}};
}

} // namespace quillon
