#include "app/settings_file.h"
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
