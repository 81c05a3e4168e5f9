// The groups of one HATCH record, which mean different things by where they come: the same
// codes give the elevation, a path's vertices, an edge's points and the pattern's lines, in the
// order the format writes them.
#pragma once

#include "dxf/model.h"

#include <string_view>

namespace quillon {

// Paths, edges, control points and pattern lines of one hatch never exceed these counts; groups
// beyond them are passed over (a damaged count cannot make the reader allocate without end).
inline constexpr size_t kMaxHatchPaths = 100000;
inline constexpr size_t kMaxHatchItems = 1000000; // vertices, edges or pattern lines in all

class HatchGroups {
public:
    explicit HatchGroups(THatchBlk& h) : h_(&h) {}
    // Takes one group other than those all records share (6, 8, 60, 62, 67). False when its value
    // is not the number the group needs.
    bool take(int code, std::string_view v);

private:
    enum class At { Head, Path, PolylinePath, Edge, Spline, AfterPaths, Pattern, Seeds };
    bool real(std::string_view v, double& out) const;
    bool head(int code, std::string_view v);
    bool polyline(int code, std::string_view v);
    bool edge(int code, std::string_view v);
    bool spline(int code, std::string_view v);
    bool afterPaths(int code, std::string_view v);
    bool room();

    THatchBlk* h_; // a pointer, so that the reader can copy and assign its open record
    At at_ = At::Head;
    size_t items_ = 0;
    bool fitCounted_ = false; // the open spline edge gave its number of fit points
    bool gradient_ = false, gradientColour_ = false;
};

} // namespace quillon
