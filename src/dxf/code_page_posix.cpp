// Code pages through glibc's iconv, made to agree with Microsoft's tables where glibc's differ:
// - the ANSI pages are single-byte tables, read from iconv a byte at a time, so that Hebrew and
//   Vietnamese marks are not composed with the letter before them (Windows never composes), and
//   a byte that glibc leaves without a character and Microsoft maps to the C1 control of the same
//   number (0x81 in 1252) is that control, as is 0xCA of 1255 (U+05BA); a character is encoded only
//   by the byte that decodes to it (no best fit);
// - glibc's "CP932" is Microsoft's table (the NEC row 13, the NEC selection of IBM extensions and
//   the IBM extensions, 0x8160 as U+FF5E), but for the lone byte 0x80 (U+0080 for Microsoft) and
//   for best-fit encodings of its own (U+00A5 as 0x5C): a character is encoded only when its
//   bytes decode back to it, as Windows does without best fit.
#include "dxf/code_page.h"

#include <array>
#include <bit>
#include <cerrno>
#include <cstring>
#include <iconv.h>
#include <map>
#include <utility>

namespace quillon {

namespace {

const char* const kUtf16 = std::endian::native == std::endian::little ? "UTF-16LE" : "UTF-16BE";
constexpr char16_t kReplacement = u'\uFFFD';
constexpr char16_t kLoneC1 = 0x80; // the byte 0x80 of page 932

// One iconv descriptor per direction and page, opened once per thread, reset for each use.
iconv_t Converter(unsigned codePage, bool decode) {
    struct Descriptors {
        std::map<std::pair<unsigned, bool>, iconv_t> open;
        ~Descriptors() {
            for (auto& [key, cd] : open)
                if (cd != iconv_t(-1)) iconv_close(cd);
        }
    };
    thread_local Descriptors descriptors;
    auto [it, added] = descriptors.open.try_emplace({codePage, decode}, iconv_t(-1));
    if (added) {
        const char* name = codePage == kCodePageJapanese ? "CP932"
                           : codePage == kCodePageUtf8   ? "UTF-8"
                                                         : nullptr;
        const std::string ansi = "CP" + std::to_string(codePage);
        if (!name) name = ansi.c_str();
        it->second = decode ? iconv_open(kUtf16, name) : iconv_open(name, kUtf16);
    }
    if (it->second != iconv_t(-1)) iconv(it->second, nullptr, nullptr, nullptr, nullptr);
    return it->second;
}

// Converts in to out, which has room for the whole result, and ends the output (a converter may
// hold back a character until it knows the next); false when iconv stops at a sequence it cannot
// convert (in then begins with it).
bool Convert(iconv_t cd, std::string_view& in, char*& out, size_t& room) {
    char* from = const_cast<char*>(in.data());
    size_t left = in.size();
    const bool done = iconv(cd, &from, &left, &out, &room) != size_t(-1);
    in = in.substr(in.size() - left);
    return done && iconv(cd, nullptr, nullptr, &out, &room) != size_t(-1);
}

// Decodes with iconv; a sequence that does not convert gives a replacement and the next byte
// starts afresh.
std::u16string DecodeMultiByte(std::string_view bytes, iconv_t cd, unsigned codePage) {
    std::u16string text(bytes.size(), u'\0'); // no page gives more units than bytes
    char* out = reinterpret_cast<char*>(text.data());
    size_t room = text.size() * sizeof(char16_t);
    while (!Convert(cd, bytes, out, room) && !bytes.empty() && room >= sizeof(char16_t)) {
        const bool c1 = codePage == kCodePageJapanese && bytes[0] == '\x80';
        const char16_t unit = c1 ? kLoneC1 : kReplacement;
        std::memcpy(out, &unit, sizeof unit);
        out += sizeof unit;
        room -= sizeof unit;
        bytes.remove_prefix(1);
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
    text.resize(text.size() - room / sizeof(char16_t));
    return text;
}

// Encodes a character (one unit or a surrogate pair) with iconv; false when the page cannot
// hold it or its bytes do not decode back to it.
bool EncodeMultiByte(std::u16string_view unit, unsigned codePage, std::string& bytes) {
    if (codePage == kCodePageJapanese && unit.size() == 1 && unit[0] == kLoneC1) {
        bytes += '\x80';
        return true;
    }
    char encoded[8];
    char* out = encoded;
    size_t room = sizeof encoded;
    std::string_view in(reinterpret_cast<const char*>(unit.data()), unit.size() * 2);
    const iconv_t encode = Converter(codePage, false);
    if (encode == iconv_t(-1) || !Convert(encode, in, out, room)) return false;
    const std::string_view result(encoded, size_t(out - encoded));
    if (codePage != kCodePageUtf8 &&
        DecodeMultiByte(result, Converter(codePage, true), codePage) != unit)
        return false;
    bytes += result;
    return true;
}

// The character of every byte of an ANSI page.
using ByteTable = std::array<char16_t, 256>;

const ByteTable& AnsiTable(unsigned codePage) {
    thread_local std::map<unsigned, ByteTable> tables;
    auto [it, added] = tables.try_emplace(codePage);
    if (added) {
        const iconv_t cd = Converter(codePage, true);
        for (unsigned b = 0; b < 256; ++b) {
            const char byte = char(b);
            char16_t unit = kReplacement;
            char* out = reinterpret_cast<char*>(&unit);
            size_t room = sizeof unit;
            std::string_view in(&byte, 1);
            if (cd == iconv_t(-1) || !Convert(cd, in, out, room) || room != 0)
                unit = b >= 0x80 && b <= 0x9F          ? char16_t(b)
                       : codePage == 1255 && b == 0xCA ? u'\u05BA' // added by Microsoft
                                                       : kReplacement;
            it->second[b] = unit;
        }
    }
    return it->second;
}

bool IsAnsiPage(unsigned codePage) {
    return codePage >= 1250 && codePage <= 1258;
}

} // namespace

std::u16string DecodeCodePage(std::string_view bytes, unsigned codePage) {
    if (!IsSupportedCodePage(codePage)) return std::u16string(bytes.size(), kReplacement);
    if (IsAnsiPage(codePage)) {
        const ByteTable& table = AnsiTable(codePage);
        std::u16string text(bytes.size(), u'\0');
        for (size_t i = 0; i < bytes.size(); ++i)
            text[i] = table[static_cast<unsigned char>(bytes[i])];
        return text;
    }
    const iconv_t cd = Converter(codePage, true);
    if (cd == iconv_t(-1)) return std::u16string(bytes.size(), kReplacement);
    return DecodeMultiByte(bytes, cd, codePage);
}

std::string EncodeCodePage(std::u16string_view text, unsigned codePage) {
    const bool supported = IsSupportedCodePage(codePage);
    const ByteTable* table = supported && IsAnsiPage(codePage) ? &AnsiTable(codePage) : nullptr;
    std::string bytes;
    for (size_t i = 0; i < text.size();) {
        const bool pair =
            i + 1 < text.size() && (text[i] & 0xFC00) == 0xD800 && (text[i + 1] & 0xFC00) == 0xDC00;
        const std::u16string_view unit = text.substr(i, pair ? 2 : 1);
        i += unit.size();
        bool ok = false;
        if (table) {
            for (unsigned b = 0; b < 256 && !ok; ++b)
                if ((ok = !pair && (*table)[b] == unit[0] && unit[0] != kReplacement))
                    bytes += char(b);
        } else {
            ok = supported && EncodeMultiByte(unit, codePage, bytes);
        }
        if (!ok) bytes += '?';
    }
    return bytes;
}

unsigned SystemCodePage() {
    return kCodePageUtf8;
}

} // namespace quillon
