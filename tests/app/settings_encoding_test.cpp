#include "app/directory_list_file.h"
#include "app/settings_file.h"
#include "dxf/code_page.h"
#include "support/temp_files.h"

#include <QFile>
#include <gtest/gtest.h>

using namespace quillon;
using quillon::test::TempFolder;

TEST(SettingsFile, KeepsItsEncodingAndByteOrderMark) {
    // Without a mark the file is in the system's code page (UTF-8 here); a UTF-8 mark is kept.
    TempFolder tmp;
    const QByteArray lines = "[DirectoryList]\nDirectory=/\xE5\x9B\xB3\n";
    for (const QByteArray& mark : {QByteArray(), QByteArray("\xEF\xBB\xBF")}) {
        const QString path = tmp.write("q.ini", mark + lines);
        SettingsFile ini;
        ini.load(path);
        EXPECT_EQ(ini.readString("DirectoryList", "Directory", {}), QString::fromUtf8("/図"));
        ini.writeString("DirectoryList", "ComboBoxText", QString::fromUtf8("図"));
        ASSERT_TRUE(ini.save(path));
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        EXPECT_EQ(f.readAll(), mark + lines + "ComboBoxText=\xE5\x9B\xB3\n") << mark.size();
    }
}

// Where the system's page is UTF-8, a file that is not valid UTF-8 comes from an older Windows
// install in page 932: its Japanese lines are read as such and written back in it, unchanged.
TEST(SettingsFile, AShiftJisFileFromWindowsKeepsItsJapanese) {
    if (SystemCodePage() != kCodePageUtf8) GTEST_SKIP() << "the system's page is not UTF-8";
    TempFolder tmp;
    const QByteArray folder = "C:\\\x90\x7D\x96\xCA"; // C:\図面
    const QString expected = QString::fromUtf8("C:\\図面");
    const QString ini =
        tmp.write("q.ini", "; \x90\xDD\x92\xE8\r\n[DirectoryList]\r\nDirectory=" + folder + "\r\n");
    SettingsFile settings;
    settings.load(ini);
    EXPECT_EQ(settings.readString("DirectoryList", "Directory", {}), expected);
    settings.writeString("DirectoryList", "ComboBoxText", QString::fromUtf8("図面"));
    ASSERT_TRUE(settings.save(ini));
    QFile f(ini);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), "; \x90\xDD\x92\xE8\r\n[DirectoryList]\r\nDirectory=" + folder +
                               "\r\nComboBoxText=\x90\x7D\x96\xCA\r\n");

    const QString list = tmp.write("DirectoryList.txt", "\x90\x7D\x96\xCA | " + folder + "\r\n");
    DirectoryListFile entries;
    ASSERT_TRUE(LoadDirectoryList(list, entries));
    EXPECT_EQ(entries.entries, QStringList{QString::fromUtf8("図面 | ") + expected});
    ASSERT_TRUE(SaveDirectoryList(list, entries));
    QFile g(list);
    ASSERT_TRUE(g.open(QIODevice::ReadOnly));
    EXPECT_EQ(g.readAll(), "\x90\x7D\x96\xCA | " + folder + "\r\n");
}
