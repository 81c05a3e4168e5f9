#include "dxf/reader.h"
#include "dxf/text_decoding.h"
#include "support/temp_files.h"

#include <QFile>
#include <gtest/gtest.h>

using namespace quillon;
using quillon::test::TempFolder;

TEST(UnicodeEscapes, DecodesAsTheDrawingStoresThem) {
    const struct {
        const char* in;
        QString out;
    } cases[] = {
        {"\\U+30A2\\U+30A4", QString::fromUtf8("アイ")},
        {"x\\U+00b0y", QString::fromUtf8("x°y")},
        {"end\\U+", QStringLiteral("end") + QChar(0)},
        {"\\u+30A2", QStringLiteral("\\u+30A2")},
        {"bad\\U+12G4", QStringLiteral("bad") + QChar(0)},
        {"\\U+005CU+0041", QStringLiteral("A")}, // a decoded backslash forms a new escape
    };
    for (const auto& c : cases) {
        RecordArray<TTextBlk> texts(1);
        texts[0].str = QString::fromUtf8(c.in);
        DecodeUnicodeEscapes(texts);
        EXPECT_EQ(texts[0].str, c.out) << c.in;
    }
}

TEST(MTextCodes, StripsFormattingAndKeepsText) {
    const struct {
        const char* in;
        const char* out;
    } cases[] = {
        {"{\\fArial|b0|i0|c128|p34;Hello}", "Hello"},
        {"\\H2.5;Big", "Big"},
        {"\\S1/2;", "1/2;"},
        {"A\\\\B", "A\\B"},
        {"}x", "}x"},
        {"\\C1;red \\Ooverline\\o", "red overline"},
        {"a\\{b\\}", "ab}"},
        {"\\Pkeep", "\\Pkeep"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(StripMTextCodes(QString::fromUtf8(c.in)), QString::fromUtf8(c.out)) << c.in;
}

TEST(MTextLines, SplitsAtParagraphBreaks) {
    const struct {
        const char* in;
        QStringList lines;
    } cases[] = {
        {"A\\PB", {"A", "B"}},
        {"A^JB", {"A", "B"}},
        {"A\\P", {"A"}},
        {"A\\P}", {"A"}},
        {"", {}},
        {"\"quoted\"\\Pnext", {"\"quoted\"", "next"}},
        {" a \\p b ", {" a ", " b "}},
    };
    for (const auto& c : cases) {
        QStringList lines;
        EXPECT_EQ(SplitMTextLines(QString::fromUtf8(c.in), lines), c.lines.size()) << c.in;
        EXPECT_EQ(lines, c.lines) << c.in;
    }
}

TEST(FileHead, TellsTextDxfFromOtherFiles) {
    TempFolder dir;
    const struct {
        QByteArray bytes;
        QString head;
        bool rejected;
    } cases[] = {
        {QByteArray("AC1032\0\0\0\0more", 14), "AC1032", true},
        {"  0\r\nSECTION\r\n", "  0\r\nS", false},
        {"AutoCAD Binary DXF\r\n\x1a", "AutoCA", true},
        {"12345", "", false},
        {QByteArray("AC\0\0\0\0\0", 7), "AC", false},
    };
    int i = 0;
    for (const auto& c : cases) {
        const QString p = dir.write(QString("f%1.dxf").arg(i++), c.bytes);
        QString head = "junk";
        EXPECT_TRUE(PeekFileHead(p, head));
        EXPECT_EQ(head, c.head);
        EXPECT_EQ(HeadRejectsDxf(head), c.rejected) << head.toStdString();
    }
    QString head = "junk";
    EXPECT_TRUE(PeekFileHead(dir.file("missing.dxf"), head));
    EXPECT_TRUE(head.isEmpty());
}

TEST(VersionScan, FindsAcadVerOrStops) {
    TempFolder dir;
    using quillon::test::Dxf;
    const struct {
        QByteArray bytes;
        QString version;
    } cases[] = {
        {Dxf({{0, "SECTION"}, {2, "HEADER"}, {9, "$ACADVER"}, {1, "AC1015"}, {0, "ENDSEC"}}),
         "AC1015"},
        {Dxf({{0, "SECTION"}, {2, "ENTITIES"}, {9, "$ACADVER"}, {1, "AC1015"}}), ""},
        {Dxf({{0, "SECTION"}, {2, "HEADER"}, {9, "$ACADVER"}, {3, "AC1015"}}), ""},
        {"  0\r\nSECTION\r\n  2\r\nHEADER\r\n  9\r\n$ACADVER\r\n  1\r\nAC1027\r\n", "AC1027"},
        {"x\n$ACADVER\n1\nAC1015\n", ""},
    };
    int i = 0;
    for (const auto& c : cases) {
        QString version = "junk";
        EXPECT_TRUE(ScanAcadVer(dir.write(QString("v%1.dxf").arg(i++), c.bytes), version));
        EXPECT_EQ(version, c.version);
    }
}

TEST(AcadVerScan, AReadErrorEndsTheScan) {
    // A file of 4096 bytes whose every read fails (EINVAL): the scan must end, not wait for
    // the end of the file.
    const QString failing = QStringLiteral("/sys/class/net/lo/speed");
    QFile probe(failing);
    if (!probe.open(QIODevice::ReadOnly) || probe.size() == 0 || !probe.read(1).isEmpty())
        GTEST_SKIP() << "no file here whose reads fail";
    QString version = "junk";
    EXPECT_FALSE(ScanAcadVer(failing, version));
    EXPECT_EQ(version, "");
}

TEST(EncodingChoice, OlderVersionsUseShiftJis) {
    const struct {
        const char* version;
        TextEncoding encoding;
    } cases[] = {{"", TextEncoding::Cp932},       {"AC1015", TextEncoding::Cp932},
                 {"AC1018", TextEncoding::Cp932}, {"AC102", TextEncoding::Cp932},
                 {"AC1021", TextEncoding::Utf8},  {"AC1024", TextEncoding::Utf8},
                 {"AC1032", TextEncoding::Utf8}};
    for (const auto& c : cases) EXPECT_EQ(ChooseEncoding(c.version), c.encoding) << c.version;
}

TEST(EncodingChoice, TheHeadersAnsiPageBeforeUtf8) {
    TempFolder dir;
    const struct {
        const char* version;
        const char* page; // none: no $DWGCODEPAGE
        QByteArray text;
        QString decoded;
    } cases[] = {
        {"AC1015", "ANSI_1252", "45\xB0 \xD8 20 \xB1", u"45° Ø 20 ±"_qs},
        {"AC1018", "ansi_1251", "\xC4\xE0", u"Да"_qs},
        {"AC1015", "ANSI_1250", "\x8A\xE8", u"Šč"_qs},
        {"AC1015", "ANSI_932", "\x8B\xE0", u"金"_qs},
        {"AC1015", nullptr, "\x8B\xE0", u"金"_qs},
        {"AC1015", "ANSI_1259", "\x8B\xE0", u"金"_qs},
        {"AC1021", "ANSI_1252", "\xC2\xB0", u"°"_qs},
    };
    int i = 0;
    for (const auto& c : cases) {
        QByteArray header =
            "0\nSECTION\n2\nHEADER\n9\n$ACADVER\n1\n" + QByteArray(c.version) + '\n';
        if (c.page) header += "9\n$DWGCODEPAGE\n3\n" + QByteArray(c.page) + '\n';
        const QString file = dir.write(QString("p%1.dxf").arg(i++),
                                       header + "0\nENDSEC\n0\nSECTION\n2\nENTITIES\n0\nTEXT\n1\n" +
                                           c.text + "\n0\nENDSEC\n0\nEOF\n");
        QString version, page, status, acadVer;
        ASSERT_TRUE(ScanAcadVer(file, version, &page));
        DxfDrawing d;
        ReadDxfFile(d, file, nullptr, nullptr, status, ChooseEncoding(version, page), acadVer);
        ASSERT_EQ(d.TextAry.size(), 1u) << c.page;
        EXPECT_EQ(d.TextAry[0].str, c.decoded) << c.page;
    }
}

TEST(TextDecoding, MTextHardSpaceIsASpace) {
    EXPECT_EQ(StripMTextCodes("AB\\~CD"), "AB CD");
    EXPECT_EQ(StripMTextCodes("{\\fArial;A\\~B}"), "A B");
}
