// quillon-cli run as a real process.
#include "support/temp_files.h"

#include <QFileInfo>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMap>
#include <QProcess>
#include <gtest/gtest.h>

using quillon::test::Dxf;
using quillon::test::EntitiesSection;
using quillon::test::TempFolder;

namespace {

struct Result {
    int code;
    QByteArray out, err;
};

Result Cli(const QStringList& args) {
    QProcess p;
    p.start(QStringLiteral(QUILLON_CLI), args);
    p.waitForFinished(60000);
    // Only the tool's own lines: the toolkit may warn about this machine's set-up.
    QByteArray err;
    for (const QByteArray& line : p.readAllStandardError().split('\n'))
        if (!line.isEmpty() && !line.startsWith("QStandardPaths:")) err += line + '\n';
    return {p.exitCode(), p.readAllStandardOutput(), err};
}

} // namespace

TEST(Cli, ExitCodes) {
    TempFolder dir;
    const QString good =
        dir.write("g.dxf", EntitiesSection(Dxf({{0, "LINE"}, {11, "5"}, {21, "2"}})));
    const QString bad = dir.write("b.dxf", EntitiesSection(Dxf({{0, "LINE"}, {11, "5,5"}})));
    const QString oldDwg = dir.write("old.dwg", QByteArray("AC1009").leftJustified(64, '\0'));
    const QString brokenDwg = dir.write("broken.DWG", QByteArray("AC1015").leftJustified(15, '\0'));
    const struct {
        QStringList args;
        int code;
    } cases[] = {
        {{"preview", good}, 0},
        {{"preview", dir.file("none.dxf")}, 1},
        {{"preview"}, 2},
        {{"preview", good, "--size", "12"}, 2},
        {{"preview", good, "--view", "1,2,3"}, 2},
        {{"preview", good, "--view", "a,1,2"}, 2},
        {{"preview", good, "--view", "0,0,1,x"}, 2},
        {{"preview", good, "--view", "0,0,0,1"}, 2},
        {{"preview", good, "--view", "0,0,nan,1"}, 2},
        {{"preview", good, "--view", "0,0,2,1"}, 0},
        {{"preview", good, "--size", "99999x99999"}, 2},
        {{"preview", good, "--size", "0x10"}, 2},
        {{"bogus"}, 2},
        {{"preview", bad}, 3},
        {{"preview", oldDwg}, 0},    // no preview image: the plain background is the picture
        {{"preview", brokenDwg}, 3}, // the seeker is cut short
    };
    for (const auto& c : cases) {
        const Result r = Cli(c.args);
        EXPECT_EQ(r.code, c.code) << c.args.join(' ').toStdString();
        // Failures say why in one line on stderr.
        EXPECT_EQ(r.err.startsWith("quillon-cli: "), c.code != 0) << r.err.toStdString();
        EXPECT_LE(r.err.count('\n'), 1) << r.err.toStdString();
    }
}

TEST(Cli, PictureJsonAndDump) {
    TempFolder dir;
    const QString file = dir.write("d.dxf", EntitiesSection(Dxf({{0, "LINE"},
                                                                 {8, "A"},
                                                                 {11, "100"},
                                                                 {21, "50"},
                                                                 {0, "CIRCLE"},
                                                                 {10, "50"},
                                                                 {20, "25"},
                                                                 {40, "5"},
                                                                 {0, "TEXT"},
                                                                 {1, "hi"},
                                                                 {40, "3"}})));
    const QString png = dir.file("out.png");
    const Result r = Cli({"preview", file, "-o", png, "--size", "300x200", "--json", "--dump"});
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_EQ(QImage(png).size(), QSize(300, 200));
    // The JSON object comes first, then one line per drawable record.
    const qsizetype end = r.out.indexOf("\n}\n") + 3;
    const QJsonObject facts = QJsonDocument::fromJson(r.out.left(end)).object();
    EXPECT_EQ(facts["kind"].toString(), "dxf");
    EXPECT_EQ(facts["status"].toString(), "");
    EXPECT_EQ(facts["encoding"].toString(), "cp932");
    EXPECT_EQ(facts["read"].toObject()["LineAry"].toInt(), 1);
    EXPECT_EQ(facts["read"].toObject()["LayerAry"].toInt(), 3);
    EXPECT_EQ(facts["drawable"].toObject()["CircleAry"].toInt(), 1);
    EXPECT_EQ(facts["view"].toObject()["width"].toDouble(), 100);
    for (const char* key : {"file", "acadver", "layers", "extents", "timings_ms"})
        EXPECT_TRUE(facts.contains(key)) << key;
    const QList<QByteArray> lines = r.out.mid(end).trimmed().split('\n');
    ASSERT_EQ(lines.size(), 3);
    const QJsonObject line = QJsonDocument::fromJson(lines[0]).object();
    EXPECT_EQ(line["kind"].toString(), "line");
    EXPECT_EQ(line["layer"].toString(), "A");
    EXPECT_EQ(line["ed"].toArray()[0].toDouble(), 100);
    EXPECT_EQ(QJsonDocument::fromJson(lines[2]).object()["str"].toString(), "hi");
}

TEST(Cli, DwgDrawnThroughTheConverter) {
    TempFolder dir;
    const QString dwg = dir.write("部品 a.dwg", QByteArray("AC1015").leftJustified(64, '\0'));
    const QString standIn = QStringLiteral(QUILLON_STANDIN_CONVERTER);
    const struct {
        const char* mode;
        QStringList extra;
        int code;
    } cases[] = {
        {"", {"--converter", standIn, "--json"}, 0},
        {"", {"--converter", dir.file("none")}, 1},
        {"", {"--converter", dir.write("conv", "not a program")}, 1},
        {"nothing", {"--converter", standIn}, 3},
        {"slow", {"--converter", standIn, "--timeout", "1"}, 1},
        {"", {"--converter", standIn, "--timeout", "0"}, 2},
    };
    for (const auto& c : cases) {
        qputenv("QUILLON_STANDIN_MODE", c.mode);
        const Result r = Cli(QStringList{"preview", dwg} + c.extra);
        qunsetenv("QUILLON_STANDIN_MODE");
        EXPECT_EQ(r.code, c.code) << c.extra.join(' ').toStdString() << r.err.toStdString();
        EXPECT_EQ(r.err.startsWith("quillon-cli: "), c.code != 0) << r.err.toStdString();
        if (c.code == 0) {
            const QJsonObject facts = QJsonDocument::fromJson(r.out).object();
            EXPECT_TRUE(facts["converted"].toBool());
            EXPECT_EQ(facts["kind"].toString(), "dxf");
            EXPECT_TRUE(facts["dxf"].toString().endsWith("部品 a.dxf"));
            EXPECT_EQ(facts["drawable"].toObject()["CircleAry"].toInt(), 1);
        }
    }
}

TEST(Cli, MeasureAtAPixel) {
    TempFolder dir;
    const QString file = dir.write(
        "m.dxf", EntitiesSection(quillon::test::DxfOf(
                     "0 LINE 8 0 10 0 20 0 11 100 21 0 0 LINE 8 W 10 0 20 25 11 100 21 25")));
    const QStringList view = {"--size", "200x200", "--view", "50,50,100,100"};
    const struct {
        QStringList args;
        int code;
        QByteArray out;
    } cases[] = {
        {QStringList{"measure", file, "--at", "100,150"} + view, 0, "[W] 長さ = 100.000\n"},
        {QStringList{"measure", file, "--at", "100,150", "--prev", "100,200"} + view, 0,
         "[W] 長さ = 100.000 相互距離 = 25.000\n"},
        {QStringList{"measure", file, "--at", "x,1"} + view, 2, ""},
        {QStringList{"measure", dir.file("none.dxf"), "--at", "1,1"}, 1, ""},
    };
    for (const auto& c : cases) {
        const Result r = Cli(c.args);
        EXPECT_EQ(r.code, c.code) << c.args.join(' ').toStdString() << r.err.toStdString();
        EXPECT_EQ(r.out, c.out) << c.args.join(' ').toStdString();
    }
}

TEST(Cli, ThumbnailsOfAFolder) {
    TempFolder dir;
    dir.write("lib/a.dxf", EntitiesSection(Dxf({{0, "LINE"}, {11, "5"}, {21, "2"}})));
    dir.write("lib/b.DWG", QByteArray("AC1015").leftJustified(15, '\0'));
    dir.write("lib/notes.txt", "x");
    const Result r = Cli({"thumbnails", dir.file("lib"), "-o", dir.file("out"), "--size", "64x48",
                          "--jobs", "2", "--no-cache"});
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    QMap<QString, QString> status;
    for (const QByteArray& line : r.out.split('\n'))
        if (!line.isEmpty()) {
            const QJsonObject o = QJsonDocument::fromJson(line).object();
            status[QFileInfo(o["file"].toString()).fileName()] = o["status"].toString();
        }
    EXPECT_EQ(status, (QMap<QString, QString>{{"a.dxf", "drawn"}, {"b.DWG", "crossed"}}));
    EXPECT_EQ(QImage(dir.file("out/a.dxf.png")).size(), QSize(64, 48));
    EXPECT_EQ(Cli({"thumbnails", dir.file("none"), "-o", dir.file("out")}).code, 1);
}

TEST(Cli, FindByNameAndText) {
    TempFolder dir;
    dir.write("lib/m8_bolt.dxf", EntitiesSection(Dxf({{0, "LINE"}, {11, "5"}, {21, "2"}})));
    dir.write("lib/sub/plate.dxf", EntitiesSection(Dxf({{0, "TEXT"}, {1, "BOLT HOLES"}})));
    const QString lib = dir.file("lib");
    qputenv("XDG_CACHE_HOME", dir.file("cache").toUtf8()); // the index of texts goes there
    const struct {
        QStringList args;
        int code;
        QByteArray out;
    } cases[] = {
        {{"find", lib, "bolt"}, 0, lib.toUtf8() + "/m8_bolt.dxf\n"},
        {{"find", lib, "bolt", "--texts", "--json"},
         0,
         "{\"path\":\"" + lib.toUtf8() + "/m8_bolt.dxf\"}\n{\"kind\":\"text\",\"path\":\"" +
             lib.toUtf8() + "/sub/plate.dxf\",\"text\":\"BOLT HOLES\"}\n"},
        {{"find", lib, "nut"}, 1, ""},
        {{"find", lib}, 2, ""},
        {{"find", "bolt"}, 2, ""},
    };
    for (const auto& c : cases) {
        const Result r = Cli(c.args);
        EXPECT_EQ(r.code, c.code) << c.args.join(' ').toStdString();
        EXPECT_EQ(r.out, c.out) << c.args.join(' ').toStdString();
    }
    qunsetenv("XDG_CACHE_HOME");
}
