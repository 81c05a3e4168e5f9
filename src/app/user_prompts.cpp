#include "app/user_prompts.h"

#include "app/folder_dialogs.h"

#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QRadioButton>

namespace quillon {

DialogPrompts::DialogPrompts(QWidget* owner) : owner_(owner) {}
DialogPrompts::~DialogPrompts() = default;

bool DialogPrompts::newFolder(const QString& current, bool& inside, QString& name) {
    if (!newFolder_) newFolder_ = std::make_unique<TForm4>();
    TForm4& f = *newFolder_;
    f.Edit1->setText(current);
    f.Edit2->clear();
    f.setWindowFlag(Qt::WindowStaysOnTopHint, true); // above the main window while open
    const bool ok = f.exec() == QDialog::Accepted;
    inside = f.insideButton->isChecked();
    name = f.Edit2->text();
    return ok;
}

void DialogPrompts::message(const QString& caption, const QString& text, Icon icon) {
    QMessageBox box(icon == Icon::Information ? QMessageBox::Information
                    : icon == Icon::Error     ? QMessageBox::Critical
                                              : QMessageBox::NoIcon,
                    caption, text, QMessageBox::Ok, owner_);
    box.exec();
}

bool DialogPrompts::question(const QString& caption, const QString& text) {
    return QMessageBox::question(owner_, caption, text, QMessageBox::Yes | QMessageBox::No) ==
           QMessageBox::Yes;
}

QString DialogPrompts::openFileName(const QString& fileName, const QString& filter) {
    return QFileDialog::getOpenFileName(owner_, QString(), fileName, filter);
}

QString DialogPrompts::saveFileName(const QString& fileName, const QString& filter) {
    // Replacing a file is asked by the caller, in the program's words: the dialog does not ask too.
    return QFileDialog::getSaveFileName(owner_, QString(), fileName, filter, nullptr,
                                        QFileDialog::DontConfirmOverwrite);
}

} // namespace quillon
