// The drawings of one folder: the files matching a mask of ";"-separated patterns (ignoring
// case), sorted by name. Every change of the current row by the user (click, drag, right-click,
// keyboard) raises clicked() once, and so does a left click on the current row. The name box
// shows the selected name, or the mask when nothing is selected. A row shows the control
// characters of a name visibly ("↵" for a line break, "?" for the others); paths use the real
// name. The folder is watched: a change on disk raises folderChanged().
#pragma once

#include <QIcon>
#include <QListWidget>
#include <QTimer>
#include <functional>

class QFileSystemWatcher;
class QLineEdit;

namespace quillon {

class FileListBox : public QListWidget {
    Q_OBJECT
public:
    explicit FileListBox(QWidget* parent = nullptr);

    void setNameBox(QLineEdit* box) { nameBox_ = box; }
    // Dragging a row out carries the file this gives for it (none: no drag now). A file yet to
    // be made is announced by awaitDrag() from within this call and handed over later by carry():
    // the drag starts then, while the button that began it is still held.
    void setDragFile(std::function<QString(const QString&)> dragFile) {
        dragFile_ = std::move(dragFile);
    }
    void awaitDrag() { awaitingDrag_ = true; }
    void carry(const QString& file); // nothing once the button is released, or for no file
    QString directory() const { return directory_; }
    void setDirectory(const QString& folder); // re-reads
    QString mask() const { return mask_; }
    void setMask(const QString& mask); // re-reads
    void reread();                     // re-reads the folder
    // Re-reads the folder keeping the selected file selected (the name box as it is); false when
    // that file is no longer listed and nothing is selected.
    bool rereadKeepingSelection();

    // The list as a grid of pictures (names elided under them) or as plain names.
    void setThumbnails(bool on, QSize pictureSize);
    bool thumbnails() const { return viewMode() == QListView::IconMode; }
    // A picture for the named file; a tool tip given (why it could not be drawn) goes with it.
    void setThumbnail(const QString& name, const QImage& picture, const QString& toolTip);
    // Full paths of the listed files, those in view first.
    QStringList filesInViewFirst() const;

    int itemIndex() const { return currentRow(); }
    void setItemIndex(int index); // selects without raising clicked()
    QString fileName() const;     // full path of the selected file, empty when none
    int findName(const QString& name, Qt::CaseSensitivity cs = Qt::CaseInsensitive) const;
    void deleteEntry(int index); // nothing is selected afterwards

signals:
    void clicked();
    void listed(); // the folder was read again
    void doubleClicked();
    void folderChanged();                  // files or folders in it came or went, or it is gone
    void dragStarted(const QString& file); // a drag carrying the file begins

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void startDrag(Qt::DropActions supportedActions) override;

private:
    void readFolder();
    void dragOut(const QString& file);
    QString nameAt(int row) const;
    void showNameInBox();

    QString directory_, mask_;
    QLineEdit* nameBox_ = nullptr;
    std::function<QString(const QString&)> dragFile_;
    QIcon placeholder_;          // shown until a thumbnail arrives
    bool pressMovedRow_ = false; // the press already raised clicked()
    bool leftPress_ = false;
    bool awaitingDrag_ = false; // a drag waits for its file, the button still held
    QFileSystemWatcher* watcher_;
    QTimer settle_; // one folderChanged() for a burst of changes
};

} // namespace quillon
