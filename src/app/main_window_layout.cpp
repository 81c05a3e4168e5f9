#include "app/main_window.h"

// What main_window.ui cannot say: the colour of the registered folders' drop-down list, the file
// list's name box and mask, where the right-click menus open, and the handlers of the controls and
// menus.
#include "app/folder_dialogs.h"

#include <QAbstractItemView>

namespace quillon {

namespace {

const QString kInitialMask = QStringLiteral("*.DWG;*.DXF ");

// The menu opens where the widget was right-clicked.
void AttachMenu(QWidget* w, QMenu* menu) {
    QObject::connect(w, &QWidget::customContextMenuRequested, menu,
                     [w, menu](const QPoint& at) { menu->popup(w->mapToGlobal(at)); });
}

} // namespace

void TForm2::finishForm() {
    ComboBox2->view()->setPalette(ComboBox2->palette()); // the drop-down list is aqua too
    FileListBox1->setNameBox(Edit1);
    FileListBox1->setDragFile([this](const QString& file) { return fileToDrag(file); });
    FileListBox1->setMask(kInitialMask);
    Panel4->installEventFilter(this);
    Form3 = new TForm3(this);
    AttachMenu(DirectoryOutline1, PopupMenu2);
    AttachMenu(ComboBox2, PopupMenu3);
    AttachMenu(FileListBox1, PopupMenu1);
}

void TForm2::connectControls() {
    connect(DriveComboBox1, &DriveComboBox::driveChanged, this, &TForm2::DriveComboBox1Change);
    connect(DirectoryOutline1, &DirectoryOutline::directoryChanged, this,
            &TForm2::DirectoryOutline1Change);
    connect(FileListBox1, &FileListBox::clicked, this, &TForm2::FileListBox1Click);
    connect(FileListBox1, &FileListBox::doubleClicked, this, &TForm2::FileListBox1DblClick);
    connect(Edit48, &QLineEdit::textChanged, this, &TForm2::Edit48Change);
    connect(CheckBox1, &QCheckBox::toggled, this, &TForm2::CheckBox1Click);
    connect(CheckBox2, &QCheckBox::toggled, this, &TForm2::CheckBox2Click);
    connect(CheckBox3, &QCheckBox::toggled, this, &TForm2::CheckBox3Click);
    connect(Image2, &PreviewImage::doubleClicked, this, &TForm2::Image2DblClick);
    connect(Button3, &QPushButton::clicked, this, &TForm2::Button3Click);
    connect(Image2, &PreviewImage::pressed, this, &TForm2::Image2MouseDown);
    connect(Image2, &PreviewImage::moved, this, &TForm2::Image2MouseMove);
    connect(Image2, &PreviewImage::released, this, &TForm2::Image2MouseUp);
    connect(Image2, &PreviewImage::pictureReplaced, this,
            [this] { interaction_.CrossDrawn = false; });
    for (QPushButton* b : {Button18, Button19})
        connect(b, &QPushButton::clicked, this, [this, b] { Button18Click(b); });
    connect(ThumbnailView1, &QAction::triggered, this, &TForm2::ThumbnailView1Click);
    connect(ClearThumbnails1, &QAction::triggered, this, &TForm2::ClearThumbnails1Click);
    connect(N11, &QAction::triggered, this, &TForm2::N11Click);
    connect(N26, &QAction::triggered, this, &TForm2::N26Click);
    connect(N4, &QAction::triggered, this, &TForm2::N4Click);
    connect(N5, &QAction::triggered, this, &TForm2::N5Click);
    connect(N6, &QAction::triggered, this, &TForm2::N6Click);
    connect(N13, &QAction::triggered, this, &TForm2::N13Click);
    connect(N17, &QAction::triggered, this, &TForm2::N17Click);
    connect(N19, &QAction::triggered, this, &TForm2::N17Click);
    connect(N2, &QAction::triggered, this, &TForm2::N2Click);
    connect(N8, &QAction::triggered, this, &TForm2::N8Click);
    connect(Form3->Button1, &QPushButton::clicked, this, &TForm2::Form3Button1Click);
    connect(ComboBox2, &QComboBox::activated, this, &TForm2::ComboBox2Change);
}

} // namespace quillon
