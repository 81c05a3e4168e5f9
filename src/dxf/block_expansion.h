// Copies the contents of referenced blocks into the drawable arrays, placed by each INSERT's
// insertion point, scale and rotation; copies dimension blocks as they stand; follows one
// further level of nested INSERTs.
#pragma once

#include "dxf/model.h"

namespace quillon {

void ExpandTopInserts(DxfDrawing& d);
void ExpandBlocks(DxfDrawing& d); // ends with ExpandNestedInserts
void ExpandNestedInserts(DxfDrawing& d);

// How many records the three expansions will add to each drawable array (nested INSERTs
// counted one level down), so that the arrays can be sized once.
struct ExpansionCounts {
    size_t lines = 0, circles = 0, arcs = 0, texts = 0;
};
ExpansionCounts AddedByExpansion(const DxfDrawing& d);

// A point of block `block` placed by insert `insert`.
TAcadPoint PlacePoint(const TAcadPoint& p, const TBlockBlk& block, const TInsertBlk& insert);

} // namespace quillon
