// The outline of a wide polyline: a band about each segment, straight or bulged, its width
// running from the segment's start width to its end width, with the corners between segments
// filled. Every ring runs counter-clockwise, so that their union is filled by the winding rule.
#pragma once

#include "render/hatch_boundary.h"

#include <vector>

namespace quillon {

struct BandVertex {
    TAcadPoint at;
    double bulge = 0;
    double startWidth = 0, endWidth = 0; // of the segment that starts here
};

// The rings of the band; none when no segment is wider than zero.
std::vector<Ring> BandOutline(const std::vector<BandVertex>& vertices, bool closed,
                              double tolerance);

} // namespace quillon
