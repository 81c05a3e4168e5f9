#include "render/entity_drawing.h"

#include "render/geometry.h"
#include "render/view.h"

#include <QPainterPath>
#include <QPolygonF>
#include <algorithm>

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

void DrawFill(Canvas& canvas, QPoint origin, const DxfDrawing& d, const TFillBlk& f,
              const TAcadPoint& centre, double upp, TColor color) {
    // A fill smaller than a pixel covers no pixel centre: it shows as the pixel it lies in.
    if ((f.right - f.left) / upp < 1 && (f.top - f.bottom) / upp < 1) {
        const QPoint c = DrawingToScreen(
            {(f.left + f.right) / 2 - centre.x, (f.bottom + f.top) / 2 - centre.y, 0}, origin, upp);
        canvas.setPixel(c.x(), c.y(), color);
        return;
    }
    // Far outside the picture coordinates are held at a margin, where rounding cannot show.
    constexpr double kMargin = 1 << 20;
    const auto pixel = [&](double v, int at) {
        return std::clamp(v / upp, -kMargin, kMargin) + at;
    };
    QPainterPath path;
    path.setFillRule(f.winding ? Qt::WindingFill : Qt::OddEvenFill);
    size_t at = f.first;
    QPolygonF ring;
    for (uint32_t r = 0; r < f.rings; ++r) {
        const uint32_t count = d.FillRingAry[f.firstRing + r];
        ring.clear();
        for (uint32_t k = 0; k < count; ++k, ++at) {
            const TFillPoint& p = d.FillPointAry[at];
            ring.append({pixel(p.x - centre.x, origin.x()), pixel(centre.y - p.y, origin.y())});
        }
        path.addPolygon(ring);
        path.closeSubpath();
    }
    canvas.fillPath(path, color);
}

} // namespace quillon
