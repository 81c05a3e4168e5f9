#include "convert/converter.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>

namespace quillon {

namespace {

QString FolderOf(const QString& path) {
    return QDir::toNativeSeparators(QDir::cleanPath(QFileInfo(path).absolutePath()));
}

bool IsRoot(const QString& folder) {
    return QDir(folder).isRoot();
}

} // namespace

ConversionJob JobFor(const QString& inputFile, const QString& outputFolder, const QString& type) {
    ConversionJob job;
    job.inputFolder = FolderOf(inputFile);
    job.outputFolder = QDir::toNativeSeparators(QDir::cleanPath(outputFolder));
    job.type = type;
    job.filter = QFileInfo(inputFile).fileName();
    return job;
}

QStringList ConverterArguments(const ConversionJob& job) {
    return {job.inputFolder,
            job.outputFolder,
            job.version,
            job.type,
            job.recurse ? QStringLiteral("1") : QStringLiteral("0"),
            job.audit ? QStringLiteral("1") : QStringLiteral("0"),
            job.filter};
}

// Backslashes that end a parameter are doubled: read back before the closing quote, a single one
// would make the quote part of the text ("C:\" becomes "C:\\").
QString QuotedParameters(const ConversionJob& job) {
    QStringList quoted;
    for (const QString& a : ConverterArguments(job)) {
        qsizetype ending = 0;
        while (ending < a.size() && a[a.size() - 1 - ending] == u'\\') ++ending;
        quoted << u'"' + a + QString(ending, u'\\') + u'"';
    }
    return quoted.join(u' ');
}

bool ShowsConverterWindow(const ConversionJob& job, bool showWindow) {
    return showWindow || IsRoot(job.inputFolder) || IsRoot(job.outputFolder);
}

QString ExpectedOutput(const QString& inputFile, const QString& outputFolder, const QString& type) {
    const QString base = QFileInfo(inputFile).completeBaseName();
    return QDir::toNativeSeparators(QDir(outputFolder).filePath(base + u'.' + type.toLower()));
}

bool ConverterExists(const QString& converter) {
    return !converter.isEmpty() && QFileInfo(converter).isFile();
}

Conversion RunConverter(const ConverterCall& call, const QString& inputFile, bool showWindow,
                        const QString& type) {
    Conversion run;
    run.output = ExpectedOutput(inputFile, call.outputFolder, type);
    QDir().mkpath(call.outputFolder);
    QFile::remove(run.output);
    const ConversionJob job = JobFor(inputFile, call.outputFolder, type);
    if (call.busy) call.busy(true);
    struct Restore { // the cursor comes back on every path
        const std::function<void(bool)>& busy;
        ~Restore() {
            if (busy) busy(false);
        }
    } restore{call.busy};
    const std::unique_ptr<ConverterProcess> process = MakeConverterProcess();
    if (!process->start(call.converter, job, ShowsConverterWindow(job, showWindow))) {
        if (call.owner)
            call.owner->showError(QStringLiteral("エラー"), QStringLiteral("起動に失敗しました．"));
        run.end = RunEnd::StartFailed;
        return run;
    }
    QElapsedTimer clock;
    clock.start();
    while (!process->ended()) {
        if (call.processEvents) call.processEvents();
        if (call.shuttingDown && call.shuttingDown()) {
            process->stop();
            run.end = RunEnd::Abandoned;
            return run;
        }
        if (call.timeoutMs >= 0 && clock.elapsed() > call.timeoutMs) {
            process->stop();
            run.end = RunEnd::TimedOut;
            return run;
        }
    }
    run.end = RunEnd::Ended;
    run.produced = QFileInfo(run.output).isFile();
    return run;
}

Conversion ConvertDwgToDxf(const ConverterCall& call, const QString& inputFile, bool showWindow) {
    return RunConverter(call, inputFile, showWindow, QStringLiteral("DXF"));
}

Conversion ConvertDxfToDwg(const ConverterCall& call, const QString& inputFile, bool showWindow) {
    return RunConverter(call, inputFile, showWindow, QStringLiteral("DWG"));
}

} // namespace quillon
