// Copies the contents of referenced blocks into the drawable arrays, placed by each INSERT's
// insertion point, scale and rotation; copies dimension blocks as they stand; follows one
// further level of nested INSERTs.
#pragma once

#include "dxf/model.h"

namespace quillon {

void ExpandTopInserts(DxfDrawing& d);
void ExpandBlocks(DxfDrawing& d); // ends with ExpandNestedInserts
void ExpandNestedInserts(DxfDrawing& d);

// How many lines the three expansions will add (nested INSERTs counted one level down), so
// that the line array can be sized once.
size_t LinesAddedByExpansion(const DxfDrawing& d);

// A point of block `block` placed by insert `insert`.
TAcadPoint PlacePoint(const TAcadPoint& p, const TBlockBlk& block, const TInsertBlk& insert);

} // namespace quillon
