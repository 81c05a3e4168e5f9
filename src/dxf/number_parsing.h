// Group values as numbers: decimal integers and reals with the full stop, parsed from bytes.
#pragma once

#include <charconv>
#include <cstdint>
#include <string_view>

namespace quillon {

inline bool ParseInt(std::string_view s, int32_t& out) {
    const char* b = s.data();
    const char* e = b + s.size();
    if (b != e && *b == '+') ++b;
    if (b == e) return false;
    const auto r = std::from_chars(b, e, out);
    return r.ec == std::errc() && r.ptr == e;
}

inline bool ParseReal(std::string_view s, double& out) {
    const char* b = s.data();
    const char* e = b + s.size();
    bool negative = false;
    if (b != e && (*b == '+' || *b == '-')) negative = *b++ == '-';
    // from_chars would also take "inf" and "nan"; a DXF real starts with a digit or the point.
    if (b == e || !((*b >= '0' && *b <= '9') || *b == '.')) return false;
    const auto r = std::from_chars(b, e, out);
    if (r.ec != std::errc() || r.ptr != e) return false;
    if (negative) out = -out;
    return true;
}

} // namespace quillon
