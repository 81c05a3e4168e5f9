// Code pages through Windows' own tables. The strict flags (MB_ERR_INVALID_CHARS,
// WC_NO_BEST_FIT_CHARS) find what does not convert; only then is the text converted a character
// at a time, to put the replacement exactly where it belongs.
#include "dxf/code_page.h"

#include <windows.h>

namespace quillon {

namespace {

// Decodes all of bytes, or returns false when any of them does not decode.
bool DecodeWhole(std::string_view bytes, unsigned codePage, std::u16string& text) {
    const int n = MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, bytes.data(),
                                      int(bytes.size()), nullptr, 0);
    if (n <= 0) return false;
    const size_t at = text.size();
    text.resize(at + size_t(n));
    MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, bytes.data(), int(bytes.size()),
                        reinterpret_cast<wchar_t*>(text.data() + at), n);
    return true;
}

// Encodes all of text, or returns false when any of it has no bytes of its own in the page.
bool EncodeWhole(std::u16string_view text, unsigned codePage, std::string& bytes) {
    const auto* units = reinterpret_cast<const wchar_t*>(text.data());
    const bool utf8 = codePage == kCodePageUtf8; // takes neither a default nor best-fit flags
    const DWORD flags = utf8 ? WC_ERR_INVALID_CHARS : WC_NO_BEST_FIT_CHARS;
    BOOL usedDefault = FALSE;
    BOOL* used = utf8 ? nullptr : &usedDefault;
    const int n =
        WideCharToMultiByte(codePage, flags, units, int(text.size()), nullptr, 0, nullptr, used);
    if (n <= 0 || usedDefault) return false;
    const size_t at = bytes.size();
    bytes.resize(at + size_t(n));
    WideCharToMultiByte(codePage, flags, units, int(text.size()), bytes.data() + at, n, nullptr,
                        used);
    return true;
}

} // namespace

std::u16string DecodeCodePage(std::string_view bytes, unsigned codePage) {
    std::u16string text;
    CPINFO info;
    if (!IsSupportedCodePage(codePage) || !GetCPInfo(codePage, &info))
        return std::u16string(bytes.size(), u'\uFFFD');
    if (bytes.empty() || DecodeWhole(bytes, codePage, text)) return text;
    for (size_t i = 0; i < bytes.size();) {
        size_t length = 1;
        while (length <= info.MaxCharSize && i + length <= bytes.size() &&
               !DecodeWhole(bytes.substr(i, length), codePage, text))
            ++length;
        if (length > info.MaxCharSize || i + length > bytes.size()) {
            text += u'\uFFFD';
            length = 1;
        }
        i += length;
    }
    return text;
}

std::string EncodeCodePage(std::u16string_view text, unsigned codePage) {
    std::string bytes;
    const bool supported = IsSupportedCodePage(codePage);
    if (text.empty() || (supported && EncodeWhole(text, codePage, bytes))) return bytes;
    for (size_t i = 0; i < text.size();) {
        const bool pair =
            i + 1 < text.size() && (text[i] & 0xFC00) == 0xD800 && (text[i + 1] & 0xFC00) == 0xDC00;
        const std::u16string_view unit = text.substr(i, pair ? 2 : 1);
        if (!supported || !EncodeWhole(unit, codePage, bytes)) bytes += '?';
        i += unit.size();
    }
    return bytes;
}

unsigned SystemCodePage() {
    return GetACP();
}

} // namespace quillon
