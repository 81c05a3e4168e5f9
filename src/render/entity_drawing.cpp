#include "render/entity_drawing.h"

#include "render/geometry.h"
#include "render/view.h"

namespace quillon {

void DrawLine(Canvas& canvas, QPoint origin, const TAcadPoint& start, const TAcadPoint& end,
              double upp, TColor color, int penWidth, TPenStyle penStyle) {
    // Pixel offsets from the origin. An end far outside the picture is moved along the line to
    // a margin around it, so that rounding and the coordinate limit never turn the line.
    double x0 = start.x / upp, y0 = -start.y / upp, x1 = end.x / upp, y1 = -end.y / upp;
    constexpr double kMargin = 1 << 20;
    const double left = -origin.x() - kMargin, top = -origin.y() - kMargin;
    if (!ClipSegment(x0, y0, x1, y1, left, top, left + canvas.width() + 2 * kMargin,
                     top + canvas.height() + 2 * kMargin))
        return;
    const QPoint a(origin.x() + Nearest(x0), origin.y() + Nearest(y0)),
        b(origin.x() + Nearest(x1), origin.y() + Nearest(y1));
    canvas.setPen(color, penWidth, penStyle);
    canvas.moveTo(a.x(), a.y());
    canvas.lineTo(b.x(), b.y());
}

void DrawArc(Canvas& canvas, QPoint origin, const TAcadPoint& centre, double radius,
             double startAngle, double endAngle, double upp, TColor color, int penWidth,
             TPenStyle penStyle) {
    const QPoint c = DrawingToScreen(centre, origin, upp);
    if (Nearest(radius / upp) <= 0) {
        canvas.setPixel(c.x(), c.y(), color);
        return;
    }
    // Both ends at angle 0 needs no trigonometry; a sweep of a whole turn is the whole circle too.
    const bool full = (startAngle == 0 && endAngle == 0) || endAngle - startAngle >= 2 * kPi;
    const QPoint p1 = DrawingToScreen(full ? TAcadPoint{centre.x + radius, centre.y, centre.z}
                                           : PolarPoint(centre, startAngle, radius),
                                      origin, upp);
    const QPoint p2 =
        full ? p1 : DrawingToScreen(PolarPoint(centre, endAngle, radius), origin, upp);
    if (endAngle < startAngle) endAngle += 2 * kPi;
    if (p1 == p2 && !full && endAngle - startAngle > kPi / 18000) {
        canvas.setPixel(c.x(), c.y(), color);
        return;
    }
    const QPoint a = DrawingToScreen({centre.x - radius, centre.y + radius, 0}, origin, upp);
    const QPoint b = DrawingToScreen({centre.x + radius, centre.y - radius, 0}, origin, upp);
    canvas.setPen(color, penWidth, penStyle);
    canvas.arc(a.x(), a.y(), b.x(), b.y(), p1.x(), p1.y(), p2.x(), p2.y());
}

} // namespace quillon
