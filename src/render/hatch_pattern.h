// The lines of a hatch pattern cut to the hatch's boundary: each line family repeated across
// the boundary, kept where it is inside by the even-odd rule, broken into its dashes.
#pragma once

#include "dxf/model.h"
#include "render/hatch_boundary.h"

#include <vector>

namespace quillon {

struct PatternSegment {
    TAcadPoint a, b;
};

// No hatch gives more pattern segments than this; a family whose lines would pass this many is
// left out (at such a density a pattern reads as a grey area, not as lines).
inline constexpr size_t kMaxPatternSegments = 100000;

// The pattern's dashes inside the rings, in the rings' plane (z 0). Dots (dashes of length 0)
// are left out.
std::vector<PatternSegment> PatternSegments(const std::vector<Ring>& rings,
                                            const std::vector<TPatternLine>& lines,
                                            size_t maxSegments = kMaxPatternSegments);

} // namespace quillon
