// Reduces the kinds the preview does not draw itself (polylines, meshes, ellipses, faces,
// leaders, solids, splines, circles and arcs in tilted planes) to lines and arcs.
#pragma once

#include "dxf/model.h"

namespace quillon {

void ExplodeBlkPolylines(DxfDrawing& d);
void ExplodePolylines(DxfDrawing& d);
void ExplodeEllipses(DxfDrawing& d, double stepDegrees);
void ExplodeBlkEllipses(DxfDrawing& d, double stepDegrees); // into block lines, to be placed
void ExplodeOcsArcs(DxfDrawing& d, bool allArcs, double stepDegrees);
void ExplodeOcsCircles(DxfDrawing& d, bool allCircles, double stepDegrees);
void LinesToWcs(DxfDrawing& d);
void TextsToWcs(DxfDrawing& d);
void ExplodeFaces(DxfDrawing& d);
void ExplodeLeaders(DxfDrawing& d);
void ExplodeSolids(DxfDrawing& d);
void ExplodeSplines(DxfDrawing& d);
void ExplodeBlkSplines(DxfDrawing& d); // into block lines, to be placed
void ExplodeMlines(DxfDrawing& d);
// Rays and construction lines as lines reaching far beyond the extents (set before, which they
// do not widen), so that every view shows them cut at its edges.
void ExtendRays(DxfDrawing& d);

} // namespace quillon
