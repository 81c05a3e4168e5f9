// The preview and the grid in the real window: the wheel, the sizes kept between runs, the
// measure box, and the one picture of a drawing that cannot be drawn.
#include "app/directory_outline.h"
#include "app/file_list_box.h"
#include "app/folder_dialogs.h"
#include "app/main_window.h"
#include "app/measure_box.h"
#include "app/preview_image.h"
#include "app/preview_panel.h"
#include "render/pipeline.h"
#include "support/program_folder.h"
#include "support/temp_files.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QGuiApplication>
#include <QLineEdit>
#include <QListWidgetItem>
#include <QRadioButton>
#include <QScreen>
#include <QScrollBar>
#include <QSplitter>
#include <QTest>
#include <QWheelEvent>
#include <gtest/gtest.h>
#include <vector>

using namespace quillon;
using quillon::test::ProgramFolder;

namespace {

const QString kMechanical = QStringLiteral(QUILLON_SAMPLES "/mechanical");

// The window on the sample drawings, shown, with a DXF selected and drawn.
std::unique_ptr<TForm2> ShownOnFlange(ProgramFolder& s) {
    auto w = s.openAt(kMechanical);
    w->show();
    QCoreApplication::processEvents();
    w->FileListBox1->setItemIndex(w->FileListBox1->findName("flange_100.dxf"));
    w->FileListBox1Click();
    return w;
}

// A wheel event of the given angle delta over the middle of a widget, sent where Qt sends it.
bool Turn(QWidget* over, int delta) {
    const QPointF global = over->mapToGlobal(QRectF(over->rect()).center());
    QWidget* window = over->window();
    QWheelEvent e(window->mapFromGlobal(global), global, {}, {0, delta}, Qt::NoButton,
                  Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(window, &e);
    return e.isAccepted();
}

} // namespace

TEST(ViewWindow, WheelZoomsOneStepPerNotchWhateverTheEventsCarry) {
    const struct {
        std::vector<int> deltas;
        double factor; // of the view's width
    } cases[] = {
        {{-15, -15, -15, -15, -15, -15, -15, -15}, 2}, // a fine wheel: eight parts of a notch
        {{-15, -15, -15, -15, -15, -15, -15}, 1},      // not yet a notch
        {{120}, 0.5},
        {{240}, 0.25},        // two notches in one event
        {{60, -60, -60}, 2},  // turning back drops the part turned the other way
        {{-90, -90, -60}, 4}, // the rest of one event counts with the next
    };
    ProgramFolder s;
    auto w = ShownOnFlange(s);
    for (const auto& c : cases) {
        w->FileListBox1Click(); // the drawing at its extents again
        const double width = w->preview().view().ViewWidth;
        for (int delta : c.deltas) EXPECT_TRUE(Turn(w->Image2, delta));
        EXPECT_DOUBLE_EQ(w->preview().view().ViewWidth, width * c.factor) << c.deltas.size();
    }
}

TEST(ViewWindow, OneNotchScrollsTheGridByAboutARow) {
    ProgramFolder s;
    for (int i = 0; i < 30; ++i) s.tmp.write(QString("lib/d%1.dxf").arg(i, 2, 10, QChar('0')), "");
    auto w = s.openAt(s.tmp.file("lib"));
    w->show();
    w->ThumbnailView1->setChecked(true);
    w->ThumbnailView1Click();
    QCoreApplication::processEvents();
    QScrollBar* bar = w->FileListBox1->verticalScrollBar();
    const int row = w->FileListBox1->gridSize().height();
    ASSERT_GT(bar->maximum(), 3 * row);
    QWidget* viewport = w->FileListBox1->viewport();
    const QPointF centre = QRectF(viewport->rect()).center();
    QWheelEvent e(centre, viewport->mapToGlobal(centre), {}, {0, -120}, Qt::NoButton,
                  Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(viewport, &e);
    EXPECT_GE(bar->value(), row / 2);
    EXPECT_LE(bar->value(), row * 3 / 2);
}

TEST(ViewWindow, TheMeasureBoxShowsALongTextWhole) {
    ProgramFolder s;
    auto w = ShownOnFlange(s); // at the window's design size
    QTest::mouseMove(w->Image2, {20, 20});
    const QString readout = w->Edit3->text();
    ASSERT_TRUE(readout.startsWith("W= "));
    EXPECT_GT(w->Edit3->fontMetrics().horizontalAdvance(readout), w->Edit3->width());
    EXPECT_EQ(w->Edit3->toolTip(), readout);
    // Shown with both ends, within the box.
    const QString shown = qobject_cast<MeasureBox*>(w->Edit3)->shownText();
    EXPECT_TRUE(shown.startsWith("W= ") && shown.endsWith(readout.right(4))) << shown.toStdString();
    EXPECT_LT(w->Edit3->fontMetrics().horizontalAdvance(shown), w->Edit3->width());
    // A text that fits needs no tool tip.
    w->Edit3->setText("W= 1.00");
    EXPECT_TRUE(w->Edit3->toolTip().isEmpty());
}

TEST(ViewWindow, SizeAndPanesAreKeptAndTheWidthGoesToThePreview) {
    ProgramFolder s;
    {
        auto w = ShownOnFlange(s);
        const int preview = w->Panel4->width(), list = w->Panel3->width();
        w->resize(w->width() + 100, w->height() + 40);
        QCoreApplication::processEvents();
        EXPECT_EQ(w->Panel4->width(), preview + 100);
        EXPECT_EQ(w->Panel3->width(), list);
        w->Splitter1->setSizes({150, w->width() - 150});
        auto* splitter2 = w->findChild<QSplitter*>("Splitter2");
        splitter2->setSizes({180, splitter2->width() - 180});
        w->close();
    }
    const QString ini = QString::fromUtf8(quillon::test::FileBytes(s.tmp.file("prog/quillon.ini")));
    EXPECT_TRUE(ini.contains("[Window]\nWidth=753\nHeight=421\nSplitter1=150\nSplitter2=180\n"))
        << ini.toStdString();
    EXPECT_TRUE(ini.contains("[Form]\nLeft=")); // the position keeps its own keys
    auto w = s.open();
    w->show();
    QCoreApplication::processEvents();
    EXPECT_EQ(w->size(), QSize(753, 421));
    EXPECT_EQ(w->Splitter1->sizes().value(0), 150);
    EXPECT_EQ(w->findChild<QSplitter*>("Splitter2")->sizes().value(0), 180);
}

TEST(ViewWindow, APositionOnNoScreenOpensCentredOnThePrimaryScreen) {
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    const struct {
        int left, top;
        bool kept;
    } cases[] = {{30, 40, true},
                 {screen.right() - 100, 40, true},
                 {-20000, 40, false},
                 {30, screen.bottom() + 5000, false}};
    for (const auto& c : cases) {
        ProgramFolder s;
        s.writeIni(QString("[Form]\nLeft=%1\nTop=%2\n").arg(c.left).arg(c.top));
        auto w = s.open();
        const QPoint centred(screen.x() + (screen.width() - w->width()) / 2,
                             screen.y() + (screen.height() - w->height()) / 2);
        EXPECT_EQ(w->pos(), c.kept ? QPoint(c.left, c.top) : centred) << c.left << "," << c.top;
    }
}

TEST(ViewWindow, TickingDxfDrawingDrawsAtOnceAndTheSmallestWindowKeepsAPreview) {
    ProgramFolder s;
    auto w = ShownOnFlange(s);
    ASSERT_TRUE(w->Image2->hasPicture());
    w->CheckBox1->setChecked(false);
    EXPECT_FALSE(w->Image2->hasPicture());
    w->CheckBox1->setChecked(true);
    EXPECT_TRUE(w->Image2->hasPicture());
    EXPECT_GT(w->preview().view().ViewWidth, 0);
    // Neither a tiny window nor a splitter pushed to the edge leaves the preview without room.
    w->resize(10, 10);
    auto* splitter2 = w->findChild<QSplitter*>("Splitter2");
    splitter2->setSizes({10000, 0});
    QCoreApplication::processEvents();
    EXPECT_GE(w->Image2->width(), 120);
    EXPECT_GE(w->Image2->height(), 90);
}

TEST(ViewWindow, ADrawingThatCannotBeDrawnLooksTheSameEverywhereAndSaysWhy) {
    ProgramFolder s;
    // A DWG whose preview image lies past the end of the file.
    QByteArray truncated = QByteArray("AC1032").leftJustified(13, '\0');
    const uint32_t seeker = 20, start = 64, length = 5000;
    truncated += QByteArray(reinterpret_cast<const char*>(&seeker), 4);
    truncated = truncated.leftJustified(50, '\0') + char(6) +
                QByteArray(reinterpret_cast<const char*>(&start), 4) +
                QByteArray(reinterpret_cast<const char*>(&length), 4);
    truncated = truncated.leftJustified(100, '\0');
    struct Case {
        const char* name;
        QByteArray bytes;
        const char* reason;
    };
    std::vector<Case> cases = {
        {"empty.dxf", "", "空のファイルです"},
        {"empty.dwg", "", "空のファイルです"},
        {"garbage.dxf", "\x89PNG\r\n\x1a\n some bytes \x01\x02 that are no drawing",
         "図面ではありません"},
        {"truncated.dwg", truncated, "ファイルが途中で切れています"},
        {"locked.dxf", "0\nEOF\n", "読み取り権限がありません"},
        {"locked.dwg", truncated, "読み取り権限がありません"},
    };
    for (const auto& c : cases) s.tmp.write(QString("lib/") + c.name, c.bytes);
    for (const char* locked : {"lib/locked.dxf", "lib/locked.dwg"})
        QFile::setPermissions(s.tmp.file(locked), {});
    if (QFile(s.tmp.file("lib/locked.dxf")).open(QIODevice::ReadOnly))
        cases.resize(cases.size() - 2); // a user who reads everything
    auto w = s.openAt(s.tmp.file("lib"));
    w->show();
    QCoreApplication::processEvents();
    for (const auto& c : cases) {
        w->FileListBox1->setItemIndex(w->FileListBox1->findName(c.name));
        w->FileListBox1Click();
        EXPECT_TRUE(w->Image2->picture() == NotDrawablePicture(w->Image2->size())) << c.name;
        EXPECT_EQ(w->Image2->toolTip(), QString::fromUtf8(c.reason)) << c.name;
    }
    // The grid: made by this window, then read back from the cache by the next one.
    for (int run = 0; run < 2; ++run) {
        auto grid = s.openAt(s.tmp.file("lib"));
        grid->ThumbnailView1->setChecked(true);
        grid->ThumbnailView1Click();
        grid->thumbnailPool().waitForDone();
        QCoreApplication::processEvents();
        for (const auto& c : cases) {
            const QListWidgetItem* item =
                grid->FileListBox1->item(grid->FileListBox1->findName(c.name));
            const QImage shown =
                item->icon().pixmap(kThumbnailSize).toImage().convertToFormat(QImage::Format_RGB32);
            EXPECT_TRUE(shown == NotDrawablePicture(kThumbnailSize)) << c.name << run;
            EXPECT_EQ(item->toolTip(), QString::fromUtf8(c.reason)) << c.name << run;
        }
    }
    // A drawing that is drawn says nothing.
    w->openFolder(kMechanical);
    w->FileListBox1->setItemIndex(w->FileListBox1->findName("flange_100.dxf"));
    w->FileListBox1Click();
    EXPECT_TRUE(w->Image2->toolTip().isEmpty());
}

TEST(ViewWindow, DialogCaptionsFitAndDeepFoldersScrollSideways) {
    TForm4 form;
    form.show();
    QCoreApplication::processEvents();
    for (QRadioButton* radio : {form.besideButton, form.insideButton})
        EXPECT_GE(radio->width(), radio->sizeHint().width()) << radio->text().toStdString();
    quillon::test::TempFolder tmp;
    QString deep = tmp.path();
    for (int i = 0; i < 8; ++i) deep += QString("/level_%1_with_a_long_folder_name").arg(i);
    QDir().mkpath(deep);
    DirectoryOutline tree;
    tree.resize(200, 300);
    tree.show();
    tree.setDirectory(QDir::toNativeSeparators(deep));
    QCoreApplication::processEvents();
    EXPECT_GT(tree.horizontalScrollBar()->maximum(), 0);
}
