// Inserting a drawing as a block into the drawing open in the CAD: connecting, the command
// strings, and the insertion the window and quillon-cli share.
#pragma once

#include "cad/cad_application.h"
#include "convert/converter.h"

#include <functional>

namespace quillon {

class CadThread;

enum class InsertOutcome {
    Sent,
    UnsafePath,
    NoCad,    // no window with the CAD's title, or it is disabled
    NoAnswer, // the window is there, but the CAD does not answer or has no drawing open
    FileMissing,
    NotInsertable,
    ConverterMissing,
    ConversionFailed,
    CommandFailed
};

// The connection to the CAD whose window has the title: none when there is no such window, it is
// disabled, or the application cannot be reached (`failure` says which: NoCad or NoAnswer). With
// `activate`, a minimised CAD is maximised and its window brought to the front (when the system
// allows it: a refusal does not stop the connection).
std::unique_ptr<CadApplication> ConnectNanoCad(bool activate, const QString& title = kCadTitle,
                                               InsertOutcome* failure = nullptr);

// The two commands of an insertion: a cancel of whatever runs, then INSERT with the block file
// ("*" before it to explode), in double quotes when it has a blank. "\r" ends each answer.
QString CancelCommand();
QString InsertCommand(const QString& blockFile, bool explode);

// A path that can be typed into the command line: no control characters, which would answer
// the CAD's prompts on the user's behalf, and no double quote, which would end the quoted path.
bool TypableInCommandLine(const QString& path);

struct InsertRequest {
    QString file;              // the selected drawing
    bool explode = false;      // explode-insert
    bool convertDxf = false;   // a DXF is converted to DWG first (else it is not insertable)
    ConverterCall converter;   // for that conversion; its output folder holds the DWG
    QString title = kCadTitle; // the CAD window's title
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
