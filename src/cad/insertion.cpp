#include "cad/insertion.h"

#include "cad/cad_thread.h"
#include "dxf/file_kind.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <optional>

namespace quillon {

namespace {

bool Typable(const QString& path) {
    return TypableInCommandLine(path.toStdU16String());
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
    return Typable(block) ? InsertOutcome::Sent : InsertOutcome::UnsafePath;
}

} // namespace

void StartInsertion(const InsertRequest& r, CadThread& cad,
                    std::function<void(InsertOutcome)> done) {
    if (!Typable(r.file)) return done(InsertOutcome::UnsafePath);
    cad.run<InsertOutcome>(
        [title = r.title.toStdU16String()](CadSession& s) { return OpenCadSession(s, title); },
        [r, &cad, done](InsertOutcome connected) {
            QString block;
            const InsertOutcome ready =
                connected == InsertOutcome::Sent ? BlockFile(r, block) : connected;
            std::vector<std::u16string> commands;
            if (ready == InsertOutcome::Sent)
                commands = {CancelCommand(), InsertCommand(block.toStdU16String(), r.explode)};
            cad.run<InsertOutcome>(
                [ready, commands](CadSession& s) { return FinishCadSession(s, ready, commands); },
                done);
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
