#include "preview/interaction.h"

#include "dxf/file_kind.h"
#include "render/geometry.h"

#include <algorithm>
#include <cmath>

namespace quillon {

namespace {

constexpr TColor kCrossColour = 0x008000; // green
constexpr int kGesture = 10;              // logical pixels a band moves on both axes to zoom

double Upp(const ViewState& v, QSize picture) {
    return UnitsPerPixel(v.ViewWidth, v.ViewHeight, picture.width(), picture.height(),
                         v.FillFactor);
}

TAcadPoint ToModel(const ViewState& v, QSize picture, QPoint pixel) {
    return ScreenToDrawing(v.ViewCentre, pixel, picture.height(), v.FillFactor, picture.width(),
                           v.ViewHeight, v.ViewWidth);
}

void SaveView(InteractionState& s, const ViewState& v) {
    s.SavedViewCentre = v.ViewCentre;
    s.SavedViewWidth = v.ViewWidth;
    s.SavedViewHeight = v.ViewHeight;
}

void DrawBand(Canvas& c, QPoint from, QPoint to) {
    c.setPen(0, 3, TPenStyle::psDashDotDot);
    c.setPenMode(PenMode::NotXor);
    c.frame(from.x(), from.y(), to.x(), to.y());
    c.setPenMode(PenMode::Copy);
}

void DrawCross(Canvas& c, QPoint at) {
    c.moveTo(0, at.y() - 1);
    c.lineTo(c.width(), at.y() - 1);
    c.moveTo(at.x() - 1, 0);
    c.lineTo(at.x() - 1, c.height());
}

QSize SizeOf(const Canvas& c) {
    return {c.width(), c.height()};
}

} // namespace

Picked CurrentPick(const InteractionState& s) {
    if (s.PickedLine >= 0) return {Picked::Line, s.PickedLine};
    if (s.PickedCircle >= 0) return {Picked::Circle, s.PickedCircle};
    if (s.PickedArc >= 0) return {Picked::Arc, s.PickedArc};
    if (s.PickedText >= 0) return {Picked::Text, s.PickedText};
    return {};
}

bool InteractionGate(bool dxfShown, const QString& selectedName) {
    return dxfShown && FileKindOf(selectedName) == FileKind::Dxf;
}

bool WithinZoomLimits(const DxfDrawing& d, double viewWidth, double viewHeight) {
    const double extents = std::max({d.ExtMaxPt.x - d.ExtMinPt.x, d.ExtMaxPt.y - d.ExtMinPt.y,
                                     std::fabs(d.ExtMaxPt.x), std::fabs(d.ExtMaxPt.y),
                                     std::fabs(d.ExtMinPt.x), std::fabs(d.ExtMinPt.y), 1e-300});
    const double size = std::max(viewWidth, viewHeight);
    return size >= extents * 1e-9 && size <= extents * 1e6;
}

QString ViewSizeText(const ViewState& view, QSize picture) {
    const double upp = Upp(view, picture);
    return QStringLiteral("W= ") + Fixed(picture.width() * upp, 2) + QStringLiteral(" , H= ") +
           Fixed(picture.height() * upp, 2);
}

int WheelNotches(int& rest, int angleDelta) {
    constexpr int kNotch = 120;
    if ((angleDelta < 0 && rest > 0) || (angleDelta > 0 && rest < 0)) rest = 0;
    rest += angleDelta;
    const int notches = rest / kNotch; // towards zero: the part of a notch stays
    rest -= notches * kNotch;
    return notches;
}

Reaction WheelStep(InteractionState& s, ViewState& view, const DxfDrawing& d, QSize picture,
                   QPoint pointer, double k, bool& handled) {
    handled = false;
    s.CrossDrawn = false;
    if (pointer.x() < 0 || pointer.y() < 0 || pointer.x() >= picture.width() ||
        pointer.y() >= picture.height())
        return {};
    handled = true;
    if (!WithinZoomLimits(d, view.ViewWidth * k, view.ViewHeight * k)) return {};
    const TAcadPoint p = ToModel(view, picture, pointer);
    SaveView(s, view);
    view.ViewWidth *= k;
    view.ViewHeight *= k;
    view.ViewCentre.x = p.x - k * (p.x - view.ViewCentre.x);
    view.ViewCentre.y = p.y - k * (p.y - view.ViewCentre.y);
    return {Reaction::Redraw::Full, {}, {}};
}

Reaction MouseDown(InteractionState& s, const ViewState& view, const DxfDrawing& d, Canvas& canvas,
                   const MouseEvent& e) {
    s.PickedLine = s.PickedCircle = s.PickedArc = s.PickedText = -1;
    if (e.shift) {
        const Picked p = PickNearest(d, ToModel(view, SizeOf(canvas), e.at));
        if (p.kind == Picked::None) return {};
        DrawHighlight(canvas, d, view, p);
        int* index[] = {nullptr, &s.PickedLine, &s.PickedCircle, &s.PickedArc, &s.PickedText};
        *index[p.kind] = p.index;
        Reaction r;
        if (p.kind != Picked::Line) r.measure = PressMeasure(d, p);
        return r;
    }
    s.DragStart = s.DragLast = e.at;
    if (e.button == MouseButton::Middle) {
        s.PanActive = true;
        return {};
    }
    s.BandActive = true;
    DrawBand(canvas, s.DragStart, e.at);
    return {};
}

Reaction MouseMove(InteractionState& s, const ViewState& view, Canvas& canvas,
                   const MouseEvent& e) {
    canvas.setPen(kCrossColour, 1, TPenStyle::psSolid);
    canvas.setPenMode(PenMode::Xor);
    if (s.CrossDrawn) DrawCross(canvas, s.CrossPos);
    DrawCross(canvas, e.at);
    canvas.setPen(0xFFFFFF, 1, TPenStyle::psSolid);
    canvas.setPenMode(PenMode::Copy);
    s.CrossPos = e.at;
    s.CrossDrawn = true;
    if (e.shift || view.ViewWidth == 0) return {};
    const QSize picture = SizeOf(canvas);
    const TAcadPoint p = ToModel(view, picture, e.at);
    Reaction r;
    r.measure = ViewSizeText(view, picture) + QStringLiteral(" - X= ") + Fixed(p.x, 2) +
                QStringLiteral(" , Y= ") + Fixed(p.y, 2);
    const bool moved = e.at.x() != s.DragLast.x() && e.at.y() != s.DragLast.y();
    if (s.BandActive && moved) {
        DrawBand(canvas, s.DragStart, s.DragLast);
        DrawBand(canvas, s.DragStart, e.at);
        s.DragLast = e.at;
    } else if (s.PanActive && moved && !s.PanBusy) {
        const TAcadPoint last = ToModel(view, picture, s.DragLast);
        r.redraw = Reaction::Redraw::Thin;
        r.thinCentre = {view.ViewCentre.x + last.x - p.x, view.ViewCentre.y + last.y - p.y,
                        view.ViewCentre.z};
    }
    return r;
}

Reaction MouseUp(InteractionState& s, ViewState& view, const DxfDrawing& d, Canvas& canvas,
                 const MouseEvent& e) {
    if (e.shift) {
        const Picked p = CurrentPick(s);
        if (p.kind == Picked::None) return {};
        Reaction r;
        if (p.kind == Picked::Line) {
            const TAcadLineBlk& line = d.LineAry[size_t(p.index)];
            r.measure = LineMeasure(line, s.PrevPickedLine);
            s.PrevPickedLine = line;
        }
        DrawHighlight(canvas, d, view, p); // erased
        return r;
    }
    s.CrossDrawn = false;
    s.BandActive = false;
    const bool pan = s.PanActive;
    s.PanActive = false;
    const QSize picture = SizeOf(canvas);
    const TAcadPoint from = ToModel(view, picture, s.DragStart), to = ToModel(view, picture, e.at);
    Reaction r;
    r.redraw = Reaction::Redraw::Full;
    const int dx = e.at.x() - s.DragStart.x(), dy = e.at.y() - s.DragStart.y();
    const int gesture = Nearest(kGesture * e.ratio);
    const TAcadPoint middle{(from.x + to.x) / 2, (from.y + to.y) / 2, view.ViewCentre.z};
    if (pan) {
        view.ViewCentre.x += from.x - to.x;
        view.ViewCentre.y += from.y - to.y;
    } else if (dx > gesture && dy > gesture) { // zoom to the window
        if (WithinZoomLimits(d, to.x - from.x, from.y - to.y)) {
            SaveView(s, view);
            view.ViewCentre = middle;
            view.ViewWidth = to.x - from.x;
            view.ViewHeight = from.y - to.y;
        }
    } else if (dx > gesture && dy < -gesture) { // zoom to the extents
        SaveView(s, view);
        view.ViewWidth = d.ExtMaxPt.x - d.ExtMinPt.x;
        view.ViewHeight = d.ExtMaxPt.y - d.ExtMinPt.y;
        view.ViewCentre = {(d.ExtMaxPt.x + d.ExtMinPt.x) / 2, (d.ExtMaxPt.y + d.ExtMinPt.y) / 2,
                           view.ViewCentre.z};
        r.redraw = Reaction::Redraw::Extents;
    } else if (dx < -gesture && dy < -gesture) { // zoom out
        if (WithinZoomLimits(d, view.ViewWidth * 2, view.ViewHeight * 2)) {
            SaveView(s, view);
            view.ViewWidth *= 2;
            view.ViewHeight *= 2;
        }
    } else if (dx < -gesture && dy > gesture) { // the view before the last zoom
        view.ViewWidth = s.SavedViewWidth;
        view.ViewHeight = s.SavedViewHeight;
        view.ViewCentre = s.SavedViewCentre;
    } else { // re-centre
        view.ViewCentre = middle;
    }
    r.measure = ViewSizeText(view, picture);
    return r;
}

} // namespace quillon
