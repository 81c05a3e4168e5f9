// Reads one ASCII DXF file in a single forward pass into a DxfDrawing.
#pragma once

#include "dxf/model.h"
#include "dxf/sinks.h"
#include "dxf/text_decoding.h"
#include "dxf/two_threads.h"

namespace quillon {

// The ENTITIES section, from this many bytes, is read in two halves at once.
inline constexpr TwoThreads kReadInTwo{size_t(4) << 20};

// Status: empty when read to the end; "busy"/"error" when the file could not be read; otherwise
// "<line>:<code line>/<line>:<value line>" of the pair where reading stopped.
void ReadDxfFile(DxfDrawing& drawing, const QString& FileName, ProgressSink* ProgressBar,
                 MessageSink* OwnerWindow, QString& Status, TextEncoding Encoding, QString& AcadVer,
                 TwoThreads twoThreads = kReadInTwo);

} // namespace quillon
