// Finding drawings by name and by text, in real folders.
#include "search/library_search.h"
#include "support/temp_files.h"

#include <QFile>
#include <filesystem>
#include <gtest/gtest.h>

using namespace quillon;
using quillon::test::DxfOf;
using quillon::test::EntitiesSection;
using quillon::test::TempFolder;

TEST(SearchQuery, Matches) {
    const struct {
        const char* typed;
        const char* text;
        bool matches;
    } cases[] = {
        {"bolt", "M8_BOLT.dwg", true},
        {"bolt m8", "M8_BOLT.dwg", true}, // every word, in any order
        {"bolt m10", "M8_BOLT.dwg", false},
        {"ＢＯＬＴ　ｍ８", "m8_bolt.dxf", true}, // full-width letters and space
        {"ｶﾞｲﾄﾞ", "ガイド.dxf", true},           // half-width kana with sound marks
        {"ガイド", "ｶﾞｲﾄﾞ.dxf", true},
        {"ｶｲﾄ", "ガイド.dxf", false},
        {"b*t", "m8_bolt.dxf", true},
        {"b?lt", "m8_bolt.dxf", true},
        {"b?t", "m8_bolt.dxf", false},
        {"m8*.dwg", "m8_bolt.dxf", false},
        {"*", "anything", true},
        {"", "anything", false}, // nothing typed finds nothing
        {"   ", "anything", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SearchQuery(QString::fromUtf8(c.typed)).matches(QString::fromUtf8(c.text)),
                  c.matches)
            << c.typed << " / " << c.text;
}

namespace {

struct Found {
    QStringList paths, texts;
    SearchCounts counts;
};

Found Search(const QStringList& roots, const char* typed, bool texts = false,
             TextIndex* index = nullptr) {
    Found f;
    const std::atomic_bool cancel{false};
    SearchRequest request{roots, SearchQuery(QString::fromUtf8(typed)), texts, index};
    f.counts = SearchLibrary(request, cancel, [&](const SearchHit& hit) {
        f.paths.append(hit.path);
        if (!hit.byName) f.texts.append(QLatin1String(TextKindName(hit.kind)) + u':' + hit.text);
    });
    return f;
}

// A drawing of 2007 or later: its texts are UTF-8.
QByteArray TextDrawing(const char* text) {
    return DxfOf("0 SECTION 2 HEADER 9 $ACADVER 1 AC1021 0 ENDSEC") +
           EntitiesSection(DxfOf(QByteArray("0 TEXT 8 0 10 0 20 0 40 2.5 1 \"") + text + '"'));
}

} // namespace

TEST(LibrarySearch, WalksEachDrawingOnceInNameOrder) {
    TempFolder dir;
    dir.write("lib/b_bolt.dxf", TextDrawing("x"));
    dir.write("lib/a_bolt.DWG", "AC1015");
    dir.write("lib/bolt.txt", "not a drawing");
    dir.write("lib/sub/c_bolt.dxf", TextDrawing("x"));
    dir.write("lib/sub/nut.dxf", TextDrawing("x"));
    std::filesystem::create_directory_symlink(dir.path().toStdString(),
                                              dir.file("lib/sub/loop").toStdString());
    const QString lib = dir.file("lib"), sub = dir.file("lib/sub");
    // The folder below is a root too, and the first root is given twice.
    const Found f = Search({sub, lib, lib + u'/', dir.file("gone")}, "bolt");
    EXPECT_EQ(f.paths,
              (QStringList{lib + "/a_bolt.DWG", lib + "/b_bolt.dxf", sub + "/c_bolt.dxf"}));
    EXPECT_EQ(f.counts.folders, 2);
    EXPECT_EQ(f.counts.files, 4);
    EXPECT_EQ(f.counts.unreadable, 1); // the folder that is not there
}

TEST(LibrarySearch, TextsFromTheIndexUntilTheDrawingChanges) {
    TempFolder dir;
    const QString drawing = dir.write("lib/part.dxf", TextDrawing("M8 ネジ"));
    dir.write("lib/broken.dxf", "0\nSECTION\n2\nENTITIES\n0\nLINE\n10\nx\n");
    const QString indexFile = dir.file("cache/texts.idx");
    const QStringList roots{dir.file("lib")};
    {
        TextIndex index(indexFile);
        const Found f = Search(roots, "ﾈｼﾞ", true, &index);
        EXPECT_EQ(f.texts, QStringList{"text:M8 ネジ"});
        EXPECT_EQ(f.counts.unreadable, 1);
        EXPECT_TRUE(Search(roots, "ネジ").paths.isEmpty()); // not by name alone
        ASSERT_TRUE(index.save());
    }
    // Same size and time, other text: the stored text is what a search sees, unread.
    const auto time = std::filesystem::last_write_time(drawing.toStdString());
    dir.write("lib/part.dxf", TextDrawing("M8 ナツ"));
    std::filesystem::last_write_time(drawing.toStdString(), time);
    {
        TextIndex index(indexFile);
        EXPECT_EQ(index.size(), 2u);
        EXPECT_EQ(Search(roots, "ネジ", true, &index).texts, QStringList{"text:M8 ネジ"});
        EXPECT_EQ(Search(roots, "ネジ", true, &index).counts.unreadable, 1);
    }
    std::filesystem::last_write_time(drawing.toStdString(), time + std::chrono::seconds(5));
    TextIndex index(indexFile);
    EXPECT_TRUE(Search(roots, "ネジ", true, &index).texts.isEmpty());
    EXPECT_EQ(Search(roots, "ナツ", true, &index).texts, QStringList{"text:M8 ナツ"});
}

TEST(LibrarySearch, DamagedIndexIsEmpty) {
    TempFolder dir;
    dir.write("lib/part.dxf", TextDrawing("M8"));
    const QString indexFile = dir.file("texts.idx");
    {
        TextIndex index(indexFile);
        Search({dir.file("lib")}, "M8", true, &index);
        ASSERT_TRUE(index.save());
    }
    QFile f(indexFile);
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    QByteArray bytes = f.readAll();
    for (const qsizetype cut : {bytes.size() - 1, qsizetype(12), qsizetype(9)}) {
        f.resize(cut);
        EXPECT_EQ(TextIndex(indexFile).size(), 0u) << cut;
    }
    bytes.replace(8, 4, "\xff\xff\xff\x7f"); // a path longer than the file
    f.seek(0);
    f.write(bytes);
    f.flush();
    EXPECT_EQ(TextIndex(indexFile).size(), 0u);
}
