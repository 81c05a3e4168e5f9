// The boundary of a hatch as closed rings of points: polyline paths with their bulges, and edge
// paths of lines, circular and elliptic arcs and splines, curves in chords within a tolerance.
#pragma once

#include "dxf/model.h"

#include <vector>

namespace quillon {

using Ring = std::vector<TAcadPoint>;

// No hatch gives more boundary points than this, however fine its tolerance or many its paths.
inline constexpr size_t kMaxBoundaryPoints = 200000;

// The rings of the hatch's paths, in the hatch's own plane, each closed implicitly (an open
// path is closed by a straight line). The islands style 2 ("ignore") keeps only the outermost
// paths. Paths of fewer than three distinct points are left out.
std::vector<Ring> HatchRings(const THatchBlk& h, double tolerance,
                             size_t maxPoints = kMaxBoundaryPoints);

// The plan size of the points of a hatch's paths (for a tolerance relative to the hatch).
double HatchSize(const THatchBlk& h);

} // namespace quillon
