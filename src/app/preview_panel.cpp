#include "app/preview_panel.h"

#include "app/preview_image.h"
#include "app/user_prompts.h"
#include "dwg/thumbnail.h"
#include "thumbs/cannot_draw.h"

#include <QCoreApplication>
#include <QProgressBar>

namespace quillon {

class PreviewPanel::Bar : public ProgressSink {
public:
    explicit Bar(QProgressBar& bar) : bar_(bar) {}
    void setMaximum(int max) override { bar_.setMaximum(max); }
    void setPosition(int pos) override { bar_.setValue(std::min(pos, bar_.maximum())); }
    int position() const override { return bar_.value(); }

private:
    QProgressBar& bar_;
};

PreviewPanel::PreviewPanel(PreviewImage& image, QProgressBar& bar, UserPrompts& prompts)
    : image_(image), bar_(std::make_unique<Bar>(bar)), prompts_(prompts) {}

PreviewPanel::~PreviewPanel() = default;

void PreviewPanel::clear() {
    ++request_;
    show(QImage(), QString());
}

void PreviewPanel::show(const QImage& picture, const QString& reason) {
    reason_ = reason;
    image_.setToolTip(reason);
    image_.setPicture(reason.isEmpty() ? picture : CannotDrawPicture(image_.pictureSize(), reason));
}

void PreviewPanel::drawDxfImage(const QString& dxfName) {
    const uint64_t request = ++request_;
    if (busy_) { // runs when the preview being read now is done
        pendingDxf_ = dxfName;
        pendingRequest_ = request;
        return;
    }
    busy_ = true;
    PreviewHooks hooks;
    hooks.bar = bar_.get();
    hooks.fonts = &fonts_;
    hooks.owner = &prompts_;
    hooks.processEvents = [] { QCoreApplication::processEvents(); };
    PreviewFacts facts;
    const QImage picture =
        DrawDxfImage(drawing_, view_, dxfName, image_.pictureSize(), hooks, &facts);
    busy_ = false;
    if (request == request_) show(picture, DxfCannotDrawReason(dxfName, facts, drawing_));
    if (!pendingDxf_.isEmpty()) {
        const QString next = std::exchange(pendingDxf_, QString());
        if (pendingRequest_ == request_) drawDxfImage(next);
    }
}

void PreviewPanel::redrawCurrentView(bool noClip) {
    if (busy_) return;        // the running preview draws the picture when it is done
    if (!reason_.isEmpty()) { // the cross again, at the new size
        show(QImage(), reason_);
        return;
    }
    image_.setPicture(RedrawCurrentView(drawing_, view_, image_.pictureSize(),
                                        {.noClip = noClip, .fonts = &fonts_}));
}

void PreviewPanel::redrawThin(const TAcadPoint& centre) {
    if (busy_ || !reason_.isEmpty()) return;
    ViewState moved = view_;
    moved.ViewCentre = centre;
    image_.setPicture(RedrawCurrentView(drawing_, moved, image_.pictureSize(), {.thin = true}));
}

void PreviewPanel::showDwgThumbnail(const QString& fileName, bool whiteEmphasis) {
    ++request_;
    QImage picture;
    ThumbnailFacts facts;
    ShowDwgThumbnail(fileName, image_.pictureSize(), {0, true, whiteEmphasis}, picture, &facts);
    show(picture, DwgCannotDrawReason(fileName, facts));
}

} // namespace quillon
