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
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMenu>
#include <QScreen>
#include <QSplitter>
#include <QTimer>
#include <limits>

namespace quillon {

TForm2::TForm2(const AppPaths& paths, UserPrompts& prompts, QWidget* parent)
    : QMainWindow(parent), paths_(paths), prompts_(prompts) {
    setWindowFlag(Qt::WindowStaysOnTopHint); // floats over the CAD window
    setupUi(this);
    finishForm();
    connectControls();
    addSearch();
    preview_ = std::make_unique<PreviewPanel>(*Image2, *ProgressBar1, prompts_);
    thumbnailCache_ = std::make_unique<ThumbnailCache>(ThumbnailCache::DefaultFolder());
    thumbnailPool_ = std::make_unique<ThumbnailPool>(*thumbnailCache_);
    connect(thumbnailPool_.get(), &ThumbnailPool::ready, this, &TForm2::showThumbnail);
    connect(FileListBox1, &FileListBox::listed, this, &TForm2::requestThumbnails);
    connect(FileListBox1, &FileListBox::folderChanged, this, &TForm2::shownFolderChanged);
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
    watchSettings();
}

namespace {

constexpr int kNoPosition = std::numeric_limits<int>::min();

// The folder a file is saved in, made when it is missing (the user's folders on a first run).
bool MakeFolderOf(const QString& file) {
    return QDir().mkpath(QFileInfo(file).absolutePath());
}

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
    written_ = settings_;
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
    ZoomExtentes1->setTitle(LiteralCaption(settings_.makeImage));
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
    settingsChanged();
}

void TForm2::watchSettings() {
    // Every change is on disk a moment after the last one, so that a crash or a power cut loses
    // nothing; a burst of changes (a drag of the window or a splitter) is written once.
    saveTimer_ = new QTimer(this);
    saveTimer_->setSingleShot(true);
    saveTimer_->setInterval(1000);
    connect(saveTimer_, &QTimer::timeout, this, &TForm2::writeSettings);
    for (QCheckBox* box : {CheckBox1, CheckBox2, CheckBox3})
        connect(box, &QCheckBox::toggled, this, &TForm2::settingsChanged);
    connect(ThumbnailView1, &QAction::toggled, this, &TForm2::settingsChanged);
    connect(ComboBox2, &QComboBox::currentIndexChanged, this, &TForm2::settingsChanged);
    connect(DirectoryOutline1, &DirectoryOutline::directoryChanged, this, &TForm2::settingsChanged);
    for (QSplitter* splitter : {Splitter1, Splitter2})
        connect(splitter, &QSplitter::splitterMoved, this, &TForm2::settingsChanged);
    settingsRead_ = true;
}

void TForm2::settingsChanged() {
    if (settingsRead_ && !closing_) saveTimer_->start();
}

void TForm2::moveEvent(QMoveEvent* event) {
    QMainWindow::moveEvent(event);
    settingsChanged();
}

void TForm2::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    settingsChanged();
}

void TForm2::closeEvent(QCloseEvent* event) {
    FormClose();
    event->accept();
}

void TForm2::FormClose() {
    closing_ = true;
    saveTimer_->stop();
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
    settings_.thumbnails = ThumbnailView1->isChecked();
    if (settings_ == written_ && !closing_) return; // the file holds them already
    const QString file = paths_.settingsFile();
    if (saved(file, MakeFolderOf(file) && WriteSettings(file, settings_))) written_ = settings_;
}

bool TForm2::saved(const QString& file, bool ok) {
    if (!ok && !saveFailureTold_) { // once: the next change or the close tries again
        saveFailureTold_ = true;
        prompts_.message(QStringLiteral("エラー"),
                         QStringLiteral("設定を保存できません：") + QDir::toNativeSeparators(file),
                         UserPrompts::Icon::Error);
    }
    return ok;
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
    const QString file = paths_.directoryListFile();
    saved(file, MakeFolderOf(file) && SaveDirectoryList(file, list));
}

void TForm2::FormDestroy() {
    if (saveTimer_->isActive()) writeSettings(); // a change made just before the window went
    dragConversion_.reset(); // a converter still running stops before its folder is emptied
    DeleteScratchDrawings(paths_.scratchFolder());
}

void TForm2::N11Click() {
    prompts_.message(QStringLiteral("Tessera.exe"),
                     kAppTitle + u'\n' + QStringLiteral("Qt ") + QString::fromLatin1(qVersion()),
                     UserPrompts::Icon::None);
}

} // namespace quillon
