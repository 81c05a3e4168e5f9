#include "app/folder_dialogs.h"
#include "app/widget_names.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace quillon {

namespace {

QLineEdit* ReadOnlyEdit(QWidget* parent, const char* name) {
    auto* e = Named(new QLineEdit(parent), name);
    e->setReadOnly(true);
    e->setFocusPolicy(Qt::ClickFocus); // not reached by tabbing
    return e;
}

} // namespace

TForm3::TForm3(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("Form3"));
    setModal(false);
    setFixedSize(449, 153);
    auto* grid = new QGridLayout(this);
    Label1 = Named(new QLabel(QStringLiteral("フォルダ名"), this), "Label1");
    Edit1 = ReadOnlyEdit(this, "Edit1");
    Label2 = Named(new QLabel(QStringLiteral("タイトル"), this), "Label2");
    Edit2 = Named(new QLineEdit(this), "Edit2");
    Button1 = Named(new QPushButton(this), "Button1");
    Button2 = Named(new QPushButton(QStringLiteral("キャンセル"), this), "Button2");
    grid->addWidget(Label1, 0, 0, 1, 2);
    grid->addWidget(Edit1, 1, 0, 1, 2);
    grid->addWidget(Label2, 2, 0, 1, 2);
    grid->addWidget(Edit2, 3, 0, 1, 2);
    grid->addWidget(Button1, 4, 0);
    grid->addWidget(Button2, 4, 1);
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
    setObjectName(QStringLiteral("Form4"));
    setWindowTitle(QStringLiteral("フォルダ作成"));
    setModal(true);
    auto* box = new QVBoxLayout(this);
    Label1 = Named(new QLabel(QStringLiteral("現在のフォルダ："), this), "Label1");
    Edit1 = ReadOnlyEdit(this, "Edit1");
    auto* group = Named(new QGroupBox(QStringLiteral("作成位置："), this), "RadioGroup1");
    auto* items = new QVBoxLayout(group);
    besideButton =
        new QRadioButton(QStringLiteral("現フォルダと同列に新しいフォルダを作成"), group);
    insideButton = new QRadioButton(QStringLiteral("現フォルダ内に新しいフォルダを作成"), group);
    besideButton->setChecked(true);
    items->addWidget(besideButton);
    items->addWidget(insideButton);
    Label2 = Named(new QLabel(QStringLiteral("作成するフォルダ名："), this), "Label2");
    Edit2 = Named(new QLineEdit(this), "Edit2");
    auto* buttons = new QHBoxLayout;
    Button1 = Named(new QPushButton(QStringLiteral("作成"), this), "Button1");
    Button2 = Named(new QPushButton(QStringLiteral("取り消し"), this), "Button2");
    buttons->addWidget(Button1);
    buttons->addWidget(Button2);
    for (QWidget* w : std::initializer_list<QWidget*>{Label1, Edit1, group, Label2, Edit2})
        box->addWidget(w);
    box->addLayout(buttons);
    connect(Button1, &QPushButton::clicked, this, &QDialog::accept);
    connect(Button2, &QPushButton::clicked, this, &QDialog::reject);
    // The design size, grown to what its texts need in the font at hand.
    setFixedSize(sizeHint().expandedTo(QSize(240, 212)));
}

} // namespace quillon
