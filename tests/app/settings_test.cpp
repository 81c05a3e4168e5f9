#include "app/directory_list_file.h"
#include "app/directory_outline.h"
#include "app/main_window.h"
#include "app/settings_file.h"
#include "support/scripted_prompts.h"
#include "support/temp_files.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <gtest/gtest.h>

using namespace quillon;
using quillon::test::ScriptedPrompts;
using quillon::test::TempFolder;

using quillon::test::FileBytes;

TEST(SettingsFile, ValuesAndFallbacks) {
    TempFolder tmp;
    const QString path = tmp.write("q.ini", "[Form]\nLeft=-20\nTop=abc\n[dxfView]\ndxfImage=2\n"
                                            "[ODA]\nFullName=/opt/conv/ODA File.exe\n");
    SettingsFile ini;
    ini.load(path);
    EXPECT_EQ(ini.readInteger("Form", "Left", 5), -20);
    EXPECT_EQ(ini.readInteger("Form", "Top", 7), 7); // not a number: the default
    EXPECT_TRUE(ini.readBool("dxfView", "dxfImage", false));
    EXPECT_FALSE(ini.readBool("dwgView", "whiteonblack", false));
    EXPECT_EQ(ini.readString("ODA", "FullName", ""), "/opt/conv/ODA File.exe");
    ini.load(tmp.file("missing.ini"));
    EXPECT_EQ(ini.readString("ODA", "FullName", "[未登録]"), "[未登録]");
}

TEST(SettingsFile, WindowWritesEveryKeyAndReadsThemBack) {
    TempFolder tmp;
    ScriptedPrompts prompts;
    const AppPaths paths{tmp.file("quillon")};
    QDir().mkpath(tmp.file("lib/sub"));
    tmp.write("quillon.ini", "; kept by the "
                             "user\n[Mine]\nkey=value\n[TargetCad]\nProgId=Other.App\n["
                             "makeImageType]\nmakeImage=イメージ作成 "
                             "ZoomLimits\n[DirectoryList]\nDirectory=" +
                                 tmp.file("lib/sub").toUtf8() + "\nComboBoxText=work | /x\n");
    tmp.write("DirectoryList.txt", "work | /x\r\nalpha | /y\r\n");
    {
        TForm2 w(paths, prompts);
        EXPECT_EQ(w.TargetProgId, "Other.App");
        EXPECT_EQ(w.ComboBox2->currentText(), "work | /x");
        EXPECT_EQ(w.ComboBox2->itemText(0), "alpha | /y"); // the list is sorted
        w.CheckBox1->setChecked(false);
        w.CheckBox2->setChecked(true);
        w.CheckBox3->setChecked(false);
        w.setConverterPath("/opt/R&D/ODAFileConverter");
        EXPECT_EQ(w.N25->text(), "/opt/R&&D/ODAFileConverter"); // shown literally
        w.show();
        w.move(33, 44);
        w.close();
    }
    const QString ini = QString::fromUtf8(FileBytes(paths.settingsFile()));
    for (const char* expected :
         {"[Form]", "Left=33", "Top=44", "ProgId=Other.App", "ComboBoxText=work | /x",
          "makeImage=イメージ作成 ZoomLimits", "dxfImage=0", "whiteonblack=1", "dxftodwg=0",
          "FullName=/opt/R&D/ODAFileConverter", "; kept by the user\n[Mine]\nkey=value"})
        EXPECT_TRUE(ini.contains(QString::fromUtf8(expected))) << expected;
    EXPECT_EQ(FileBytes(paths.directoryListFile()), "alpha | /y\r\nwork | /x\r\n");
    EXPECT_EQ(QDir(tmp.path()).entryList({"*.tmp", "*~"}, QDir::Files).size(), 0);

    TForm2 again(paths, prompts);
    EXPECT_FALSE(again.CheckBox1->isChecked());
    EXPECT_TRUE(again.CheckBox2->isChecked());
    EXPECT_FALSE(again.CheckBox3->isChecked());
    EXPECT_EQ(again.N25->text(), "/opt/R&&D/ODAFileConverter");
    EXPECT_EQ(again.DirectoryOutline1->directory(), QDir::toNativeSeparators(tmp.file("lib/sub")));
}

TEST(DirectoryList, LinesAndByteOrderMarks) {
    TempFolder tmp;
    const struct {
        QByteArray bytes;
        QStringList entries;
        QByteArray written;
    } cases[] = {
        {"a | /x\r\nb | /y\r\n", {"a | /x", "b | /y"}, "a | /x\r\nb | /y\r\n"},
        {"a\rb\n\nc", {"a", "b", "", "c"}, "a\r\nb\r\n\r\nc\r\n"},
        {"\xEF\xBB\xBF\xE5\x9B\xB3 | /d\n",
         {QString::fromUtf8("図 | /d")},
         "\xEF\xBB\xBF\xE5\x9B\xB3 | /d\r\n"},
        {QByteArray("\xFF\xFEz\0\n\0", 6), {"z"}, QByteArray("\xFF\xFEz\0\r\0\n\0", 8)},
        {"", {}, ""},
    };
    int i = 0;
    for (const auto& c : cases) {
        const QString path = tmp.write(QString("l%1.txt").arg(i++), c.bytes);
        DirectoryListFile list;
        ASSERT_TRUE(LoadDirectoryList(path, list));
        EXPECT_EQ(list.entries, c.entries);
        ASSERT_TRUE(SaveDirectoryList(path, list));
        EXPECT_EQ(FileBytes(path), c.written);
    }
    DirectoryListFile none;
    EXPECT_FALSE(LoadDirectoryList(tmp.file("none.txt"), none));
}
