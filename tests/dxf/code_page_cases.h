// Texts in code pages as Microsoft's tables have them, shared by the tests of the POSIX and the
// Windows code-page layers (standard C++ only).
#pragma once

#include <string_view>

namespace quillon {

struct CodePageCase {
    const char* what;
    unsigned page;
    std::string_view bytes;
    std::u16string_view text;
    bool roundTrip; // the text encodes back to the same bytes
};

inline constexpr CodePageCase kDecodeCases[] = {
    {"kanji", 932, "\x93\xFA\x96\x7B", u"\u65E5\u672C", true},
    {"NEC row 13", 932, "\x87\x40\x87\x54", u"\u2460\u2160", true},
    {"NEC row 13, also in JIS X 0208", 932, "\x87\x90", u"\u2252", false},
    {"IBM extension", 932, "\xFA\x40\xFA\x55", u"\u2170\uFFE4", true},
    {"NEC selection of IBM extensions", 932, "\xED\x40", u"\u7E8A", false},
    {"wave dash and minus as Microsoft has them", 932, "\x81\x60\x81\x7C", u"\uFF5E\uFF0D", true},
    {"yen, reverse solidus, cent, pound, not", 932, "\x5C\x81\x5F\x81\x91\x81\x92\x81\xCA",
     u"\\\uFF3C\uFFE0\uFFE1\uFFE2", true},
    {"overline stays a tilde", 932, "~", u"~", true},
    {"half-width katakana", 932, "\xB1\xB2\xDF", u"\uFF71\uFF72\uFF9F", true},
    {"user-defined area", 932, "\xF0\x40", u"\uE000", true},
    {"unassigned pair: the trail byte stands alone", 932, "\x85\x40", u"\uFFFD@", false},
    {"lead byte before a byte that cannot end it", 932, "\x81 A", u"\uFFFD A", false},
    {"lead byte at the end", 932, "A\x82", u"A\uFFFD", false},
    {"1252", 1252, "45\xB0 \xD8 20 \xB1 \x80", u"45\u00B0 \u00D8 20 \u00B1 \u20AC", true},
    {"1251 Cyrillic", 1251, "\xCF\xF0\xE8\xE2\xE5\xF2", u"\u041F\u0440\u0438\u0432\u0435\u0442",
     true},
    {"1253 Greek", 1253, "\xC3\xE5\xE9\xDC", u"\u0393\u03B5\u03B9\u03AC", true},
    {"1250 Central European", 1250, "\x8A\xE8\xF8", u"\u0160\u010D\u0159", true},
    {"UTF-8", 65001, "\xE6\x97\xA5\xF0\x9F\x98\x80", u"\u65E5\U0001F600", true},
    {"UTF-8 cut short", 65001, "\xE6\x97", u"\uFFFD\uFFFD", false},
    {"a page not supported", 437, "A\x80", u"\uFFFD\uFFFD", false},
};

inline constexpr struct EncodeCase {
    const char* what;
    unsigned page;
    std::u16string_view text;
    std::string_view bytes;
} kEncodeCases[] = {
    {"no best fit for the yen sign or the wave dash", 932, u"\u00A5\u301C\u2212", "???"},
    {"JIS X 0208 before the NEC row", 932, u"\u2252\u2261", "\x81\xE0\x81\xDF"},
    {"IBM extension before the NEC selection", 932, u"\u7E8A", "\xFA\x5C"},
    {"not in the page", 1252, u"A\u65E5B", "A?B"},
    {"a lone surrogate", 932,
     u"\xD800"
     "A",
     "?A"},
    {"a character beyond the BMP", 932, u"\U0001F600", "?"},
};

} // namespace quillon
