// Rename, move and delete in the real window: what stays selected afterwards, the questions
// asked, the trash, a shown folder that changes or goes, and names the list cannot show as they
// are.
#include "app/directory_outline.h"
#include "app/file_list_box.h"
#include "app/file_operations.h"
#include "app/main_window.h"
#include "app/paths.h"
#include "app/preview_image.h"
#include "app/preview_panel.h"
#include "support/program_folder.h"
#include "support/temp_files.h"
#include "support/wait.h"

#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QStandardPaths>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

using namespace quillon;
using quillon::test::ScriptedPrompts;
using quillon::test::TempFolder;
using quillon::test::WaitUntil;

namespace {

const QByteArray kLineDxf =
    quillon::test::EntitiesSection(quillon::test::DxfOf("0 LINE 8 0 10 0 20 0 11 100 21 50"));

// A home of the test's own: the trash the program moves files to is in it.
struct OwnHome {
    QByteArray before = qgetenv("HOME");
    explicit OwnHome(const QString& home) {
        QDir().mkpath(home);
        qputenv("HOME", home.toUtf8());
    }
    ~OwnHome() { qputenv("HOME", before); }
};

struct Window : quillon::test::ProgramFolder {
    OwnHome home{tmp.file("home")};
    std::unique_ptr<TForm2> w;

    Window() {
        tmp.write("lib/bolts/A.dwg", "a");
        tmp.write("lib/bolts/B.dwg", "b");
        tmp.write("lib/bolts/c.dxf", kLineDxf);
        tmp.write("lib/nuts/n.dwg", "n");
        w = openAt(tmp.file("lib/bolts"));
        w->show();
        QCoreApplication::processEvents();
    }
    QString lib(const QString& name = {}) const {
        return QDir::toNativeSeparators(tmp.file(name.isEmpty() ? "lib" : "lib/" + name));
    }
    void click(const QString& name) {
        FileListBox* list = w->FileListBox1;
        const int row = list->findName(name);
        ASSERT_GE(row, 0) << name.toStdString();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(list->item(row)).center());
    }
    QStringList files() const {
        QStringList out;
        for (int i = 0; i < w->FileListBox1->count(); ++i) out << w->FileListBox1->item(i)->text();
        return out;
    }
    // Nothing is selected and nothing of a drawing is shown or can be acted on.
    void expectNothingSelected(const char* after) const {
        EXPECT_EQ(w->FileListBox1->itemIndex(), -1) << after;
        EXPECT_TRUE(w->FileListBox1->fileName().isEmpty()) << after;
        EXPECT_EQ(w->Edit1->text() + w->Edit3->text() + w->Edit4->text(), "") << after;
        EXPECT_FALSE(w->Image2->hasPicture()) << after;
        EXPECT_FALSE(w->Button3->isEnabled() || w->Button18->isEnabled() ||
                     w->Button19->isEnabled())
            << after;
    }
};

} // namespace

TEST(FileOperationsWindow, DeleteAndMoveLeaveNothingSelectedARenameKeepsItsFile) {
    Window s;
    s.click("A.dwg");
    ASSERT_EQ(s.w->Edit1->text(), "A.dwg");
    s.w->N8Click();
    EXPECT_TRUE(s.prompts.messages.first().startsWith("Tessera.exe|A.dwg\n"));
    EXPECT_EQ(s.files(), (QStringList{"B.dwg", "c.dxf"}));
    s.expectNothingSelected("delete");

    // A rename within the folder keeps the file selected under its new name, and drawn.
    s.click("c.dxf");
    s.prompts.fileName = s.lib("bolts/d.dxf");
    s.w->N2Click();
    EXPECT_EQ(s.files(), (QStringList{"B.dwg", "d.dxf"}));
    EXPECT_EQ(s.w->FileListBox1->fileName(), s.lib("bolts/d.dxf"));
    EXPECT_EQ(s.w->Edit1->text(), "d.dxf");
    EXPECT_EQ(s.w->Edit4->text(), SelectedPathText(s.lib("bolts/d.dxf")));
    EXPECT_TRUE(s.w->Image2->hasPicture());
    EXPECT_EQ(s.w->preview().drawing().LineAry.size(), 1u);

    // A move to another folder: the file is gone from the list and nothing is selected.
    s.click("B.dwg");
    s.prompts.fileName = s.lib("nuts/B.dwg");
    s.w->N2Click();
    EXPECT_EQ(s.files(), QStringList{"d.dxf"});
    EXPECT_TRUE(QFile::exists(s.lib("nuts/B.dwg")));
    s.expectNothingSelected("move");
}

TEST(FileOperationsWindow, DeleteMovesToTheTrashOrAsksForAPermanentDelete) {
    Window s;
    s.click("A.dwg");
    s.w->N8Click();
    EXPECT_FALSE(QFile::exists(s.lib("bolts/A.dwg")));
    const QString trashed = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
                            "/Trash/files/A.dwg";
    const QString toTrash = "Tessera.exe|A.dwg\nこのファイルをごみ箱に移動しますか？";
    if (s.prompts.messages.size() == 1) { // the desktop has a trash here
        EXPECT_EQ(s.prompts.messages, QStringList{toTrash});
        QFile kept(trashed);
        ASSERT_TRUE(kept.open(QIODevice::ReadOnly)) << trashed.toStdString();
        EXPECT_EQ(kept.readAll(), "a");
    } else {
        EXPECT_EQ(s.prompts.messages,
                  (QStringList{toTrash, "Tessera.exe|A.dwg\nごみ箱に移動できません．\n"
                                        "このファイルを完全に削除しますか？（元に戻せません）"}));
    }
}

TEST(FileOperationsWindow, FailuresAreToldInJapanese) {
    TempFolder t;
    const QString gone = t.file("gone.dwg");
    ScriptedPrompts prompts;
    EXPECT_EQ(DeleteDrawing(gone, prompts), FileOutcome::Failed);
    EXPECT_EQ(prompts.messages.last(),
              "エラー|" + gone + "\n削除できません：ファイルが見つかりません．");
    EXPECT_EQ(MoveDrawing(gone, t.file("b.dwg"), prompts), FileOutcome::Failed);
    EXPECT_EQ(prompts.messages.last(), "エラー|" + gone + " → " + t.file("b.dwg") +
                                           "\n移動できません：ファイルが見つかりません．");
    const QString a = t.write("a.dwg", "a");
    EXPECT_EQ(MoveDrawing(a, t.file("no/such/folder/a.dwg"), prompts), FileOutcome::Failed);
    EXPECT_TRUE(
        prompts.messages.last().endsWith("\n移動できません：移動先のフォルダが見つかりません．"))
        << prompts.messages.last().toStdString();
}

TEST(FileOperationsWindow, RenameOntoAnExistingFileAsksOnceInOurWords) {
    TempFolder t;
    const QString existing = t.write("B.dwg", "b");
    QStringList asked;
    QString chosen;
    // Answers the real dialogs: the file dialog chooses the existing file, a message box says Yes.
    QTimer answer;
    QObject::connect(&answer, &QTimer::timeout, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (auto* dialog = qobject_cast<QFileDialog*>(modal)) {
            dialog->findChild<QLineEdit*>("fileNameEdit")->setText(QFileInfo(existing).fileName());
            QMetaObject::invokeMethod(dialog, "accept", Qt::QueuedConnection);
        } else if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            asked << box->text();
            QMetaObject::invokeMethod(box->button(QMessageBox::Yes), "click", Qt::QueuedConnection);
        }
    });
    answer.start(20);
    DialogPrompts prompts;
    chosen = prompts.saveFileName(t.file("A.dwg"), "*.dwg (*.dwg)");
    answer.stop();
    EXPECT_EQ(QFileInfo(chosen).absoluteFilePath(), QFileInfo(existing).absoluteFilePath());
    EXPECT_TRUE(asked.isEmpty()) << asked.join('|').toStdString();
}

TEST(FileOperationsWindow, AShownFolderThatChangesOrGoesIsShownAgain) {
    Window s;
    s.click("B.dwg");
    // A drawing added beside the selected one shows; the selection stays.
    s.tmp.write("lib/bolts/A2.dwg", "a2");
    EXPECT_TRUE(WaitUntil([&] { return s.w->FileListBox1->findName("A2.dwg") >= 0; }));
    EXPECT_EQ(s.w->FileListBox1->fileName(), s.lib("bolts/B.dwg"));
    EXPECT_EQ(s.w->Edit1->text(), "B.dwg");
    // The selected drawing removed from outside: nothing is selected any more.
    QFile::remove(s.lib("bolts/B.dwg"));
    EXPECT_TRUE(WaitUntil([&] { return s.w->FileListBox1->findName("B.dwg") < 0; }));
    s.expectNothingSelected("removed outside");
    // A folder made inside shows in the tree.
    QDir().mkpath(s.lib("bolts/M12"));
    DirectoryOutline* tree = s.w->DirectoryOutline1;
    const auto inTree = [&](const QString& name) {
        for (int i = 1; i <= tree->itemCount(); ++i)
            if (tree->itemText(i) == name) return true;
        return false;
    };
    EXPECT_TRUE(WaitUntil([&] { return inTree("M12"); }));
    // The shown folder goes: its parent is shown, and the tree no longer has it.
    QDir(s.lib("bolts")).removeRecursively();
    EXPECT_TRUE(WaitUntil([&] { return s.w->DirectoryOutline1->directory() == s.lib(); }));
    EXPECT_EQ(s.w->FileListBox1->directory(), s.lib());
    EXPECT_EQ(s.w->Edit2->text(), s.lib());
    EXPECT_FALSE(inTree("bolts"));
    EXPECT_TRUE(inTree("nuts"));
}

TEST(FileOperationsWindow, ANameWithALineBreakShowsOnOneRow) {
    Window s;
    const QString odd = QStringLiteral("two\nlines.dwg");
    s.tmp.write("lib/nuts/" + odd, "x");
    s.w->openFolder(s.lib("nuts"));
    FileListBox* list = s.w->FileListBox1;
    ASSERT_EQ(list->count(), 2);
    const int row = list->findName(odd);
    ASSERT_GE(row, 0);
    EXPECT_EQ(list->item(row)->text(), "two↵lines.dwg");
    EXPECT_EQ(list->visualItemRect(list->item(row)).height(),
              list->visualItemRect(list->item(1 - row)).height());
    s.click(odd);
    EXPECT_EQ(list->fileName(), s.lib("nuts/" + odd));
    EXPECT_TRUE(QFile::exists(list->fileName()));
}
