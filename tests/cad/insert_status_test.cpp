// The window's insertion runs beside its event loop and ends with a line in the status bar.
#include "app/file_list_box.h"
#include "app/main_window.h"
#include "support/program_folder.h"
#include "support/standin_cad.h"

#include <QCoreApplication>
#include <QPushButton>
#include <QStatusBar>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>
#include <optional>

using namespace quillon;
using quillon::test::ProgramFolder;
using quillon::test::StandInCad;

TEST(InsertStatus, TheStatusLineSaysHowTheInsertionEnded) {
    ProgramFolder program;
    const QString dwg = program.tmp.write("lib/a.dwg", "x");
    const auto window = program.openAt(program.tmp.file("lib"));
    TForm2& w = *window;
    w.FileListBox1->setItemIndex(w.FileListBox1->findName("a.dwg"));
    w.FileListBox1Click();
    const struct {
        std::optional<QStringList> cad; // the stand-in's options; none: no CAD runs
        QString status;
        int commands;
    } cases[] = {
        {QStringList{}, "挿入しました", 2},
        {std::nullopt, "nanoCAD 5 が見つかりません", 0},
        {QStringList{"--disabled"}, "nanoCAD 5 が見つかりません", 0},
        {QStringList{"--unresponsive"}, "nanoCAD 5 が応答しません", 0},
    };
    for (const auto& c : cases) {
        std::optional<StandInCad> cad;
        if (c.cad) cad.emplace(*c.cad);
        w.CadTitle =
            cad ? cad->title : QStringLiteral("no CAD %1").arg(QCoreApplication::applicationPid());
        // While the CAD is asked, the window's events run: a timer due at once fires, and a
        // second click is taken and ignored rather than starting a second insertion.
        QStatusBar& status = *w.statusBar();
        status.clearMessage();
        bool timerFired = false, endedBeforeTimer = false;
        QTimer::singleShot(0, &w, [&] {
            timerFired = true;
            endedBeforeTimer = !status.currentMessage().isEmpty();
        });
        w.Button18->click();
        w.Button18->click();
        EXPECT_TRUE(QTest::qWaitFor([&] { return !status.currentMessage().isEmpty(); }, 20000));
        EXPECT_TRUE(timerFired);
        if (c.cad && c.cad->contains("--unresponsive")) {
            EXPECT_FALSE(endedBeforeTimer);
        }
        EXPECT_EQ(status.currentMessage(), c.status);
        if (cad) {
            EXPECT_EQ(cad->commands().size(), c.commands) << c.status.toStdString();
        }
    }
    EXPECT_TRUE(program.prompts.messages.isEmpty());
}
