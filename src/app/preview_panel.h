// The preview of the selected drawing in the main window's picture.
#pragma once

#include "dxf/model.h"

#include <QString>

class QProgressBar;

namespace quillon {

class PreviewImage;
class UserPrompts;

class PreviewPanel {
public:
    PreviewPanel(PreviewImage& image, QProgressBar& bar, UserPrompts& prompts);

    // A DXF file read, reduced and drawn to fit the picture.
    void drawDxfImage(const QString& dxfName);
    // The preview image embedded in a DWG file.
    void showDwgThumbnail(const QString& fileName, bool whiteEmphasis);

private:
    PreviewImage& image_;
    QProgressBar& bar_;
    UserPrompts& prompts_;
};

} // namespace quillon
