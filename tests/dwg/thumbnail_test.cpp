#include "dwg/thumbnail.h"
#include "support/corpus.h"
#include "support/temp_files.h"

#include <QBuffer>
#include <QPainter>
#include <gtest/gtest.h>

using namespace quillon;
using quillon::test::TempFolder;

namespace {

constexpr QRgb kWhite = 0xFFFFFFFF, kBlack = 0xFF000000, kRed = 0xFFFF0000;

QByteArray Le32(uint32_t v) {
    QByteArray b(4, '\0');
    for (int k = 0; k < 4; ++k) b[k] = char((v >> (8 * k)) & 0xFF);
    return b;
}

// A DWG file as far as the preview goes: version string, image seeker at 13, the image section
// at P (kind at P + 30, start and size after it) and the image data.
QByteArray Dwg(const char* version, int kind, const QByteArray& image) {
    QByteArray f = QByteArray(version).leftJustified(13, '\0');
    const uint32_t p = 40, start = p + 60;
    f += Le32(p);
    f = f.leftJustified(int(p) + 30, '\0');
    f += char(kind);
    f += Le32(start);
    f += Le32(uint32_t(image.size()));
    f = f.leftJustified(int(start), '\0');
    return f + image;
}

QByteArray Encoded(const QImage& img, const char* format) {
    QByteArray bytes;
    QBuffer buf(&bytes);
    buf.open(QIODevice::WriteOnly);
    img.save(&buf, format);
    return bytes;
}

// The bitmap without its 14-byte file header, as DWG files keep it.
QByteArray Dib(const QImage& img) {
    return Encoded(img, "BMP").mid(14);
}

QByteArray Dib8(const QImage& img) {
    QVector<QRgb> palette;
    for (int i = 0; i < 256; ++i) palette << qRgb(i, i == 1 ? 0 : i, i == 1 ? 0 : i);
    palette[1] = kRed;
    return Dib(img.convertToFormat(QImage::Format_Indexed8, palette, Qt::ThresholdDither));
}

QImage Canvas(int w, int h, QRgb background) {
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(background);
    return img;
}

struct Shown {
    bool result;
    QImage picture;
    ThumbnailFacts facts;
};

Shown Show(const QByteArray& dwg, QSize panel = {200, 150}, bool whiteEmphasis = false) {
    TempFolder dir;
    Shown s;
    s.result = ShowDwgThumbnail(dir.write("t.dwg", dwg), panel, {0, true, whiteEmphasis}, s.picture,
                                &s.facts);
    return s;
}

int Count(const QImage& img, QRgb c) {
    int n = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) n += img.pixel(x, y) == c;
    return n;
}

} // namespace

TEST(DwgThumbnail, PreviewOnWhiteComesOutOnBlack) {
    QImage img = Canvas(100, 60, kWhite);
    for (int x = 20; x < 80; ++x) img.setPixel(x, 20, kBlack), img.setPixel(x, 40, kRed);
    for (const QByteArray& dwg : {Dwg("AC1015", 2, Dib8(img)), Dwg("AC1015", 2, Dib(img)),
                                  Dwg("AC1032", 6, Encoded(img, "PNG"))}) {
        const Shown s = Show(dwg);
        ASSERT_TRUE(s.result);
        EXPECT_FALSE(s.facts.cancelled);
        EXPECT_EQ(s.facts.image, QSize(100, 60));
        EXPECT_EQ(s.facts.background, kBlack); // white was the background, now swapped
        EXPECT_GT(Count(s.picture, kWhite), 100);
        EXPECT_GT(Count(s.picture, kRed), 100);
        EXPECT_EQ(Count(s.picture, kWhite) + Count(s.picture, kRed) + Count(s.picture, kBlack),
                  200 * 150);
        // Cropped to the drawing: it fills 90 % of the panel's width.
        EXPECT_EQ(s.facts.shown.width(), 180);
    }
}

TEST(DwgThumbnail, VersionsAndKindsThatCarryNoImage) {
    const QImage img = Canvas(50, 40, kRed);
    const struct {
        QByteArray dwg;
        bool loaded;
    } cases[] = {
        {Dwg("AC1012", 2, Dib(img)), false},
        {Dwg("AC1014", 2, Dib(img)), true},
        {Dwg("AC1015", 3, QByteArray(100, 'w')), false}, // a metafile
        {Dwg("AC10xx", 2, Dib(img)), false},             // no version number: 0
    };
    for (const auto& c : cases) {
        const Shown s = Show(c.dwg);
        EXPECT_TRUE(s.result);
        EXPECT_FALSE(s.facts.cancelled);
        EXPECT_EQ(s.facts.image.has_value(), c.loaded);
        if (!c.loaded) {
            EXPECT_EQ(Count(s.picture, kBlack), 200 * 150); // the plain background
        }
    }
}

TEST(DwgThumbnail, CornerVote) {
    const struct {
        QRgb corners[4];
        QRgb background;
    } cases[] = {
        {{kRed, kRed, kBlack, kRed}, kRed},
        {{kWhite, kBlack, kBlack, kWhite}, kBlack}, // white first, swapped to black
        {{kBlack, kWhite, kWhite, kBlack}, kBlack},
        {{0xFF0000FF, kRed, kRed, 0xFF0000FF}, 0xFF0000FF},
    };
    for (const auto& c : cases) {
        QImage img = Canvas(40, 30, 0xFF808080);
        img.setPixel(0, 0, c.corners[0]);
        img.setPixel(39, 0, c.corners[1]);
        img.setPixel(0, 29, c.corners[2]);
        img.setPixel(39, 29, c.corners[3]);
        EXPECT_EQ(Show(Dwg("AC1018", 2, Dib(img))).facts.background, c.background);
    }
}

TEST(DwgThumbnail, CropKeepsOnePixelOfBackgroundRightAndBelow) {
    QImage img = Canvas(100, 80, kBlack);
    for (int y = 30; y <= 50; ++y)
        for (int x = 40; x <= 70; ++x) img.setPixel(x, y, kRed);
    const Shown s = Show(Dwg("AC1018", 2, Dib(img)));
    EXPECT_EQ(s.facts.content, QRect(QPoint(39, 29), QPoint(70, 50)));
    EXPECT_EQ(s.facts.crop, QRect(40, 30, 32, 22)); // 31 x 21 drawn, one more right and below
    const double scale = std::min(200 * 0.9 / 32, 150 * 0.9 / 22);
    EXPECT_EQ(s.facts.shown.size(), QSize(int(32 * scale), int(22 * scale)));
    EXPECT_EQ(s.facts.shown.topLeft(),
              QPoint((200 - int(32 * scale)) / 2, (150 - int(22 * scale)) / 2));
}

TEST(DwgThumbnail, TwoPixelDrawingShowsTheWholeBitmap) {
    QImage img = Canvas(60, 40, kBlack);
    img.setPixel(30, 20, kWhite);
    img.setPixel(31, 20, kWhite);
    const Shown s = Show(Dwg("AC1018", 2, Dib(img)));
    EXPECT_EQ(s.facts.crop, QRect(1, 1, 59, 39));
}

TEST(DwgThumbnail, WhiteEmphasisKeepsThinWhiteLines) {
    QImage img = Canvas(400, 300, kBlack);
    img.setPixel(0, 0, 0xFF0000FF); // corners fix the drawing's extent to the whole bitmap
    img.setPixel(399, 299, 0xFF0000FF);
    for (int y = 0; y < 300; ++y) img.setPixel(201, y, kWhite);
    const QByteArray dwg = Dwg("AC1018", 2, Dib(img));
    const Shown plain = Show(dwg, {100, 75}), bright = Show(dwg, {100, 75}, true);
    EXPECT_EQ(Count(plain.picture, kWhite), 0);
    EXPECT_GT(Count(bright.picture, kWhite), 50);
}

TEST(DwgThumbnail, DamagedFilesCancelSilently) {
    const QImage img = Canvas(50, 40, kRed);
    const QByteArray good = Dwg("AC1018", 2, Dib(img));
    QByteArray hugeBmp = Dib(img);
    hugeBmp.replace(4, 4, Le32(200000)); // 200000 x 40 pixels claimed
    QByteArray seekerOutside = good;
    seekerOutside.replace(13, 4, Le32(1u << 30));
    QByteArray sizeTooLarge = good;
    sizeTooLarge.replace(40 + 35, 4, Le32(0xFFFFFFF0u));
    QByteArray startOutside = good;
    startOutside.replace(40 + 31, 4, Le32(uint32_t(good.size() + 10)));
    const QByteArray cases[] = {
        good.left(10), // header cut short
        seekerOutside,
        sizeTooLarge,
        startOutside,
        good.left(good.size() - 500), // image cut short
        Dwg("AC1018", 2, hugeBmp),
        Dwg("AC1018", 2, QByteArray(39, 'x')), // less than an information header
        Dwg("AC1032", 6, Encoded(img, "PNG").left(60)),
        Dwg("AC1032", 6, QByteArray("\x89PNG\r\n\x1a\n garbage")),
    };
    for (const QByteArray& dwg : cases) {
        const Shown s = Show(dwg);
        EXPECT_TRUE(s.result);
        EXPECT_TRUE(s.facts.cancelled);
        EXPECT_EQ(Count(s.picture, kBlack), 200 * 150);
    }
    TempFolder dir;
    QImage picture;
    EXPECT_FALSE(ShowDwgThumbnail(dir.file("missing.dwg"), {20, 10}, {}, picture));
    EXPECT_EQ(picture.size(), QSize(20, 10));
}

TEST(Corpus, EveryDwgWithAPreviewShowsContent) {
    QUILLON_CORPUS_FILES(files, ".dwg", 60);
    int withPreview = 0;
    for (const auto& file : files) {
        QImage picture;
        ThumbnailFacts facts;
        ASSERT_TRUE(ShowDwgThumbnail(file.path, {200, 150}, {}, picture, &facts));
        const bool carries =
            file.notes.contains("thumbnail=BMP") || file.notes.contains("thumbnail=PNG");
        const bool tooOld = file.acadver <= QLatin1String("AC1012");
        if (!carries || tooOld) continue;
        ++withPreview;
        EXPECT_FALSE(facts.cancelled) << file.path.toStdString();
        EXPECT_TRUE(facts.image.has_value()) << file.path.toStdString();
        EXPECT_LT(Count(picture, kBlack), 200 * 150) << file.path.toStdString();
    }
    EXPECT_GT(withPreview, 40);
}
