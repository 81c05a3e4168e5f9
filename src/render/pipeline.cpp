#include "render/pipeline.h"

#include "dxf/block_expansion.h"
#include "dxf/file_bytes.h"
#include "dxf/file_kind.h"
#include "dxf/layer_index.h"
#include "render/conversions.h"
#include "render/entity_drawing.h"
#include "render/extents.h"
#include "render/figure_run.h"
#include "render/fills.h"
#include "render/geometry.h"
#include "render/pens.h"
#include "render/text_drawing.h"
#include "render/text_layout.h"
#include "render/two_canvases.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <algorithm>
#include <cmath>

namespace quillon {

namespace {

template <class T> void Empty(RecordArray<T>& a) {
    RecordArray<T>().swap(a);
}

// Converts the records of a source array, when it has any, and empties it.
template <class T>
void Consume(DxfDrawing& d, RecordArray<T>& source, void (*convert)(DxfDrawing&)) {
    if (source.empty()) return;
    convert(d);
    Empty(source);
}

void ShowJisLayers(DxfDrawing& d, bool showNew, bool showOld) {
    int matched = 0;
    for (TLayer& l : d.LayerAry) {
        const QString name = l.Name.toUpper();
        if (name == QLatin1String("NEWJIS"))
            l.visible = showNew, ++matched;
        else if (name == QLatin1String("OLDJIS"))
            l.visible = showOld, ++matched;
        if (matched == 2) break;
    }
}

} // namespace

void ReduceDrawing(DxfDrawing& d, const std::function<void(int)>& progress) {
    // Block ellipses and polylines become block lines and arcs first, so that the sizing below
    // counts them.
    if (!d.BlkEllipseAry.empty()) {
        ExplodeBlkEllipses(d, 10);
        Empty(d.BlkEllipseAry);
    }
    if (!d.BlkLwpAry.empty()) {
        ExplodeBlkPolylines(d);
        Empty(d.BlkLwpAry);
        Empty(d.BlkLwpVerAry);
    }
    // Block hatches, solids and splines become block fills and lines, placed with the rest.
    if (!d.BlkHatchAry.empty()) {
        ExplodeBlkHatches(d);
        Empty(d.BlkHatchAry);
    }
    if (!d.BlkSolidAry.empty()) FillBlkSolids(d);
    if (!d.BlkSplineAry.empty()) {
        ExplodeBlkSplines(d);
        Empty(d.BlkSplineAry);
    }
    progress(10);
    // The drawable arrays are the largest: each is sized once for what the steps below add.
    const DrawableCounts reduced = ReducedSizes(d);
    d.LineAry.reserve(reduced.lines);
    d.ArcAry.reserve(reduced.arcs);
    d.CircleAry.reserve(reduced.circles);
    d.TextAry.reserve(reduced.texts);
    progress(20);
    if (!d.LwpAry.empty()) {
        ExplodePolylines(d);
        Empty(d.LwpAry);
        Empty(d.LwpVerAry);
    }
    progress(30);
    if (!d.EllipseAry.empty()) {
        ExplodeEllipses(d, 10);
        Empty(d.EllipseAry);
    }
    progress(40);
    if (!d.ArcAry.empty()) ExplodeOcsArcs(d, false, 10);
    progress(50);
    if (!d.CircleAry.empty()) ExplodeOcsCircles(d, false, 10);
    LinesToWcs(d);
    TextsToWcs(d);
    progress(60);
    const auto tilted = [](const TInsertBlk& i) {
        return !SamePoint(i.code210, kExtrusionZ, 1e-5);
    };
    const bool tiltedInserts = std::any_of(d.TopInsertAry.begin(), d.TopInsertAry.end(), tilted);
    if (!d.TopInsertAry.empty()) ExpandTopInserts(d);
    progress(70);
    if (!d.BlockAry.empty()) {
        try {
            ExpandBlocks(d);
        } catch (...) {
            // what was expanded so far is drawn
        }
        Empty(d.BlockAry);
    }
    // Blocks placed in a flipped or tilted plane are in that plane's coordinates until here.
    if (tiltedInserts) {
        ExplodeOcsArcs(d, false, 10);
        ExplodeOcsCircles(d, false, 10);
        LinesToWcs(d);
        TextsToWcs(d);
        FillsToWcs(d);
    }
    Empty(d.TopInsertAry);
    Empty(d.NestInsertAry);
    Consume(d, d.FaceAry, ExplodeFaces);
    Consume(d, d.LeaderAry, ExplodeLeaders);
    Consume(d, d.SolidAry, ExplodeSolids);
    Consume(d, d.SplineAry, ExplodeSplines);
    Consume(d, d.HatchAry, ExplodeHatches);
    Consume(d, d.MlineAry, ExplodeMlines);
    Empty(d.BlkFillAry);
    Empty(d.BlkFillRingAry);
    Empty(d.BlkFillPointAry);
    progress(80);
    ShowJisLayers(d, true, false);
    progress(90);
    CalcExtents(d);
    if (!d.RayAry.empty()) {
        ExtendRays(d);
        Empty(d.RayAry);
    }
    ResolvePens(d);
}

QImage NotDrawablePicture(QSize size) {
    Canvas c(size.width(), size.height());
    ClearCanvas(c, size.width(), size.height(), 0);
    const int w3 = size.width() / 3, h3 = size.height() / 3;
    c.setPen(kAqua, 1, TPenStyle::psSolid);
    c.moveTo(w3, h3);
    c.lineTo(2 * w3 - 1, 2 * h3 - 1);
    c.moveTo(2 * w3 - 1, h3);
    c.lineTo(w3, 2 * h3 - 1);
    return c.image();
}

QImage DrawDxfImage(DxfDrawing& d, ViewState& view, const QString& dxfName, QSize size,
                    const PreviewHooks& hooks, PreviewFacts* facts) {
    PreviewFacts local;
    PreviewFacts& f = facts ? *facts : local;
    f = PreviewFacts{};
    QImage picture;
    try {
        const QFileInfo info(dxfName);
        if (!info.exists() || FileKindOf(dxfName) != FileKind::Dxf) return NotDrawablePicture(size);
        QString head;
        if (PeekFileHead(dxfName, head) && HeadRejectsDxf(head)) return NotDrawablePicture(size);
        QElapsedTimer clock;
        clock.start();
        // A file another program holds cannot be scanned; the reader then says it is busy.
        QString codePage;
        if (!ScanAcadVer(dxfName, f.acadVer, &codePage) && !FileIsBusy(dxfName))
            return NotDrawablePicture(size);
        f.encoding = ChooseEncoding(f.acadVer, codePage);
        QString version;
        ReadDxfFile(d, dxfName, hooks.bar, hooks.owner, f.status, f.encoding, version);
        f.read = true;
        f.readMs = clock.nsecsElapsed() / 1e6;
        if (hooks.afterRead) hooks.afterRead(d);
        if (!f.status.isEmpty()) return NotDrawablePicture(size);

        if (hooks.bar) hooks.bar->setMaximum(100);
        const auto progress = [&](int position) {
            if (hooks.bar) hooks.bar->setPosition(position);
            if (hooks.processEvents) hooks.processEvents();
        };
        clock.restart();
        ReduceDrawing(d, progress);
        view.ViewWidth = d.ExtMaxPt.x - d.ExtMinPt.x;
        view.ViewHeight = d.ExtMaxPt.y - d.ExtMinPt.y;
        view.ViewCentre = {(d.ExtMaxPt.x + d.ExtMinPt.x) / 2, (d.ExtMaxPt.y + d.ExtMinPt.y) / 2, 0};
        f.reduceMs = clock.nsecsElapsed() / 1e6;

        clock.restart();
        const int w = size.width(), h = size.height();
        Canvas canvas(w, h);
        ClearCanvas(canvas, w, h, 0);
        DrawOptions options;
        options.noClip = true;
        options.fonts = hooks.fonts;
        DrawDxf(canvas, d, view, options);
        progress(0);
        picture = canvas.image();
        f.drawMs = clock.nsecsElapsed() / 1e6;
        f.drawn = true;
        return picture;
    } catch (...) {
        if (hooks.owner)
            hooks.owner->showInformation(QStringLiteral("情報"),
                                         dxfName + u'\r' + QStringLiteral(" 読み込みエラーです"));
        if (hooks.bar) hooks.bar->setPosition(0);
        return NotDrawablePicture(size);
    }
}

namespace {

// An arc whose end angle lies below its start runs through 360 degrees: its end is raised by a
// turn, and kept so in the drawing for the draws and measures that follow.
void RaiseArcEndAboveStart(TArcBlk& a) {
    if (a.st > a.ed) a.ed += 360;
}

// Records of the background's colour are drawn in its inverse.
TColor ColourOf(const DrawOptions& options, TColor c) {
    return c == options.background ? InvertColor(options.background) : c;
}

// Figures `from` to `to` - 1 of the drawing, in order.
void DrawFigures(Canvas& canvas, DxfDrawing& d, const Frame& frame, const DrawOptions& options,
                 size_t from, size_t to) {
    const bool noClip = options.noClip;
    const int penWidth = options.penWidth;
    const auto colourOf = [&](TColor c) { return ColourOf(options, c); };
    const auto shown = [&](const auto& r) { return Shown(d, r); };
    FigureRun{d, options.thin ? size_t(2) : size_t(1)}.each(
        from, to,
        [&](const TAcadLineBlk& l) {
            if (!shown(l) || (!noClip && !LineInWindow(l, frame.window))) return;
            DrawLine(canvas, frame.origin, PointSub(l.st, frame.centre),
                     PointSub(l.ed, frame.centre), frame.upp, colourOf(l.PenColor), penWidth,
                     l.PenStyle);
        },
        [&](const TCircleBlk& c) {
            if (!shown(c) || (!noClip && !CircleInWindow(c, frame.window))) return;
            DrawArc(canvas, frame.origin, PointSub(c.center, frame.centre), c.hankei, 0, 0,
                    frame.upp, colourOf(c.PenColor), penWidth, c.PenStyle);
        },
        [&](TArcBlk& a) {
            if (!shown(a) || (!noClip && !ArcInWindow(a, frame.window))) return;
            RaiseArcEndAboveStart(a);
            const TAcadPoint c = PointSub(a.center, frame.centre);
            if (std::fabs(a.ed - a.st) <= 1) {
                DrawLine(canvas, frame.origin, PolarPoint(c, a.st * kDegToRad, a.hankei),
                         PolarPoint(c, a.ed * kDegToRad, a.hankei), frame.upp, colourOf(a.PenColor),
                         penWidth, a.PenStyle);
            } else {
                DrawArc(canvas, frame.origin, c, a.hankei, a.st * kDegToRad, a.ed * kDegToRad,
                        frame.upp, colourOf(a.PenColor), penWidth, a.PenStyle);
            }
        });
}

// The fills, under everything else: hatches, solids, wide polylines.
void DrawFills(Canvas& canvas, const DxfDrawing& d, const Frame& frame,
               const DrawOptions& options) {
    for (size_t i = 0; i < d.FillAry.size(); i += options.thin ? 2 : 1) {
        const TFillBlk& f = d.FillAry[i];
        if (!Shown(d, f) ||
            (!options.noClip && BesideWindow(f.left, f.bottom, f.right, f.top, frame.window)))
            continue;
        DrawFill(canvas, frame.origin, d, f, frame.centre, frame.upp,
                 ColourOf(options, f.PenColor));
    }
}

} // namespace

void DrawDxf(Canvas& canvas, DxfDrawing& d, const ViewState& view, const DrawOptions& options) {
    const double fill = view.FillFactor;
    if ((view.ViewWidth == 0 && view.ViewHeight == 0) || fill == 0) return;
    const int width = canvas.width(), height = canvas.height();
    const double upp = UnitsPerPixel(view.ViewWidth, view.ViewHeight, width, height, fill);
    const Frame frame{QPoint(width / 2, height / 2), view.ViewCentre, upp,
                      WindowOfView(view.ViewCentre, width, height, upp)};
    DrawFills(canvas, d, frame, options);
    DrawFiguresInTwo(
        canvas, d, frame, options, FigureRun{d, 1}.end(),
        [&](Canvas& on, size_t from, size_t to) { DrawFigures(on, d, frame, options, from, to); });
    if (options.thin) return;
    TextFonts ownFonts;
    TextFonts& fonts = options.fonts ? *options.fonts : ownFonts;
    for (const TTextBlk& t : d.TextAry) {
        if (!Shown(d, t) || (t.code70 & 1)) continue;
        if (!CellDrawn(TextCellHeight(t.code40, upp))) continue;
        if (!options.noClip && !TextInWindow(t, frame.window)) continue;
        DrawDxfText(canvas, fonts, frame.origin, t, ReplaceTextControlCodes(t.str),
                    ColourOf(options, t.PenColor), frame.centre, upp);
    }
}

QImage RedrawCurrentView(DxfDrawing& d, const ViewState& view, QSize size,
                         const DrawOptions& options) {
    const int w = size.width(), h = size.height();
    Canvas canvas(w, h);
    ClearCanvas(canvas, w, h, 0);
    canvas.setPen(kAqua, 1, TPenStyle::psSolid);
    canvas.moveTo(0, 0);
    for (const QPoint& p : {QPoint(w - 1, 0), QPoint(w - 1, h - 1), QPoint(0, h - 1), QPoint(0, 0)})
        canvas.lineTo(p.x(), p.y());
    DrawDxf(canvas, d, view, options);
    return canvas.image();
}

} // namespace quillon
