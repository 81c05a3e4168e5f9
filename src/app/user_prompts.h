// Message boxes, questions and file dialogs of the program, behind one interface so that tests
// can answer them.
#pragma once

#include "dxf/sinks.h"

#include <QString>

#include <memory>

class QWidget;

namespace quillon {

class TForm4;

class UserPrompts : public MessageSink {
public:
    enum class Icon { None, Information, Error };

    // A modal message with an OK button.
    virtual void message(const QString& caption, const QString& text, Icon icon) = 0;
    // A Yes/No question; true for Yes.
    virtual bool question(const QString& caption, const QString& text) = 0;
    // File dialogs; an empty result means cancelled. The save dialog does not ask before an
    // existing file is chosen: its caller does.
    virtual QString openFileName(const QString& fileName, const QString& filter) = 0;
    virtual QString saveFileName(const QString& fileName, const QString& filter) = 0;
    // The new-folder dialog for the current folder: its name and where it goes (beside or
    // inside, the choice kept from one use to the next); false when cancelled.
    virtual bool newFolder(const QString& current, bool& inside, QString& name) = 0;

    void showMessage(const QString& caption, const QString& text) override {
        message(caption, text, Icon::None);
    }
    void showInformation(const QString& caption, const QString& text) override {
        message(caption, text, Icon::Information);
    }
    void showError(const QString& caption, const QString& text) override {
        message(caption, text, Icon::Error);
    }
};

// The real dialogs, owned by a window.
class DialogPrompts : public UserPrompts {
public:
    explicit DialogPrompts(QWidget* owner = nullptr);
    ~DialogPrompts() override;
    void setOwner(QWidget* owner) { owner_ = owner; }

    void message(const QString& caption, const QString& text, Icon icon) override;
    bool question(const QString& caption, const QString& text) override;
    QString openFileName(const QString& fileName, const QString& filter) override;
    QString saveFileName(const QString& fileName, const QString& filter) override;
    bool newFolder(const QString& current, bool& inside, QString& name) override;

private:
    QWidget* owner_;
    std::unique_ptr<TForm4> newFolder_;
};

} // namespace quillon
