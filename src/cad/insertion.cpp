#include "cad/insertion.h"

#include "cad/cad_thread.h"
#include "dxf/file_kind.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <optional>

namespace quillon {

std::unique_ptr<CadApplication> ConnectNanoCad(bool activate, const QString& title,
                                               InsertOutcome* failure) {
    const auto fail = [failure](InsertOutcome why) {
        if (failure) *failure = why;
        return nullptr;
    };
    const CadWindow window = FindCadWindow(title);
    if (!window.exists) return fail(InsertOutcome::NoCad);
    if (!window.answers) return fail(InsertOutcome::NoAnswer);
    if (!window.enabled) return fail(InsertOutcome::NoCad);
    std::unique_ptr<CadApplication> app = CreateCadApplication(title);
    if (!app) return fail(InsertOutcome::NoAnswer);
    if (!activate) return app;
    int state = 0;
    if (!app->windowState(state)) return fail(InsertOutcome::NoAnswer);
    if (state == kCadMinimised && !app->setWindowState(kCadMaximised))
        return fail(InsertOutcome::NoAnswer);
    std::uintptr_t handle = 0;
    if (!app->mainWindow(handle)) return fail(InsertOutcome::NoAnswer);
    // The system may refuse a program the foreground; the commands reach the CAD all the same.
    app->bringToFront(handle);
    return app;
}

QString CancelCommand() {
    return QStringLiteral("-C-C");
}

QString InsertCommand(const QString& blockFile, bool explode) {
    QString answer = (explode ? QStringLiteral("*") : QString()) + blockFile;
    // Star inside the quotes: a command line opens a quoted answer only at its first character.
    if (blockFile.contains(u' ')) answer = u'"' + answer + u'"';
    return QStringLiteral("-INSERT\r") + answer + u'\r';
}

bool TypableInCommandLine(const QString& path) {
    for (const QChar c : path)
        if (c.category() == QChar::Other_Control || c == u'"') return false;
    return true;
}

namespace {

// On the CAD thread: the CAD brought forward and its drawing taken.
InsertOutcome Connect(CadSession& s, const QString& title) {
    InsertOutcome failure = InsertOutcome::NoCad;
    s.application = ConnectNanoCad(true, title, &failure);
    if (!s.application) return failure;
    s.document = s.application->activeDocument();
    return s.document ? InsertOutcome::Sent : InsertOutcome::NoAnswer;
}

// On the caller's thread: the DWG to insert, converted from a DXF when asked.
InsertOutcome BlockFile(const InsertRequest& r, QString& block) {
    if (!QFileInfo(r.file).isFile()) return InsertOutcome::FileMissing;
    const FileKind kind = FileKindOf(r.file);
    if (kind == FileKind::Dwg) {
        block = r.file;
        return InsertOutcome::Sent;
    }
    if (kind != FileKind::Dxf || !r.convertDxf) return InsertOutcome::NotInsertable;
    if (!ConverterExists(r.converter.converter)) return InsertOutcome::ConverterMissing;
    const Conversion run = ConvertDxfToDwg(r.converter, r.file, false);
    if (!run.produced) return InsertOutcome::ConversionFailed;
    block = run.output;
    return TypableInCommandLine(block) ? InsertOutcome::Sent : InsertOutcome::UnsafePath;
}

// On the CAD thread: the commands sent, or none when `ready` says the insertion ends; the CAD is
// let go of either way.
InsertOutcome Finish(CadSession& s, InsertOutcome ready, const QStringList& commands) {
    for (const QString& command : commands)
        if (ready == InsertOutcome::Sent && !s.document->SendCommand(command))
            ready = InsertOutcome::CommandFailed;
    s = {};
    return ready;
}

} // namespace

void StartInsertion(const InsertRequest& r, CadThread& cad,
                    std::function<void(InsertOutcome)> done) {
    if (!TypableInCommandLine(r.file)) return done(InsertOutcome::UnsafePath);
    cad.run<InsertOutcome>(
        [title = r.title](CadSession& s) { return Connect(s, title); },
        [r, &cad, done](InsertOutcome connected) {
            QString block;
            const InsertOutcome ready =
                connected == InsertOutcome::Sent ? BlockFile(r, block) : connected;
            QStringList commands;
            if (ready == InsertOutcome::Sent)
                commands = {CancelCommand(), InsertCommand(block, r.explode)};
            cad.run<InsertOutcome>(
                [ready, commands](CadSession& s) { return Finish(s, ready, commands); }, done);
        });
}

InsertOutcome InsertDrawing(const InsertRequest& request) {
    CadThread cad;
    std::optional<InsertOutcome> outcome;
    StartInsertion(request, cad, [&outcome](InsertOutcome o) { outcome = o; });
    while (!outcome) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    return *outcome;
}

} // namespace quillon
