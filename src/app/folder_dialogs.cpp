#include "app/folder_dialogs.h"

namespace quillon {

TForm3::TForm3(QWidget* parent) : QDialog(parent) {
    setupUi(this);
    connect(Button2, &QPushButton::clicked, this, &TForm3::Button2Click);
    setRegisterMode(true);
}

void TForm3::setRegisterMode(bool registering) {
    setWindowTitle(registering ? QStringLiteral("フォルダの登録")
                               : QStringLiteral("タイトルの編集"));
    Button1->setText(registering ? QStringLiteral("登録") : QStringLiteral("更新"));
}

bool TForm3::registering() const {
    return Button1->text() == QStringLiteral("登録");
}

TForm4::TForm4(QWidget* parent) : QDialog(parent) {
    setupUi(this);
    connect(Button1, &QPushButton::clicked, this, &QDialog::accept);
    connect(Button2, &QPushButton::clicked, this, &QDialog::reject);
    // The design size, grown to what its texts need in the font at hand.
    setFixedSize(sizeHint().expandedTo(QSize(240, 212)));
}

} // namespace quillon
