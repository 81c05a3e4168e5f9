// The preview and the grid in the real window: the wheel, the sizes kept between runs, the
// measure box, and the one picture of a drawing that cannot be drawn.
#include "app/directory_outline.h"
#include "app/file_list_box.h"
#include "app/folder_dialogs.h"
#include "app/main_window.h"
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
