// The preview as a live view: wheel zoom about the pointer, pan with the middle button, the five
// band gestures of the left and right buttons, the crosshair with its read-out, and Shift + click
// picking and measuring. Plain functions of (state, view, event): they draw the overlays on the
// picture's canvas and say which redraw follows and what the measure box shows.
#pragma once

#include "dxf/model.h"
#include "preview/pick.h"
#include "render/canvas.h"
#include "render/view.h"

#include <QPoint>
#include <QSize>
#include <QString>
#include <optional>

namespace quillon {

struct InteractionState {
    TAcadPoint SavedViewCentre;
    double SavedViewWidth = 0, SavedViewHeight = 0;
    QPoint DragStart, DragLast;
    bool BandActive = false, PanActive = false;
    bool PanBusy = false, WheelBusy = false; // a redraw of that kind runs
    QPoint CrossPos;
    bool CrossDrawn = false;
    int WheelRest = 0; // wheel turn short of a whole notch, in angle units
    int PickedLine = -1, PickedCircle = -1, PickedArc = -1, PickedText = -1;
    TAcadLineBlk PrevPickedLine; // kept across drawings for the whole run
};

enum class MouseButton { Left, Right, Middle };

struct MouseEvent {
    QPoint at; // pixel of the picture
    MouseButton button = MouseButton::Left;
    bool shift = false;
    double ratio = 1; // picture pixels per logical pixel: the hand's distances grow with it
};

// What follows a handler.
struct Reaction {
    enum class Redraw { None, Full, Extents, Thin } redraw = Redraw::None;
    TAcadPoint thinCentre;          // the centre of a thin (pan) redraw
    std::optional<QString> measure; // the new text of the measure box
};

// The handlers act only on a DXF preview that is shown.
bool InteractionGate(bool dxfShown, const QString& selectedName);

// Whole notches (120 angle units each, negative towards the user) in a wheel turn: a fine wheel
// or a touchpad sends a notch in parts, kept in `rest` until they make one; turning the other
// way drops them.
int WheelNotches(int& rest, int angleDelta);

// One wheel step: k = 2 zooms out, 0.5 in, about the pointer. Nothing outside the picture (the
// control under the pointer keeps the wheel: `handled` stays false) or past the zoom limits.
Reaction WheelStep(InteractionState& s, ViewState& view, const DxfDrawing& d, QSize picture,
                   QPoint pointer, double k, bool& handled);

Reaction MouseDown(InteractionState& s, const ViewState& view, const DxfDrawing& d, Canvas& canvas,
                   const MouseEvent& e);
Reaction MouseMove(InteractionState& s, const ViewState& view, Canvas& canvas, const MouseEvent& e);
Reaction MouseUp(InteractionState& s, ViewState& view, const DxfDrawing& d, Canvas& canvas,
                 const MouseEvent& e);

// A view inside the zoom limits: not finer than the drawing's coordinates resolve (1e-9 of its
// extents), not wider than a million times them.
bool WithinZoomLimits(const DxfDrawing& d, double viewWidth, double viewHeight);

// The record a Shift press picked (none when nothing was).
Picked CurrentPick(const InteractionState& s);

// "W= %.2f , H= %.2f" of the picture's model size.
QString ViewSizeText(const ViewState& view, QSize picture);

} // namespace quillon
