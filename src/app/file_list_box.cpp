#include "app/file_list_box.h"

#include <QDir>
#include <QKeyEvent>
#include <QLineEdit>

namespace quillon {

FileListBox::FileListBox(QWidget* parent) : QListWidget(parent) {
    setSelectionMode(QAbstractItemView::SingleSelection);
    connect(this, &QListWidget::itemClicked, this, [this] {
        showNameInBox();
        emit clicked();
    });
    connect(this, &QListWidget::itemDoubleClicked, this, [this] { emit doubleClicked(); });
}

void FileListBox::setDirectory(const QString& folder) {
    directory_ = folder;
    update();
}

void FileListBox::setMask(const QString& mask) {
    mask_ = mask;
    update();
}

void FileListBox::update() {
    QStringList patterns;
    for (const QString& p : mask_.split(u';', Qt::SkipEmptyParts))
        if (!p.trimmed().isEmpty()) patterns << p.trimmed();
    QStringList names;
    if (!directory_.isEmpty() && !patterns.isEmpty()) // name filters ignore case
        names = QDir(directory_).entryList(patterns, QDir::Files, QDir::Name | QDir::IgnoreCase);
    const QSignalBlocker block(this);
    clear();
    addItems(names);
    setCurrentRow(-1);
    showNameInBox();
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

void FileListBox::keyPressEvent(QKeyEvent* event) {
    const int before = currentRow();
    QListWidget::keyPressEvent(event);
    if (currentRow() != before && currentRow() >= 0) {
        showNameInBox();
        emit clicked();
    }
}

void FileListBox::showNameInBox() {
    if (!nameBox_) return;
    const QListWidgetItem* item = currentRow() >= 0 ? currentItem() : nullptr;
    nameBox_->setText(item ? item->text() : mask_);
}

} // namespace quillon
