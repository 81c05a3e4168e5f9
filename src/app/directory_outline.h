// The folder tree of one drive. Items are numbered from 1 in display order (item 1 is the
// drive's root, an expanded item's children follow it); changing the current folder raises
// directoryChanged before the setter returns.
#pragma once

#include <QTreeWidget>
#include <vector>

namespace quillon {

class DirectoryOutline : public QTreeWidget {
    Q_OBJECT
public:
    explicit DirectoryOutline(QWidget* parent = nullptr);

    QString drive() const { return drive_; }
    // Rebuilds the tree for another drive; its root becomes the current folder.
    void setDrive(const QString& root);

    QString directory() const { return directory_; }
    // Opens the tree down to the folder and makes it current (changing drive when needed).
    void setDirectory(const QString& folder);

    // Reads the folders again (a folder made meanwhile shows), keeping the current one.
    void refresh();
    // Reads the sub-folders of one folder again (of its nearest existing parent when it is gone),
    // when the tree has read them before; the current folder is left to the caller.
    void rereadFolder(const QString& folder);

    int itemCount();
    QString itemText(int index);
    void expandItem(int index);
    void selectRow(int row);

signals:
    void directoryChanged();

protected:
    // The column is as wide as its widest row, and at least as wide as the view.
    int sizeHintForColumn(int column) const override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QTreeWidgetItem* addFolderItem(QTreeWidgetItem* parent, const QString& path,
                                   const QString& text);
    void fillChildren(QTreeWidgetItem* item);
    // The folder's item. `open` reads and opens the tree down to it and gives the nearest item
    // when a part is not listed; otherwise only items already read count (none when missing).
    QTreeWidgetItem* itemForPath(const QString& folder, bool open);
    const std::vector<QTreeWidgetItem*>& displayed();
    void makeCurrent(const QString& folder);

    QString drive_, directory_;
    std::vector<QTreeWidgetItem*> displayed_;
    bool displayedValid_ = false;
    bool settingCurrent_ = false;
};

} // namespace quillon
