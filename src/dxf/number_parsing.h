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
    if (e - b <= 9 && *b != '-') { // the usual case: a few plain digits
        int32_t v = 0;
        for (const char* p = b; p != e; ++p) {
            if (*p < '0' || *p > '9') return false;
            v = v * 10 + (*p - '0');
        }
        out = v;
        return true;
    }
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
    // A plain decimal whose digits make an integer of at most 2^53 with at most 22 of them after
    // the point is that integer divided by a power of ten, both exact doubles: the division
    // rounds correctly. That takes most reals of up to 16 digits; the rest go the long way.
    {
        static constexpr double kPow10[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                            1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                            1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
        uint64_t mantissa = 0;
        int digits = 0, fraction = -1;
        const char* p = b;
        for (; p != e; ++p) {
            if (*p >= '0' && *p <= '9') {
                mantissa = mantissa * 10 + uint64_t(*p - '0');
                ++digits;
                if (fraction >= 0) ++fraction;
            } else if (*p == '.' && fraction < 0) {
                fraction = 0;
            } else {
                break;
            }
        }
        if (p == e && digits > 0 && digits <= 19 && mantissa <= (uint64_t(1) << 53) &&
            fraction <= 22) {
            out = double(mantissa) / kPow10[fraction < 0 ? 0 : fraction];
            if (negative) out = -out;
            return true;
        }
    }
    const auto r = std::from_chars(b, e, out);
    if (r.ec != std::errc() || r.ptr != e) return false;
    if (negative) out = -out;
    return true;
}

} // namespace quillon
