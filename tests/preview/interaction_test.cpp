// The preview's gestures and measures, without widgets.
#include "preview/interaction.h"
#include "render/pipeline.h"

#include <gtest/gtest.h>

using namespace quillon;

namespace {

constexpr QSize kPicture{200, 200};

// A drawing 0..100 in both directions whose view fits it exactly.
struct Scene {
    DxfDrawing d;
    ViewState view;
    InteractionState s;
    Canvas canvas{kPicture.width(), kPicture.height()};

    Scene() {
        d.LayerAry = {DefaultLayer("0")};
        d.ExtMinPt = {0, 0, 0};
        d.ExtMaxPt = {100, 100, 0};
        view.ViewCentre = {50, 50, 0};
        view.ViewWidth = view.ViewHeight = 100;
        view.FillFactor = 1; // 0.5 model units per pixel, (0, 100) at pixel (0, 0)
    }
    TAcadLineBlk& line(TAcadPoint st, TAcadPoint ed, const char* layer = "0") {
        TAcadLineBlk& l = d.LineAry.emplace_back();
        l.st = st, l.ed = ed, l.layer = layer;
        return l;
    }
    Reaction press(QPoint at, MouseButton b = MouseButton::Left, bool shift = false) {
        return MouseDown(s, view, d, canvas, {at, b, shift});
    }
    Reaction release(QPoint at, MouseButton b = MouseButton::Left, bool shift = false) {
        return MouseUp(s, view, d, canvas, {at, b, shift});
    }
    Reaction click(QPoint at) { // Shift + click
        press(at, MouseButton::Left, true);
        return release(at, MouseButton::Left, true);
    }
};

} // namespace

TEST(Gestures, WheelDownThenUpRestoresTheViewAndStaysInItsLimits) {
    Scene t;
    bool handled = false;
    const ViewState before = t.view;
    EXPECT_EQ(WheelStep(t.s, t.view, t.d, kPicture, {30, 170}, 2, handled).redraw,
              Reaction::Redraw::Full);
    EXPECT_TRUE(handled);
    EXPECT_EQ(t.view.ViewWidth, 200);
    WheelStep(t.s, t.view, t.d, kPicture, {30, 170}, 0.5, handled);
    EXPECT_EQ(t.view.ViewWidth, before.ViewWidth);
    EXPECT_NEAR(t.view.ViewCentre.x, before.ViewCentre.x, 1e-12);
    EXPECT_NEAR(t.view.ViewCentre.y, before.ViewCentre.y, 1e-12);
    // Outside the picture the wheel is not taken.
    WheelStep(t.s, t.view, t.d, kPicture, {200, 10}, 2, handled);
    EXPECT_FALSE(handled);
    EXPECT_EQ(t.view.ViewWidth, 100);
    // In and out, the view stops at its limits however far the wheel turns.
    for (const double k : {0.5, 2.0}) {
        for (int step = 0; step < 200; ++step)
            WheelStep(t.s, t.view, t.d, kPicture, {100, 100}, k, handled);
        EXPECT_TRUE(WithinZoomLimits(t.d, t.view.ViewWidth, t.view.ViewHeight)) << k;
        EXPECT_TRUE(k < 1 ? t.view.ViewWidth < 1e-5 : t.view.ViewWidth > 1e7) << k;
    }
}

TEST(Gestures, TheFiveBandGestures) {
    const struct {
        QPoint to;
        Reaction::Redraw redraw;
        double width;
        TAcadPoint centre;
    } cases[] = {
        {{150, 140}, Reaction::Redraw::Full, 25, {62.5, 40, 0}},   // zoom to the window
        {{150, 60}, Reaction::Redraw::Extents, 100, {50, 50, 0}},  // zoom to the extents
        {{50, 60}, Reaction::Redraw::Full, 100, {40, 40, 0}},      // zoom out
        {{50, 140}, Reaction::Redraw::Full, 50, {40, 40, 0}},      // the view before
        {{105, 100}, Reaction::Redraw::Full, 50, {40.625, 40, 0}}, // re-centre
    };
    Scene t;
    t.view.ViewWidth = t.view.ViewHeight = 50; // the view before every gesture but the first
    t.view.ViewCentre = {40, 40, 0};
    for (const auto& c : cases) {
        Scene g;
        g.view = c.to == QPoint(150, 140) ? Scene().view : t.view;
        g.s.SavedViewWidth = g.s.SavedViewHeight = 50;
        g.s.SavedViewCentre = {40, 40, 0};
        g.press({100, 100});
        EXPECT_TRUE(g.s.BandActive);
        const Reaction r = g.release(c.to);
        EXPECT_EQ(r.redraw, c.redraw) << c.to.x() << "," << c.to.y();
        EXPECT_NEAR(g.view.ViewWidth, c.width, 1e-9) << c.to.x() << "," << c.to.y();
        EXPECT_NEAR(g.view.ViewCentre.x, c.centre.x, 1e-9) << c.to.x() << "," << c.to.y();
        EXPECT_NEAR(g.view.ViewCentre.y, c.centre.y, 1e-9) << c.to.x() << "," << c.to.y();
        EXPECT_TRUE(r.measure->startsWith("W= ")) << r.measure->toStdString();
        EXPECT_FALSE(g.s.BandActive);
    }
}

TEST(Gestures, BandPanAndCrosshairOverlays) {
    Scene t;
    t.line({0, 0, 0}, {100, 100, 0});
    const QImage clean = t.canvas.image().copy();
    // Band: a horizontal move leaves it; a release after the crosshair and band is a redraw.
    t.press({20, 20});
    MouseMove(t.s, t.view, t.canvas, {{60, 20}, {}, false});
    EXPECT_EQ(t.s.DragLast, QPoint(20, 20));
    const Reaction move = MouseMove(t.s, t.view, t.canvas, {{60, 50}, {}, false});
    EXPECT_EQ(t.s.DragLast, QPoint(60, 50));
    EXPECT_EQ(*move.measure, "W= 100.00 , H= 100.00 - X= 30.00 , Y= 75.00");
    EXPECT_FALSE(t.canvas.image() == clean);
    // Pan: live thin redraws about a moved centre; the release moves the view by the drag.
    Scene p;
    p.press({100, 100}, MouseButton::Middle);
    const Reaction live = MouseMove(p.s, p.view, p.canvas, {{120, 90}, {}, false});
    EXPECT_EQ(live.redraw, Reaction::Redraw::Thin);
    EXPECT_NEAR(live.thinCentre.x, 40, 1e-9);
    EXPECT_NEAR(live.thinCentre.y, 45, 1e-9);
    EXPECT_EQ(p.view.ViewCentre, (TAcadPoint{50, 50, 0})); // unchanged while dragging
    p.s.PanBusy = true;
    EXPECT_EQ(MouseMove(p.s, p.view, p.canvas, {{130, 80}, {}, false}).redraw,
              Reaction::Redraw::None);
    p.release({120, 90}, MouseButton::Middle);
    EXPECT_NEAR(p.view.ViewCentre.x, 40, 1e-9);
    EXPECT_NEAR(p.view.ViewCentre.y, 45, 1e-9);
    // The crosshair drawn twice at one place restores the picture.
    Scene c;
    const QImage before = c.canvas.image().copy();
    MouseMove(c.s, c.view, c.canvas, {{50, 70}, {}, false});
    EXPECT_FALSE(c.canvas.image() == before);
    c.s.CrossDrawn = false;
    MouseMove(c.s, c.view, c.canvas, {{50, 70}, {}, false});
    EXPECT_TRUE(c.canvas.image() == before);
}

TEST(Gestures, GateAndBandFrameRestoreThePicture) {
    EXPECT_TRUE(InteractionGate(true, "a.DxF"));
    EXPECT_FALSE(InteractionGate(false, "a.dxf"));
    EXPECT_FALSE(InteractionGate(true, "a.dwg"));
    EXPECT_FALSE(InteractionGate(true, "a.dwg.dxf.bak"));
    Canvas c(100, 80);
    c.setPen(0xFFFFFF, 1, TPenStyle::psSolid);
    c.moveTo(0, 0);
    c.lineTo(99, 79);
    const QImage before = c.image();
    for (int k = 0; k < 2; ++k) {
        c.setPen(0, 3, TPenStyle::psDashDotDot);
        c.setPenMode(PenMode::NotXor);
        c.frame(10, 10, 60, 50);
        c.setPenMode(PenMode::Copy);
    }
    EXPECT_TRUE(c.image() == before);
}

TEST(Measures, LinesCirclesArcsAndTexts) {
    Scene t;
    t.line({0, 50, 0}, {100, 50, 0}); // 0: length 100
    t.line({0, 25, 0}, {100, 25, 0}); // 1: parallel, 25 below
    // First line of the run: length only.
    EXPECT_EQ(*t.click({100, 100}).measure, "[0] 長さ = 100.000");
    EXPECT_EQ(*t.click({100, 150}).measure, "[0] 長さ = 100.000 相互距離 = 25.000");
    EXPECT_EQ(*t.click({100, 150}).measure, "[0] 長さ = 100.000 相互距離 = 0.000");
    // Equal distances: the lower index wins; a nearer circle beats a line.
    Scene e;
    e.line({0, 60, 0}, {100, 60, 0}, "A");
    e.line({0, 60, 0}, {100, 60, 0}, "B");
    TCircleBlk circle;
    circle.layer = "C";
    circle.center = {50, 50, 0};
    circle.hankei = 10.5; // the click at its centre: 10.5 away, the lines 10
    e.d.CircleAry = {circle};
    e.press({100, 100}, MouseButton::Left, true);
    EXPECT_EQ(e.s.PickedLine, 0);
    EXPECT_EQ(e.s.PickedCircle, -1);
    e.d.CircleAry[0].hankei = 9.5;
    EXPECT_EQ(*e.press({100, 100}, MouseButton::Left, true).measure, "[C] 円半径 = 9.500");
    EXPECT_EQ(e.s.PickedLine, -1);
    // An arc picked by the part of its circle outside its sweep; a text by its second point.
    Scene a;
    TArcBlk arc;
    arc.layer = "R";
    arc.center = {50, 50, 0};
    arc.hankei = 30;
    arc.st = 0;
    arc.ed = 90;
    a.d.ArcAry = {arc};
    EXPECT_EQ(*a.press({40, 100}, MouseButton::Left, true).measure, "[R] 円弧半径 = 30.000");
    TTextBlk text;
    text.layer = "T";
    text.str = "M10";
    text.code40 = 2.5;
    text.pt10 = {0, 0, 0};
    text.pt11 = {90, 90, 0};
    text.code72 = 1;
    a.d.TextAry = {text};
    EXPECT_EQ(*a.press({180, 20}, MouseButton::Left, true).measure, "[T] 文字高さ = 2.500 \"M10\"");
    // Shift while moving keeps the measure: no read-out.
    EXPECT_FALSE(MouseMove(a.s, a.view, a.canvas, {{10, 10}, {}, true}).measure);
    // The highlight is erased by the release.
    Scene h;
    h.line({0, 50, 0}, {100, 50, 0});
    const QImage before = h.canvas.image().copy();
    h.press({100, 100}, MouseButton::Left, true);
    EXPECT_FALSE(h.canvas.image() == before);
    h.release({100, 100}, MouseButton::Left, true);
    EXPECT_TRUE(h.canvas.image() == before);
}
