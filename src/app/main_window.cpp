#include "app/main_window.h"

#include "app/desktop.h"
#include "app/directory_list_file.h"
#include "app/directory_outline.h"
#include "app/drive_combo_box.h"
#include "app/file_list_box.h"
#include "app/preview_image.h"
#include "app/preview_panel.h"
#include "app/registered_folders.h"
#include "convert/background_conversion.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMenu>
#include <QScreen>
#include <QSplitter>
#include <limits>

namespace quillon {

TForm2::TForm2(const AppPaths& paths, UserPrompts& prompts, QWidget* parent)
    : QMainWindow(parent), paths_(paths), prompts_(prompts) {
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(QStringLiteral("Quillon for nanoCAD 5  Ver. 1.21 (2024.05.30)"));
    setWindowFlag(Qt::WindowStaysOnTopHint);
    setFont(QFont(QStringLiteral("Tahoma"), 8));
    buildLayout();
    buildMenus();
    preview_ = std::make_unique<PreviewPanel>(*Image2, *ProgressBar1, prompts_);
    thumbnailCache_ = std::make_unique<ThumbnailCache>(ThumbnailCache::DefaultFolder());
    thumbnailPool_ = std::make_unique<ThumbnailPool>(*thumbnailCache_);
    connect(thumbnailPool_.get(), &ThumbnailPool::ready, this, &TForm2::showThumbnail);
    connect(FileListBox1, &FileListBox::listed, this, &TForm2::requestThumbnails);
    connect(FileListBox1, &FileListBox::folderChanged, this, &TForm2::shownFolderChanged);
    resize(653, 381);
    FormCreate();
}

TForm2::~TForm2() {
    FormDestroy();
}

void TForm2::FormCreate() {
    Edit1->clear();
    Edit3->clear();
    Edit48->clear();
    TargetProgId = Settings{}.targetProgId;
    loadRegisteredFolders();
    readSettings();
    DriveComboBox1->setDrive(DirectoryOutline1->drive());
}

namespace {

constexpr int kNoPosition = std::numeric_limits<int>::min();

// A screen that shows enough of the window to take hold of it (64 x 32 pixels), or none.
const QScreen* ScreenShowing(const QRect& window) {
    for (const QScreen* screen : QGuiApplication::screens()) {
        const QRect shown = screen->geometry() & window;
        if (shown.width() >= std::min(64, window.width()) &&
            shown.height() >= std::min(32, window.height()))
            return screen;
    }
    return nullptr;
}

} // namespace

void TForm2::readSettings() {
    Settings defaults;
    defaults.left = defaults.top = kNoPosition;
    defaults.directory = paths_.folder();
    settings_ = ReadSettings(paths_.settingsFile(), defaults);
    if (settings_.windowWidth > 0 && settings_.windowHeight > 0)
        resize(settings_.windowWidth, settings_.windowHeight);
    placeWindow();
    TargetProgId = settings_.targetProgId;
    openFolder(settings_.directory);
    const int chosen = FindRegisteredFolder(registeredFolders(), settings_.registeredChoice);
    if (chosen >= 0) {
        const QSignalBlocker block(ComboBox2);
        ComboBox2->setCurrentIndex(chosen);
    }
    ZoomExtentes1->setText(LiteralCaption(settings_.makeImage));
    CheckBox1->setChecked(settings_.dxfImage);
    CheckBox2->setChecked(settings_.whiteOnBlack);
    setConverterPath(settings_.converterPath);
    CheckBox3->setChecked(settings_.dxfToDwg);
    ThumbnailView1->setChecked(settings_.thumbnails);
    if (settings_.thumbnails) FileListBox1->setThumbnails(true, kThumbnailSize);
}

void TForm2::placeWindow() {
    // The stored position as it is while a screen shows the window; otherwise (none stored, a
    // monitor removed) centred on the primary screen, at most as large as it.
    const QRect stored(QPoint(settings_.left, settings_.top), size());
    const QScreen* screen = settings_.left == kNoPosition || settings_.top == kNoPosition
                                ? nullptr
                                : ScreenShowing(stored);
    if (screen) {
        move(stored.topLeft());
        return;
    }
    const QScreen* primary = QGuiApplication::primaryScreen();
    const QRect area = primary ? primary->geometry() : QRect(0, 0, 1024, 768);
    if (primary) resize(size().boundedTo(primary->availableGeometry().size()));
    move(area.x() + (area.width() - width()) / 2, area.y() + (area.height() - height()) / 2);
}

void TForm2::setConverterPath(const QString& path) {
    settings_.converterPath = path;
    N25->setText(LiteralCaption(path));
}

void TForm2::closeEvent(QCloseEvent* event) {
    FormClose();
    event->accept();
}

void TForm2::FormClose() {
    closing_ = true;
    writeSettings();
    saveRegisteredFolders();
}

void TForm2::writeSettings() {
    // What the window shows now; the other fields are kept as they are.
    settings_.left = x();
    settings_.top = y();
    settings_.windowWidth = width();
    settings_.windowHeight = height();
    if (panesSized_) { // the panes as the user left them
        settings_.splitter1 = Splitter1->sizes().value(0);
        settings_.splitter2 = Splitter2->sizes().value(0);
    }
    settings_.directory = DirectoryOutline1->directory();
    settings_.targetProgId = TargetProgId;
    settings_.registeredChoice =
        ComboBox2->currentIndex() >= 0 ? ComboBox2->currentText() : QString();
    settings_.dxfImage = CheckBox1->isChecked();
    settings_.whiteOnBlack = CheckBox2->isChecked();
    settings_.dxfToDwg = CheckBox3->isChecked();
    WriteSettings(paths_.settingsFile(), settings_);
}

void TForm2::loadRegisteredFolders() {
    DirectoryListFile list;
    if (!LoadDirectoryList(paths_.directoryListFile(), list)) return;
    listEncoding_ = int(list.encoding);
    QStringList sorted = list.entries;
    SortRegisteredFolders(sorted);
    ComboBox2->addItems(sorted);
    ComboBox2->setCurrentIndex(-1);
}

QStringList TForm2::registeredFolders() const {
    QStringList entries;
    for (int i = 0; i < ComboBox2->count(); ++i) entries << ComboBox2->itemText(i);
    return entries;
}

void TForm2::saveRegisteredFolders() {
    DirectoryListFile list;
    list.encoding = ListEncoding(listEncoding_);
    list.entries = registeredFolders();
    SaveDirectoryList(paths_.directoryListFile(), list);
}

void TForm2::FormDestroy() {
    dragConversion_.reset(); // a converter still running stops before its folder is emptied
    DeleteScratchDrawings(paths_.scratchFolder());
}

void TForm2::N11Click() {
    prompts_.message(QStringLiteral("Tessera.exe"),
                     kAppTitle + u'\n' + QStringLiteral("Qt ") + QString::fromLatin1(qVersion()),
                     UserPrompts::Icon::None);
}

} // namespace quillon
