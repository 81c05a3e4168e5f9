// The preview's gestures: wheel zoom, pan, band zooms, the crosshair and Shift + click measures.
// The logic lives in preview/interaction.h; these handlers feed it and show its results.
#include "app/main_window.h"

#include "app/preview_image.h"
#include "app/preview_panel.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QWheelEvent>
#include <cstdlib>

namespace quillon {

namespace {

MouseButton ButtonOf(Qt::MouseButton b) {
    return b == Qt::MiddleButton  ? MouseButton::Middle
           : b == Qt::RightButton ? MouseButton::Right
                                  : MouseButton::Left;
}

// Runs a redraw with its busy guard set, and clears the guard however the redraw ends.
template <class Redraw> void Guarded(bool& busy, Redraw redraw) {
    if (busy) return;
    busy = true;
    try {
        redraw();
    } catch (...) {
        // the view keeps its change; the next redraw shows it
    }
    busy = false;
}

} // namespace

bool TForm2::gestureGate() const {
    return InteractionGate(CheckBox1->isChecked(), Edit1->text());
}

void TForm2::applyReaction(const Reaction& r, bool* guard) {
    bool unguarded = false;
    bool& busy = guard ? *guard : unguarded;
    switch (r.redraw) {
    case Reaction::Redraw::None: break;
    case Reaction::Redraw::Full:
        Guarded(busy, [this] { preview_->redrawCurrentView(false); });
        break;
    case Reaction::Redraw::Extents:
        Guarded(busy, [this] { preview_->redrawCurrentView(true); });
        break;
    case Reaction::Redraw::Thin:
        Guarded(busy, [this, &r] { preview_->redrawThin(r.thinCentre); });
        break;
    }
    if (r.measure) Edit3->setText(*r.measure);
}

bool TForm2::wheel(QPointF global, double k) {
    if (!gestureGate()) return false;
    bool handled = false;
    const QPoint at = Image2->picturePixel(Image2->mapFromGlobal(global));
    const Reaction r = WheelStep(interaction_, preview_->view(), preview_->drawing(),
                                 Image2->pictureSize(), at, k, handled);
    applyReaction(r, &interaction_.WheelBusy);
    return handled;
}

bool TForm2::FormMouseWheelDown(QPointF global) {
    return wheel(global, 2);
}

bool TForm2::FormMouseWheelUp(QPointF global) {
    return wheel(global, 0.5);
}

void TForm2::wheelEvent(QWheelEvent* event) {
    const QPointF at = event->globalPosition();
    if (!gestureGate() || !Image2->rect().contains(Image2->mapFromGlobal(at).toPoint())) {
        interaction_.WheelRest = 0;
        event->ignore(); // the control that normally gets the wheel keeps it
        return;
    }
    const int notches = WheelNotches(interaction_.WheelRest, event->angleDelta().y());
    for (int i = 0; i < std::abs(notches); ++i)
        notches < 0 ? FormMouseWheelDown(at) : FormMouseWheelUp(at);
    event->accept();
}

void TForm2::Image2MouseDown(QPoint at, Qt::MouseButton button, bool shift) {
    if (!gestureGate()) return;
    Canvas canvas(Image2->picture());
    const Reaction r = MouseDown(interaction_, preview_->view(), preview_->drawing(), canvas,
                                 {at, ButtonOf(button), shift, Image2->devicePixelRatioF()});
    Image2->drawOverlay(canvas.image());
    applyReaction(r, nullptr);
}

void TForm2::Image2MouseMove(QPoint at, bool shift) {
    if (!gestureGate()) {
        Edit3->clear();
        return;
    }
    Canvas canvas(Image2->picture());
    const Reaction r = MouseMove(interaction_, preview_->view(), canvas,
                                 {at, {}, shift, Image2->devicePixelRatioF()});
    Image2->drawOverlay(canvas.image());
    applyReaction(r, &interaction_.PanBusy);
}

void TForm2::Image2MouseUp(QPoint at, Qt::MouseButton button, bool shift) {
    if (!gestureGate()) return;
    Canvas canvas(Image2->picture());
    const Reaction r = MouseUp(interaction_, preview_->view(), preview_->drawing(), canvas,
                               {at, ButtonOf(button), shift, Image2->devicePixelRatioF()});
    Image2->drawOverlay(canvas.image());
    applyReaction(r, nullptr);
}

} // namespace quillon
