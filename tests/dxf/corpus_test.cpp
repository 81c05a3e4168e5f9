#include "dxf/reader.h"
#include "support/corpus.h"
#include "support/drawing_checks.h"

#include <QFile>
#include <gtest/gtest.h>
#include <map>

using namespace quillon;

namespace {

// Counts "0/NAME" records per section with a plain line split, independent of the reader.
std::map<QByteArray, int> CountRecords(const QByteArray& bytes, const QByteArray& section) {
    QByteArray text = bytes;
    text.replace("\r\n", "\n").replace('\r', '\n');
    const QList<QByteArray> lines = text.split('\n');
    std::map<QByteArray, int> counts;
    QByteArray current;
    for (qsizetype i = 0; i + 1 < lines.size(); i += 2) {
        const QByteArray code = lines[i].trimmed(), value = lines[i + 1].trimmed();
        if (code == "2" && (value == "ENTITIES" || value == "BLOCKS" || value == "TABLES"))
            current = value;
        else if (code == "0" && value == "ENDSEC")
            current.clear();
        else if (code == "0" && current == section)
            ++counts[value];
    }
    return counts;
}

} // namespace

TEST(Corpus, EveryDxfReadsAndMatchesAnIndependentCount) {
    QUILLON_CORPUS_FILES(files, ".dxf", 1000);
    int compared = 0;
    for (const auto& file : files) {
        QString head, version, status, acadVer;
        if (PeekFileHead(file.path, head) && HeadRejectsDxf(head)) continue;
        ASSERT_TRUE(ScanAcadVer(file.path, version)) << file.path.toStdString();
        DxfDrawing d;
        ReadDxfFile(d, file.path, nullptr, nullptr, status, ChooseEncoding(version), acadVer);
        ASSERT_FALSE(d.LayerAry.empty());
        if (file.acadver.startsWith("AC1")) {
            EXPECT_EQ(version, file.acadver) << file.path.toStdString();
        }
        if (!status.isEmpty()) continue; // a stopped read keeps only what came before
        QFile f(file.path);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        const QByteArray bytes = f.readAll();
        auto entities = CountRecords(bytes, "ENTITIES");
        auto blocks = CountRecords(bytes, "BLOCKS");
        const auto name = file.path.toStdString();
        EXPECT_EQ(d.LineAry.size(), size_t(entities["LINE"])) << name;
        // Points are kept as circles of no size.
        EXPECT_EQ(d.CircleAry.size(), size_t(entities["CIRCLE"] + entities["POINT"])) << name;
        EXPECT_EQ(d.ArcAry.size(), size_t(entities["ARC"])) << name;
        EXPECT_EQ(d.TopInsertAry.size(), size_t(entities["INSERT"])) << name;
        EXPECT_EQ(d.LwpAry.size(), size_t(entities["LWPOLYLINE"] + entities["POLYLINE"])) << name;
        EXPECT_EQ(d.BlockAry.size(), size_t(blocks["BLOCK"])) << name;
        EXPECT_EQ(d.BlkLineAry.size(), size_t(blocks["LINE"])) << name;
        ++compared;
    }
    EXPECT_GT(compared, 900);
}

TEST(Corpus, EveryDxfReadInTwoHalvesIsReadAsByOneReader) {
    QUILLON_CORPUS_FILES(files, ".dxf", 1000);
    DxfDrawing reused;
    for (const auto& file : files) {
        QString version;
        ScanAcadVer(file.path, version);
        test::ReadAloneAndInHalves(file.path, ChooseEncoding(version), reused);
    }
}
