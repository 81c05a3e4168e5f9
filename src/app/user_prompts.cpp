#include "app/user_prompts.h"

#include <QFileDialog>
#include <QMessageBox>

namespace quillon {

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
    return QFileDialog::getSaveFileName(owner_, QString(), fileName, filter);
}

} // namespace quillon
