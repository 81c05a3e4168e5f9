#include "png_output.h"
#include "support/temp_files.h"

#include <gtest/gtest.h>

using namespace quillon;

TEST(PngOutput, PicturesReadBackPixelForPixel) {
    // A drawing's few colours (a palette), and more colours than a palette holds.
    QImage few(120, 90, QImage::Format_RGB32), many(120, 90, QImage::Format_RGB32);
    few.fill(Qt::black);
    for (int x = 0; x < 120; ++x) {
        few.setPixel(x, x % 90, qRgb(255, 255, 0));
        few.setPixel(x, 45, qRgb(x % 7 * 30, 0, 255));
        for (int y = 0; y < 90; ++y) many.setPixel(x, y, qRgb(x * 2, y * 2, (x + y) % 256));
    }
    test::TempFolder dir;
    for (const QImage& picture : {few, many}) {
        const QString path = dir.file("p.png");
        ASSERT_TRUE(cli::WritePng(picture, path));
        const QImage back = QImage(path).convertToFormat(QImage::Format_RGB32);
        ASSERT_EQ(back.size(), picture.size());
        int differing = 0;
        for (int y = 0; y < back.height(); ++y)
            for (int x = 0; x < back.width(); ++x)
                differing += back.pixel(x, y) != picture.pixel(x, y);
        EXPECT_EQ(differing, 0);
    }
    EXPECT_FALSE(cli::WritePng(few, dir.file("no/such/folder/p.png")));
}
