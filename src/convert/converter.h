// The external DWG/DXF converter: its command line as a value, where its output is expected, and
// running it while the caller's user interface stays responsive.
#pragma once

#include "dxf/sinks.h"

#include <QString>
#include <QStringList>
#include <functional>

namespace quillon {

// One run of the converter: its seven parameters.
struct ConversionJob {
    QString inputFolder, outputFolder;
    QString version = QStringLiteral("ACAD2000");
    QString type; // "DXF" or "DWG"
    bool recurse = false, audit = false;
    QString filter; // the input file's name
};

// The job for one input file: folders without a trailing separator, except a root.
ConversionJob JobFor(const QString& inputFile, const QString& outputFolder, const QString& type);

// The seven parameters in their order, as an argument list.
QStringList ConverterArguments(const ConversionJob& job);

// The same as one command-line string: each parameter in double quotes (the backslashes that end
// one doubled, so that they are read back as written), separated by spaces.
QString QuotedParameters(const ConversionJob& job);

// The converter's window is shown when asked, or when a folder is a root.
bool ShowsConverterWindow(const ConversionJob& job, bool showWindow);

// Where the output of converting the file to the type ("DXF"/"DWG") appears.
QString ExpectedOutput(const QString& inputFile, const QString& outputFolder, const QString& type);

// True when a file exists at the path ("[未登録]" is no such path).
bool ConverterExists(const QString& converter);

// What a run needs from its caller.
struct ConverterCall {
    QString converter;    // the converter's path
    QString outputFolder; // where its output goes (created when missing)
    MessageSink* owner = nullptr;
    std::function<void()> processEvents; // run while waiting
    std::function<bool()> shuttingDown;  // the wait ends when this turns true
    std::function<void(bool)> busy;      // busy cursor on and off, off on every path
    int timeoutMs = -1;                  // < 0: wait as long as the converter runs
};

enum class RunEnd { Ended, StartFailed, TimedOut, Abandoned };

// How one run came out: how it ended, where its output is expected, and whether it is there.
struct Conversion {
    RunEnd end = RunEnd::StartFailed;
    QString output;
    bool produced = false; // the converter ended and left its output file
};

// Starts the converter on one file and waits for it. An output left by an earlier run for the
// same name is removed first, so that a failed run never leaves a stale result behind. A start
// failure shows "起動に失敗しました．".
Conversion RunConverter(const ConverterCall& call, const QString& inputFile, bool showWindow,
                        const QString& type);
Conversion ConvertDwgToDxf(const ConverterCall& call, const QString& inputFile, bool showWindow);
Conversion ConvertDxfToDwg(const ConverterCall& call, const QString& inputFile, bool showWindow);

// A started converter, one implementation per platform.
class ConverterProcess {
public:
    virtual ~ConverterProcess() = default;
    virtual bool start(const QString& converter, const ConversionJob& job, bool showWindow) = 0;
    // Waits up to a millisecond; true once the converter has ended.
    virtual bool ended() = 0;
    virtual void stop() = 0; // ends a converter that is still running
};
std::unique_ptr<ConverterProcess> MakeConverterProcess();

} // namespace quillon
