// Connecting to the CAD and the commands of an insertion, in standard C++ so that every
// platform's backend runs the same sequence.
#pragma once

#include "cad/cad_application.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace quillon {

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
std::unique_ptr<CadApplication> ConnectNanoCad(bool activate, std::u16string_view title = kCadTitle,
                                               InsertOutcome* failure = nullptr);

// The two commands of an insertion: a cancel of whatever runs, then INSERT with the block file
// ("*" before it to explode), in double quotes when it has a blank. "\r" ends each answer.
std::u16string CancelCommand();
std::u16string InsertCommand(std::u16string_view blockFile, bool explode);

// A path that can be typed into the command line: no control characters, which would answer
// the CAD's prompts on the user's behalf, and no double quote, which would end the quoted path.
bool TypableInCommandLine(std::u16string_view path);

// The CAD as one insertion holds it.
struct CadSession {
    std::unique_ptr<CadApplication> application;
    std::unique_ptr<CadDocument> document;
};

// The CAD connected and brought forward, and its drawing taken: Sent when the session holds both.
InsertOutcome OpenCadSession(CadSession& session, std::u16string_view title);

// The commands sent in order, or none when `ready` says the insertion ends; the first that fails
// ends it as CommandFailed. The CAD is let go of either way.
InsertOutcome FinishCadSession(CadSession& session, InsertOutcome ready,
                               const std::vector<std::u16string>& commands);

} // namespace quillon
