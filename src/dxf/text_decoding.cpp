#include "dxf/text_decoding.h"

#include "dxf/code_page.h"

#include <QFile>
#include <QFileInfo>
#include <charconv>

namespace quillon {

const char* EncodingName(TextEncoding e) {
    static const char* const names[] = {"cp932",  "utf-8",  "cp1250", "cp1251", "cp1252", "cp1253",
                                        "cp1254", "cp1255", "cp1256", "cp1257", "cp1258"};
    return names[int(e)];
}

unsigned CodePageOf(TextEncoding e) {
    return e == TextEncoding::Cp932 ? kCodePageJapanese
                                    : 1250 + unsigned(int(e) - int(TextEncoding::Cp1250));
}

QString FromCodePage(std::string_view bytes, unsigned codePage) {
    const std::u16string text = DecodeCodePage(bytes, codePage);
    return QString(reinterpret_cast<const QChar*>(text.data()), qsizetype(text.size()));
}

QByteArray ToCodePage(const QString& text, unsigned codePage) {
    const std::string bytes = EncodeCodePage(
        std::u16string_view(reinterpret_cast<const char16_t*>(text.utf16()), size_t(text.size())),
        codePage);
    return QByteArray(bytes.data(), qsizetype(bytes.size()));
}

TextEncoding ChooseEncoding(const QString& acadVer, const QString& dwgCodePage) {
    // Ordinal comparison: an empty or shorter prefix version is smaller.
    if (acadVer >= QStringLiteral("AC1021")) return TextEncoding::Utf8;
    const QString page = dwgCodePage.trimmed().toUpper();
    if (page.size() == 9 && page.startsWith(QLatin1String("ANSI_125")) && page[8] >= u'0' &&
        page[8] <= u'8')
        return TextEncoding(int(TextEncoding::Cp1250) + (page[8].unicode() - u'0'));
    return TextEncoding::Cp932;
}

bool PeekFileHead(const QString& fileName, QString& head) {
    head.clear();
    if (!QFileInfo::exists(fileName)) return true;
    QFile f(fileName);
    if (!f.open(QIODevice::ReadOnly)) return false;
    char buf[7] = {};
    const qint64 n = f.read(buf, 7);
    if (n < 0) return false;
    buf[6] = 0;
    if (n > 5) head = QString::fromLatin1(buf, int(qstrnlen(buf, 6)));
    return true;
}

bool HeadRejectsDxf(const QString& head) {
    return (head.size() == 6 && head.startsWith(QLatin1String("AC1"))) ||
           head.contains(QLatin1String("Auto"));
}

QString TrimText(const QString& s) {
    qsizetype b = 0, e = s.size();
    while (b < e && s[b].unicode() <= ' ') ++b;
    while (e > b && s[e - 1].unicode() <= ' ') --e;
    return s.mid(b, e - b);
}

namespace {

// Reads the next line of a byte buffer; lines end at CR LF, a lone CR or a lone LF.
bool NextLine(std::string_view data, size_t& pos, std::string_view& line) {
    if (pos >= data.size()) return false;
    size_t e = pos;
    while (e < data.size() && data[e] != '\n' && data[e] != '\r') ++e;
    line = data.substr(pos, e - pos);
    pos = e;
    if (pos < data.size() && data[pos] == '\r')
        ++pos;
    else if (pos < data.size())
        ++pos; // a lone LF
    if (pos < data.size() && data[pos] == '\n' && data[pos - 1] == '\r') ++pos;
    return true;
}

bool ParseCode(std::string_view s, int& code) {
    const char* b = s.data();
    const char* e = b + s.size();
    if (b != e && *b == '+') ++b;
    auto r = std::from_chars(b, e, code);
    return r.ec == std::errc() && r.ptr == e && b != e;
}

int HexValue(QChar d) {
    const char16_t u = d.unicode();
    if (u >= '0' && u <= '9') return u - '0';
    if (u >= 'a' && u <= 'f') return u - 'a' + 10;
    if (u >= 'A' && u <= 'F') return u - 'A' + 10;
    return -1;
}

} // namespace

bool ScanAcadVer(const QString& fileName, QString& version, QString* dwgCodePage) {
    version.clear();
    if (dwgCodePage) dwgCodePage->clear();
    if (!QFileInfo::exists(fileName)) return true;
    QFile f(fileName);
    if (!f.open(QIODevice::ReadOnly)) return false;
    // The version lies in the first lines of the header; the scan stops at BLOCKS or ENTITIES.
    bool header = false, failed = false;
    QByteArray chunk;
    size_t pos = 0;
    auto nextPair = [&](std::string_view& code, std::string_view& value) -> bool {
        for (;;) {
            std::string_view data(chunk.constData(), size_t(chunk.size()));
            size_t p = pos;
            std::string_view a, b;
            bool complete =
                NextLine(data, p, a) && p < data.size() && NextLine(data, p, b) && p < data.size();
            if (complete || failed || f.atEnd()) {
                if (!complete) {
                    p = pos;
                    if (!NextLine(data, p, a)) return false;
                    if (!NextLine(data, p, b)) b = {};
                }
                code = TrimBytes(a);
                value = TrimBytes(b);
                pos = p;
                return true;
            }
            chunk.remove(0, qsizetype(pos));
            pos = 0;
            const QByteArray more = f.read(1 << 16);
            failed = more.isEmpty() && !f.atEnd(); // a read error: nothing read, yet not at the end
            chunk.append(more);
        }
    };
    std::string_view code, value;
    // The variable's value, when the pair after its name has the variable's group code.
    const auto variable = [&](QString& into, int group) {
        int c;
        if (nextPair(code, value) && ParseCode(code, c) && c == group)
            into = QString::fromLatin1(value.data(), qsizetype(value.size()));
    };
    bool versionSeen = false;
    while (nextPair(code, value)) {
        int c;
        if (!ParseCode(code, c)) break;
        if (header && c == 9 && value == "$ACADVER") {
            variable(version, 1);
            versionSeen = true;
            if (!dwgCodePage || !dwgCodePage->isEmpty()) break;
            continue;
        }
        if (header && c == 9 && dwgCodePage && value == "$DWGCODEPAGE") {
            variable(*dwgCodePage, 3);
            if (versionSeen) break;
            continue;
        }
        if (header && c == 0 && value == "ENDSEC") break;
        if (c == 2) {
            if (value == "HEADER")
                header = true;
            else if (value == "ENTITIES" || value == "BLOCKS")
                break;
        }
    }
    return !failed;
}

QString DecodeUnicodeEscapesIn(const QString& in) {
    static const QString marker = QStringLiteral("\\U+");
    QString s = in;
    for (qsizetype at = s.indexOf(marker); at >= 0; at = s.indexOf(marker)) {
        const QString code = s.mid(at, 7);
        const QString digits = code.mid(3);
        char16_t v = 0;
        bool ok = !digits.isEmpty();
        for (QChar d : digits) {
            const int h = HexValue(d);
            ok = ok && h >= 0;
            v = char16_t(v * 16 + (h < 0 ? 0 : h));
        }
        const QChar c = ok ? QChar(v) : QChar(0);
        s.replace(code, QString(c));
    }
    return s;
}

void DecodeUnicodeEscapes(RecordArray<TTextBlk>& texts) {
    for (TTextBlk& t : texts)
        if (t.str.contains(QLatin1String("\\U+"))) t.str = DecodeUnicodeEscapesIn(t.str);
}

QString StripMTextCodes(const QString& t) {
    QString s;
    s.reserve(t.size());
    for (qsizetype i = 0; i < t.size(); ++i) {
        const QChar c = t[i];
        if (i > 0 && (c == u'{' || c == u'}') && t[i - 1] != u'\\') continue;
        s += c;
    }
    s.replace(QLatin1String("\\{"), QLatin1String("{"));
    s.replace(QLatin1String("\\}"), QLatin1String("}"));
    s.replace(QLatin1String("\\~"), QLatin1String(" ")); // a non-breaking space
    for (const char* code : {"\\O", "\\o", "\\L", "\\l", "\\S", "\\s", "^ ", "^I"})
        s.remove(QLatin1String(code));
    static const QString codeLetters = QStringLiteral("ACFHQTWacfhqtw");
    QString out;
    out.reserve(s.size());
    for (qsizetype i = 0; i < s.size();) {
        if (s[i] == u'\\' && i + 1 < s.size() && codeLetters.contains(s[i + 1])) {
            const qsizetype semi = s.indexOf(u';', i + 2);
            i = semi < 0 ? s.size() : semi + 1;
            continue;
        }
        out += s[i++];
    }
    out.replace(QLatin1String("\\\\"), QLatin1String("\\"));
    out.remove(u'{');
    return out;
}

int SplitMTextLines(const QString& t, QStringList& lines) {
    QString s = t;
    s.replace(QLatin1String("^J"), QLatin1String("\r"));
    s.replace(QLatin1String("\\P"), QLatin1String("\r"));
    s.replace(QLatin1String("\\p"), QLatin1String("\r"));
    lines.clear();
    if (!s.isEmpty()) lines = s.split(u'\r');
    if (!lines.isEmpty() && TrimText(lines.last()).isEmpty()) lines.removeLast();
    for (qsizetype i = lines.size() - 1; i >= 0; --i)
        if (TrimText(lines[i]) == QLatin1String("}")) lines.removeAt(i);
    return int(lines.size());
}

} // namespace quillon
