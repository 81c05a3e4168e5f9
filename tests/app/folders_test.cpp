// Registered folders and the file operations of the menus, in the real window.
#include "app/directory_outline.h"
#include "app/file_list_box.h"
#include "app/file_operations.h"
#include "app/folder_dialogs.h"
#include "app/main_window.h"
#include "app/registered_folders.h"
#include "support/program_folder.h"
#include "support/temp_files.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <gtest/gtest.h>

using namespace quillon;
using quillon::test::ScriptedPrompts;
using quillon::test::TempFolder;

namespace {

struct Window : quillon::test::ProgramFolder {
    std::unique_ptr<TForm2> w;

    explicit Window(const QByteArray& list = {}) {
        tmp.write("lib/bolts/A.DWG", "a");
        tmp.write("lib/bolts/c.dxf", "c");
        if (!list.isEmpty()) tmp.write("prog/DirectoryList.txt", list);
        w = openAt(tmp.file("lib/bolts"));
    }
    QStringList entries() const {
        QStringList out;
        for (int i = 0; i < w->ComboBox2->count(); ++i) out << w->ComboBox2->itemText(i);
        return out;
    }
    QByteArray onDisk() const {
        return quillon::test::FileBytes(tmp.file("prog/DirectoryList.txt"));
    }
    void choose(int index) {
        w->ComboBox2->setCurrentIndex(index);
        w->ComboBox2Change();
    }
    QStringList files() const {
        QStringList out;
        for (int i = 0; i < w->FileListBox1->count(); ++i) out << w->FileListBox1->item(i)->text();
        return out;
    }
};

} // namespace

TEST(RegisteredFolders, ChoosingNavigatesOrOffersToRemoveAGoneFolder) {
    TempFolder other;
    Window s("gone | " + other.file("nowhere").toUtf8() + "\r\nlib | " +
             QByteArray(QUILLON_SAMPLES) + "/mechanical\r\n");
    s.w->Edit1->setText("x");
    s.choose(1); // lib
    EXPECT_EQ(s.w->DirectoryOutline1->directory(),
              QDir::toNativeSeparators(QUILLON_SAMPLES "/mechanical"));
    EXPECT_TRUE(s.w->Edit1->text().isEmpty());
    s.prompts.answer = false;
    s.choose(0); // gone, kept on No
    EXPECT_EQ(s.entries().size(), 2);
    s.prompts.answer = true;
    s.choose(0); // removed on Yes, and from the file at once
    EXPECT_EQ(s.entries().size(), 1);
    EXPECT_FALSE(s.onDisk().contains("gone"));
}

TEST(RegisteredFolders, RegisterTwiceRetitleAndRemove) {
    Window s;
    const QString bolts = QDir::toNativeSeparators(s.tmp.file("lib/bolts"));
    s.w->N4Click();
    EXPECT_EQ(s.w->Form3->Edit1->text(), bolts);
    EXPECT_EQ(s.w->Form3->Edit2->text(), "BOLTS");
    EXPECT_EQ(s.w->Form3->Button1->text(), "登録");
    s.w->Form3->Button1->click();
    EXPECT_EQ(s.entries(), QStringList{"BOLTS | " + bolts});
    // Registered on disk at once: a kill now keeps it.
    EXPECT_EQ(s.onDisk(), ("BOLTS | " + bolts + "\r\n").toUtf8());
    // The same title and folder in other letter case is the same entry: Yes adds it anyway.
    s.prompts.messages.clear();
    s.w->N4Click();
    s.w->Form3->Edit2->setText("bolts");
    s.w->Form3->Button1->click();
    EXPECT_EQ(s.prompts.messages,
              (QStringList{"Corvid.exe|このフォルダを登録しますか？",
                           "Corvid.exe|すでに同じタイトル、フォルダが存在します．追加しますか？"}));
    EXPECT_EQ(s.entries().size(), 2);
    // A new title moves the entry to its sorted place and keeps it chosen; the dialog acts on the
    // entry chosen when it confirms.
    s.w->ComboBox2->setCurrentIndex(1);
    s.w->N5Click();
    EXPECT_EQ(s.w->Form3->Button1->text(), "更新");
    s.w->ComboBox2->setCurrentIndex(0);
    s.w->Form3->Edit2->setText("Anchors");
    s.w->Form3->Button1->click();
    EXPECT_EQ(s.entries(), (QStringList{"Anchors | " + bolts, "bolts | " + bolts}));
    EXPECT_EQ(s.w->ComboBox2->currentIndex(), 0);
    // Remove: No keeps, Yes removes.
    s.prompts.answers = {false};
    s.w->N6Click();
    EXPECT_EQ(s.entries().size(), 2);
    s.w->N6Click();
    EXPECT_EQ(s.entries(), QStringList{"bolts | " + bolts});
    EXPECT_FALSE(s.onDisk().contains("Anchors"));
}

TEST(RegisteredFolders, SplitAtTheFirstBar) {
    QString title, folder;
    ASSERT_TRUE(SplitRegisteredFolder(" a b | /x | y \t", title, folder));
    EXPECT_EQ(title, "a b");
    EXPECT_EQ(folder, "/x | y");
    EXPECT_FALSE(SplitRegisteredFolder("no bar", title, folder));
}

TEST(FileOperations, NewFolderBesideOrInsideOrCancelled) {
    const struct {
        bool ok, inside;
        const char* name;
        const char* created; // relative to the temporary folder; "" none
    } cases[] = {
        {true, false, "M12", "lib/M12"},
        {true, true, "M12", "lib/bolts/M12"},
        {false, true, "M12", ""},
    };
    for (const auto& c : cases) {
        Window s;
        s.w->show();
        s.prompts.newFolderOk = c.ok;
        s.prompts.newFolderInside = c.inside;
        s.prompts.newFolderName = c.name;
        s.w->N13Click();
        EXPECT_EQ(s.prompts.newFolderShownFor, QDir::toNativeSeparators(s.tmp.file("lib/bolts")));
        EXPECT_TRUE(s.w->windowFlags() & Qt::WindowStaysOnTopHint);
        EXPECT_TRUE(s.prompts.messages.isEmpty()) << s.prompts.messages.join(' ').toStdString();
        if (*c.created) {
            const QString made = QDir::toNativeSeparators(s.tmp.file(c.created));
            EXPECT_TRUE(QFileInfo(made).isDir()) << c.created;
            EXPECT_EQ(s.w->DirectoryOutline1->directory(), made);
            EXPECT_EQ(s.w->FileListBox1->count(), 0);
        } else {
            EXPECT_FALSE(QFileInfo::exists(s.tmp.file("lib/bolts/M12")));
        }
    }
    // A folder that cannot be made says where.
    Window s;
    s.tmp.write("lib/file", "x");
    s.prompts.newFolderName = "file";
    s.w->N13Click();
    ASSERT_EQ(s.prompts.messages.size(), 1);
    EXPECT_TRUE(s.prompts.messages[0].contains(s.tmp.file("lib/file")));
}

TEST(FileOperations, RenameMoveAndDelete) {
    Window s;
    const auto select = [&](const char* name) {
        s.w->FileListBox1->setItemIndex(s.w->FileListBox1->findName(name));
    };
    // A rename in the same folder; a name typed without an extension keeps the file's own.
    select("A.DWG");
    s.prompts.fileName = s.tmp.file("lib/bolts/B");
    s.w->N2Click();
    EXPECT_EQ(s.files(), (QStringList{"B.DWG", "c.dxf"}));
    // A move onto an existing file asks first: No keeps both, Yes replaces.
    select("B.DWG");
    s.prompts.fileName = s.tmp.file("lib/bolts/c.dxf");
    s.prompts.answers = {false};
    s.w->N2Click();
    EXPECT_EQ(s.files(), (QStringList{"B.DWG", "c.dxf"}));
    EXPECT_TRUE(s.prompts.messages.last().endsWith("は既にあります．置き換えますか？"));
    s.w->N2Click();
    EXPECT_EQ(s.files(), QStringList{"c.dxf"});
    QFile moved(s.tmp.file("lib/bolts/c.dxf"));
    ASSERT_TRUE(moved.open(QIODevice::ReadOnly));
    EXPECT_EQ(moved.readAll(), "a");
    // Delete: No keeps, Yes removes the file and its entry.
    select("c.dxf");
    s.prompts.answers = {false};
    s.w->N8Click();
    EXPECT_EQ(s.files(), QStringList{"c.dxf"});
    s.w->N8Click();
    EXPECT_TRUE(s.files().isEmpty());
    EXPECT_FALSE(QFile::exists(s.tmp.file("lib/bolts/c.dxf")));
    // A delete that fails says why and claims nothing.
    ScriptedPrompts prompts;
    EXPECT_EQ(DeleteDrawing(s.tmp.file("lib/bolts/none.dwg"), prompts), FileOutcome::Failed);
    EXPECT_TRUE(prompts.messages.last().startsWith("エラー|" + s.tmp.file("lib/bolts/none.dwg")));
}
