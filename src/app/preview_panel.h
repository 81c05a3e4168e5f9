// The preview of the selected drawing in the main window's picture. It owns the drawing and the
// view. Reading lets pending events run; a preview asked for meanwhile waits for the running one
// and a redraw asked for meanwhile is dropped, so neither ever sees a half-built drawing.
#pragma once

#include "dxf/model.h"
#include "render/pipeline.h"
#include "render/view.h"

#include <QString>

class QProgressBar;

namespace quillon {

class PreviewImage;
class UserPrompts;

class PreviewPanel {
public:
    PreviewPanel(PreviewImage& image, QProgressBar& bar, UserPrompts& prompts);
    ~PreviewPanel();

    // A DXF file read, reduced and drawn to fit the picture; sets the view.
    void drawDxfImage(const QString& dxfName);
    // The drawing again at the current view.
    void redrawCurrentView(bool noClip);
    // Every other record, no texts, about another centre: the live picture of a pan.
    void redrawThin(const TAcadPoint& centre);
    // The preview image embedded in a DWG file.
    void showDwgThumbnail(const QString& fileName, bool whiteEmphasis);
    void clear();

    bool busy() const { return busy_; }
    const DxfDrawing& drawing() const { return drawing_; }
    ViewState& view() { return view_; }

private:
    class Bar;
    // The picture, or the cross when there is a reason it could not be drawn (also the tool tip).
    void show(const QImage& picture, const QString& reason);

    PreviewImage& image_;
    std::unique_ptr<Bar> bar_;
    UserPrompts& prompts_;
    DxfDrawing drawing_;
    TextFonts fonts_;
    ViewState view_;
    bool busy_ = false;
    uint64_t request_ = 0; // every request supersedes the pictures of the ones before it
    QString reason_;       // why the shown drawing could not be drawn; empty when it was
    QString pendingDxf_;
    uint64_t pendingRequest_ = 0;
};

} // namespace quillon
