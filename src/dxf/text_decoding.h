// Recognising a text DXF, choosing its text encoding, and decoding the text codes of DXF strings.
#pragma once

#include "dxf/model.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <string_view>

namespace quillon {

// Cp1250 to Cp1258 are consecutive: the ANSI pages a header's $DWGCODEPAGE may name.
enum class TextEncoding {
    Cp932,
    Utf8,
    Cp1250,
    Cp1251,
    Cp1252,
    Cp1253,
    Cp1254,
    Cp1255,
    Cp1256,
    Cp1257,
    Cp1258
};

// "cp932", "utf-8", "cp1252" and so on, as reported to users.
const char* EncodingName(TextEncoding e);
// The Windows code page of an encoding other than UTF-8.
unsigned CodePageOf(TextEncoding e);

// Text in a Windows code page (dxf/code_page.h), decoded and encoded with its rules.
QString FromCodePage(std::string_view bytes, unsigned codePage);
QByteArray ToCodePage(const QString& text, unsigned codePage);

// Files before AutoCAD 2007 (AC1021) store text in the writer's code page: the ANSI page the
// header's $DWGCODEPAGE names (ANSI_1250 to ANSI_1258), else Shift-JIS, which Japanese files
// need whatever page they name.
TextEncoding ChooseEncoding(const QString& acadVer, const QString& dwgCodePage = {});

// Head receives up to the first six bytes of the file (up to the first zero byte) when more than
// five could be read. False only when an existing file cannot be opened.
bool PeekFileHead(const QString& fileName, QString& head);

// True when the head marks a file that is not a text DXF (a DWG signature or a binary DXF).
bool HeadRejectsDxf(const QString& head);

// Version receives the value of $ACADVER when the HEADER section has it, and dwgCodePage, when
// asked for, that of $DWGCODEPAGE. False when the file cannot be opened or a read fails.
bool ScanAcadVer(const QString& fileName, QString& version, QString* dwgCodePage = nullptr);

// Replaces every \U+XXXX escape by its character, in the str of every record.
void DecodeUnicodeEscapes(RecordArray<TTextBlk>& texts);
QString DecodeUnicodeEscapesIn(const QString& s);

QString StripMTextCodes(const QString& t);

// Splits an MTEXT text at its paragraph breaks into lines; returns the number of lines.
int SplitMTextLines(const QString& t, QStringList& lines);

// Removes characters up to and including the space at both ends (the DXF notion of trimming).
inline std::string_view TrimBytes(std::string_view s) {
    size_t b = 0, e = s.size();
    while (b < e && static_cast<unsigned char>(s[b]) <= ' ') ++b;
    while (e > b && static_cast<unsigned char>(s[e - 1]) <= ' ') --e;
    return s.substr(b, e - b);
}
QString TrimText(const QString& s);

} // namespace quillon
