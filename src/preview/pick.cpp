#include "preview/pick.h"

#include "dxf/layer_index.h"
#include "render/entity_drawing.h"
#include "render/geometry.h"

#include <QLocale>

namespace quillon {

TAcadPoint TextReferencePoint(const TTextBlk& t) {
    return t.code72 != 0 || t.code73 != 0 ? t.pt11 : t.pt10;
}

Picked PickNearest(const DxfDrawing& d, const TAcadPoint& q) {
    LayerIndex layers(d.LayerAry);
    double best = 0;
    bool any = false;
    int candidate[5] = {-1, -1, -1, -1, -1}; // by kind
    const auto offer = [&](Picked::Kind kind, size_t i, double distance) {
        if (any && !(distance < best)) return;
        best = distance;
        any = true;
        candidate[kind] = int(i);
    };
    for (size_t i = 0; i < d.LineAry.size(); ++i) {
        const TAcadLineBlk& l = d.LineAry[i];
        if (!layers.visible(l.layer)) continue;
        const double a = PointAngle(l.st, l.ed) + kPi / 2;
        TAcadPoint foot;
        if (SegmentIntersect(PolarPoint(q, a, -1000000), PolarPoint(q, a, 1000000), l.st, l.ed,
                             true, foot))
            offer(Picked::Line, i, Distance2D(q, foot));
    }
    const auto toCircle = [&](const TAcadPoint& centre, double radius) {
        return Distance2D(q, PolarPoint(centre, PointAngle(centre, q), radius));
    };
    for (size_t i = 0; i < d.CircleAry.size(); ++i)
        if (layers.visible(d.CircleAry[i].layer))
            offer(Picked::Circle, i, toCircle(d.CircleAry[i].center, d.CircleAry[i].hankei));
    for (size_t i = 0; i < d.ArcAry.size(); ++i)
        if (layers.visible(d.ArcAry[i].layer))
            offer(Picked::Arc, i, toCircle(d.ArcAry[i].center, d.ArcAry[i].hankei));
    for (size_t i = 0; i < d.TextAry.size(); ++i)
        if (layers.visible(d.TextAry[i].layer))
            offer(Picked::Text, i, Distance2D(q, TextReferencePoint(d.TextAry[i])));
    const int line = candidate[Picked::Line], circle = candidate[Picked::Circle],
              arc = candidate[Picked::Arc], text = candidate[Picked::Text];
    if (line >= 0 && circle < 0 && arc < 0 && text < 0) return {Picked::Line, line};
    if (circle >= 0 && arc < 0 && text < 0) return {Picked::Circle, circle};
    if (arc >= 0 && text < 0) return {Picked::Arc, arc};
    if (text >= 0) return {Picked::Text, text};
    return {};
}

void DrawHighlight(Canvas& canvas, const DxfDrawing& d, const ViewState& view, const Picked& p) {
    if (p.kind == Picked::None) return;
    const QPoint origin(canvas.width() / 2, canvas.height() / 2);
    const double upp = UnitsPerPixel(view.ViewWidth, view.ViewHeight, canvas.width(),
                                     canvas.height(), view.FillFactor);
    const TAcadPoint& c = view.ViewCentre;
    canvas.setPenMode(PenMode::Not);
    const auto circle = [&](const TAcadPoint& centre, double radius, double st, double ed) {
        DrawArc(canvas, origin, PointSub(centre, c), radius, st, ed, upp, 0, 7, TPenStyle::psSolid);
    };
    const size_t i = size_t(p.index);
    switch (p.kind) {
    case Picked::Line:
        DrawLine(canvas, origin, PointSub(d.LineAry[i].st, c), PointSub(d.LineAry[i].ed, c), upp, 0,
                 7, TPenStyle::psSolid);
        break;
    case Picked::Circle: circle(d.CircleAry[i].center, d.CircleAry[i].hankei, 0, 0); break;
    case Picked::Arc:
        circle(d.ArcAry[i].center, d.ArcAry[i].hankei, d.ArcAry[i].st * kDegToRad,
               d.ArcAry[i].ed * kDegToRad);
        break;
    case Picked::Text: circle(TextReferencePoint(d.TextAry[i]), d.TextAry[i].code40, 0, 0); break;
    case Picked::None: break;
    }
    canvas.setPenMode(PenMode::Copy);
}

QString Fixed(double value, int decimals) {
    QLocale locale = QLocale::system();
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    return locale.toString(value, 'f', decimals);
}

QString PressMeasure(const DxfDrawing& d, const Picked& p) {
    const size_t i = size_t(p.index);
    switch (p.kind) {
    case Picked::Circle:
        return u'[' + d.CircleAry[i].layer + QStringLiteral("] 円半径 = ") +
               Fixed(d.CircleAry[i].hankei);
    case Picked::Arc:
        return u'[' + d.ArcAry[i].layer + QStringLiteral("] 円弧半径 = ") +
               Fixed(d.ArcAry[i].hankei);
    case Picked::Text:
        return u'[' + d.TextAry[i].layer + QStringLiteral("] 文字高さ = ") +
               Fixed(d.TextAry[i].code40) + QStringLiteral(" \"") + d.TextAry[i].str + u'"';
    default: return {};
    }
}

QString LineMeasure(const TAcadLineBlk& line, const TAcadLineBlk& previous) {
    QString text =
        u'[' + line.layer + QStringLiteral("] 長さ = ") + Fixed(Distance2D(line.st, line.ed));
    const TAcadPoint e = PolarPoint(line.st, PointAngle(line.st, line.ed) + kPi / 2, 1000);
    TAcadPoint f;
    if (SegmentIntersect(line.st, e, previous.st, previous.ed, false, f)) {
        const double m = Distance2D(f, line.st);
        if (m < 1e12) text += QStringLiteral(" 相互距離 = ") + Fixed(m);
    }
    return text;
}

} // namespace quillon
