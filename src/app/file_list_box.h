// The drawings of one folder: the files matching a mask of ";"-separated patterns (ignoring
// case), sorted by name. A click, or a keyboard move of the selection, raises clicked(). The
// name box shows the selected name, or the mask when nothing is selected.
#pragma once

#include <QListWidget>

class QLineEdit;

namespace quillon {

class FileListBox : public QListWidget {
    Q_OBJECT
public:
    explicit FileListBox(QWidget* parent = nullptr);

    void setNameBox(QLineEdit* box) { nameBox_ = box; }
    QString directory() const { return directory_; }
    void setDirectory(const QString& folder); // re-reads
    QString mask() const { return mask_; }
    void setMask(const QString& mask); // re-reads
    void update();                     // re-reads the folder

    int itemIndex() const { return currentRow(); }
    void setItemIndex(int index); // selects without raising clicked()
    QString fileName() const;     // full path of the selected file, empty when none
    int findName(const QString& name) const;
    void deleteEntry(int index);

signals:
    void clicked();
    void doubleClicked();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void showNameInBox();

    QString directory_, mask_;
    QLineEdit* nameBox_ = nullptr;
};

} // namespace quillon
