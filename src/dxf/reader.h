// Reads one ASCII DXF file in a single forward pass into a DxfDrawing.
#pragma once

#include "dxf/model.h"
#include "dxf/sinks.h"
#include "dxf/text_decoding.h"

namespace quillon {

// Status: empty when read to the end; "busy"/"error" when the file could not be read; otherwise
// "<line>:<code line>/<line>:<value line>" of the pair where reading stopped.
void ReadDxfFile(DxfDrawing& drawing, const QString& FileName, ProgressSink* ProgressBar,
                 MessageSink* OwnerWindow, QString& Status, TextEncoding Encoding,
                 QString& AcadVer);

} // namespace quillon
