// Reads one ASCII DXF file in a single forward pass into a DxfDrawing.
#pragma once

#include "dxf/model.h"
#include "dxf/text_decoding.h"

namespace quillon {

// A progress bar as the reader and the preview see it.
class ProgressSink {
public:
    virtual ~ProgressSink() = default;
    virtual void setMaximum(int max) = 0;
    virtual void setPosition(int pos) = 0;
    virtual int position() const = 0;
};

// The window that owns the reader's message boxes.
class MessageSink {
public:
    virtual ~MessageSink() = default;
    virtual void showMessage(const QString& caption, const QString& text) = 0;
    // The same with the information icon.
    virtual void showInformation(const QString& caption, const QString& text) {
        showMessage(caption, text);
    }
};

// Status: empty when read to the end; "busy"/"error" when the file could not be read; otherwise
// "<line>:<code line>/<line>:<value line>" of the pair where reading stopped.
void ReadDxfFile(DxfDrawing& drawing, const QString& FileName, ProgressSink* ProgressBar,
                 MessageSink* OwnerWindow, QString& Status, TextEncoding Encoding,
                 QString& AcadVer);

} // namespace quillon
