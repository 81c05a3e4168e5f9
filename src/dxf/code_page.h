// Text in a Windows code page, the same on every platform: 932 (Japanese: Microsoft's Shift-JIS
// with the NEC and IBM extensions), the ANSI pages 1250 to 1258 and 65001 (UTF-8). Microsoft's
// tables are the reference; Windows converts with its own, other systems with iconv.
// Standard C++ only, so that the Windows layer can be built and tested without Qt.
#pragma once

#include <string>
#include <string_view>

namespace quillon {

constexpr unsigned kCodePageJapanese = 932;
constexpr unsigned kCodePageUtf8 = 65001;

inline bool IsSupportedCodePage(unsigned codePage) {
    return codePage == kCodePageJapanese || (codePage >= 1250 && codePage <= 1258) ||
           codePage == kCodePageUtf8;
}

// A byte that does not begin a character of the page (an unassigned byte, a lead byte whose next
// byte cannot end it, a lead byte at the end) becomes U+FFFD, and decoding goes on at the next
// byte. The result never has more UTF-16 units than there are bytes. A page that is not
// supported gives U+FFFD for every byte.
std::u16string DecodeCodePage(std::string_view bytes, unsigned codePage);

// A character the page cannot hold (one whose bytes would not decode back to it: no best-fit
// substitutes) becomes "?", as does a lone surrogate. The result never has more than three bytes
// per UTF-16 unit. A page that is not supported gives "?" for every character.
std::string EncodeCodePage(std::u16string_view text, unsigned codePage);

// The code page of the system's "ANSI" texts: the ANSI code page on Windows, UTF-8 elsewhere.
unsigned SystemCodePage();

} // namespace quillon
