// B-splines as the DXF format stores them (degree, knots, control points, weights; or only the
// fit points the curve passes through), turned into chains of points for drawing.
#pragma once

#include "dxf/model.h"

#include <vector>

namespace quillon {

struct SplineDefinition {
    int degree = 3;
    std::vector<double> knots;
    std::vector<TAcadPoint> control;
    std::vector<double> weights; // one per control point; all 1 when absent
    std::vector<TAcadPoint> fit; // used when there are no control points
};

// More points than this are never made of one spline.
inline constexpr size_t kMaxSplinePoints = 8192;

// The spline's points from its start to its end, the chords within `tolerance` of the curve.
// A knot vector that does not fit the control points is replaced by a clamped uniform one; the
// weights are ignored unless there is one for every control point and all are positive. With no
// control points the curve is the smooth cubic through the fit points, in the order given.
// Empty when there is no curve (fewer than two points of either kind).
std::vector<TAcadPoint> FlattenSpline(const SplineDefinition& s, double tolerance,
                                      size_t maxPoints = kMaxSplinePoints);

} // namespace quillon
