// The "ODA" button: a DWG drawn from the stand-in converter's DXF.
#include "app/file_list_box.h"
#include "app/main_window.h"
#include "app/preview_image.h"
#include "app/preview_panel.h"
#include "support/program_folder.h"
#include "support/temp_files.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>

using namespace quillon;
using quillon::test::StandInMode;
using quillon::test::TempFolder;

namespace {

struct Window : quillon::test::ProgramFolder {
    std::unique_ptr<TForm2> w;

    explicit Window(const QString& converter = QStringLiteral(QUILLON_STANDIN_CONVERTER)) {
        tmp.write("lib/部品 A/b 1.dwg", QByteArray("AC1015").leftJustified(64, '\0'));
        w = openAt(tmp.file("lib/部品 A"));
        w->setConverterPath(converter);
        w->show();
        QCoreApplication::processEvents();
    }
    QString scratchDxf() const { return tmp.file("prog/scratch/b 1.dxf"); }
};

} // namespace

TEST(ConvertButton, DrawsTheConvertedDxfOnceThenWaitsForANewSelection) {
    Window s;
    ASSERT_TRUE(s.w->Button3->isEnabled());
    const QImage thumbnail = s.w->Image2->picture();
    s.w->Button3->click();
    EXPECT_TRUE(s.prompts.messages.isEmpty()) << s.prompts.messages.join(' ').toStdString();
    EXPECT_EQ(s.w->Edit1->text(), "b 1.dwg.dxf");
    EXPECT_TRUE(QFile::exists(s.scratchDxf()));
    EXPECT_EQ(s.w->preview().drawing().CircleAry.size(), 1u);
    EXPECT_FALSE(s.w->Image2->picture() == thumbnail);
    // Converted files never land beside the user's drawings.
    EXPECT_EQ(QDir(s.tmp.file("lib/部品 A")).entryList(QDir::Files), QStringList{"b 1.dwg"});
    // A second press, or a double click on the preview, does nothing now.
    QFile::remove(s.scratchDxf());
    s.w->Button3Click();
    s.w->Image2DblClick();
    EXPECT_FALSE(QFile::exists(s.scratchDxf()));
    EXPECT_TRUE(s.prompts.messages.isEmpty());
}

TEST(ConvertButton, FailuresSayWhyAndLeaveTheThumbnail) {
    const QString missing = QStringLiteral("ODAFileConverter.exe が見つかりません．");
    TempFolder other;
    const QString notAProgram = other.write("conv", "x");
    const struct {
        QString converter;
        const char* mode;
        QString message; // "" : the expected path and "not found"
    } cases[] = {
        {"[未登録]", "", "情報|" + missing},
        {other.file("gone/ODAFileConverter"), "", "情報|" + missing},
        {notAProgram, "", "エラー|起動に失敗しました．"},
        {QStringLiteral(QUILLON_STANDIN_CONVERTER), "nothing", ""},
    };
    for (const auto& c : cases) {
        const StandInMode mode(c.mode);
        Window s(c.converter);
        const QImage thumbnail = s.w->Image2->picture();
        s.w->Button3Click();
        const QString expected = c.message.isEmpty()
                                     ? "情報|" + s.scratchDxf() + "\nファイルが見つかりません．"
                                     : c.message;
        EXPECT_EQ(s.prompts.messages, QStringList{expected}) << c.converter.toStdString();
        EXPECT_TRUE(s.w->Image2->picture() == thumbnail);
        EXPECT_EQ(s.w->Edit1->text(), "b 1.dwg");
    }
}

TEST(ConvertButton, TheWindowKeepsWorkingDuringASlowConversion) {
    const StandInMode slow("slow");
    Window s;
    bool ticked = false;
    QTimer::singleShot(200, [&] { ticked = true; });
    s.w->Button3Click();
    EXPECT_TRUE(ticked);
    EXPECT_EQ(s.w->Edit1->text(), "b 1.dwg.dxf");
}
