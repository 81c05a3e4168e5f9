// Copies the contents of referenced blocks into the drawable arrays, placed by each INSERT's
// insertion point, scale and rotation; copies dimension blocks as they stand; follows one
// further level of nested INSERTs.
#pragma once

#include "dxf/model.h"

namespace quillon {

void ExpandTopInserts(DxfDrawing& d);
void ExpandBlocks(DxfDrawing& d); // ends with ExpandNestedInserts
void ExpandNestedInserts(DxfDrawing& d);

// Numbers of records of the four drawable arrays.
struct DrawableCounts {
    size_t lines = 0, circles = 0, arcs = 0, texts = 0;
};

// How many records the three expansions will add to each drawable array (nested INSERTs
// counted one level down).
DrawableCounts AddedByExpansion(const DxfDrawing& d);

// How many records each drawable array will hold once the drawing is reduced: polylines,
// ellipses, solids and faces broken into lines and arcs, blocks expanded (block polylines and
// ellipses not yet broken up count as nothing), so that the arrays can be sized once.
DrawableCounts ReducedSizes(const DxfDrawing& d);

// A point of block `block` placed by insert `insert`.
TAcadPoint PlacePoint(const TAcadPoint& p, const TBlockBlk& block, const TInsertBlk& insert);

} // namespace quillon
