// Plane geometry on drawing points: polar offsets, angles, intersections, bulge arcs and the
// object-to-world mapping of extrusion directions. Angles are radians, counter-clockwise from +x.
#pragma once

#include "dxf/model.h"

#include <cmath>
#include <numbers>

namespace quillon {

inline constexpr double kPi = std::numbers::pi;
inline constexpr double kDegToRad = kPi / 180.0;

inline TAcadPoint MakePoint(double x, double y, double z) {
    return {x, y, z};
}
inline TAcadPoint PolarPoint(const TAcadPoint& p, double angle, double distance) {
    return {p.x + distance * std::cos(angle), p.y + distance * std::sin(angle), p.z};
}
double Distance2D(const TAcadPoint& a, const TAcadPoint& b);
double PointAngle(const TAcadPoint& a, const TAcadPoint& b); // in [0, 2*pi)
bool SegmentIntersect(const TAcadPoint& a, const TAcadPoint& b, const TAcadPoint& c,
                      const TAcadPoint& d, bool bounded, TAcadPoint& point);

struct ArcOfBulge {
    TAcadPoint centre;
    double radius, startAngle, endAngle;
};
ArcOfBulge BulgeToArc(const TAcadPoint& s, const TAcadPoint& e, double bulge);

inline TAcadPoint PointSub(const TAcadPoint& p, const TAcadPoint& q) {
    return {p.x - q.x, p.y - q.y, p.z};
}
TAcadPoint RotatePoint(const TAcadPoint& p, double angle);
bool SamePoint(const TAcadPoint& a, const TAcadPoint& b, double tolerance);
TAcadPoint NormalizeVector(const TAcadPoint& v);
TAcadPoint CrossProduct(const TAcadPoint& a, const TAcadPoint& b);
TAcadPoint OcsToWcs(const TAcadPoint& p, const TAcadPoint& n);
TAcadPoint AxesToWorld(const TAcadPoint& l, const TAcadPoint& origin, const TAcadPoint& x,
                       const TAcadPoint& y, const TAcadPoint& z);

// Cuts the segment (x0, y0)-(x1, y1) to the rectangle; false when it misses it. Segments with
// coordinates that are not finite are left as they are. A segment wholly inside, the common
// case, is settled inline; CutSegment takes the others.
bool CutSegment(double& x0, double& y0, double& x1, double& y1, double left, double top,
                double right, double bottom);
inline bool ClipSegment(double& x0, double& y0, double& x1, double& y1, double left, double top,
                        double right, double bottom) {
    const bool inside = x0 >= left && x0 <= right && y0 >= top && y0 <= bottom && x1 >= left &&
                        x1 <= right && y1 >= top && y1 <= bottom;
    return inside || CutSegment(x0, y0, x1, y1, left, top, right, bottom);
}

} // namespace quillon
