// The drawings of one folder: the files matching a mask of ";"-separated patterns (ignoring
// case), sorted by name. Every change of the current row by the user (click, drag, right-click,
// keyboard) raises clicked() once, and so does a left click on the current row. The name box
// shows the selected name, or the mask when nothing is selected.
#pragma once

#include <QIcon>
#include <QListWidget>
#include <functional>

class QLineEdit;

namespace quillon {

class FileListBox : public QListWidget {
    Q_OBJECT
public:
    explicit FileListBox(QWidget* parent = nullptr);

    void setNameBox(QLineEdit* box) { nameBox_ = box; }
    // Dragging a file out carries the file this gives for it (none: no drag).
    void setDragFile(std::function<QString(const QString&)> dragFile) {
        dragFile_ = std::move(dragFile);
    }
    QString directory() const { return directory_; }
    void setDirectory(const QString& folder); // re-reads
    QString mask() const { return mask_; }
    void setMask(const QString& mask); // re-reads
    void reread();                     // re-reads the folder

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
    int findName(const QString& name) const;
    void deleteEntry(int index);

signals:
    void clicked();
    void listed(); // the folder was read again
    void doubleClicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    QStringList mimeTypes() const override;
    QMimeData* mimeData(const QList<QListWidgetItem*>& items) const override;

private:
    void showNameInBox();

    QString directory_, mask_;
    QLineEdit* nameBox_ = nullptr;
    std::function<QString(const QString&)> dragFile_;
    QIcon placeholder_;          // shown until a thumbnail arrives
    bool pressMovedRow_ = false; // the press already raised clicked()
    bool leftPress_ = false;
};

} // namespace quillon
