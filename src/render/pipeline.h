// The DXF preview: read a file, reduce it to lines, circles, arcs and texts, fit its extents
// into the picture and draw it; and redraws of the same drawing at another view.
#pragma once

#include "dxf/reader.h"
#include "dxf/two_threads.h"
#include "render/canvas.h"
#include "render/text_drawing.h"
#include "render/view.h"

#include <QImage>
#include <functional>

namespace quillon {

// What one preview found out, for callers that report it.
struct PreviewFacts {
    QString status;  // the reader's status, empty when read to the end
    QString acadVer; // the version found by the scan
    TextEncoding encoding = TextEncoding::Cp932;
    bool read = false;  // the reader ran
    bool drawn = false; // the picture shows the drawing (otherwise the cross)
    double readMs = 0, reduceMs = 0, drawMs = 0;
};

// How a drawing is drawn beside its view.
struct DrawOptions {
    TColor background = 0; // records of this colour are drawn in its inverse
    int penWidth = 1;
    bool noClip = false;        // draw every record, without testing it against the view
    bool thin = false;          // every other line, circle and arc and no texts: for live pans
    TextFonts* fonts = nullptr; // kept between draws by the caller; a set of its own when none
    // Lines, circles and arcs are the work two threads may share, drawing about half of them
    // each at once (the picture is the same).
    TwoThreads twoThreads = {};
};

struct PreviewHooks {
    TextFonts* fonts = nullptr;
    ProgressSink* bar = nullptr;
    MessageSink* owner = nullptr;
    std::function<void()> processEvents;              // run at every progress step
    std::function<void(const DxfDrawing&)> afterRead; // sees the arrays right after the read
};

// Reads and draws dxfName into a picture of the given size and sets the view to its extents.
QImage DrawDxfImage(DxfDrawing& d, ViewState& view, const QString& dxfName, QSize size,
                    const PreviewHooks& hooks, PreviewFacts* facts = nullptr);

// Turns a freshly read drawing into the four drawable arrays and resolves their pens.
void ReduceDrawing(DxfDrawing& d, const std::function<void(int)>& progress);

// The drawing at the view, centred in the canvas.
void DrawDxf(Canvas& canvas, DxfDrawing& d, const ViewState& view, const DrawOptions& options);

// The drawing at the current view, framed in aqua.
QImage RedrawCurrentView(DxfDrawing& d, const ViewState& view, QSize size,
                         const DrawOptions& options = {});

// The picture of a preview that could not be drawn: black with an aqua cross.
QImage NotDrawablePicture(QSize size);

inline constexpr TColor kAqua = 0xFFFF00;

} // namespace quillon
