#include "app/preview_image.h"
#include "app/preview_panel.h"
#include "support/scripted_prompts.h"
#include "support/temp_files.h"

#include <QProgressBar>
#include <QTimer>
#include <gtest/gtest.h>

using namespace quillon;
using quillon::test::Dxf;
using quillon::test::EntitiesSection;
using quillon::test::ScriptedPrompts;
using quillon::test::TempFolder;

namespace {

QByteArray Lines(int count, double length) {
    QByteArray body;
    for (int i = 0; i < count; ++i)
        body += Dxf({{0, "LINE"},
                     {10, "0"},
                     {20, QByteArray::number(i).constData()},
                     {11, QByteArray::number(length).constData()},
                     {21, QByteArray::number(i).constData()}});
    return EntitiesSection(body);
}

} // namespace

// Requests made by events that run while a preview is being read and reduced never touch the
// half-built drawing: a redraw is dropped, another preview waits and then replaces it.
TEST(PreviewPanel, RequestsDuringARunningPreviewWaitForIt) {
    TempFolder dir;
    const QString first = dir.write("first.dxf", Lines(2000, 10));
    const QString second = dir.write("second.dxf", Lines(3, 500));
    PreviewImage image;
    image.resize(200, 150);
    QProgressBar bar;
    ScriptedPrompts prompts;
    PreviewPanel panel(image, bar, prompts);
    bool ranDuringPreview = false;
    QTimer::singleShot(0, [&] {
        ranDuringPreview = panel.busy();
        panel.redrawCurrentView(false);
        panel.drawDxfImage(second);
        panel.drawDxfImage(second); // asked twice: still one waiting preview
    });
    panel.drawDxfImage(first);
    EXPECT_TRUE(ranDuringPreview);
    EXPECT_FALSE(panel.busy());
    // The second drawing is the one kept, and the view is its own.
    EXPECT_EQ(panel.drawing().LineAry.size(), 3u);
    EXPECT_EQ(panel.view().ViewWidth, 500);
    EXPECT_EQ(image.picture().size(), QSize(200, 150));
    EXPECT_TRUE(prompts.messages.isEmpty());
}

TEST(PreviewPanel, ALaterDwgRequestKeepsItsPicture) {
    TempFolder dir;
    const QString dxf = dir.write("a.dxf", Lines(500, 10));
    const QString dwg = dir.write("b.dwg", QByteArray("AC1009").leftJustified(64, '\0'));
    PreviewImage image;
    image.resize(100, 80);
    QProgressBar bar;
    ScriptedPrompts prompts;
    PreviewPanel panel(image, bar, prompts);
    QTimer::singleShot(0, [&] { panel.showDwgThumbnail(dwg, false); });
    panel.drawDxfImage(dxf);
    // The DWG was chosen last: its plain black picture stays, not the DXF drawing.
    const QImage& picture = image.picture();
    ASSERT_EQ(picture.size(), QSize(100, 80));
    for (int y = 0; y < 80; ++y)
        for (int x = 0; x < 100; ++x) ASSERT_EQ(picture.pixel(x, y) & 0xFFFFFF, 0u);
}
