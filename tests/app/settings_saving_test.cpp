// The settings reach their file while the program runs, and live in the user's own folders when
// the program's folder cannot be written.
#include "app/main_window.h"
#include "support/program_folder.h"
#include "support/scripted_prompts.h"
#include "support/temp_files.h"

#include <QAction>
#include <QCheckBox>
#include <QSplitter>
#include <QTest>
#include <gtest/gtest.h>

using namespace quillon;
using quillon::test::ScriptedPrompts;
using quillon::test::TempFolder;

namespace {

QString ReadText(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
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
