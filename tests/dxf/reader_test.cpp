#include "dxf/reader.h"
#include "support/temp_files.h"

#include "support/drawing_checks.h"

#include <gtest/gtest.h>

using namespace quillon;
using quillon::test::Dxf;
using quillon::test::DxfOf;
using quillon::test::EntitiesSection;
using quillon::test::RecordedMessages;
using quillon::test::TempFolder;

namespace {

struct Bar : ProgressSink {
    int max = -1, pos = 0, advances = 0;
    void setMaximum(int m) override { max = m; }
    void setPosition(int p) override {
        if (p == pos + 1) ++advances;
        pos = p;
    }
    int position() const override { return pos; }
};

struct Read {
    DxfDrawing d;
    QString status, version;
    RecordedMessages messages;
};

Read ReadBytes(const QByteArray& bytes, TextEncoding enc = TextEncoding::Cp932) {
    TempFolder dir;
    Read r;
    ReadDxfFile(r.d, dir.write("t.dxf", bytes), nullptr, &r.messages, r.status, enc, r.version);
    return r;
}

QByteArray Layers(std::initializer_list<std::pair<int, const char*>> records) {
    return Dxf({{0, "SECTION"}, {2, "TABLES"}, {0, "TABLE"}, {2, "LAYER"}}) + Dxf(records) +
           Dxf({{0, "ENDTAB"}, {0, "ENDSEC"}});
}

} // namespace

TEST(Reader, CommentPairFirstIsPassedOver) {
    const Read r = ReadBytes(
        Dxf({{999, "made by hand"}}) +
        EntitiesSection(
            Dxf({{0, "LINE"}, {8, "A"}, {62, "3"}, {10, "1.5"}, {20, "2"}, {11, "3"}, {21, "4"}})));
    ASSERT_EQ(r.status, "");
    ASSERT_EQ(r.d.LineAry.size(), 1u);
    const TAcadLineBlk& l = r.d.LineAry[0];
    EXPECT_EQ(l.layer, "A");
    EXPECT_EQ(l.color, 3);
    EXPECT_EQ(l.st, (TAcadPoint{1.5, 2, 0}));
    EXPECT_EQ(l.ed, (TAcadPoint{3, 4, 0}));
    EXPECT_EQ(l.ltype, "BYLAYER");
    EXPECT_EQ(l.code210, kExtrusionZ);
}

TEST(Reader, MTextPiecesAreTrimmedAndJoined) {
    const Read r = ReadBytes(EntitiesSection(
        Dxf({{0, "MTEXT"}, {8, "T"}, {3, " first "}, {3, "second "}, {1, " last"}})));
    ASSERT_EQ(r.d.TextAry.size(), 1u);
    EXPECT_EQ(r.d.TextAry[0].str, "firstsecondlast");
    EXPECT_TRUE(r.d.TextAry[0].mtflag);
    EXPECT_EQ(r.d.TextAry[0].code41, 1.0);
}

TEST(Reader, EmptyTextIsDroppedAndItsSlotReused) {
    const Read r = ReadBytes(EntitiesSection(
        Dxf({{0, "TEXT"}, {8, "A"}, {40, "9"}, {1, ""}, {0, "TEXT"}, {8, "B"}, {1, "  kept  "}})));
    ASSERT_EQ(r.d.TextAry.size(), 1u);
    EXPECT_EQ(r.d.TextAry[0].str, "kept");
    EXPECT_EQ(r.d.TextAry[0].layer, "B");
    EXPECT_EQ(r.d.TextAry[0].code40, 0.0); // a fresh record, nothing of the dropped one
}

TEST(Reader, ColourRulesInsideAndOutsideBlocks) {
    const QByteArray layers =
        Layers({{0, "LAYER"}, {2, "0"}, {62, "5"}, {0, "LAYER"}, {2, "A"}, {62, "2"}});
    const QByteArray lines = Dxf({{0, "LINE"},
                                  {8, "0"},
                                  {62, "1"},
                                  {0, "LINE"},
                                  {8, "A"},
                                  {62, "0"},
                                  {0, "LINE"},
                                  {8, "A"},
                                  {62, "256"},
                                  {0, "LINE"},
                                  {8, "NEW"}});
    const QByteArray blocks = Dxf({{0, "SECTION"},
                                   {2, "BLOCKS"},
                                   {0, "BLOCK"},
                                   {2, "B"},
                                   {8, "0"},
                                   {10, "0"},
                                   {20, "0"},
                                   {30, "0"}}) +
                              lines + Dxf({{0, "ENDBLK"}, {0, "ENDSEC"}});
    const Read r = ReadBytes(layers + blocks + EntitiesSection(lines));
    ASSERT_EQ(r.d.BlkLineAry.size(), 4u);
    ASSERT_EQ(r.d.LineAry.size(), 4u);
    const int inBlock[] = {5, 2, 2, 7}, outside[] = {1, 0, 2, 7};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(r.d.BlkLineAry[i].color, inBlock[i]) << i;
        EXPECT_EQ(r.d.BlkLineAry[i].bname, "B");
        EXPECT_EQ(r.d.LineAry[i].color, outside[i]) << i;
        EXPECT_EQ(r.d.LineAry[i].bname, "");
    }
    // The unknown layer was added once, with colour 7.
    ASSERT_EQ(r.d.LayerAry.size(), 3u);
    EXPECT_EQ(r.d.LayerAry[2].Name, "NEW");
    EXPECT_EQ(r.d.LayerAry[2].color, 7);
    EXPECT_EQ(r.d.LayerAry[2].ltype, "CONTINUOUS");
}

TEST(Reader, ManyLayersAreEachAddedOnce) {
    QByteArray body;
    for (int i = 0; i < 20000; ++i) {
        const QByteArray name = "L" + QByteArray::number(i % 10000);
        body += Dxf({{0, "LINE"}, {8, name.constData()}});
    }
    const Read r = ReadBytes(Layers({{0, "LAYER"}, {2, "L5"}, {62, "4"}}) + EntitiesSection(body));
    ASSERT_EQ(r.d.LayerAry.size(), 10000u);
    EXPECT_EQ(r.d.LayerAry[0].Name, "L5");
    EXPECT_EQ(r.d.LineAry[5].color, 4);
    EXPECT_EQ(r.d.LineAry[10005].color, 4);
    EXPECT_EQ(r.d.LineAry[19999].color, 7);
    EXPECT_EQ(r.d.LayerAry.back().Name, "L9999");
}

TEST(Reader, ALayerNamedAfterALookupIsFoundByItsNewName) {
    // A malformed file: a layer table inside the entities. The text ending at "0 LAYER" finds the
    // new, still unnamed layer; once it is named NEW, an unnamed layer is no longer there.
    const Read r = ReadBytes(Dxf({{0, "SECTION"},
                                  {2, "ENTITIES"},
                                  {0, "TABLE"},
                                  {2, "LAYER"},
                                  {0, "TEXT"},
                                  {1, "t"},
                                  {0, "LAYER"},
                                  {2, "NEW"},
                                  {62, "3"},
                                  {0, "TEXT"},
                                  {1, "u"},
                                  {0, "ENDSEC"},
                                  {0, "EOF"}}));
    ASSERT_EQ(r.d.LayerAry.size(), 2u);
    EXPECT_EQ(r.d.LayerAry[0].Name, "NEW");
    EXPECT_EQ(r.d.LayerAry[0].color, 3);
    EXPECT_EQ(r.d.LayerAry[1].Name, "");
    ASSERT_EQ(r.d.TextAry.size(), 2u);
    EXPECT_EQ(r.d.TextAry[0].color, 7);
    EXPECT_EQ(r.d.TextAry[1].color, 7);
}

TEST(Reader, LayerTableFlags) {
    const Read r = ReadBytes(Layers({{0, "LAYER"},
                                     {2, "Off"},
                                     {62, "-3"},
                                     {6, "hidden"},
                                     {0, "LAYER"},
                                     {2, "Frozen"},
                                     {70, "1"},
                                     {62, "4"},
                                     {0, "LAYER"},
                                     {2, "Locked"},
                                     {70, "4"}}) +
                             EntitiesSection(""));
    ASSERT_EQ(r.d.LayerAry.size(), 3u);
    EXPECT_EQ(r.d.LayerAry[0].color, -3);
    EXPECT_FALSE(r.d.LayerAry[0].visible);
    EXPECT_EQ(r.d.LayerAry[0].ltype, "HIDDEN");
    EXPECT_FALSE(r.d.LayerAry[1].visible);
    EXPECT_TRUE(r.d.LayerAry[2].visible);
}

TEST(Reader, PolylineVertexHeights) {
    const Read r = ReadBytes(EntitiesSection(
        Dxf({{0, "LWPOLYLINE"}, {8, "P"},      {38, "7.5"},   {70, "1"},       {10, "0"}, {20, "1"},
             {42, "0.5"},       {10, "2"},     {20, "3"},     {0, "POLYLINE"}, {8, "P"},  {66, "1"},
             {10, "0"},         {20, "0"},     {30, "99"},    {0, "VERTEX"},   {8, "P"},  {10, "4"},
             {20, "5"},         {30, "6"},     {0, "VERTEX"}, {10, "7"},       {20, "8"}, {30, "9"},
             {42, "-1"},        {0, "SEQEND"}, {0, "LINE"}})));
    ASSERT_EQ(r.d.LwpAry.size(), 2u);
    ASSERT_EQ(r.d.LwpVerAry.size(), 4u);
    EXPECT_EQ(r.d.LwpAry[0].code70, 1);
    EXPECT_EQ(r.d.LwpAry[1].ihand, 1);
    const TAcadPoint expected[] = {{0, 1, 7.5}, {2, 3, 7.5}, {4, 5, 6}, {7, 8, 9}};
    const int owners[] = {0, 0, 1, 1};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(r.d.LwpVerAry[i].code10, expected[i]) << i;
        EXPECT_EQ(r.d.LwpVerAry[i].ihand, owners[i]);
    }
    EXPECT_EQ(r.d.LwpVerAry[0].code42, 0.5);
    EXPECT_EQ(r.d.LwpVerAry[3].code42, -1);
    EXPECT_EQ(r.d.LineAry.size(), 1u);
}

TEST(Reader, AttribTakesVerticalAlignmentFrom74) {
    const Read r = ReadBytes(EntitiesSection(Dxf({{0, "ATTRIB"},
                                                  {1, "a"},
                                                  {73, "1"},
                                                  {74, "2"},
                                                  {70, "1"},
                                                  {0, "TEXT"},
                                                  {1, "t"},
                                                  {73, "1"},
                                                  {74, "2"}})));
    ASSERT_EQ(r.d.TextAry.size(), 2u);
    EXPECT_EQ(r.d.TextAry[0].code73, 2);
    EXPECT_TRUE(r.d.TextAry[0].atflag);
    EXPECT_EQ(r.d.TextAry[0].code70, 1);
    EXPECT_EQ(r.d.TextAry[1].code73, 1);
    // A text without group 8 has an empty layer, which the colour lookup adds.
    EXPECT_EQ(r.d.TextAry[1].layer, "");
    EXPECT_EQ(r.d.TextAry[1].color, 7);
}

TEST(Reader, LeaderKeepsThreeVerticesAndEndsAfterTheLast) {
    const Read r = ReadBytes(EntitiesSection(Dxf({{0, "LEADER"}, {8, "L"},
                                                  {41, "5"},     {76, "5"},
                                                  {10, "1"},     {20, "1"},
                                                  {30, "0"},     {10, "2"},
                                                  {20, "2"},     {30, "0"},
                                                  {10, "3"},     {20, "3"},
                                                  {30, "0"},     {10, "4"},
                                                  {20, "4"},     {30, "0"},
                                                  {10, "5"},     {20, "5"},
                                                  {30, "0"},     {8, "late"},
                                                  {10, "99"},    {40, "x-not-a-number"}})));
    EXPECT_EQ(r.status, "");
    ASSERT_EQ(r.d.LeaderAry.size(), 1u);
    const TLeaderBlk& l = r.d.LeaderAry[0];
    EXPECT_EQ(l.code76, 5);
    EXPECT_EQ(l.code41, 5);
    EXPECT_EQ(l.p1, (TAcadPoint{1, 1, 0}));
    EXPECT_EQ(l.p2, (TAcadPoint{2, 2, 0}));
    EXPECT_EQ(l.p3, (TAcadPoint{3, 3, 0}));
    EXPECT_EQ(l.layer, "late"); // 8 is still taken after the vertices
}

TEST(Reader, InsertsRememberTheLastBlockOpened) {
    const QByteArray blocks = Dxf({{0, "SECTION"},
                                   {2, "BLOCKS"},
                                   {0, "BLOCK"},
                                   {2, "Outer"},
                                   {10, "1"},
                                   {20, "2"},
                                   {0, "INSERT"},
                                   {2, "Inner"},
                                   {41, "2"},
                                   {0, "ENDBLK"},
                                   {0, "BLOCK"},
                                   {2, "Inner"},
                                   {0, "CIRCLE"},
                                   {40, "1"},
                                   {0, "ENDBLK"},
                                   {0, "ENDSEC"}});
    const Read r = ReadBytes(blocks + EntitiesSection(Dxf({{0, "INSERT"}, {2, "Outer"}})));
    ASSERT_EQ(r.d.BlockAry.size(), 2u);
    EXPECT_EQ(r.d.BlockAry[0].base, (TAcadPoint{1, 2, 0}));
    ASSERT_EQ(r.d.BlockAry[0].InsertAry.size(), 1u);
    EXPECT_EQ(r.d.BlockAry[0].InsertAry[0].dimBlkName, "Outer");
    EXPECT_EQ(r.d.BlockAry[0].InsertAry[0].scale, (TAcadPoint{2, 1, 1}));
    ASSERT_EQ(r.d.TopInsertAry.size(), 1u);
    EXPECT_EQ(r.d.TopInsertAry[0].dimBlkName, "Inner");
    EXPECT_EQ(r.d.BlkCircleAry.size(), 1u);
    EXPECT_EQ(r.d.BlkCircleAry[0].bname, "Inner");
}

TEST(Reader, FaceCornerCount) {
    const Read r = ReadBytes(EntitiesSection(Dxf({{0, "3DFACE"},
                                                  {10, "0"},
                                                  {11, "1"},
                                                  {12, "2"},
                                                  {13, "3"},
                                                  {33, "4"},
                                                  {0, "3DFACE"},
                                                  {10, "0"},
                                                  {11, "1"},
                                                  {12, "2"},
                                                  {32, "2"}})));
    ASSERT_EQ(r.d.FaceAry.size(), 2u);
    EXPECT_EQ(r.d.FaceAry[0].count, 4);
    EXPECT_EQ(r.d.FaceAry[0].pt[3], (TAcadPoint{3, 0, 4}));
    EXPECT_EQ(r.d.FaceAry[1].count, 3);
}

TEST(Reader, BadValuesStopTheReadWithLineNumbers) {
    const struct {
        QByteArray body;
        QString status;
    } cases[] = {
        // pairs: SECTION, ENTITIES, LINE, 8, then the failing pair is the fifth
        {Dxf({{0, "LINE"}, {8, "A"}, {10, "1,5"}}), "9:10/10:1,5"},
        {Dxf({{0, "LINE"}, {8, "A"}, {62, "abc"}}), "9:62/10:abc"},
        {Dxf({{0, "CIRCLE"}, {8, "A"}, {40, ""}}), "9:40/10:"},
        {Dxf({{0, "CIRCLE"}, {8, "A"}, {40, "nan"}}), "9:40/10:nan"},
    };
    for (const auto& c : cases) {
        const Read r = ReadBytes(EntitiesSection(c.body));
        EXPECT_EQ(r.status, c.status);
        ASSERT_EQ(r.messages.shown.size(), 1);
        const QString code = c.status.section('/', 0, 0).section(':', 1);
        EXPECT_TRUE(r.messages.shown[0].startsWith("DxfReport|t.dxf\n9 行=" + code + "\n10 行="))
            << r.messages.shown[0].toStdString();
        // What was read before the failure stays, and the default layer is there.
        EXPECT_EQ(r.d.LineAry.size() + r.d.CircleAry.size(), 1u);
        EXPECT_FALSE(r.d.LayerAry.empty());
    }
}

TEST(Reader, MissingFileGivesOnlyTheDefaultLayer) {
    TempFolder dir;
    DxfDrawing d;
    d.LineAry.resize(3);
    QString status = "x", version = "x";
    RecordedMessages m;
    ReadDxfFile(d, dir.file("none.dxf"), nullptr, &m, status, TextEncoding::Cp932, version);
    EXPECT_EQ(status, "");
    EXPECT_EQ(version, "");
    EXPECT_TRUE(d.LineAry.empty());
    ASSERT_EQ(d.LayerAry.size(), 1u);
    EXPECT_EQ(d.LayerAry[0].Name, "0");
    EXPECT_TRUE(m.shown.isEmpty());
}

TEST(Reader, ManyLinesAndTheVersion) {
    QByteArray body;
    for (int i = 0; i < 2500; ++i) body += Dxf({{0, "LINE"}, {10, "1"}, {11, "2"}});
    const Read r = ReadBytes(
        Dxf({{0, "SECTION"}, {2, "HEADER"}, {9, "$ACADVER"}, {1, "AC1015"}, {0, "ENDSEC"}}) +
        EntitiesSection(body));
    EXPECT_EQ(r.version, "AC1015");
    EXPECT_EQ(r.d.LineAry.size(), 2500u);
}

TEST(Reader, ProgressAdvancesEveryStepPairs) {
    // 1 000 000 pairs of 16 bytes: 16 000 000 bytes, step 20 313, so 49 advances.
    QByteArray bytes;
    bytes.reserve(16000000);
    const QByteArray pair = "999\ncomment 890\n";
    for (int i = 0; i < 1000000; ++i) bytes += pair;
    ASSERT_EQ(bytes.size(), 16000000);
    TempFolder dir;
    DxfDrawing d;
    Bar bar;
    QString status, version;
    ReadDxfFile(d, dir.write("big.dxf", bytes), &bar, nullptr, status, TextEncoding::Cp932,
                version);
    EXPECT_EQ(bar.max, 50);
    EXPECT_EQ(bar.advances, 49);
}

TEST(Reader, DecodesTextInTheChosenEncoding) {
    const QByteArray sjis = "\x93\xfa\x96\x7b"; // 日本 in Shift-JIS
    const QByteArray utf8 = "\xe6\x97\xa5\xe6\x9c\xac";
    const Read a = ReadBytes(EntitiesSection(
        Dxf({{0, "TEXT"}, {8, sjis.constData()}, {1, (sjis + "\\U+0041").constData()}})));
    ASSERT_EQ(a.d.TextAry.size(), 1u);
    EXPECT_EQ(a.d.TextAry[0].str, QString::fromUtf8("日本A"));
    EXPECT_EQ(a.d.TextAry[0].layer, QString::fromUtf8("日本"));
    const Read b =
        ReadBytes("\xEF\xBB\xBF" + EntitiesSection(Dxf({{0, "TEXT"}, {1, utf8.constData()}})),
                  TextEncoding::Utf8);
    ASSERT_EQ(b.d.TextAry.size(), 1u);
    EXPECT_EQ(b.d.TextAry[0].str, QString::fromUtf8("日本"));
}

TEST(Reader, ShiftJisBytesThatDoNotDecodeLeaveAMark) {
    // A lead byte cut off at the end of a value, and the control 0x7F, as Windows reads them.
    const struct {
        const char* value;
        QString text;
    } cases[] = {
        {"\x93\xfa\x82", QString::fromUtf8("日") + QChar(0xFFFD)},
        {"\x93\xfa\x7f", QString::fromUtf8("日") + QChar(0x7F)},
    };
    for (const auto& c : cases) {
        const Read r = ReadBytes(EntitiesSection(Dxf({{0, "TEXT"}, {1, c.value}})));
        ASSERT_EQ(r.d.TextAry.size(), 1u);
        EXPECT_EQ(r.d.TextAry[0].str, c.text) << c.value;
    }
}

TEST(Reader, MalformedInputNeverEscapesItsRecord) {
    const QByteArray garbage = QByteArray(5000, '\x01') + QByteArray("\x00\xff\r\r\n", 5);
    const QByteArray cases[] = {
        garbage,
        EntitiesSection(Dxf({{0, "LWPOLYLINE"}, {20, "5"}, {42, "1"}, {10, "1"}})),
        EntitiesSection(Dxf({{0, "SPLINE"}, {20, "5"}, {30, "1"}, {10, "1"}, {20, "2"}})),
        EntitiesSection(Dxf({{0, "LEADER"}, {30, "5"}, {10, "1"}, {76, "2"}, {10, "3"}})),
        EntitiesSection(Dxf({{0, "POLYLINE"}, {0, "LINE"}, {10, "1"}, {0, "VERTEX"}, {10, "2"}})),
        EntitiesSection(Dxf({{0, "POLYLINE"}, {0, "VERTEX"}, {10, "1"}, {0, "CIRCLE"}, {10, "3"}})),
        QByteArray(100000, '7') + "\nLINE\n",
        EntitiesSection(Dxf({{0, "LINE"}, {10, "1"}})).left(40),
        Dxf({{0, "SECTION"}, {2, "ENTITIES"}, {0, "LINE"}}) + "10",
    };
    for (const QByteArray& bytes : cases) {
        const Read r = ReadBytes(bytes);
        EXPECT_FALSE(r.d.LayerAry.empty());
        for (const TLwpVer& v : r.d.LwpVerAry) EXPECT_LT(size_t(v.ihand), r.d.LwpAry.size());
    }
    const Read unclosed = ReadBytes(cases[5]);
    ASSERT_EQ(unclosed.d.CircleAry.size(), 1u);
    EXPECT_EQ(unclosed.d.CircleAry[0].center.x, 3); // the vertices ended at the next record
    EXPECT_EQ(unclosed.d.LwpVerAry.size(), 1u);
}

TEST(Reader, MTextKeepsItsOwnValuesBeforeAnEmbeddedObject) {
    const Read r =
        ReadBytes(EntitiesSection(Dxf({{0, "MTEXT"}, {10, "50"},   {20, "60"},
                                       {40, "2.5"},  {11, "0"},    {21, "1"},
                                       {1, "AB"},    {50, "30"},   {101, "Embedded Object"},
                                       {70, "1"},    {10, "1"},    {20, "0"},
                                       {11, "1"},    {21, "0"},    {40, "99"},
                                       {46, "0"},    {0, "SOLID"}, {10, "0"},
                                       {20, "0"},    {11, "1"},    {21, "0"},
                                       {12, "0"},    {22, "1"},    {0, "MTEXT"},
                                       {10, "7"},    {40, "1"},    {1, "C"}})));
    ASSERT_EQ(r.d.TextAry.size(), 2u);
    const TTextBlk& t = r.d.TextAry[0];
    EXPECT_EQ(t.pt10, (TAcadPoint{50, 60, 0}));
    EXPECT_EQ(t.pt11, (TAcadPoint{0, 1, 0}));
    EXPECT_EQ(t.code40, 2.5);
    EXPECT_EQ(t.code50, 30);
    // The next record reads as usual; a SOLID without a fourth corner is a triangle.
    EXPECT_EQ(r.d.TextAry[1].pt10, (TAcadPoint{7, 0, 0}));
    ASSERT_EQ(r.d.SolidAry.size(), 1u);
    EXPECT_EQ(r.d.SolidAry[0].p4, r.d.SolidAry[0].p3);
}

TEST(Reader, TwoHalvesReadTheDrawingOfOneReader) {
    QByteArray firstHalf;
    for (int i = 0; i < 200; ++i)
        firstHalf += DxfOf("0 LWPOLYLINE 8 A 90 2 10 0 20 0 42 0.5 10 1 20 1 "
                           "0 POLYLINE 8 B 0 VERTEX 10 1 20 2 0 VERTEX 10 3 20 4 0 SEQEND "
                           "0 LINE 8 NEW1 10 0 20 0 11 5 21 2 0 TEXT 8 0 1 x");
    const QByteArray lines = DxfOf("0 LINE 8 NEW2 10 0 20 0 11 1 21 1 0 LWPOLYLINE 10 5 20 5");
    const struct {
        const char* what;
        QByteArray secondHalf, after;
    } cases[] = {
        {"the halves meet", firstHalf + lines, {}},
        // The only entity start past the middle lies inside a text whose value is "0": the first
        // half cannot end there, and reads on alone.
        {"a text reading 0", DxfOf("0 TEXT 1 0 LINE 5 0 SOLID 10 1 20 1"), {}},
        {"a bad value", firstHalf + DxfOf("0 LINE 10 x"), {}},
        {"a table after the entities", firstHalf + lines,
         DxfOf("0 SECTION 2 TABLES 0 TABLE 2 LAYER 0 LAYER 2 NEW2 62 3 0 ENDTAB 0 ENDSEC")},
        // Enough records that the halves are joined on two threads.
        {"many records", firstHalf.repeated(40), {}},
    };
    DxfDrawing reused;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TempFolder dir;
        const QString path =
            dir.write("t.dxf", EntitiesSection(firstHalf + c.secondHalf) + c.after);
        test::ReadAloneAndInHalves(path, TextEncoding::Cp932, reused);
    }
}
