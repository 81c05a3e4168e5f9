// What long work reports to: a progress bar and the window that shows its messages.
#pragma once

#include <QString>

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
    // The same with the error icon.
    virtual void showError(const QString& caption, const QString& text) {
        showMessage(caption, text);
    }
};

} // namespace quillon
