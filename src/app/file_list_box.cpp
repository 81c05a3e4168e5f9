#include "app/file_list_box.h"

#include "app/file_mask.h"

#include <QApplication>
#include <QDir>
#include <QIcon>
#include <QLineEdit>
#include <QMimeData>
#include <QMouseEvent>
#include <QPixmap>
#include <QScrollBar>
#include <QUrl>

namespace quillon {

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
}

void FileListBox::setDirectory(const QString& folder) {
    directory_ = folder;
    reread();
}

void FileListBox::setMask(const QString& mask) {
    mask_ = mask;
    reread();
}

void FileListBox::reread() {
    const QStringList patterns = MaskPatterns(mask_);
    QStringList names;
    if (!directory_.isEmpty() && !patterns.isEmpty())
        for (const QString& name :
             QDir(directory_).entryList(QDir::Files, QDir::Name | QDir::IgnoreCase))
            if (MatchesMask(name, patterns)) names << name;
    {
        const QSignalBlocker block(this);
        clear();
        addItems(names);
        if (thumbnails())
            for (int i = 0; i < count(); ++i) item(i)->setIcon(placeholder_);
        setCurrentRow(-1);
        showNameInBox();
    }
    emit listed();
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
    const QList<QListWidgetItem*> found = findItems(name, Qt::MatchExactly);
    if (found.isEmpty()) return;
    found.first()->setIcon(QIcon(QPixmap::fromImage(picture)));
    if (!toolTip.isEmpty()) found.first()->setToolTip(toolTip);
}

QStringList FileListBox::filesInViewFirst() const {
    QStringList inView, rest;
    const QRect shown = viewport()->rect();
    for (int i = 0; i < count(); ++i) {
        const QString path = QDir(directory_).filePath(item(i)->text());
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

QString FileListBox::fileName() const {
    const QListWidgetItem* item = currentItem();
    if (!item || currentRow() < 0) return QString();
    return QDir::toNativeSeparators(QDir(directory_).filePath(item->text()));
}

int FileListBox::findName(const QString& name) const {
    for (int i = 0; i < count(); ++i)
        if (item(i)->text().compare(name, Qt::CaseInsensitive) == 0) return i;
    return -1;
}

void FileListBox::deleteEntry(int index) {
    if (index < 0 || index >= count()) return;
    const QSignalBlocker block(this);
    delete takeItem(index);
    showNameInBox();
}

QStringList FileListBox::mimeTypes() const {
    return {QStringLiteral("text/uri-list")};
}

QMimeData* FileListBox::mimeData(const QList<QListWidgetItem*>& items) const {
    if (items.isEmpty() || !dragFile_) return nullptr;
    const QString file = dragFile_(QDir(directory_).filePath(items.first()->text()));
    if (file.isEmpty()) return nullptr;
    auto* data = new QMimeData;
    data->setUrls({QUrl::fromLocalFile(file)});
    return data;
}

void FileListBox::mousePressEvent(QMouseEvent* event) {
    const int before = currentRow();
    leftPress_ = event->button() == Qt::LeftButton;
    QListWidget::mousePressEvent(event);
    pressMovedRow_ = currentRow() != before;
}

void FileListBox::showNameInBox() {
    if (!nameBox_) return;
    const QListWidgetItem* item = currentRow() >= 0 ? currentItem() : nullptr;
    nameBox_->setText(item ? item->text() : mask_);
}

} // namespace quillon
