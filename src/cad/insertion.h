// Inserting a drawing as a block into the drawing open in the CAD: the insertion the window and
// quillon-cli share.
#pragma once

#include "cad/cad_connection.h"
#include "convert/converter.h"

#include <QString>

#include <functional>

namespace quillon {

class CadThread;

struct InsertRequest {
    QString file;            // the selected drawing
    bool explode = false;    // explode-insert
    bool convertDxf = false; // a DXF is converted to DWG first (else it is not insertable)
    ConverterCall converter; // for that conversion; its output folder holds the DWG
    QString title = QString::fromUtf16(kCadTitle); // the CAD window's title
};

// Connects (bringing the CAD forward), converts a DXF when asked, then sends the two commands.
// The talk with the CAD runs on the CAD thread, the conversion on the caller's thread, whose
// event loop delivers each step's result; `done` gets the outcome there (at once for a path that
// cannot be typed).
void StartInsertion(const InsertRequest& request, CadThread& cad,
                    std::function<void(InsertOutcome)> done);

// The same, waiting for the outcome while the caller's events run.
InsertOutcome InsertDrawing(const InsertRequest& request);

} // namespace quillon
