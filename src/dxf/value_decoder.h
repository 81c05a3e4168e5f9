// String values of a DXF file decoded in its encoding; names that repeat are decoded once.
#pragma once

#include "dxf/code_page.h"
#include "dxf/name.h"
#include "dxf/text_decoding.h"

#include <QString>
#include <string>
#include <string_view>
#include <unordered_map>

namespace quillon {

class ValueDecoder {
public:
    explicit ValueDecoder(TextEncoding e) : encoding_(e) {}

    QString text(std::string_view v) {
        bool ascii = true;
        for (char c : v) ascii = ascii && static_cast<unsigned char>(c) < 0x80;
        if (ascii) return QString::fromLatin1(v.data(), qsizetype(v.size()));
        if (encoding_ == TextEncoding::Utf8)
            return QString::fromUtf8(v.data(), qsizetype(v.size()));
        return FromCodePage(v, CodePageOf(encoding_));
    }

    Name name(std::string_view v) { return cached(names_, v, false); }
    Name upperName(std::string_view v) { return cached(upperNames_, v, true); }

private:
    // Keyed by copies of the bytes: those read may be released while the decoder lives.
    struct Hash {
        using is_transparent = void;
        size_t operator()(std::string_view v) const { return std::hash<std::string_view>()(v); }
    };
    using Cache = std::unordered_map<std::string, Name, Hash, std::equal_to<>>;
    Name cached(Cache& cache, std::string_view v, bool upper) {
        auto it = cache.find(v);
        if (it == cache.end()) {
            QString s = text(v);
            it = cache.emplace(v, upper ? s.toUpper() : s).first;
        }
        return it->second;
    }

    TextEncoding encoding_;
    Cache names_, upperNames_;
};

} // namespace quillon
