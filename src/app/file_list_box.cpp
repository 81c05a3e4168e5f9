#include "app/file_list_box.h"

#include "app/file_mask.h"

#include <QApplication>
#include <QDir>
#include <QDrag>
#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QIcon>
#include <QLineEdit>
#include <QMimeData>
#include <QMouseEvent>
#include <QPixmap>
#include <QScrollBar>
#include <QUrl>

namespace quillon {

namespace {

constexpr int kNameRole = Qt::UserRole; // the real name; the text shows it

// A name as a row shows it: on one line, its control characters visible.
QString ShownName(QString name) {
    for (QChar& c : name)
        if (c == u'\n' || c == u'\r')
            c = QChar(0x21B5); // ↵
        else if (c.category() == QChar::Other_Control)
            c = u'?';
    return name;
}

} // namespace

FileListBox::FileListBox(QWidget* parent) : QListWidget(parent) {
    setSelectionMode(QAbstractItemView::SingleSelection);
    setDragDropMode(QAbstractItemView::DragOnly);
    setDefaultDropAction(Qt::CopyAction);
    // Programmatic changes block signals, so this sees only what the user does.
    connect(this, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row < 0) return;
        showNameInBox();
        emit clicked();
    });
    connect(this, &QListWidget::itemClicked, this, [this] {
        if (std::exchange(pressMovedRow_, false) || !leftPress_) return;
        showNameInBox();
        emit clicked();
    });
    connect(this, &QListWidget::itemDoubleClicked, this, [this] { emit doubleClicked(); });
    watcher_ = new QFileSystemWatcher(this);
    settle_.setSingleShot(true);
    settle_.setInterval(100);
    connect(watcher_, &QFileSystemWatcher::directoryChanged, &settle_, qOverload<>(&QTimer::start));
    connect(&settle_, &QTimer::timeout, this, &FileListBox::folderChanged);
}

void FileListBox::setDirectory(const QString& folder) {
    if (!watcher_->directories().isEmpty()) watcher_->removePaths(watcher_->directories());
    directory_ = folder;
    if (QFileInfo(folder).isDir()) watcher_->addPath(folder);
    reread();
}

void FileListBox::setMask(const QString& mask) {
    mask_ = mask;
    reread();
}

void FileListBox::readFolder() {
    const QStringList patterns = MaskPatterns(mask_);
    const QSignalBlocker block(this);
    clear();
    if (directory_.isEmpty() || patterns.isEmpty()) return;
    for (const QString& name :
         QDir(directory_).entryList(QDir::Files, QDir::Name | QDir::IgnoreCase)) {
        if (!MatchesMask(name, patterns)) continue;
        auto* row = new QListWidgetItem(ShownName(name), this);
        row->setData(kNameRole, name);
        if (thumbnails()) row->setIcon(placeholder_);
    }
}

void FileListBox::reread() {
    readFolder();
    {
        const QSignalBlocker block(this);
        setCurrentRow(-1);
        showNameInBox();
    }
    emit listed();
}

bool FileListBox::rereadKeepingSelection() {
    const QString selected = currentRow() >= 0 ? nameAt(currentRow()) : QString();
    readFolder();
    const int row = selected.isEmpty() ? -1 : findName(selected, Qt::CaseSensitive);
    {
        const QSignalBlocker block(this);
        setCurrentRow(row);
        if (row < 0) showNameInBox();
    }
    emit listed();
    return row >= 0;
}

void FileListBox::setThumbnails(bool on, QSize pictureSize) {
    if (on) {
        QPixmap blank(pictureSize);
        blank.fill(Qt::black);
        placeholder_ = QIcon(blank);
        setViewMode(QListView::IconMode);
        setIconSize(pictureSize);
        setGridSize(pictureSize + QSize(16, fontMetrics().height() + 12));
        setResizeMode(QListView::Adjust);
        setMovement(QListView::Static);
        setWordWrap(false);
        setTextElideMode(Qt::ElideMiddle);
        // A notch of the wheel moves the grid by about a row.
        setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
        verticalScrollBar()->setSingleStep(
            std::max(1, gridSize().height() / std::max(1, QApplication::wheelScrollLines())));
    } else {
        setViewMode(QListView::ListMode);
        setIconSize({});
        setGridSize({});
        setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
        verticalScrollBar()->setSingleStep(-1); // the list's own step again
    }
    const int row = currentRow();
    reread();
    if (row >= 0 && row < count()) setItemIndex(row);
}

void FileListBox::setThumbnail(const QString& name, const QImage& picture, const QString& toolTip) {
    const int row = findName(name, Qt::CaseSensitive);
    if (row < 0) return;
    QPixmap pixmap = QPixmap::fromImage(picture);
    pixmap.setDevicePixelRatio(devicePixelRatioF()); // drawn in device pixels, shown so
    item(row)->setIcon(QIcon(pixmap));
    if (!toolTip.isEmpty()) item(row)->setToolTip(toolTip);
}

QStringList FileListBox::filesInViewFirst() const {
    QStringList inView, rest;
    const QRect shown = viewport()->rect();
    for (int i = 0; i < count(); ++i) {
        const QString path = QDir(directory_).filePath(nameAt(i));
        (visualItemRect(item(i)).intersects(shown) ? inView : rest) << path;
    }
    return inView + rest;
}

void FileListBox::setItemIndex(int index) {
    {
        const QSignalBlocker block(this);
        setCurrentRow(index);
    }
    showNameInBox();
}

QString FileListBox::nameAt(int row) const {
    return item(row)->data(kNameRole).toString();
}

QString FileListBox::fileName() const {
    if (!currentItem() || currentRow() < 0) return QString();
    return QDir::toNativeSeparators(QDir(directory_).filePath(nameAt(currentRow())));
}

int FileListBox::findName(const QString& name, Qt::CaseSensitivity cs) const {
    for (int i = 0; i < count(); ++i)
        if (nameAt(i).compare(name, cs) == 0) return i;
    return -1;
}

void FileListBox::deleteEntry(int index) {
    if (index < 0 || index >= count()) return;
    const QSignalBlocker block(this);
    delete takeItem(index);
    setCurrentRow(-1); // not the next row: the user never chose it
    showNameInBox();
}

void FileListBox::startDrag(Qt::DropActions) {
    const QString path = fileName(); // the pressed row is the current one
    if (path.isEmpty() || !dragFile_) return;
    awaitingDrag_ = false;
    const QString file = dragFile_(path); // or awaitDrag(), and carry() later
    if (!file.isEmpty()) dragOut(file);
}

void FileListBox::carry(const QString& file) {
    if (std::exchange(awaitingDrag_, false) && !file.isEmpty()) dragOut(file);
}

void FileListBox::dragOut(const QString& file) {
    auto* data = new QMimeData;
    data->setUrls({QUrl::fromLocalFile(file)});
    auto* drag = new QDrag(this);
    drag->setMimeData(data);
    emit dragStarted(file);
    drag->exec(Qt::CopyAction, Qt::CopyAction);
}

void FileListBox::mousePressEvent(QMouseEvent* event) {
    const int before = currentRow();
    leftPress_ = event->button() == Qt::LeftButton;
    QListWidget::mousePressEvent(event);
    pressMovedRow_ = currentRow() != before;
}

void FileListBox::mouseMoveEvent(QMouseEvent* event) {
    if (awaitingDrag_) return; // the row waits to be dragged: it is not dragged over the others
    QListWidget::mouseMoveEvent(event);
}

void FileListBox::mouseReleaseEvent(QMouseEvent* event) {
    awaitingDrag_ = false; // let go before its file was ready: no drag
    QListWidget::mouseReleaseEvent(event);
}

void FileListBox::showNameInBox() {
    if (!nameBox_) return;
    nameBox_->setText(currentRow() >= 0 && currentItem() ? currentItem()->text() : mask_);
}

} // namespace quillon
