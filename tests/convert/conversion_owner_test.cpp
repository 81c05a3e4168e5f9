// A conversion belongs to the file it was started for: "ODA" while the user goes on browsing,
// and a DXF dragged out of the list as the DWG the converter makes of it.
#include "app/file_list_box.h"
#include "app/main_window.h"
#include "app/preview_panel.h"
#include "support/program_folder.h"
#include "support/temp_files.h"
#include "support/wait.h"

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>
#include <optional>

using namespace quillon;
using quillon::test::StandInMode;
using quillon::test::WaitUntil;

namespace {

struct Window : quillon::test::ProgramFolder {
    std::unique_ptr<TForm2> w;
    QString log = tmp.file("converter.log");

    QStringList dragged; // the files of the drags begun

    explicit Window(const QString& converter = QStringLiteral(QUILLON_STANDIN_CONVERTER)) {
        qputenv("QUILLON_STANDIN_LOG", log.toUtf8());
        tmp.write("lib/A.dwg", QByteArray("AC1015").leftJustified(64, '\0'));
        tmp.write("lib/flange_50.dxf",
                  quillon::test::EntitiesSection(quillon::test::DxfOf(
                      "0 LINE 8 0 10 0 20 0 11 50 21 0 0 LINE 8 0 10 50 20 0 11 50 21 50 "
                      "0 LINE 8 0 10 50 20 50 11 0 21 50")));
        w = openAt(tmp.file("lib"));
        w->setConverterPath(converter);
        QObject::connect(w->FileListBox1, &FileListBox::dragStarted,
                         [this](const QString& file) { dragged << file; });
        w->show();
        QCoreApplication::processEvents();
    }
    ~Window() { qunsetenv("QUILLON_STANDIN_LOG"); }
    int runs() const { return int(quillon::test::FileBytes(log).count('\n')); }
    QPoint centreOf(const QString& name) const {
        FileListBox* list = w->FileListBox1;
        return list->visualItemRect(list->item(list->findName(name))).center();
    }
    void click(const QString& name) {
        QTest::mouseClick(w->FileListBox1->viewport(), Qt::LeftButton, {}, centreOf(name));
    }
    // Presses on a row and moves the pointer well past the distance that starts a drag.
    void pressAndMove(const QString& name, const std::function<void()>& beforeMoving = {}) {
        from = centreOf(name);
        QTest::mousePress(w->FileListBox1->viewport(), Qt::LeftButton, {}, from);
        if (beforeMoving) beforeMoving();
        for (int step = 1; step <= 4; ++step)
            QTest::mouseMove(w->FileListBox1->viewport(), from + QPoint(0, 10 * step));
    }
    void release() {
        QTest::mouseRelease(w->FileListBox1->viewport(), Qt::LeftButton, {}, from + QPoint(0, 40));
    }
    QPoint from;
};

} // namespace

TEST(ConversionOwner, ASelectionMadeWhileTheConverterRunsKeepsItsOwnDrawing) {
    std::optional<StandInMode> slow(std::in_place, "slow");
    Window s;
    s.click("A.dwg");
    // While the converter runs: "ODA" again, a double click on the preview, another file.
    QTimer during;
    QObject::connect(&during, &QTimer::timeout, [&] {
        if (s.runs() == 0) return;
        during.stop();
        s.w->Button3->click();
        s.w->Image2DblClick();
        s.click("flange_50.dxf");
    });
    during.start(10);
    s.w->Button3->click();
    EXPECT_EQ(s.runs(), 1);
    EXPECT_EQ(s.w->Edit1->text(), "flange_50.dxf");
    EXPECT_EQ(s.w->preview().drawing().LineAry.size(), 3u);
    EXPECT_EQ(s.w->preview().drawing().CircleAry.size(), 0u);
    EXPECT_TRUE(s.prompts.messages.isEmpty()) << s.prompts.messages.join(' ').toStdString();
    // With the drawing still selected when the converter ends, its conversion is drawn.
    slow.reset();
    s.click("A.dwg");
    s.w->Button3->click();
    EXPECT_EQ(s.w->Edit1->text(), "A.dwg.dxf");
    EXPECT_EQ(s.w->preview().drawing().CircleAry.size(), 1u);
}

TEST(ConversionOwner, ADxfIsDraggedOutAsItsDwgConvertedOutsideTheDrag) {
    Window s;
    ASSERT_TRUE(s.w->CheckBox3->isChecked());
    bool ranDuringTheMove = false; // events run within the mouse move: a nested event loop
    s.pressAndMove("flange_50.dxf",
                   [&] { QTimer::singleShot(0, [&] { ranDuringTheMove = true; }); });
    EXPECT_FALSE(ranDuringTheMove);
    EXPECT_TRUE(WaitUntil([&] { return !s.dragged.isEmpty(); }));
    s.release();
    const QString dwg = s.tmp.file("prog/scratch/flange_50.dwg");
    EXPECT_EQ(s.dragged, QStringList{dwg});
    EXPECT_TRUE(QFile::exists(dwg));
    // Dragged again unchanged: the same DWG at once, not converted again. A DWG goes as it is.
    s.pressAndMove("flange_50.dxf");
    s.release();
    s.pressAndMove("A.dwg");
    s.release();
    EXPECT_EQ(s.dragged, (QStringList{dwg, dwg, s.tmp.file("lib/A.dwg")}));
    EXPECT_EQ(s.runs(), 1);
    EXPECT_TRUE(s.prompts.messages.isEmpty()) << s.prompts.messages.join(' ').toStdString();
}

TEST(ConversionOwner, ADragWithoutItsDwgOrLetGoEarlyIsCancelled) {
    const struct {
        const char* converter; // "" the stand-in
        const char* mode;
        bool letGo;         // released while the converter runs
        const char* reason; // "" nothing told
    } cases[] = {
        {"[未登録]", "", false, "ODAFileConverter.exe が見つかりません．"},
        {"", "nothing", false, "変換後の DWG ファイルが見つかりません．"},
        {"", "slow", true, ""},
    };
    for (const auto& c : cases) {
        const StandInMode mode(c.mode);
        Window s(*c.converter ? QString(c.converter) : QStringLiteral(QUILLON_STANDIN_CONVERTER));
        s.pressAndMove("flange_50.dxf");
        if (c.letGo) s.release();
        EXPECT_TRUE(WaitUntil([&] { return !QApplication::overrideCursor(); })) << c.mode;
        if (*c.reason) {
            EXPECT_TRUE(WaitUntil([&] { return !s.prompts.messages.isEmpty(); }));
            EXPECT_EQ(s.prompts.messages,
                      QStringList{"情報|" + s.tmp.file("lib/flange_50.dxf") + "\n" + c.reason +
                                  "\nドラッグを取り消しました．"});
        } else {
            QCoreApplication::processEvents();
            EXPECT_TRUE(s.prompts.messages.isEmpty());
        }
        EXPECT_TRUE(s.dragged.isEmpty()) << c.mode;
        s.release();
    }
}
