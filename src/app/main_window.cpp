#include "app/main_window.h"

#include "app/desktop.h"
#include "app/directory_list_file.h"
#include "app/directory_outline.h"
#include "app/drive_combo_box.h"
#include "app/file_list_box.h"
#include "app/paths.h"
#include "app/preview_image.h"
#include "app/preview_panel.h"
#include "app/settings_file.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QSplitter>
#include <QTimer>
#include <QVBoxLayout>

namespace quillon {

namespace {

const QString kInitialMask = QStringLiteral("*.DWG;*.DXF ");
const QString kNotRegistered = QStringLiteral("[未登録]");
const QString kDefaultProgId = QStringLiteral("BricscadApp.AcadApplication");
const QString kMakeImageCaption = QStringLiteral("イメージ作成 ZoomExtents");

template <class W> W* Named(W* w, const char* name) {
    w->setObjectName(QString::fromLatin1(name));
    return w;
}

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

TForm2::TForm2(const AppPaths& paths, UserPrompts& prompts, QWidget* parent)
    : QMainWindow(parent), paths_(paths), prompts_(prompts) {
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(QStringLiteral("Quillon for nanoCAD 5  Ver. 1.21 (2024.05.30)"));
    setWindowFlag(Qt::WindowStaysOnTopHint);
    setFont(QFont(QStringLiteral("Tahoma"), 8));
    buildLayout();
    buildMenus();
    preview_ = std::make_unique<PreviewPanel>(*Image2, *ProgressBar1, prompts_);
    resize(653, 381);
    FormCreate();
}

TForm2::~TForm2() {
    FormDestroy();
}

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

    auto* splitter2 = Named(new QSplitter(Qt::Horizontal, Splitter1), "Splitter2");
    splitter2->setHandleWidth(4);
    Panel3 = Named(new QWidget(splitter2), "Panel3");
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

    Panel4 = Named(new QWidget(splitter2), "Panel4");
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
    right->addWidget(Image2, 1);
    Edit3 = Named(new QLineEdit(Panel4), "Edit3");
    Edit3->setAlignment(Qt::AlignCenter);
    Edit3->setFont(InputFont());
    right->addWidget(Edit3);
    Edit4 = Named(new QLineEdit(QStringLiteral("Edit4"), Panel4), "Edit4");
    Edit4->hide();
    // The pane keeps its design width: its buttons and boxes shrink with it.
    for (QWidget* w : std::initializer_list<QWidget*>{Button18, Button19, Button1, CheckBox3,
                                                      CheckBox1, CheckBox2, Button3})
        w->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    // Side panes keep their widths when the window is resized; the file list takes the rest.
    Splitter1->setStretchFactor(0, 0);
    Splitter1->setStretchFactor(1, 1);
    splitter2->setStretchFactor(0, 1);
    splitter2->setStretchFactor(1, 0);
    outer->addWidget(Splitter1, 1);

    ProgressBar1 = Named(new QProgressBar(central), "ProgressBar1");
    ProgressBar1->setFixedHeight(9);
    ProgressBar1->setTextVisible(false);
    outer->addWidget(ProgressBar1);
    setCentralWidget(central);

    // Files dropped anywhere open their folder: no text box takes them as text.
    for (QLineEdit* box : findChildren<QLineEdit*>()) box->setAcceptDrops(false);
    FileListBox1->setNameBox(Edit1);
    FileListBox1->setMask(kInitialMask);
    Panel4->installEventFilter(this);
    setAcceptDrops(true);

    connect(DriveComboBox1, &DriveComboBox::driveChanged, this, &TForm2::DriveComboBox1Change);
    connect(DirectoryOutline1, &DirectoryOutline::directoryChanged, this,
            &TForm2::DirectoryOutline1Change);
    connect(FileListBox1, &FileListBox::clicked, this, &TForm2::FileListBox1Click);
    connect(FileListBox1, &FileListBox::doubleClicked, this, &TForm2::FileListBox1DblClick);
    connect(Edit48, &QLineEdit::textChanged, this, &TForm2::Edit48Change);
    connect(CheckBox2, &QCheckBox::toggled, this, &TForm2::CheckBox2Click);
    connect(CheckBox3, &QCheckBox::toggled, this, &TForm2::CheckBox3Click);
    connect(Image2, &PreviewImage::doubleClicked, this, &TForm2::Image2DblClick);
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
    auto* zoomMenu = Named(new QMenu(kMakeImageCaption, PopupMenu1), "ZoomExtentes1Menu");
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
    N25 = action(odaMenu, "N25", kNotRegistered);
    ODAFileConverter1 = PopupMenu1->addMenu(odaMenu);
    ODAFileConverter1->setObjectName("ODAFileConverter1");
    PopupMenu1->addSeparator()->setObjectName("N24");
    N11 = action(PopupMenu1, "N11", QStringLiteral("■バージョン情報"));
    connect(N11, &QAction::triggered, this, &TForm2::N11Click);

    const auto attach = [](QWidget* w, QMenu* menu) {
        w->setContextMenuPolicy(Qt::CustomContextMenu);
        QObject::connect(w, &QWidget::customContextMenuRequested, menu,
                         [w, menu](const QPoint& at) { menu->popup(w->mapToGlobal(at)); });
    };
    attach(DirectoryOutline1, PopupMenu2);
    attach(ComboBox2, PopupMenu3);
    attach(FileListBox1, PopupMenu1);
}

void TForm2::FormCreate() {
    Edit1->clear();
    Edit3->clear();
    Edit48->clear();
    TargetProgId = kDefaultProgId;
    loadRegisteredFolders();
    readSettings();
    DriveComboBox1->setDrive(DirectoryOutline1->drive());
}

void TForm2::readSettings() {
    SettingsFile ini;
    ini.load(paths_.settingsFile());
    const QRect screen = QGuiApplication::primaryScreen()
                             ? QGuiApplication::primaryScreen()->geometry()
                             : QRect(0, 0, 1024, 768);
    const int left = ini.readInteger("Form", "Left", (screen.width() - width()) / 2);
    const int top = ini.readInteger("Form", "Top", (screen.height() - height()) / 2);
    move(left, top);
    TargetProgId = ini.readString("TargetCad", "ProgId", TargetProgId);
    DirectoryOutline1->setDirectory(ini.readString("DirectoryList", "Directory", paths_.folder()));
    ExpandTreeToPath(DirectoryOutline1->directory());
    DirectoryOutline1->viewport()->update();
    const int chosen = ComboBox2->findText(ini.readString("DirectoryList", "ComboBoxText", {}),
                                           Qt::MatchFixedString);
    if (chosen >= 0) {
        const QSignalBlocker block(ComboBox2);
        ComboBox2->setCurrentIndex(chosen);
    }
    ZoomExtentes1->setText(ini.readString("makeImageType", "makeImage", ZoomExtentes1->text()));
    CheckBox1->setChecked(ini.readBool("dxfView", "dxfImage", true));
    CheckBox2->setChecked(ini.readBool("dwgView", "whiteonblack", false));
    setConverterPath(ini.readString("ODA", "FullName", kNotRegistered));
    CheckBox3->setChecked(ini.readBool("dwgView", "dxftodwg", true));
}

void TForm2::setConverterPath(const QString& path) {
    converterPath_ = path;
    N25->setText(LiteralCaption(path));
}

void TForm2::closeEvent(QCloseEvent* event) {
    FormClose();
    event->accept();
}

void TForm2::FormClose() {
    writeSettings();
    saveRegisteredFolders();
}

void TForm2::writeSettings() {
    SettingsFile ini;
    ini.load(paths_.settingsFile()); // what the program does not own stays as it is
    ini.writeInteger("Form", "Left", x());
    ini.writeInteger("Form", "Top", y());
    ini.writeString("DirectoryList", "Directory", DirectoryOutline1->directory());
    ini.writeString("TargetCad", "ProgId", TargetProgId);
    ini.writeString("DirectoryList", "ComboBoxText",
                    ComboBox2->currentIndex() >= 0 ? ComboBox2->currentText() : QString());
    ini.writeString("makeImageType", "makeImage", ZoomExtentes1->text());
    ini.writeBool("dxfView", "dxfImage", CheckBox1->isChecked());
    ini.writeBool("dwgView", "whiteonblack", CheckBox2->isChecked());
    ini.writeString("ODA", "FullName", converterPath_);
    ini.writeBool("dwgView", "dxftodwg", CheckBox3->isChecked());
    ini.save(paths_.settingsFile());
}

void TForm2::loadRegisteredFolders() {
    DirectoryListFile list;
    if (!LoadDirectoryList(paths_.directoryListFile(), list)) return;
    listEncoding_ = int(list.encoding);
    QStringList sorted = list.entries;
    std::stable_sort(sorted.begin(), sorted.end(), [](const QString& a, const QString& b) {
        return QString::localeAwareCompare(a.toLower(), b.toLower()) < 0;
    });
    ComboBox2->addItems(sorted);
    ComboBox2->setCurrentIndex(-1);
}

void TForm2::saveRegisteredFolders() {
    DirectoryListFile list;
    list.encoding = ListEncoding(listEncoding_);
    for (int i = 0; i < ComboBox2->count(); ++i) list.entries << ComboBox2->itemText(i);
    SaveDirectoryList(paths_.directoryListFile(), list);
}

void TForm2::FormDestroy() {
    DeleteScratchDrawings(paths_.scratchFolder());
}

void TForm2::DriveComboBox1Change() {
    DirectoryOutline1->setDrive(DriveComboBox1->drive());
}

void TForm2::clearPreview() {
    preview_->clear();
}

void TForm2::DirectoryOutline1Change() {
    clearPreview();
    const QString dir = DirectoryOutline1->directory();
    if (!QFileInfo(dir).isDir()) return;
    FileListBox1->setDirectory(dir);
    Edit2->setText(dir);
    if (FileListBox1->count() == 0) {
        clearPreview();
        return;
    }
    FileListBox1->setItemIndex(0);
    FileListBox1Click();
}

void TForm2::FileListBox1Click() {
    const QString path = FileListBox1->fileName();
    Edit4->setText(SelectedPathText(path));
    Edit4->repaint();
    Edit1->setText(QFileInfo(path).fileName());
    Edit1->repaint();
    if (path.isEmpty()) return;
    Edit3->clear();
    const QString ext = UpperExtension(Edit4->text());
    const bool dwg = ext == QLatin1String(".DWG"), dxf = ext == QLatin1String(".DXF");
    Button3->setEnabled(dwg);
    Button18->setEnabled(dwg || (dxf && CheckBox3->isChecked()));
    Button19->setEnabled(Button18->isEnabled());
    if (!panesSized_) return; // drawn once the window is laid out, at the picture's real size
    if (dwg) {
        preview_->showDwgThumbnail(Edit4->text(), CheckBox2->isChecked());
    } else if (dxf) {
        clearPreview();
        if (CheckBox1->isChecked()) preview_->drawDxfImage(Edit4->text());
    } else {
        clearPreview();
    }
}

void TForm2::FileListBox1DblClick() {
    Button18->click();
}

void TForm2::Edit48Change() {
    FileListBox1->setMask(QStringLiteral("*") + Edit48->text() + QStringLiteral("*.DWG;*DXF"));
}

void TForm2::CheckBox2Click() {
    FileListBox1Click();
}

void TForm2::CheckBox3Click() {
    FileListBox1Click();
}

void TForm2::Image2DblClick() {
    if (Button3->isEnabled()) Button3->click();
}

void TForm2::ExpandTreeToPath(const QString& path) {
    DirectoryOutline1->expandItem(1);
    QString p = CleanFolder(path);
    QString part;
    // The drive's own root is the first part: a volume's mount folder, or the empty text
    // before the first separator.
    const QString root = DirectoryOutline1->drive();
    if (root.size() > 1 && p.startsWith(root, kPathCase))
        p = p.mid(root.size() + 1);
    else
        SplitFirstPathPart(part, p);
    int found = 1;
    while (!p.isEmpty()) {
        SplitFirstPathPart(part, p);
        const int last = DirectoryOutline1->itemCount();
        for (int i = found + 1; i <= last; ++i)
            if (DirectoryOutline1->itemText(i).compare(part, kPathCase) == 0) {
                found = i;
                DirectoryOutline1->expandItem(i);
                break;
            }
    }
    DirectoryOutline1->selectRow(found - 1);
}

void TForm2::HandleDroppedFiles(const QStringList& files) {
    if (files.isEmpty()) return;
    const QFileInfo file(files.first());
    const QString folder = QDir::toNativeSeparators(file.absolutePath());
    DirectoryOutline1->setDrive(DriveOfPath(folder, AvailableDrives()));
    DirectoryOutline1->setDirectory(folder);
    ExpandTreeToPath(folder);
    const int at = FileListBox1->findName(file.fileName());
    if (at >= 0) FileListBox1->setItemIndex(at);
}

void TForm2::N11Click() {
    prompts_.message(QStringLiteral("Tessera.exe"),
                     kAppTitle + u'\n' + QStringLiteral("Qt ") + QString::fromLatin1(qVersion()),
                     UserPrompts::Icon::None);
}

void TForm2::Panel4Resize() {
    if (preview_ && CheckBox1->isChecked() &&
        UpperExtension(FileListBox1->fileName()) == QLatin1String(".DXF"))
        preview_->redrawCurrentView(false);
}

void TForm2::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls()) event->acceptProposedAction();
}

void TForm2::dropEvent(QDropEvent* event) {
    QStringList files;
    for (const QUrl& url : event->mimeData()->urls())
        if (url.isLocalFile()) files << QDir::toNativeSeparators(url.toLocalFile());
    HandleDroppedFiles(files);
    event->acceptProposedAction();
}

void TForm2::showEvent(QShowEvent* event) {
    if (!panesSized_) {
        panesSized_ = true;
        const int handles = Splitter1->handleWidth() + 4;
        Splitter1->setSizes({200, width() - 200 - Splitter1->handleWidth()});
        auto* splitter2 = static_cast<QSplitter*>(Panel3->parentWidget());
        splitter2->setSizes({width() - 200 - 229 - handles, 229});
        // The start-up selection's preview, now that the picture has its size.
        QTimer::singleShot(0, this, [this] {
            if (FileListBox1->itemIndex() >= 0) FileListBox1Click();
        });
    }
    QMainWindow::showEvent(event);
}

bool TForm2::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Panel4 && event->type() == QEvent::Resize) Panel4Resize();
    return QMainWindow::eventFilter(watched, event);
}

} // namespace quillon
