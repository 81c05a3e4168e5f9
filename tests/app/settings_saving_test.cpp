// The settings reach their file while the program runs, and live in the user's own folders when
// the program's folder cannot be written.
#include "app/main_window.h"
#include "support/program_folder.h"
#include "support/scripted_prompts.h"
#include "support/temp_files.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QSplitter>
#include <QTest>
#include <gtest/gtest.h>

using namespace quillon;
using quillon::test::ScriptedPrompts;
using quillon::test::TempFolder;

namespace {

QString ReadText(const QString& path) {
    return QString::fromUtf8(quillon::test::FileBytes(path));
}

} // namespace

TEST(SettingsSaving, EachChangeReachesTheFileWithoutClosing) {
    quillon::test::ProgramFolder program;
    program.writeIni("; the user's own line\n[Mine]\nkey=value\n");
    const auto window = program.open();
    TForm2& w = *window;
    const QString ini = program.paths().settingsFile();
    const struct {
        const char* written;
        std::function<void()> change;
    } cases[] = {
        {"dxfImage=0", [&] { w.CheckBox1->click(); }},
        {"whiteonblack=1", [&] { w.CheckBox2->click(); }},
        {"dxftodwg=0", [&] { w.CheckBox3->click(); }},
        {"FullName=/opt/oda/ODAFileConverter",
         [&] { w.setConverterPath("/opt/oda/ODAFileConverter"); }},
        {"Thumbnails=1", [&] { w.ThumbnailView1->trigger(); }},
        {"Left=41", [&] { w.move(41, 52); }},
        {"Width=701", [&] { w.resize(701, 402); }},
    };
    w.show();
    for (const auto& c : cases) {
        c.change();
        EXPECT_TRUE(QTest::qWaitFor([&] { return ReadText(ini).contains(c.written); }, 10000))
            << c.written;
    }
    EXPECT_TRUE(ReadText(ini).startsWith("; the user's own line\n[Mine]\nkey=value\n"));
    EXPECT_TRUE(program.prompts.messages.isEmpty());
}

// A program folder that cannot be written, for root too: its parent is a regular file.
TEST(SettingsSaving, AProgramFolderThatCannotBeWrittenKeepsAllInTheUsersFolders) {
    TempFolder tmp;
    ScriptedPrompts prompts;
    tmp.write("installed", "a file, not a folder");
    const QString exe = tmp.file("installed/prog/quillon");
    const QString config = tmp.file("home/config"), cache = tmp.file("home/cache");
    const AppPaths paths = AppPaths::decide(exe, config, cache);
    EXPECT_EQ(paths.settingsFile(), QDir(config).filePath("quillon.ini"));
    EXPECT_EQ(paths.directoryListFile(), QDir(config).filePath("DirectoryList.txt"));
    EXPECT_EQ(paths.scratchFolder(), QDir(cache).filePath("scratch"));
    {
        TForm2 w(paths, prompts);
        w.CheckBox1->click();
        ASSERT_TRUE(QTest::qWaitFor(
            [&] { return ReadText(paths.settingsFile()).contains("dxfImage=0"); }, 10000));
        w.N4Click();
        w.Form3Button1Click(); // registers the folder shown, on disk at once
        EXPECT_EQ(ReadText(paths.directoryListFile()).count('\n'), 1);
        w.close();
    }
    // The next start reads them back, also once the program's folder can be written.
    for (const bool writableNow : {false, true}) {
        if (writableNow) {
            QFile::remove(tmp.file("installed"));
            QDir().mkpath(tmp.file("installed/prog"));
        }
        const AppPaths next = AppPaths::decide(exe, config, cache);
        EXPECT_EQ(next.settingsFile(), paths.settingsFile());
        TForm2 again(next, prompts);
        EXPECT_FALSE(again.CheckBox1->isChecked()) << writableNow;
        EXPECT_EQ(again.ComboBox2->count(), 1) << writableNow;
    }
    EXPECT_EQ(prompts.messages, QStringList{"Corvid.exe|このフォルダを登録しますか？"});
}

TEST(SettingsSaving, ASaveThatFailsIsToldOnce) {
    TempFolder tmp;
    ScriptedPrompts prompts;
    tmp.write("file", "not a folder");
    const AppPaths paths = AppPaths::decide(tmp.file("file/prog/quillon"), tmp.file("file/config"),
                                            tmp.file("file/cache"));
    const QString told =
        "エラー|設定を保存できません：" + QDir::toNativeSeparators(paths.settingsFile());
    TForm2 w(paths, prompts);
    w.CheckBox2->click();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !prompts.messages.isEmpty(); }, 10000));
    w.close(); // the settings and the folder list fail again: no second message
    EXPECT_EQ(prompts.messages, QStringList{told});
}
