// Turns a curve given as a function of one parameter into points whose chords stay within a
// tolerance of it, with a bounded number of points whatever the input.
#pragma once

#include "dxf/model.h"

#include <functional>
#include <vector>

namespace quillon {

using CurveAt = std::function<TAcadPoint(double)>;

// Appends to `out` the points of the curve on [t0, t1] after its start (which the caller has
// placed already). The interval is taken in `pieces` equal parts first, so that a wave is not
// missed, and each part is halved while the curve's middle lies farther than `tolerance` from
// its chord. At most `budget` points are added; the budget is spent by what is added.
void FlattenCurve(const CurveAt& at, double t0, double t1, int pieces, double tolerance,
                  size_t& budget, std::vector<TAcadPoint>& out);

// The plan distance of p from the segment a-b.
double PlanDistanceToSegment(const TAcadPoint& p, const TAcadPoint& a, const TAcadPoint& b);

} // namespace quillon
