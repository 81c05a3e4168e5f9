#include "app/main_window.h"

// The main window's controls and menus, by their designer names.
#include "app/desktop.h"
#include "app/directory_outline.h"
#include "app/drive_combo_box.h"
#include "app/file_list_box.h"
#include "app/folder_dialogs.h"
#include "app/measure_box.h"
#include "app/preview_image.h"
#include "app/settings.h"
#include "app/widget_names.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QSplitter>
#include <QStatusBar>
#include <QVBoxLayout>

namespace quillon {

namespace {

const QString kInitialMask = QStringLiteral("*.DWG;*.DXF ");

QFont InputFont(bool bold = false) {
    QFont f(QStringLiteral("Tahoma"), 10);
    f.setBold(bold);
    return f;
}

QPushButton* Button(QWidget* parent, const char* name, const QString& caption) {
    auto* b = Named(new QPushButton(caption, parent), name);
    b->setFocusPolicy(Qt::TabFocus);
    return b;
}

} // namespace

void TForm2::buildLayout() {
    auto* central = new QWidget(this);
    auto* outer = new QVBoxLayout(central);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);

    auto* top = new QWidget(central);
    top->setFixedHeight(51);
    auto* grid = new QGridLayout(top);
    grid->setContentsMargins(4, 2, 4, 2);
    grid->setVerticalSpacing(2);
    Label1 = Named(new QLabel(QStringLiteral("登録フォルダ："), top), "Label1");
    ComboBox2 = Named(new QComboBox(top), "ComboBox2");
    ComboBox2->setEditable(false);
    ComboBox2->setMaxVisibleItems(20);
    ComboBox2->setFont(InputFont());
    QPalette aqua = ComboBox2->palette();
    aqua.setColor(QPalette::Text, QColor(0, 255, 255));
    aqua.setColor(QPalette::ButtonText, QColor(0, 255, 255));
    ComboBox2->setPalette(aqua);
    ComboBox2->view()->setPalette(aqua); // the drop-down list too
    Button28 = Button(top, "Button28", QStringLiteral("ターゲット CAD を変更"));
    Button28->setEnabled(false);
    Label2 = Named(new QLabel(QStringLiteral("現在のフォルダ："), top), "Label2");
    Edit2 = Named(new QLineEdit(QStringLiteral("*.dwg"), top), "Edit2");
    Edit2->setReadOnly(true);
    Edit2->setFont(InputFont());
    grid->addWidget(Label1, 0, 0);
    grid->addWidget(ComboBox2, 0, 1);
    grid->addWidget(Button28, 0, 2);
    grid->addWidget(Label2, 1, 0);
    grid->addWidget(Edit2, 1, 1, 1, 2);
    grid->setColumnStretch(1, 1);
    outer->addWidget(top);

    Splitter1 = Named(new QSplitter(Qt::Horizontal, central), "Splitter1");
    Panel2 = Named(new QWidget(Splitter1), "Panel2");
    auto* left = new QVBoxLayout(Panel2);
    left->setContentsMargins(0, 0, 0, 0);
    left->setSpacing(0);
    DriveComboBox1 = Named(new DriveComboBox(Panel2), "DriveComboBox1");
    DirectoryOutline1 = Named(new DirectoryOutline(Panel2), "DirectoryOutline1");
    DirectoryOutline1->setFont(InputFont());
    left->addWidget(DriveComboBox1);
    left->addWidget(DirectoryOutline1, 1);

    Splitter2 = Named(new QSplitter(Qt::Horizontal, Splitter1), "Splitter2");
    Splitter2->setHandleWidth(4);
    Panel3 = Named(new QWidget(Splitter2), "Panel3");
    auto* middle = new QVBoxLayout(Panel3);
    middle->setContentsMargins(0, 0, 0, 0);
    middle->setSpacing(0);
    Edit48 = Named(new QLineEdit(Panel3), "Edit48");
    Edit48->setToolTip(QStringLiteral("ファイルマスク"));
    Edit48->setPlaceholderText(QStringLiteral("ファイル名マスク"));
    Edit48->setFont(InputFont());
    FileListBox1 = Named(new FileListBox(Panel3), "FileListBox1");
    FileListBox1->setToolTip(QStringLiteral("右クリックでメニュー表示"));
    FileListBox1->setFont(InputFont());
    middle->addWidget(Edit48);
    middle->addWidget(FileListBox1, 1);

    Panel4 = Named(new QWidget(Splitter2), "Panel4");
    auto* right = new QVBoxLayout(Panel4);
    right->setContentsMargins(2, 2, 2, 2);
    right->setSpacing(2);
    auto* inserts = new QHBoxLayout;
    Button18 = Button(Panel4, "Button18", QStringLiteral("挿入"));
    Button19 = Button(Panel4, "Button19", QStringLiteral("分解挿入"));
    Button1 = Button(Panel4, "Button1", QStringLiteral("WBLOCK"));
    Button1->setEnabled(false);
    inserts->addWidget(Button18);
    inserts->addWidget(Button19);
    inserts->addWidget(Button1);
    right->addLayout(inserts);
    Button17 = Button(Panel4, "Button17", QStringLiteral("WBLOCK"));
    Button2 = Button(Panel4, "Button2", QStringLiteral("図面全体を WBLOCK"));
    Button17->hide();
    Button2->hide();
    CheckBox3 =
        Named(new QCheckBox(QStringLiteral("DXF -> DWG 変換後、挿入する"), Panel4), "CheckBox3");
    CheckBox3->setChecked(true);
    right->addWidget(CheckBox3);
    auto* options = new QHBoxLayout;
    CheckBox1 = Named(new QCheckBox(QStringLiteral("DXF描画"), Panel4), "CheckBox1");
    CheckBox1->setChecked(true);
    CheckBox2 = Named(new QCheckBox(QStringLiteral("DWGの白色を強調"), Panel4), "CheckBox2");
    Button3 = Button(Panel4, "Button3", QStringLiteral("ODA"));
    Button3->setToolTip(QStringLiteral("DWG->DXF 変換"));
    options->addWidget(CheckBox1);
    options->addWidget(Button3);
    right->addLayout(options);
    right->addWidget(CheckBox2);
    Edit1 = Named(new QLineEdit(Panel4), "Edit1");
    Edit1->setFont(InputFont(true));
    Edit1->setAlignment(Qt::AlignCenter);
    right->addWidget(Edit1);
    Image2 = Named(new PreviewImage(Panel4), "Image2");
    Image2->setMinimumSize(128, 96); // the smallest window still shows a drawing
    right->addWidget(Image2, 1);
    Edit3 = Named(new MeasureBox(Panel4), "Edit3");
    Edit3->setAlignment(Qt::AlignCenter);
    Edit3->setFont(InputFont());
    right->addWidget(Edit3);
    Edit4 = Named(new QLineEdit(QStringLiteral("Edit4"), Panel4), "Edit4");
    Edit4->hide();
    // The pane keeps its design width: its buttons and boxes shrink with it.
    for (QWidget* w : std::initializer_list<QWidget*>{Button18, Button19, Button1, CheckBox3,
                                                      CheckBox1, CheckBox2, Button3})
        w->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    // The folder pane and the file list keep their widths when the window is resized; the
    // preview takes the rest. No pane is pushed out of sight by its splitter.
    Splitter1->setStretchFactor(0, 0);
    Splitter1->setStretchFactor(1, 1);
    Splitter2->setStretchFactor(0, 0);
    Splitter2->setStretchFactor(1, 1);
    Splitter1->setChildrenCollapsible(false);
    Splitter2->setChildrenCollapsible(false);
    outer->addWidget(Splitter1, 1);

    ProgressBar1 = Named(new QProgressBar(central), "ProgressBar1");
    ProgressBar1->setFixedHeight(9);
    ProgressBar1->setTextVisible(false);
    outer->addWidget(ProgressBar1);
    setCentralWidget(central);
    statusBar()->setSizeGripEnabled(false); // one line under the panes: how an insertion ended

    // Files dropped anywhere open their folder: no text box takes them as text.
    for (QLineEdit* box : findChildren<QLineEdit*>()) box->setAcceptDrops(false);
    FileListBox1->setNameBox(Edit1);
    FileListBox1->setDragFile([this](const QString& file) { return fileToDrag(file); });
    FileListBox1->setMask(kInitialMask);
    Panel4->installEventFilter(this);
    setAcceptDrops(true);

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
}

void TForm2::buildMenus() {
    auto action = [](QMenu* menu, const char* name, const QString& caption, bool enabled = true) {
        QAction* a = menu->addAction(caption);
        a->setObjectName(QString::fromLatin1(name));
        a->setEnabled(enabled);
        return a;
    };
    PopupMenu2 = Named(new QMenu(this), "PopupMenu2");
    N4 = action(PopupMenu2, "N4", QStringLiteral("■現フォルダを登録"));
    PopupMenu2->addSeparator()->setObjectName("N15");
    N13 = action(PopupMenu2, "N13", QStringLiteral("■フォルダを作成"));
    QAction* n16 = PopupMenu2->addSeparator();
    n16->setObjectName("N16");
    n16->setVisible(false);
    N14 = action(PopupMenu2, "N14", QStringLiteral("■現フォルダを削除"), false);
    PopupMenu2->addSeparator()->setObjectName("N20");
    N19 = action(PopupMenu2, "N19", QStringLiteral("■エクスプローラーでフォルダを開く"));
    PopupMenu2->addSeparator()->setObjectName("N23");
    N22 = action(PopupMenu2, "N22", QStringLiteral("すべてのフォルダツリーを展開"), false);

    PopupMenu3 = Named(new QMenu(this), "PopupMenu3");
    N5 = action(PopupMenu3, "N5", QStringLiteral("■タイトルを編集"));
    PopupMenu3->addSeparator()->setObjectName("N21");
    N6 = action(PopupMenu3, "N6", QStringLiteral("■登録を削除"));

    PopupMenu1 = Named(new QMenu(this), "PopupMenu1");
    N1 = action(PopupMenu1, "N1", QStringLiteral("■イメージを再作成"), false);
    N3 = action(PopupMenu1, "N3", QStringLiteral("■すべてのイメージを再作成"), false);
    PopupMenu1->addSeparator()->setObjectName("N10");
    auto* zoomMenu =
        Named(new QMenu(LiteralCaption(Settings{}.makeImage), PopupMenu1), "ZoomExtentes1Menu");
    ZoomExtents1 = action(zoomMenu, "ZoomExtents1", QStringLiteral("ZoomExtents"));
    ZoomLimits1 = action(zoomMenu, "ZoomLimits1", QStringLiteral("ZoomLimits"));
    ZoomExtentes1 = PopupMenu1->addMenu(zoomMenu);
    ZoomExtentes1->setObjectName("ZoomExtentes1");
    ZoomExtentes1->setEnabled(false);
    PopupMenu1->addSeparator()->setObjectName("N7");
    N2 = action(PopupMenu1, "N2", QStringLiteral("■名前変更、移動"));
    PopupMenu1->addSeparator()->setObjectName("N9");
    N8 = action(PopupMenu1, "N8", QStringLiteral("■ファイル削除"));
    PopupMenu1->addSeparator()->setObjectName("N12");
    N17 = action(PopupMenu1, "N17", QStringLiteral("■エクスプローラーで現フォルダを開く"));
    PopupMenu1->addSeparator()->setObjectName("N18");
    auto* odaMenu = Named(new QMenu(QStringLiteral("ODAFileConverter を登録"), PopupMenu1),
                          "ODAFileConverter1Menu");
    N26 = action(odaMenu, "N26", QStringLiteral("登録"));
    N25 = action(odaMenu, "N25", LiteralCaption(Settings{}.converterPath));
    ODAFileConverter1 = PopupMenu1->addMenu(odaMenu);
    ODAFileConverter1->setObjectName("ODAFileConverter1");
    PopupMenu1->addSeparator();
    ThumbnailView1 = action(PopupMenu1, "ThumbnailView1", QStringLiteral("■サムネイル表示"));
    ThumbnailView1->setCheckable(true);
    ClearThumbnails1 =
        action(PopupMenu1, "ClearThumbnails1", QStringLiteral("■サムネイルを作り直す"));
    connect(ThumbnailView1, &QAction::triggered, this, &TForm2::ThumbnailView1Click);
    connect(ClearThumbnails1, &QAction::triggered, this, &TForm2::ClearThumbnails1Click);
    PopupMenu1->addSeparator()->setObjectName("N24");
    N11 = action(PopupMenu1, "N11", QStringLiteral("■バージョン情報"));
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
    Form3 = new TForm3(this);
    connect(Form3->Button1, &QPushButton::clicked, this, &TForm2::Form3Button1Click);
    connect(ComboBox2, &QComboBox::activated, this, &TForm2::ComboBox2Change);

    const auto attach = [](QWidget* w, QMenu* menu) {
        w->setContextMenuPolicy(Qt::CustomContextMenu);
        QObject::connect(w, &QWidget::customContextMenuRequested, menu,
                         [w, menu](const QPoint& at) { menu->popup(w->mapToGlobal(at)); });
    };
    attach(DirectoryOutline1, PopupMenu2);
    attach(ComboBox2, PopupMenu3);
    attach(FileListBox1, PopupMenu1);
}

} // namespace quillon
