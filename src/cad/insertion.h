// Inserting a drawing as a block into the drawing open in the CAD: connecting, the command
// strings, and the insertion the window and quillon-cli share.
#pragma once

#include "cad/cad_application.h"
#include "convert/converter.h"

namespace quillon {

// The connection to the CAD whose window has the title: none when there is no such window, it is
// disabled, or the application cannot be reached. With `activate`, a minimised CAD is maximised
// and its window brought to the front.
std::unique_ptr<CadApplication> ConnectNanoCad(bool activate, const QString& title = kCadTitle);

// The two commands of an insertion: a cancel of whatever runs, then INSERT with the block file
// ("*" before it to explode). "\r" ends each answer.
QString CancelCommand();
QString InsertCommand(const QString& blockFile, bool explode);

// A path that can be typed into the command line: no control characters, which would answer
// the CAD's prompts on the user's behalf.
bool TypableInCommandLine(const QString& path);

struct InsertRequest {
    QString file;              // the selected drawing
    bool explode = false;      // explode-insert
    bool convertDxf = false;   // a DXF is converted to DWG first (else it is not insertable)
    ConverterCall converter;   // for that conversion; its output folder holds the DWG
    QString title = kCadTitle; // the CAD window's title
};

enum class InsertOutcome {
    Sent,
    UnsafePath,
    NoCad,
    FileMissing,
    NotInsertable,
    ConverterMissing,
    ConversionFailed,
    CommandFailed
};

// Connects (bringing the CAD forward), converts a DXF when asked, then sends the two commands.
InsertOutcome InsertDrawing(const InsertRequest& request);

} // namespace quillon
