// Reads one ASCII DXF file in a single forward pass into a DxfDrawing.
#pragma once

#include "dxf/model.h"
#include "dxf/sinks.h"
#include "dxf/text_decoding.h"

namespace quillon {

// How a read may share its work: the ENTITIES section, when at least `splitFrom` bytes long, is
// read in two halves at once on a machine of two cores or more. The drawing is the same either
// way.
struct ReadSharing {
    bool twoHalves = true;
    size_t splitFrom = size_t(4) << 20;
};

// Status: empty when read to the end; "busy"/"error" when the file could not be read; otherwise
// "<line>:<code line>/<line>:<value line>" of the pair where reading stopped.
void ReadDxfFile(DxfDrawing& drawing, const QString& FileName, ProgressSink* ProgressBar,
                 MessageSink* OwnerWindow, QString& Status, TextEncoding Encoding, QString& AcadVer,
                 ReadSharing sharing = {});

} // namespace quillon
