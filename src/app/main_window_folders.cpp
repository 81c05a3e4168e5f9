// Registered folders (choose, register, retitle, remove), the file operations of the menus
// (new folder, open in the file manager, rename or move, delete) and the shown folder kept as it
// is on disk.
#include "app/main_window.h"

#include "app/desktop.h"
#include "app/directory_outline.h"
#include "app/drive_combo_box.h"
#include "app/file_list_box.h"
#include "app/file_operations.h"
#include "app/folder_dialogs.h"
#include "app/paths.h"
#include "app/registered_folders.h"

#include <QComboBox>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QUrl>

namespace quillon {

namespace {

const QString kForm3Caption = QStringLiteral("Corvid.exe");
const QString kMainCaption = QStringLiteral("Tessera.exe");

} // namespace

void TForm2::setRegisteredFolders(const QStringList& entries, const QString& chosen) {
    QStringList sorted = entries;
    SortRegisteredFolders(sorted);
    const QSignalBlocker block(ComboBox2);
    ComboBox2->clear();
    ComboBox2->addItems(sorted);
    ComboBox2->setCurrentIndex(chosen.isNull() ? -1 : FindRegisteredFolder(sorted, chosen));
    saveRegisteredFolders(); // on disk at once: a crash never loses a registration
    settingsChanged();       // the chosen entry, set with the list's signals blocked
}

void TForm2::ComboBox2Change() {
    QString title, folder;
    if (SplitRegisteredFolder(ComboBox2->currentText(), title, folder)) {
        if (QFileInfo(folder).isDir()) {
            openFolder(folder);
            Edit2->setText(DirectoryOutline1->directory());
        } else if (prompts_.question(kMainCaption,
                                     folder +
                                         QStringLiteral("\nが見つかりません.\n削除しますか？"))) {
            QStringList entries = registeredFolders();
            entries.removeAt(ComboBox2->currentIndex());
            setRegisteredFolders(entries, QString());
        }
    }
    Edit1->clear();
}

void TForm2::N4Click() {
    const QString folder = DirectoryOutline1->directory();
    Form3->Edit1->setText(folder);
    const qsizetype sep = folder.lastIndexOf(QDir::separator());
    if (sep >= 0) Form3->Edit2->setText(folder.mid(sep + 1).toUpper());
    Form3->setRegisterMode(true);
    Form3->show();
}

void TForm2::N5Click() {
    QString title, folder;
    if (ComboBox2->currentIndex() < 0 ||
        !SplitRegisteredFolder(ComboBox2->currentText(), title, folder))
        return;
    Form3->Edit1->setText(folder);
    Form3->Edit2->setText(title);
    Form3->setRegisterMode(false);
    Form3->show();
}

void TForm2::Form3Button1Click() {
    const QString entry = RegisteredFolderEntry(Form3->Edit2->text(), Form3->Edit1->text());
    QStringList entries = registeredFolders();
    if (Form3->registering()) {
        if (!prompts_.question(kForm3Caption, QStringLiteral("このフォルダを登録しますか？")))
            return;
        if (FindRegisteredFolder(entries, entry) >= 0 &&
            !prompts_.question(
                kForm3Caption,
                QStringLiteral("すでに同じタイトル、フォルダが存在します．追加しますか？")))
            return;
        entries << entry;
    } else {
        if (!prompts_.question(kForm3Caption, QStringLiteral("タイトルを更新しますか？"))) return;
        const int chosen = ComboBox2->currentIndex(); // as chosen now, not when the dialog opened
        if (chosen < 0) return;
        entries[chosen] = entry;
    }
    setRegisteredFolders(entries, entry);
    Form3->hide();
}

void TForm2::N6Click() {
    const int chosen = ComboBox2->currentIndex();
    if (chosen < 0 ||
        !prompts_.question(kMainCaption, QStringLiteral("このフォルダの登録を削除しますか？")))
        return;
    QStringList entries = registeredFolders();
    entries.removeAt(chosen);
    setRegisteredFolders(entries, QString());
}

void TForm2::N13Click() {
    // The main window stays above all windows: not while the dialog is open.
    const bool shown = isVisible();
    setWindowFlag(Qt::WindowStaysOnTopHint, false);
    if (shown) show();
    bool inside = false;
    QString name;
    const QString current = Edit2->text();
    if (prompts_.newFolder(current, inside, name) && !name.isEmpty()) {
        const QString path = NewFolderPath(current, name, inside);
        if (!path.isEmpty() && CreateFolder(path, prompts_)) {
            DirectoryOutline1->refresh(); // the new folder shows in the tree at once
            openFolder(path);
        }
    }
    setWindowFlag(Qt::WindowStaysOnTopHint, true);
    if (shown) show();
}

void TForm2::N17Click() {
    const QString folder = Edit2->text();
    if (!QFileInfo(folder).isDir()) return;
    if (!QDesktopServices::openUrl(QUrl::fromLocalFile(folder)))
        prompts_.message(QStringLiteral("エラー"),
                         QStringLiteral("エクスプローラの起動に失敗しました"),
                         UserPrompts::Icon::Error);
}

void TForm2::N2Click() {
    const QString from = FileListBox1->fileName();
    if (from.isEmpty()) return;
    const QString suffix = QFileInfo(from).suffix();
    const QString filter = QStringLiteral("*.%1 (*.%1);;すべてのファイル (*)")
                               .arg(suffix.isEmpty() ? QStringLiteral("*") : suffix);
    const QString chosen = prompts_.saveFileName(from, filter);
    if (chosen.isEmpty()) return;
    const QString to = QDir::toNativeSeparators(MoveDestination(from, chosen));
    if (MoveDrawing(from, to, prompts_) != FileOutcome::Done) return;
    const QString drive = DriveOfPath(QFileInfo(to).absolutePath(), AvailableDrives());
    if (CleanFolder(drive) != DirectoryOutline1->drive()) {
        DriveComboBox1->setDrive(drive);
        DriveComboBox1Change();
    }
    DriveComboBox1->update();
    DirectoryOutline1->viewport()->update();
    FileListBox1->reread();
    // A file renamed within the list stays selected under its new name; one moved away leaves
    // nothing selected.
    const bool listed = QFileInfo(to).absoluteDir() == QDir(FileListBox1->directory());
    const int at = listed ? FileListBox1->findName(QFileInfo(to).fileName(), kPathCase) : -1;
    if (at < 0) {
        clearSelection();
        return;
    }
    FileListBox1->setItemIndex(at);
    FileListBox1Click();
}

void TForm2::N8Click() {
    const QString file = FileListBox1->fileName();
    if (file.isEmpty()) return;
    switch (DeleteDrawing(file, prompts_)) {
    case FileOutcome::Done: // its row as listed now: the folder may have been read meanwhile
        FileListBox1->deleteEntry(FileListBox1->findName(QFileInfo(file).fileName(), kPathCase));
        clearSelection();
        break;
    case FileOutcome::Failed: // the list shows what is on disk
        if (!FileListBox1->rereadKeepingSelection()) clearSelection();
        break;
    case FileOutcome::Declined: break;
    }
}

void TForm2::clearSelection() {
    // Nothing is selected until the user selects: no drawing the user has not looked at is
    // shown, measured, converted or inserted.
    FileListBox1->setItemIndex(-1);
    clearPreview();
    Edit1->clear();
    Edit3->clear();
    Edit4->clear();
    for (QPushButton* b : {Button3, Button18, Button19}) b->setEnabled(false);
}

void TForm2::shownFolderChanged() {
    const QString shown = FileListBox1->directory();
    DirectoryOutline1->rereadFolder(shown);
    if (!QFileInfo(shown).isDir()) {
        openFolder(shown); // its nearest existing parent
        return;
    }
    const bool selected = FileListBox1->itemIndex() >= 0;
    if (!FileListBox1->rereadKeepingSelection() && selected) clearSelection();
}

} // namespace quillon
