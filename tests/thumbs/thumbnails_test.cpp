// Thumbnails: the pictures, the cache and the worker pool.
#include "app/file_list_box.h"
#include "app/main_window.h"
#include "dwg/thumbnail.h"
#include "render/pipeline.h"
#include "support/program_folder.h"
#include "support/temp_files.h"
#include "thumbs/thumbnail_pool.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QThread>
#include <gtest/gtest.h>
#include <map>

using namespace quillon;
using quillon::test::DxfOf;
using quillon::test::EntitiesSection;
using quillon::test::ProgramFolder;
using quillon::test::TempFolder;

namespace {

const QSize kSize{128, 96};

QByteArray LineDxf(const char* end) {
    return EntitiesSection(DxfOf((std::string("0 LINE 10 0 20 0 11 ") + end).c_str()));
}

} // namespace

TEST(Thumbnails, PicturesAreThePreviewsPictures) {
    TempFolder dir;
    const QString dxf = dir.write("a.dxf", LineDxf("100 21 50"));
    const QString dwg = dir.write("b.dwg", QByteArray("AC1015").leftJustified(64, '\0'));
    const Thumbnail t = MakeThumbnail(dxf, kSize);
    DxfDrawing d;
    ViewState v;
    EXPECT_TRUE(t.drawn);
    EXPECT_TRUE(t.picture == DrawDxfImage(d, v, dxf, kSize, {}));
    EXPECT_EQ(MakeThumbnail(dwg, kSize).kind, ThumbnailKind::Dwg);
    EXPECT_EQ(MakeThumbnail(dwg, kSize).picture.size(), kSize);
    const Thumbnail bad =
        MakeThumbnail(dir.write("c.dxf", EntitiesSection(DxfOf("0 LINE 10 1,5"))), kSize);
    EXPECT_FALSE(bad.drawn);
    EXPECT_TRUE(bad.picture == NotDrawablePicture(kSize));
}

TEST(Thumbnails, CacheHitsMissesAChangedFileAndSurvivesAnUnwritableFolder) {
    TempFolder dir;
    const QString file = dir.write("a.dxf", LineDxf("100 21 50"));
    QImage picture(kSize, QImage::Format_RGB32);
    picture.fill(Qt::red);
    {
        ThumbnailCache cache(dir.file("cache"));
        QImage found;
        EXPECT_FALSE(cache.find(file, kSize, found));
        cache.store(file, kSize, picture);
        EXPECT_TRUE(cache.find(file, kSize, found));
        EXPECT_FALSE(cache.find(file, {64, 48}, found)); // another size
    }
    ThumbnailCache again(dir.file("cache")); // a new run reads the disk
    QImage found;
    ASSERT_TRUE(again.find(file, kSize, found));
    EXPECT_TRUE(found == picture);
    dir.write("a.dxf", LineDxf("200 21 50")); // changed: drawn again
    EXPECT_FALSE(again.find(file, kSize, found));
    // A folder that cannot be made (a file is in the way) only costs speed.
    const QString blocked = dir.write("blocked", "x");
    ThumbnailCache unwritable(blocked + "/cache");
    unwritable.store(file, kSize, picture);
    EXPECT_TRUE(unwritable.find(file, kSize, found)); // still in memory
    EXPECT_FALSE(ThumbnailCache(blocked + "/cache").find(file, kSize, found));
}

TEST(Thumbnails, ANewRequestLeavesNoLatePictureOfTheOldOne) {
    TempFolder dir;
    QStringList first, second;
    for (int i = 0; i < 20; ++i)
        first << dir.write(QString("old/%1.dxf").arg(i), LineDxf("100 21 50"));
    for (int i = 0; i < 5; ++i)
        second << dir.write(QString("new/%1.dxf").arg(i), LineDxf("50 21 100"));
    ThumbnailCache cache{QString()};
    ThumbnailPool pool(cache, 2);
    std::map<QString, QImage> arrived;
    QObject::connect(&pool, &ThumbnailPool::ready,
                     [&](const QString& f, const QImage& p) { arrived[f] = p; });
    for (int round = 0; round < 10; ++round) { // folders opened in quick succession
        pool.request(first, kSize);
        pool.request(second, kSize);
    }
    pool.waitForDone();
    QCoreApplication::processEvents();
    ASSERT_EQ(arrived.size(), 5u);
    for (const auto& [file, picture] : arrived) {
        EXPECT_TRUE(second.contains(file));
        EXPECT_EQ(picture.size(), kSize);
    }
}

TEST(Thumbnails, TheGridShowsTheListsItemsWithTheirPictures) {
    ProgramFolder program;
    const TempFolder& tmp = program.tmp;
    for (const char* name : {"b.dxf", "A.dxf", "c.DWG", "notes.txt"})
        tmp.write(QString("lib/") + name, LineDxf("100 21 50"));
    const auto window = program.openAt(tmp.file("lib"));
    TForm2& w = *window;
    const auto names = [&] {
        QStringList out;
        for (int i = 0; i < w.FileListBox1->count(); ++i) out << w.FileListBox1->item(i)->text();
        return out;
    };
    const QStringList listed = names();
    w.FileListBox1->setItemIndex(1);
    w.ThumbnailView1->setChecked(true);
    w.ThumbnailView1Click();
    EXPECT_TRUE(w.FileListBox1->thumbnails());
    EXPECT_EQ(names(), listed);
    EXPECT_EQ(w.FileListBox1->itemIndex(), 1); // the selection stays
    // The pictures arrive while the window keeps running.
    QImage black(kSize, QImage::Format_RGB32);
    black.fill(Qt::black);
    const auto shown = [&] {
        return w.FileListBox1->item(0)->icon().pixmap(kSize).toImage().convertToFormat(
            QImage::Format_RGB32);
    };
    for (int i = 0; i < 500 && shown() == black; ++i) {
        QCoreApplication::processEvents();
        QThread::msleep(10);
    }
    const QImage expected = MakeThumbnail(tmp.file("lib/A.dxf"), kSize).picture;
    EXPECT_FALSE(shown() == black);
    EXPECT_TRUE(shown() == expected);
    w.Edit48->setText("zz"); // the mask works the same in the grid
    EXPECT_EQ(names(), (QStringList{"A.dxf", "b.dxf"}));
    w.close(); // the choice is kept
    QFile ini(tmp.file("prog/quillon.ini"));
    ASSERT_TRUE(ini.open(QIODevice::ReadOnly));
    EXPECT_TRUE(ini.readAll().contains("[View]\nThumbnails=1"));
}
