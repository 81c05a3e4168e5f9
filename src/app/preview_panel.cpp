#include "app/preview_panel.h"

#include "app/preview_image.h"
#include "app/user_prompts.h"

namespace quillon {

PreviewPanel::PreviewPanel(PreviewImage& image, QProgressBar& bar, UserPrompts& prompts)
    : image_(image), bar_(bar), prompts_(prompts) {}

void PreviewPanel::drawDxfImage(const QString&) { image_.clearPicture(); }

void PreviewPanel::showDwgThumbnail(const QString&, bool) { image_.clearPicture(); }

} // namespace quillon
