#include "app/main_window.h"

// Browsing: drives, the folder tree, the file list, its mask and files dropped on the window.
#include "app/directory_outline.h"
#include "app/drive_combo_box.h"
#include "app/file_list_box.h"
#include "app/paths.h"
#include "app/preview_panel.h"
#include "app/selection_rules.h"

#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>

namespace quillon {

void TForm2::DriveComboBox1Change() {
    DirectoryOutline1->setDrive(DriveComboBox1->drive());
}

void TForm2::DirectoryOutline1Change() {
    clearPreview();
    const QString dir = DirectoryOutline1->directory();
    if (!QFileInfo(dir).isDir()) return;
    FileListBox1->setDirectory(dir);
    Edit2->setText(dir);
    if (FileListBox1->count() == 0) {
        clearPreview();
        return;
    }
    FileListBox1->setItemIndex(0);
    FileListBox1Click();
}

void TForm2::Edit48Change() {
    FileListBox1->setMask(MaskForTyped(Edit48->text()));
}

void TForm2::ExpandTreeToPath(const QString& path) {
    DirectoryOutline1->expandItem(1);
    QString p = CleanFolder(path);
    QString part;
    // The drive's own root is the first part: a volume's mount folder, or the empty text
    // before the first separator.
    const QString root = DirectoryOutline1->drive();
    if (root.size() > 1 && p.startsWith(root, kPathCase))
        p = p.mid(root.size() + 1);
    else
        SplitFirstPathPart(part, p);
    int found = 1;
    while (!p.isEmpty()) {
        SplitFirstPathPart(part, p);
        const int last = DirectoryOutline1->itemCount();
        for (int i = found + 1; i <= last; ++i)
            if (DirectoryOutline1->itemText(i).compare(part, kPathCase) == 0) {
                found = i;
                DirectoryOutline1->expandItem(i);
                break;
            }
    }
    DirectoryOutline1->selectRow(found - 1);
}

void TForm2::openFolder(const QString& folder) {
    DirectoryOutline1->setDirectory(folder);
    ExpandTreeToPath(DirectoryOutline1->directory());
    DirectoryOutline1->viewport()->update();
}

void TForm2::HandleDroppedFiles(const QStringList& files) {
    if (files.isEmpty()) return;
    const QFileInfo file(files.first());
    const QString folder = QDir::toNativeSeparators(file.absolutePath());
    DirectoryOutline1->setDrive(DriveOfPath(folder, AvailableDrives()));
    DirectoryOutline1->setDirectory(folder);
    ExpandTreeToPath(folder);
    const int at = FileListBox1->findName(file.fileName());
    if (at >= 0) FileListBox1->setItemIndex(at);
}

void TForm2::FileListBox1DblClick() {
    Button18Click(Button18); // also while the button is disabled: the insertion decides
}

void TForm2::dragEnterEvent(QDragEnterEvent* event) {
    // Files from outside open their folder; a drawing dragged out of our own list does nothing.
    if (event->mimeData()->hasUrls() && !event->source()) event->acceptProposedAction();
}

void TForm2::dropEvent(QDropEvent* event) {
    QStringList files;
    for (const QUrl& url : event->mimeData()->urls())
        if (url.isLocalFile()) files << QDir::toNativeSeparators(url.toLocalFile());
    HandleDroppedFiles(files);
    event->acceptProposedAction();
}

} // namespace quillon
