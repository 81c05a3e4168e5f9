// Insertion into the stand-in CAD, run as a real process, with the stand-in converter.
#include "app/file_list_box.h"
#include "app/main_window.h"
#include "cad/insertion.h"
#include "support/program_folder.h"
#include "support/standin_cad.h"
#include "support/temp_files.h"
#include "support/wait.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QProcess>
#include <QPushButton>
#include <QTest>
#include <QUrl>
#include <gtest/gtest.h>

using namespace quillon;
using quillon::test::ProgramFolder;
using quillon::test::StandInCad;
using quillon::test::TempFolder;

namespace {

InsertRequest Request(const StandInCad& cad, const QString& file, const TempFolder& tmp) {
    InsertRequest r;
    r.file = file;
    r.title = cad.title;
    r.converter.converter = QStringLiteral(QUILLON_STANDIN_CONVERTER);
    r.converter.outputFolder = tmp.file("scratch");
    return r;
}

} // namespace

TEST(Insertion, CommandsSentForEachKindOfFile) {
    TempFolder tmp;
    const QString dwg = tmp.write("lib/部品 A/b 1.dwg", "x");
    const QString dxf = tmp.write("lib/c.dxf", "x");
    const QString scratchDwg = QDir::toNativeSeparators(tmp.file("scratch/c.dwg"));
    const struct {
        QString file;
        bool explode, convertDxf;
        InsertOutcome outcome;
        QStringList commands;
    } cases[] = {
        {dwg, false, false, InsertOutcome::Sent, {"-C-C", "-INSERT\r\"" + dwg + "\"\r"}},
        {dwg, true, false, InsertOutcome::Sent, {"-C-C", "-INSERT\r\"*" + dwg + "\"\r"}},
        {dxf, true, true, InsertOutcome::Sent, {"-C-C", "-INSERT\r*" + scratchDwg + "\r"}},
        {dxf, false, false, InsertOutcome::NotInsertable, {}},
        {tmp.write("lib/notes.txt", "x"), false, true, InsertOutcome::NotInsertable, {}},
        {tmp.file("lib/gone.dwg"), false, false, InsertOutcome::FileMissing, {}},
        {tmp.write("lib/a\rb.dwg", "x"), false, false, InsertOutcome::UnsafePath, {}},
        {tmp.write("lib/a\" b.dwg", "x"), false, false, InsertOutcome::UnsafePath, {}},
    };
    for (const auto& c : cases) {
        const StandInCad cad;
        InsertRequest r = Request(cad, c.file, tmp);
        r.explode = c.explode;
        r.convertDxf = c.convertDxf;
        EXPECT_EQ(InsertDrawing(r), c.outcome) << c.file.toStdString();
        EXPECT_EQ(cad.commands(), c.commands) << c.file.toStdString();
    }
}

TEST(Insertion, TheCadsStateDecides) {
    TempFolder tmp;
    const QString dwg = tmp.write("lib/a.dwg", "x");
    const struct {
        QStringList options;
        bool otherTitle;
        InsertOutcome outcome;
        int stateAfter; // 0: not asked
    } cases[] = {
        {{}, false, InsertOutcome::Sent, 1},
        {{"--minimized"}, false, InsertOutcome::Sent, kCadMaximised},
        {{"--minimized", "--refuse-front"}, false, InsertOutcome::Sent, kCadMaximised},
        {{"--disabled"}, false, InsertOutcome::NoCad, 0},
        {{"--no-document"}, false, InsertOutcome::NoAnswer, 0},
        {{}, true, InsertOutcome::NoCad, 0},
        {{"--unresponsive"}, false, InsertOutcome::NoAnswer, 0}, // ends within its bound
    };
    for (const auto& c : cases) {
        const StandInCad cad(c.options);
        InsertRequest r = Request(cad, dwg, tmp);
        if (c.otherTitle) r.title = cad.title + " (2)";
        EXPECT_EQ(InsertDrawing(r), c.outcome) << c.options.join(' ').toStdString();
        EXPECT_EQ(cad.commands().size(), c.outcome == InsertOutcome::Sent ? 2 : 0);
        if (c.stateAfter) {
            const auto app = ConnectNanoCad(false, cad.title.toStdU16String());
            ASSERT_TRUE(app);
            int state = 0;
            ASSERT_TRUE(app->windowState(state));
            EXPECT_EQ(state, c.stateAfter);
        }
    }
    EXPECT_FALSE(ConnectNanoCad(true, u"no such CAD here"));
}

TEST(Insertion, APathWithABlankIsOneAnswer) {
    TempFolder tmp;
    const QString dwg = tmp.write("配管図 改名/b 1.dwg", "x");
    for (const bool explode : {false, true}) {
        const StandInCad cad;
        InsertRequest r = Request(cad, dwg, tmp);
        r.explode = explode;
        EXPECT_EQ(InsertDrawing(r), InsertOutcome::Sent);
        EXPECT_EQ(cad.answers(), (QStringList{"-C-C", "-INSERT", (explode ? "*" : "") + dwg}));
    }
}

TEST(Insertion, FromTheWindowAndItsDrag) {
    ProgramFolder program;
    const TempFolder& tmp = program.tmp;
    const QString dwg = tmp.write("lib/a b.dwg", "x");
    tmp.write("lib/c.dxf", "x");
    const auto window = program.openAt(tmp.file("lib"));
    TForm2& w = *window;
    w.setConverterPath(QStringLiteral(QUILLON_STANDIN_CONVERTER));
    const QString converted = QDir::toNativeSeparators(tmp.file("prog/scratch/c.dwg"));
    const auto select = [&](const char* name) {
        w.FileListBox1->setItemIndex(w.FileListBox1->findName(name));
        w.FileListBox1Click();
    };
    const struct {
        const char* file;
        bool convertFirst;
        std::function<void()> act;
        QStringList commands;
    } cases[] = {
        {"a b.dwg", true, [&] { w.Button18->click(); }, {"-C-C", "-INSERT\r\"" + dwg + "\"\r"}},
        {"a b.dwg", true, [&] { w.Button19->click(); }, {"-C-C", "-INSERT\r\"*" + dwg + "\"\r"}},
        {"c.dxf",
         true,
         [&] { w.FileListBox1DblClick(); },
         {"-C-C", "-INSERT\r" + converted + "\r"}},
        {"c.dxf", false, [&] { w.FileListBox1DblClick(); }, {}},
    };
    for (const auto& c : cases) {
        const StandInCad cad;
        w.CadTitle = cad.title;
        w.CheckBox3->setChecked(c.convertFirst);
        select(c.file);
        c.act();
        ASSERT_TRUE(QTest::qWaitFor([&] { return !w.inserting(); }, 20000));
        EXPECT_EQ(cad.commands(), c.commands) << c.file;
    }
    EXPECT_TRUE(program.prompts.messages.isEmpty());
    // Dragging a file out carries the DWG, or the DWG a DXF converts to while converting first.
    w.show();
    const auto dragged = [&](const char* name) {
        QList<QUrl> urls;
        const auto started =
            QObject::connect(w.FileListBox1, &FileListBox::dragStarted,
                             [&](const QString& f) { urls << QUrl::fromLocalFile(f); });
        QWidget* viewport = w.FileListBox1->viewport();
        const QPoint at =
            w.FileListBox1->visualItemRect(w.FileListBox1->item(w.FileListBox1->findName(name)))
                .center();
        QTest::mousePress(viewport, Qt::LeftButton, {}, at);
        for (int step = 1; step <= 4; ++step) QTest::mouseMove(viewport, at + QPoint(0, 10 * step));
        quillon::test::WaitUntil(
            [&] { return !urls.isEmpty() || !QApplication::overrideCursor(); });
        QTest::mouseRelease(viewport, Qt::LeftButton, {}, at + QPoint(0, 40));
        QObject::disconnect(started);
        return urls;
    };
    w.CheckBox3->setChecked(true);
    EXPECT_EQ(dragged("a b.dwg"), QList<QUrl>{QUrl::fromLocalFile(dwg)});
    EXPECT_EQ(dragged("c.dxf"), QList<QUrl>{QUrl::fromLocalFile(converted)});
    w.CheckBox3->setChecked(false);
    EXPECT_TRUE(dragged("c.dxf").isEmpty());
}

TEST(Insertion, FromTheCommandLine) {
    TempFolder tmp;
    const QString dwg = tmp.write("部品/a b.dwg", "x");
    const StandInCad cad;
    const struct {
        QStringList args;
        int code;
        QStringList commands;
    } cases[] = {
        {{"insert", dwg, "--title", cad.title, "--explode"},
         0,
         {"-C-C", "-INSERT\r\"*" + dwg + "\"\r"}},
        {{"insert", dwg, "--title", cad.title + " (2)"}, 1, {}},
        {{"insert", tmp.write("a.dxf", "x"), "--title", cad.title}, 3, {}},
        {{"insert", tmp.file("gone.dwg"), "--title", cad.title}, 1, {}},
    };
    int sent = 0;
    for (const auto& c : cases) {
        QProcess p;
        p.start(QStringLiteral(QUILLON_CLI), c.args);
        ASSERT_TRUE(p.waitForFinished(60000));
        EXPECT_EQ(p.exitCode(), c.code) << c.args.join(' ').toStdString();
        EXPECT_EQ(p.readAllStandardError().contains("quillon-cli: "), c.code != 0);
        sent += int(c.commands.size());
        EXPECT_EQ(cad.commands().size(), sent);
        if (!c.commands.isEmpty()) {
            EXPECT_EQ(cad.commands().mid(sent - 2), c.commands);
        }
    }
}
