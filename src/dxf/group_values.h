// The value of one group as a number or a point coordinate; a value that is no number stops
// the read (BadValue).
#pragma once

#include "dxf/model.h"
#include "dxf/number_parsing.h"

#include <string_view>

namespace quillon {

struct BadValue {};

inline double Real(std::string_view v) {
    double d;
    if (!ParseReal(v, d)) throw BadValue{};
    return d;
}

inline int16_t Small(std::string_view v) {
    int32_t i;
    if (!ParseInt(v, i)) throw BadValue{};
    return int16_t(i);
}

// Sets x, y or z of a point from groups base, base + 10, base + 20.
inline bool TakePoint(TAcadPoint& p, int base, int code, std::string_view v) {
    if (code == base)
        p.x = Real(v);
    else if (code == base + 10)
        p.y = Real(v);
    else if (code == base + 20)
        p.z = Real(v);
    else
        return false;
    return true;
}

} // namespace quillon
