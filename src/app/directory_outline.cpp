#include "app/directory_outline.h"

#include "app/paths.h"

#include <QDir>
#include <QFileInfo>
#include <QHeaderView>
#include <QStyledItemDelegate>

namespace quillon {

namespace {
constexpr int kPathRole = Qt::UserRole;
constexpr int kFilledRole = Qt::UserRole + 1;

// The folder, or its nearest parent that exists when it is gone.
QString NearestExistingFolder(QString folder) {
    while (!QFileInfo(folder).isDir() && QFileInfo(folder).dir().path() != folder)
        folder = CleanFolder(QFileInfo(folder).dir().path());
    return folder;
}

// Rows 16 pixels high and as wide as their text.
class RowDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        return {QStyledItemDelegate::sizeHint(option, index).width(), 16};
    }
};
} // namespace

DirectoryOutline::DirectoryOutline(QWidget* parent) : QTreeWidget(parent) {
    setHeaderHidden(true);
    setRootIsDecorated(true);
    setUniformRowHeights(true);
    setIndentation(14);
    setItemDelegate(new RowDelegate(this));
    // Deep folders scroll sideways.
    header()->setStretchLastSection(false);
    header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    connect(this, &QTreeWidget::itemExpanded, this, [this](QTreeWidgetItem* item) {
        fillChildren(item);
        displayedValid_ = false;
    });
    connect(this, &QTreeWidget::itemCollapsed, this, [this] { displayedValid_ = false; });
    connect(this, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* item) {
        if (item && !settingCurrent_) makeCurrent(item->data(0, kPathRole).toString());
    });
}

int DirectoryOutline::sizeHintForColumn(int column) const {
    return std::max(QTreeWidget::sizeHintForColumn(column), viewport()->width());
}

void DirectoryOutline::resizeEvent(QResizeEvent* event) {
    QTreeWidget::resizeEvent(event);
    header()->resizeSections(QHeaderView::ResizeToContents);
}

QTreeWidgetItem* DirectoryOutline::addFolderItem(QTreeWidgetItem* parent, const QString& path,
                                                 const QString& text) {
    auto* item = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(this);
    item->setText(0, text);
    item->setData(0, kPathRole, path);
    item->setChildIndicatorPolicy(QTreeWidgetItem::ShowIndicator);
    return item;
}

void DirectoryOutline::fillChildren(QTreeWidgetItem* item) {
    if (item->data(0, kFilledRole).toBool()) return;
    item->setData(0, kFilledRole, true);
    const QDir dir(item->data(0, kPathRole).toString());
    const QStringList names =
        dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase);
    for (const QString& name : names)
        addFolderItem(item, QDir::toNativeSeparators(dir.filePath(name)), name);
    if (names.isEmpty()) item->setChildIndicatorPolicy(QTreeWidgetItem::DontShowIndicator);
    displayedValid_ = false;
}

void DirectoryOutline::setDrive(const QString& root) {
    const QString clean = CleanFolder(root);
    if (clean == drive_) return;
    drive_ = clean;
    settingCurrent_ = true;
    clear();
    displayedValid_ = false;
    QTreeWidgetItem* top = addFolderItem(nullptr, clean, clean);
    fillChildren(top);
    top->setExpanded(true);
    setCurrentItem(top);
    settingCurrent_ = false;
    makeCurrent(clean);
}

QTreeWidgetItem* DirectoryOutline::itemForPath(const QString& folder, bool open) {
    if (topLevelItemCount() == 0) return nullptr;
    QTreeWidgetItem* item = topLevelItem(0);
    QString rest = folder.mid(drive_.size());
    const QStringList parts = rest.split(QDir::separator(), Qt::SkipEmptyParts);
    for (const QString& part : parts) {
        if (open) fillChildren(item);
        QTreeWidgetItem* next = nullptr;
        for (int i = 0; i < item->childCount() && !next; ++i)
            if (item->child(i)->text(0).compare(part, kPathCase) == 0) next = item->child(i);
        if (!next) return open ? item : nullptr;
        if (open) item->setExpanded(true);
        item = next;
    }
    return item;
}

void DirectoryOutline::setDirectory(const QString& folder) {
    QString clean = CleanFolder(folder);
    if (clean.isEmpty()) return;
    // A folder that is gone opens its nearest existing parent, so that the tree and the
    // current folder agree.
    clean = NearestExistingFolder(clean);
    const QString drive = DriveOfPath(clean, AvailableDrives());
    if (drive_.isEmpty() || CleanFolder(drive) != drive_) {
        const bool wasBuilding = settingCurrent_;
        settingCurrent_ = true; // the rebuild's own change is folded into this one
        drive_ = CleanFolder(drive);
        clear();
        displayedValid_ = false;
        QTreeWidgetItem* top = addFolderItem(nullptr, drive_, drive_);
        fillChildren(top);
        top->setExpanded(true);
        settingCurrent_ = wasBuilding;
    }
    settingCurrent_ = true;
    QTreeWidgetItem* item = itemForPath(clean, true);
    if (item) setCurrentItem(item);
    settingCurrent_ = false;
    // The folder the tree shows is the current one, also when a part of the path is not listed.
    makeCurrent(item ? item->data(0, kPathRole).toString() : clean);
}

void DirectoryOutline::rereadFolder(const QString& folder) {
    QTreeWidgetItem* item = itemForPath(NearestExistingFolder(CleanFolder(folder)), false);
    if (!item || !item->data(0, kFilledRole).toBool()) return;
    const QStringList names =
        QDir(item->data(0, kPathRole).toString())
            .entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase);
    QStringList shown;
    for (int i = 0; i < item->childCount(); ++i) shown << item->child(i)->text(0);
    if (names == shown) return;
    const bool expanded = item->isExpanded();
    const bool wasSetting = std::exchange(settingCurrent_, true); // a removed current item is
                                                                  // not the user's choice
    qDeleteAll(item->takeChildren());
    item->setData(0, kFilledRole, false);
    item->setChildIndicatorPolicy(QTreeWidgetItem::ShowIndicator);
    fillChildren(item);
    item->setExpanded(expanded);
    settingCurrent_ = wasSetting;
    displayedValid_ = false;
}

void DirectoryOutline::refresh() {
    drive_.clear(); // the next setDirectory rebuilds the tree
    setDirectory(directory_);
}

void DirectoryOutline::makeCurrent(const QString& folder) {
    if (folder == directory_) return;
    directory_ = folder;
    emit directoryChanged();
}

const std::vector<QTreeWidgetItem*>& DirectoryOutline::displayed() {
    if (!displayedValid_) {
        displayed_.clear();
        for (QTreeWidgetItem* it = topLevelItemCount() ? topLevelItem(0) : nullptr; it;
             it = itemBelow(it))
            displayed_.push_back(it);
        displayedValid_ = true;
    }
    return displayed_;
}

int DirectoryOutline::itemCount() {
    return int(displayed().size());
}

QString DirectoryOutline::itemText(int index) {
    const auto& items = displayed();
    return index >= 1 && index <= int(items.size()) ? items[index - 1]->text(0) : QString();
}

void DirectoryOutline::expandItem(int index) {
    const auto& items = displayed();
    if (index >= 1 && index <= int(items.size())) {
        QTreeWidgetItem* item = items[index - 1];
        fillChildren(item);
        item->setExpanded(true);
        displayedValid_ = false;
    }
}

void DirectoryOutline::selectRow(int row) {
    const auto& items = displayed();
    if (row >= 0 && row < int(items.size())) setCurrentItem(items[row]);
}

} // namespace quillon
