// Turns the filled kinds into fills and lines: hatches (solid fills, or their pattern lines cut
// to the boundary), solids and traces. The drawing's own records land in world coordinates;
// those of block definitions stay in block coordinates, to be placed by the block expansion.
#pragma once

#include "dxf/model.h"

namespace quillon {

void ExplodeHatches(DxfDrawing& d);
void ExplodeBlkHatches(DxfDrawing& d);
// Fills of the solids (and traces) of block definitions, beside their records.
void FillBlkSolids(DxfDrawing& d);
// The fill of one solid (corners 1, 2, 4, 3) on the drawing side.
void FillSolid(DxfDrawing& d, const TSolidBlk& s);
// Fills in a tilted or flipped plane are taken to world coordinates.
void FillsToWcs(DxfDrawing& d);

} // namespace quillon
