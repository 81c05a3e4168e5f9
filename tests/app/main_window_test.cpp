#include "app/desktop.h"
#include "app/directory_outline.h"
#include "app/file_list_box.h"
#include "app/main_window.h"
#include "app/paths.h"
#include "app/preview_image.h"
#include "app/preview_panel.h"
#include "dxf/file_kind.h"
#include "support/program_folder.h"
#include "support/scripted_prompts.h"
#include "support/temp_files.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QBuffer>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QWheelEvent>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

using namespace quillon;
using quillon::test::ScriptedPrompts;
using quillon::test::TempFolder;

namespace {

// A program folder and a small library beside it, in a real temporary folder.
struct Library : quillon::test::ProgramFolder {
    QString program, library;

    Library() {
        program = tmp.file("prog");
        library = tmp.file("lib");
        for (const char* f : {"lib/parts/b.DWG", "lib/parts/a.dxf", "lib/parts/cDXF",
                              "lib/parts/readme.txt", "lib/empty/notes.txt", "lib/other/z.dwg"})
            tmp.write(f, "x");
    }
};

// A DWG whose preview is a red square on black, stored as a PNG.
QByteArray RedSquareDwg() {
    QImage img(40, 30, QImage::Format_RGB32);
    img.fill(Qt::black);
    for (int y = 10; y < 20; ++y)
        for (int x = 10; x < 30; ++x) img.setPixel(x, y, qRgb(255, 0, 0));
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    img.save(&buffer, "PNG");
    QByteArray dwg = QByteArray("AC1032").leftJustified(13, '\0');
    const auto le32 = [](uint32_t v) { return QByteArray(reinterpret_cast<const char*>(&v), 4); };
    dwg += le32(20);
    dwg = dwg.leftJustified(50, '\0') + char(6) + le32(64) + le32(uint32_t(png.size()));
    return dwg.leftJustified(64, '\0') + png;
}

int IndexOf(TForm2& w, const QString& name) {
    return w.FileListBox1->findName(name);
}

} // namespace

TEST(MainWindow, FirstRunWithoutFilesUsesTheDefaults) {
    Library s;
    auto w = s.open();
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    EXPECT_EQ(w->x(), (screen.width() - w->width()) / 2);
    EXPECT_EQ(w->y(), (screen.height() - w->height()) / 2);
    EXPECT_EQ(w->DirectoryOutline1->directory(), QDir::toNativeSeparators(s.program));
    EXPECT_TRUE(w->CheckBox1->isChecked());
    EXPECT_FALSE(w->CheckBox2->isChecked());
    EXPECT_TRUE(w->CheckBox3->isChecked());
    EXPECT_EQ(w->N25->text(), "[未登録]");
    EXPECT_EQ(w->TargetProgId, "BricscadApp.AcadApplication");
    EXPECT_EQ(w->ComboBox2->count(), 0);
    EXPECT_TRUE(w->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_FALSE(w->Button1->isEnabled());
    EXPECT_FALSE(w->Button28->isEnabled());
    EXPECT_FALSE(w->N14->isEnabled());
    EXPECT_TRUE(w->Edit4->isHidden());
    EXPECT_TRUE(w->Button17->isHidden() && w->Button2->isHidden());
}

TEST(MainWindow, FolderChangeSelectsTheFirstDrawing) {
    Library s;
    auto w = s.openAt(s.library + "/parts");
    // Sorted by name ignoring case; the initial mask lists only the two drawings.
    ASSERT_EQ(w->FileListBox1->count(), 2);
    EXPECT_EQ(w->FileListBox1->item(0)->text(), "a.dxf");
    EXPECT_EQ(w->FileListBox1->itemIndex(), 0);
    EXPECT_EQ(w->Edit1->text(), "a.dxf");
    EXPECT_EQ(w->Edit4->text(), QDir::toNativeSeparators(s.library + "/parts/a.dxf"));
    EXPECT_EQ(w->Edit2->text(), QDir::toNativeSeparators(s.library + "/parts"));
}

TEST(MainWindow, SelectionSetsButtonsByExtension) {
    Library s;
    auto w = s.openAt(s.library + "/parts");
    w->Edit48->setText("b"); // "*b*.DWG;*DXF" also lists the name without a dot
    ASSERT_EQ(w->FileListBox1->count(), 3);
    const struct {
        const char* file;
        bool convertFirst;
        bool oda, insert;
    } cases[] = {
        {"b.DWG", true, true, true},    {"b.DWG", false, true, true}, {"a.dxf", true, false, true},
        {"a.dxf", false, false, false}, {"cDXF", true, false, false},
    };
    for (const auto& c : cases) {
        {
            const QSignalBlocker block(w->CheckBox3);
            w->CheckBox3->setChecked(c.convertFirst);
        }
        w->FileListBox1->setItemIndex(IndexOf(*w, c.file));
        w->FileListBox1Click();
        EXPECT_EQ(w->Button3->isEnabled(), c.oda) << c.file;
        EXPECT_EQ(w->Button18->isEnabled(), c.insert) << c.file << c.convertFirst;
        EXPECT_EQ(w->Button19->isEnabled(), c.insert) << c.file;
        EXPECT_EQ(w->Edit1->text(), c.file);
    }
    // Toggling the conversion option reruns the selection flow for the selected DXF.
    w->FileListBox1->setItemIndex(IndexOf(*w, "a.dxf"));
    {
        const QSignalBlocker block(w->CheckBox3);
        w->CheckBox3->setChecked(false);
    }
    w->CheckBox3->setChecked(true);
    EXPECT_TRUE(w->Button18->isEnabled() && w->Button19->isEnabled());
    w->CheckBox3->setChecked(false);
    EXPECT_FALSE(w->Button18->isEnabled() || w->Button19->isEnabled());
}

TEST(MainWindow, FolderWithoutDrawingsKeepsTheLastSelection) {
    Library s;
    auto w = s.openAt(s.library + "/parts");
    w->FileListBox1->setItemIndex(IndexOf(*w, "b.DWG"));
    w->FileListBox1Click();
    const QString lastPath = w->Edit4->text();
    w->DirectoryOutline1->setDirectory(s.library + "/empty");
    EXPECT_EQ(w->FileListBox1->count(), 0);
    EXPECT_EQ(w->Edit1->text(), w->FileListBox1->mask());
    EXPECT_EQ(w->Edit4->text(), lastPath);
    EXPECT_TRUE(w->Button3->isEnabled());
    EXPECT_TRUE(w->Button18->isEnabled());
}

TEST(MainWindow, MaskNarrowsDwgNamesOnly) {
    Library s;
    auto w = s.openAt(s.library + "/parts");
    w->Edit48->setText("zz");
    EXPECT_EQ(w->FileListBox1->mask(), "*zz*.DWG;*DXF");
    QStringList names;
    for (int i = 0; i < w->FileListBox1->count(); ++i) names << w->FileListBox1->item(i)->text();
    EXPECT_EQ(names, (QStringList{"a.dxf", "cDXF"}));
    w->Edit48->setText("B");
    EXPECT_EQ(w->FileListBox1->findName("b.dwg"), 1);
    w->FileListBox1->deleteEntry(1);
    EXPECT_EQ(w->FileListBox1->findName("b.dwg"), -1);
    EXPECT_EQ(w->FileListBox1->count(), 2);
}

TEST(MainWindow, DroppedFilesNavigateToTheFirstOnly) {
    Library s;
    auto w = s.openAt(s.library + "/other");
    w->HandleDroppedFiles(
        {s.library + "/parts/b.DWG", s.library + "/other/z.dwg", s.library + "/parts/a.dxf"});
    EXPECT_EQ(w->DirectoryOutline1->directory(), QDir::toNativeSeparators(s.library + "/parts"));
    EXPECT_EQ(w->FileListBox1->itemIndex(), IndexOf(*w, "b.DWG"));
    // No selection flow: the selected-file controls still show the folder's first drawing.
    EXPECT_EQ(w->Edit4->text(), QDir::toNativeSeparators(s.library + "/parts/a.dxf"));
    EXPECT_FALSE(w->Button3->isEnabled());
}

TEST(MainWindow, ExpandTreeFindsTheLastItem) {
    Library s;
    s.tmp.write("lib/zz_last/deep/x.dxf", "x");
    auto w = s.openAt(s.library + "/parts");
    // A tree rooted at the library, so that the target becomes its very last item.
    w->DirectoryOutline1->setDrive(s.library);
    const QString target = QDir::toNativeSeparators(s.library + "/zz_last/deep");
    w->ExpandTreeToPath(target);
    EXPECT_EQ(w->DirectoryOutline1->directory(), target);
    const int last = w->DirectoryOutline1->itemCount();
    EXPECT_EQ(w->DirectoryOutline1->itemText(last), "deep");
    EXPECT_EQ(w->FileListBox1->item(0)->text(), "x.dxf");
}

TEST(MainWindow, VersionMessage) {
    Library s;
    auto w = s.open();
    w->N11Click();
    ASSERT_EQ(s.prompts.messages.size(), 1);
    EXPECT_TRUE(s.prompts.messages[0].startsWith(
        "Tessera.exe|Quillon for nanoCAD 5 Ver.1.21 (2024.05.30)\n"));
}

TEST(PathRules, SplitFirstPathPartKeepsLongPaths) {
    const QString longTail = QString("d/").repeated(200) + "end";
    const struct {
        QString path, part, rest;
    } cases[] = {{"", "", ""},
                 {"/usr/lib", "", "usr/lib"},
                 {"usr/lib", "usr", "lib"},
                 {"name", "name", ""},
                 {"a/" + longTail, "a", longTail}};
    for (const auto& c : cases) {
        QString part = "x", path = c.path;
        SplitFirstPathPart(part, path);
        EXPECT_EQ(part, c.part);
        EXPECT_EQ(path, c.rest);
    }
    EXPECT_EQ(UpperExtension("/a/b.c/Part.Dxf"), ".DXF");
    EXPECT_EQ(UpperExtension("/a/b.c/noext"), "");
    EXPECT_EQ(DriveOfPath("/media/usb/x", {"/", "/media/usb", "/media"}), "/media/usb");
    EXPECT_EQ(DriveOfPath("/media/usbstick", {"/", "/media/usb"}), "/");
}

TEST(ScratchCleanUp, RemovesOnlyWritableDrawingsOfTheScratchFolder) {
    TempFolder tmp;
    const QString scratch = tmp.file("scratch");
    for (const char* f : {"scratch/a.dxf", "scratch/b.DWG", "scratch/keep.txt", "scratch/ro.dwg",
                          "scratch/sub.dxf/inner.dxf", "user.dxf"})
        tmp.write(f, "x");
    QFile::setPermissions(scratch + "/ro.dwg", QFile::ReadOwner);
    DeleteScratchDrawings(scratch);
    EXPECT_FALSE(QFile::exists(scratch + "/a.dxf"));
    EXPECT_FALSE(QFile::exists(scratch + "/b.DWG"));
    EXPECT_TRUE(QFile::exists(scratch + "/keep.txt"));
    EXPECT_TRUE(QFile::exists(scratch + "/ro.dwg"));
    EXPECT_TRUE(QFile::exists(scratch + "/sub.dxf/inner.dxf"));
    EXPECT_TRUE(QFile::exists(tmp.file("user.dxf")));
}

TEST(ScratchCleanUp, WindowDestructionEmptiesTheProgramsScratchFolder) {
    Library s;
    s.tmp.write("prog/scratch/conv.dwg", "x");
    s.tmp.write("prog/mine.dwg", "x");
    s.open().reset();
    EXPECT_FALSE(QFile::exists(s.program + "/scratch/conv.dwg"));
    EXPECT_TRUE(QFile::exists(s.program + "/mine.dwg"));
}

TEST(MainWindow, SelectingASampleDrawingShowsItsPreview) {
    Library s;
    auto w = s.openAt(QStringLiteral(QUILLON_SAMPLES "/mechanical"));
    w->show();
    w->FileListBox1->setItemIndex(w->FileListBox1->findName("flange_100.dxf"));
    w->FileListBox1Click();
    const QImage& picture = w->Image2->picture();
    ASSERT_FALSE(picture.isNull());
    EXPECT_EQ(picture.size(), w->Image2->size());
    int lit = 0;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x) lit += (picture.pixel(x, y) & 0xFFFFFF) != 0;
    EXPECT_GT(lit, 200);
    EXPECT_GT(w->preview().view().ViewWidth, 100);
    EXPECT_FALSE(w->preview().drawing().CircleAry.empty());
    // With the option off the preview stays empty.
    w->CheckBox1->setChecked(false);
    w->FileListBox1Click();
    EXPECT_FALSE(w->Image2->hasPicture());
}

TEST(MainWindow, SelectingADwgShowsItsEmbeddedPreview) {
    Library s;
    s.tmp.write("lib/parts/b.DWG", RedSquareDwg());
    auto w = s.openAt(s.library + "/parts");
    w->show();
    w->FileListBox1->setItemIndex(IndexOf(*w, "b.DWG"));
    w->FileListBox1Click();
    const QImage& picture = w->Image2->picture();
    ASSERT_EQ(picture.size(), w->Image2->size());
    int red = 0;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x) red += picture.pixel(x, y) == qRgb(255, 0, 0);
    EXPECT_GT(red, picture.width() * picture.height() / 3);
    w->CheckBox2->setChecked(true); // reruns the selection flow with white emphasis
    EXPECT_EQ(w->Image2->picture().size(), w->Image2->size());
}

TEST(MainWindow, StartUpPreviewIsDrawnAtThePicturesRealSize) {
    Library s;
    s.tmp.write("lib/parts/b.DWG", RedSquareDwg());
    auto w = s.openAt(s.library + "/other");
    w->DirectoryOutline1->setDirectory(s.library + "/parts");
    w->FileListBox1->setItemIndex(IndexOf(*w, "b.DWG"));
    w->show();
    QCoreApplication::processEvents();
    const QImage atStartUp = w->Image2->picture();
    ASSERT_EQ(atStartUp.size(), w->Image2->size());
    w->FileListBox1Click();
    EXPECT_TRUE(atStartUp == w->Image2->picture());
}

TEST(MainWindow, EveryChangeOfTheCurrentRowRunsTheSelectionOnce) {
    Library s;
    for (const char* f : {"lib/many/a.dwg", "lib/many/b.dwg", "lib/many/c.dwg"})
        s.tmp.write(f, "x");
    auto w = s.openAt(s.library + "/many");
    w->show();
    QCoreApplication::processEvents();
    FileListBox* list = w->FileListBox1;
    int runs = 0;
    QObject::connect(list, &FileListBox::clicked, [&] { ++runs; });
    const auto centre = [&](int row) { return list->visualItemRect(list->item(row)).center(); };
    QWidget* viewport = list->viewport();
    const struct {
        const char* gesture;
        std::function<void()> act;
        int runs;
        const char* shown;
    } cases[] = {
        {"click another row", [&] { QTest::mouseClick(viewport, Qt::LeftButton, {}, centre(1)); },
         1, "b.dwg"},
        {"click the current row",
         [&] { QTest::mouseClick(viewport, Qt::LeftButton, {}, centre(1)); }, 1, "b.dwg"},
        {"right-click a row",
         [&] {
             QTest::mouseClick(viewport, Qt::RightButton, {}, centre(2));
             w->PopupMenu1->hide();
         },
         1, "c.dwg"},
        {"press on one row, drag to another (a drag of the file)",
         [&] {
             QTest::mousePress(viewport, Qt::LeftButton, {}, centre(0));
             QMouseEvent move(QEvent::MouseMove, centre(1), viewport->mapToGlobal(centre(1)),
                              Qt::NoButton, Qt::LeftButton, {});
             QApplication::sendEvent(viewport, &move);
             QTest::mouseRelease(viewport, Qt::LeftButton, {}, centre(1));
         },
         1, "a.dwg"},
        {"key down", [&] { QTest::keyClick(list, Qt::Key_Down); }, 1, "b.dwg"},
    };
    for (const auto& c : cases) {
        runs = 0;
        c.act();
        EXPECT_EQ(runs, c.runs) << c.gesture;
        EXPECT_EQ(list->item(list->itemIndex())->text(), c.shown) << c.gesture;
        EXPECT_EQ(w->Edit1->text(), c.shown) << c.gesture;
        EXPECT_EQ(QFileInfo(w->Edit4->text()).fileName(), c.shown) << c.gesture;
    }
}

TEST(MainWindow, FoldersWhoseNamesDifferOnlyInCaseStayApart) {
    Library s;
    s.tmp.write("lib/Parts/lower.dxf", "x");
    s.tmp.write("lib/PARTS/upper.dxf", "x");
    for (const char* folder : {"/PARTS", "/Parts"}) {
        auto w = s.openAt(s.library + folder);
        EXPECT_EQ(w->DirectoryOutline1->directory(), QDir::toNativeSeparators(s.library + folder));
        EXPECT_EQ(w->Edit2->text(), QDir::toNativeSeparators(s.library + folder));
        w->ExpandTreeToPath(s.library + folder);
        EXPECT_EQ(w->DirectoryOutline1->currentItem()->text(0), QString(folder).mid(1));
        EXPECT_EQ(w->FileListBox1->item(0)->text(),
                  QString(folder) == "/PARTS" ? "upper.dxf" : "lower.dxf");
    }
}

TEST(MainWindow, MaskTextIsTakenLiterally) {
    Library s;
    for (const char* f : {"lib/odd/[1].dwg", "lib/odd/a1.dwg", "lib/odd/x?y.dwg", "lib/odd/xzy.dwg",
                          "lib/odd/Pump-A.DWG"})
        s.tmp.write(f, "x");
    auto w = s.openAt(s.library + "/odd");
    const struct {
        const char* typed;
        QStringList names;
    } cases[] = {
        {"[1]", {"[1].dwg"}},
        {"[", {"[1].dwg"}},
        {"?", {"x?y.dwg"}},
        {"pump", {"Pump-A.DWG"}},
        {"", {"[1].dwg", "a1.dwg", "Pump-A.DWG", "x?y.dwg", "xzy.dwg"}},
    };
    for (const auto& c : cases) {
        w->Edit48->setText(c.typed);
        QStringList names;
        for (int i = 0; i < w->FileListBox1->count(); ++i)
            names << w->FileListBox1->item(i)->text();
        EXPECT_EQ(names, c.names) << c.typed;
    }
}

TEST(MainWindow, ARememberedFolderThatIsGoneOpensItsParent) {
    Library s;
    auto w = s.openAt(s.library + "/parts/gone/deeper");
    const QString parts = QDir::toNativeSeparators(s.library + "/parts");
    EXPECT_EQ(w->DirectoryOutline1->directory(), parts);
    EXPECT_EQ(w->DirectoryOutline1->currentItem()->text(0), "parts");
    EXPECT_EQ(w->Edit2->text(), parts);
    EXPECT_EQ(w->FileListBox1->count(), 2);
}

TEST(MainWindow, LookOfCaptionsListsAndDisabledItems) {
    SetUpApplication(*qApp);
    // Windows show their own title only: no application name is appended to captions.
    EXPECT_EQ(QGuiApplication::applicationDisplayName(), QGuiApplication::applicationName());
    Library s;
    auto w = s.open();
    EXPECT_EQ(w->ComboBox2->view()->palette().color(QPalette::Text), QColor(0, 255, 255));
    // A disabled menu item is drawn darker than an enabled one.
    w->PopupMenu1->adjustSize();
    const QImage menu = w->PopupMenu1->grab().toImage();
    const auto brightest = [&](QAction* a) {
        int most = 0;
        const QRect r = w->PopupMenu1->actionGeometry(a);
        for (int y = r.top(); y <= r.bottom(); ++y)
            for (int x = r.left(); x <= r.right(); ++x)
                most = std::max(most, qGray(menu.pixel(x, y)));
        return most;
    };
    ASSERT_FALSE(w->N1->isEnabled());
    EXPECT_LT(brightest(w->N1), brightest(w->N2) - 60);
    // Files dropped on a text box open their folder like anywhere else.
    for (QLineEdit* box : w->findChildren<QLineEdit*>())
        EXPECT_TRUE(box->window() != w.get() || !box->acceptDrops())
            << box->objectName().toStdString();
    EXPECT_TRUE(w->acceptDrops());
}

TEST(MainWindow, PreviewGesturesThroughTheWidgets) {
    Library s;
    auto w = s.openAt(QStringLiteral(QUILLON_SAMPLES "/mechanical"));
    w->show();
    QCoreApplication::processEvents();
    w->FileListBox1->setItemIndex(w->FileListBox1->findName("flange_100.dxf"));
    w->FileListBox1Click();
    const double width = w->preview().view().ViewWidth;
    // The window gets the wheel wherever the widget under the pointer leaves it.
    const auto turn = [&](QWidget* over, int delta) {
        const QPointF global = over->mapToGlobal(QRectF(over->rect()).center());
        QWheelEvent e(w->mapFromGlobal(global), global, {}, {0, delta}, Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(w.get(), &e);
        return e.isAccepted();
    };
    EXPECT_TRUE(turn(w->Image2, 120)); // away from the user: zoom in about the pointer
    EXPECT_DOUBLE_EQ(w->preview().view().ViewWidth, width / 2);
    EXPECT_FALSE(turn(w->FileListBox1, -120)); // not over the picture: the view stays
    EXPECT_DOUBLE_EQ(w->preview().view().ViewWidth, width / 2);
    QTest::mouseMove(w->Image2, {20, 20});
    EXPECT_TRUE(w->Edit3->text().startsWith("W= ")) << w->Edit3->text().toStdString();
    EXPECT_TRUE(w->interaction().CrossDrawn);
    // A middle-button drag pans the view by the drag.
    const TAcadPoint centre = w->preview().view().ViewCentre;
    QTest::mousePress(w->Image2, Qt::MiddleButton, {}, {40, 40});
    QTest::mouseRelease(w->Image2, Qt::MiddleButton, {}, {60, 40});
    EXPECT_LT(w->preview().view().ViewCentre.x, centre.x);
    EXPECT_TRUE(w->Edit3->text().startsWith("W= "));
    // With a DWG selected the gate closes: a move empties the measure box.
    w->Edit1->setText("b.dwg");
    QTest::mouseMove(w->Image2, {30, 30});
    EXPECT_TRUE(w->Edit3->text().isEmpty());
}
