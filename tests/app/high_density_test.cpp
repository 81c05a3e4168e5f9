// The window on a dense screen: the preview, its crosshair and the thumbnails are drawn in device
// pixels, so that a one-pixel line stays one pixel wide where it is shown, while the mouse keeps
// landing on the drawing point it lands on at 100 %. Its own entry starts the application at the
// scale given by --scale= (1.5 when none).
#include "app/file_list_box.h"
#include "app/main_window.h"
#include "app/preview_image.h"
#include "app/preview_panel.h"
#include "render/view.h"
#include "support/program_folder.h"
#include "support/temp_files.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QListWidgetItem>
#include <QRegularExpression>
#include <QSplitter>
#include <QStandardPaths>
#include <QTest>
#include <QWheelEvent>
#include <gtest/gtest.h>
#include <vector>

using namespace quillon;
using quillon::test::ProgramFolder;

namespace {

double gScale = 1.5;

// Eleven red vertical lines, x = 0, 10, ... 100, line k from y = 0 up to 100 - 4k.
QByteArray Comb() {
    QByteArray dxf = "0\nSECTION\n2\nENTITIES\n";
    for (int k = 0; k <= 10; ++k)
        dxf += QString("0\nLINE\n8\n0\n62\n1\n10\n%1\n20\n0\n11\n%1\n21\n%2\n")
                   .arg(10 * k)
                   .arg(100 - 4 * k)
                   .toLatin1();
    return dxf + "0\nENDSEC\n0\nEOF\n";
}

// The widths of the runs of pixels of one colour along a row of a picture.
std::vector<int> Runs(const QImage& picture, int y, QRgb colour, QRect within = {}) {
    if (within.isNull()) within = picture.rect();
    std::vector<int> runs;
    int run = 0;
    for (int x = within.left(); x <= within.right() + 1; ++x) {
        if (x <= within.right() && (picture.pixel(x, y) & 0xFFFFFF) == (colour & 0xFFFFFF)) {
            ++run;
        } else if (run > 0) {
            runs.push_back(run);
            run = 0;
        }
    }
    return runs;
}

QImage Shown(QWidget* w) {
    return w->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// The window on a folder of two combs, the first drawn in the preview.
std::unique_ptr<TForm2> ShownOnComb(ProgramFolder& s) {
    s.tmp.write("lib/a.dxf", Comb());
    s.tmp.write("lib/b.dxf", Comb());
    auto w = s.openAt(s.tmp.file("lib"));
    w->show();
    QCoreApplication::processEvents();
    w->FileListBox1->setItemIndex(w->FileListBox1->findName("a.dxf"));
    w->FileListBox1Click();
    return w;
}

// The model point under a logical position at 100 %, and the size of a logical pixel there.
TAcadPoint AtFullSize(TForm2& w, QPoint at, double* upp = nullptr) {
    const ViewState& v = w.preview().view();
    const QSize size = w.Image2->size();
    if (upp)
        *upp = UnitsPerPixel(v.ViewWidth, v.ViewHeight, size.width(), size.height(), v.FillFactor);
    return ScreenToDrawing(v.ViewCentre, at, size.height(), v.FillFactor, size.width(),
                           v.ViewHeight, v.ViewWidth);
}

// A mouse event at a logical position of the widget, as the window system hands it on.
void Mouse(QWidget* w, QEvent::Type type, Qt::MouseButton button, Qt::KeyboardModifiers modifiers,
           QPoint at) {
    const Qt::MouseButtons held = type == QEvent::MouseButtonPress ? button : Qt::NoButton;
    QMouseEvent e(type, QPointF(at), w->mapToGlobal(QPointF(at)), button, held, modifiers);
    QApplication::sendEvent(w, &e);
}

// The crosshair's read-out of the pointer's model point.
TAcadPoint ReadOut(const QLineEdit* measure) {
    const QRegularExpressionMatch m =
        QRegularExpression(R"(X= (-?[\d.]+) , Y= (-?[\d.]+))").match(measure->text());
    EXPECT_TRUE(m.hasMatch()) << measure->text().toStdString();
    return {m.captured(1).toDouble(), m.captured(2).toDouble(), 0};
}

} // namespace

TEST(HighDensity, ThePreviewAndItsCrosshairKeepOnePixelLines) {
    ProgramFolder s;
    auto w = ShownOnComb(s);
    ASSERT_DOUBLE_EQ(w->Image2->devicePixelRatioF(), gScale);
    const auto combShown = [&](const char* after) {
        const QImage shown = Shown(w->Image2);
        EXPECT_EQ(Runs(shown, shown.height() / 2, 0xFF0000), std::vector<int>(11, 1)) << after;
    };
    combShown("the first draw");
    // A redraw at another view: zoomed out about the middle.
    const QPointF middle = w->Image2->mapToGlobal(QRectF(w->Image2->rect()).center());
    QWheelEvent out(w->mapFromGlobal(middle), middle, {}, {0, -120}, Qt::NoButton, Qt::NoModifier,
                    Qt::NoScrollPhase, false);
    QApplication::sendEvent(w.get(), &out);
    combShown("a zoom");
    // The crosshair: in a row of the margin, its vertical line alone, one pixel wide.
    Mouse(w->Image2, QEvent::MouseMove, Qt::NoButton, {},
          {w->Image2->width() / 3, w->Image2->height() / 2});
    EXPECT_EQ(Runs(Shown(w->Image2), 2, 0x008000), std::vector<int>{1});
}

TEST(HighDensity, TheMouseLandsOnTheDrawingPointItLandsOnAtFullSize) {
    ProgramFolder s;
    auto w = ShownOnComb(s);
    const int width = w->Image2->width(), height = w->Image2->height();
    double upp = 0;
    // The crosshair's read-out, before and after a wheel zoom about the pointer.
    for (const QPoint at : {QPoint(10, 10), QPoint(width / 2, height / 2),
                            QPoint(width - 7, height / 3), QPoint(width / 4, height - 5)}) {
        w->FileListBox1Click(); // the drawing at its extents again
        Mouse(w->Image2, QEvent::MouseMove, Qt::NoButton, {}, at);
        const TAcadPoint expected = AtFullSize(*w, at, &upp), before = ReadOut(w->Edit3);
        EXPECT_NEAR(before.x, expected.x, upp) << at.x() << "," << at.y();
        EXPECT_NEAR(before.y, expected.y, upp) << at.x() << "," << at.y();
        const QPointF global = w->Image2->mapToGlobal(QPointF(at));
        QWheelEvent in(w->mapFromGlobal(global), global, {}, {0, 120}, Qt::NoButton, Qt::NoModifier,
                       Qt::NoScrollPhase, false);
        QApplication::sendEvent(w.get(), &in);
        Mouse(w->Image2, QEvent::MouseMove, Qt::NoButton, {}, at + QPoint(1, 0));
        Mouse(w->Image2, QEvent::MouseMove, Qt::NoButton, {}, at);
        const TAcadPoint after = ReadOut(w->Edit3);
        EXPECT_NEAR(after.x, expected.x, upp) << at.x() << "," << at.y();
        EXPECT_NEAR(after.y, expected.y, upp) << at.x() << "," << at.y();
    }
    // Shift + click two logical pixels right of line k picks line k, whose length is 100 - 4k,
    // and lays the highlight, seven device pixels wide, over it while the button is held.
    w->FileListBox1Click();
    const ViewState& v = w->preview().view();
    const QImage drawn = Shown(w->Image2);
    const int y = drawn.height() / 2;
    std::vector<int> lineAt; // device column of each line
    for (int x = 0; x < drawn.width(); ++x)
        if ((drawn.pixel(x, y) & 0xFFFFFF) == 0xFF0000) lineAt.push_back(x);
    ASSERT_EQ(lineAt.size(), 11u);
    for (int k : {2, 5, 9}) {
        AtFullSize(*w, {}, &upp);
        const QPoint at(width / 2 + Nearest((10 * k - v.ViewCentre.x) / upp) + 2, height / 2);
        Mouse(w->Image2, QEvent::MouseButtonPress, Qt::LeftButton, Qt::ShiftModifier, at);
        const QImage held = Shown(w->Image2);
        for (int dx : {-3, 0, 3})
            EXPECT_NE(held.pixel(lineAt[k] + dx, y), drawn.pixel(lineAt[k] + dx, y)) << k << dx;
        EXPECT_EQ(held.pixel(lineAt[k] + 5, y), drawn.pixel(lineAt[k] + 5, y)) << k;
        Mouse(w->Image2, QEvent::MouseButtonRelease, Qt::LeftButton, Qt::ShiftModifier, at);
        EXPECT_TRUE(w->Edit3->text().startsWith(QString("[0] 長さ = %1.000").arg(100 - 4 * k)))
            << k << " " << w->Edit3->text().toStdString();
    }
    // A band shorter than the gesture's ten logical pixels re-centres; a longer one zooms.
    for (const auto& [drag, zooms] : {std::pair{8, false}, std::pair{20, true}}) {
        w->FileListBox1Click();
        const double viewWidth = v.ViewWidth;
        const QPoint from(width / 3, height / 3), to = from + QPoint(drag, drag);
        Mouse(w->Image2, QEvent::MouseButtonPress, Qt::LeftButton, {}, from);
        Mouse(w->Image2, QEvent::MouseMove, Qt::NoButton, {}, to);
        Mouse(w->Image2, QEvent::MouseButtonRelease, Qt::LeftButton, {}, to);
        EXPECT_EQ(v.ViewWidth != viewWidth, zooms) << drag;
    }
}

TEST(HighDensity, ThumbnailsAreShownPixelForPixel) {
    ProgramFolder s;
    auto w = ShownOnComb(s);
    w->resize(1000, 700); // the grid wide enough to show them whole
    QCoreApplication::processEvents();
    auto* splitter2 = w->findChild<QSplitter*>("Splitter2");
    splitter2->setSizes({300, splitter2->width() - 300});
    w->ThumbnailView1->setChecked(true);
    w->ThumbnailView1Click();
    w->thumbnailPool().waitForDone();
    QCoreApplication::processEvents();
    // The item not selected: a selected one is shown tinted.
    const QListWidgetItem* item = w->FileListBox1->item(w->FileListBox1->findName("b.dxf"));
    ASSERT_FALSE(item->isSelected());
    const QImage shown = Shown(w->FileListBox1->viewport());
    const QRectF logical = w->FileListBox1->visualItemRect(item);
    const QRect cell =
        QRectF(logical.topLeft() * gScale, logical.size() * gScale).toRect() & shown.rect();
    size_t most = 0;
    for (int y = cell.top(); y <= cell.bottom(); ++y) {
        const std::vector<int> runs = Runs(shown, y, 0xFF0000, cell);
        EXPECT_EQ(runs, std::vector<int>(runs.size(), 1)) << y;
        most = std::max(most, runs.size());
    }
    EXPECT_EQ(most, 11u);
}

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    for (int i = 1; i < argc; ++i)
        if (QByteArray arg(argv[i]); arg.startsWith("--scale=")) gScale = arg.mid(8).toDouble();
    qputenv("QT_SCALE_FACTOR", QByteArray::number(gScale));
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QStandardPaths::setTestModeEnabled(true); // caches of the tests, never the user's
    return RUN_ALL_TESTS();
}
