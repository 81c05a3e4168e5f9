#include "cad/insertion.h"

#include <QFileInfo>

namespace quillon {

std::unique_ptr<CadApplication> ConnectNanoCad(bool activate, const QString& title) {
    const CadWindow window = FindCadWindow(title);
    if (!window.exists || !window.enabled) return nullptr;
    std::unique_ptr<CadApplication> app = CreateCadApplication(title);
    if (!app || !activate) return app;
    int state = 0;
    if (!app->windowState(state)) return nullptr;
    if (state == kCadMinimised && !app->setWindowState(kCadMaximised)) return nullptr;
    std::uintptr_t handle = 0;
    if (!app->mainWindow(handle) || !app->bringToFront(handle)) return nullptr;
    return app;
}

QString CancelCommand() {
    return QStringLiteral("-C-C");
}

QString InsertCommand(const QString& blockFile, bool explode) {
    return QStringLiteral("-INSERT\r") + (explode ? QStringLiteral("*") : QString()) + blockFile +
           u'\r';
}

bool TypableInCommandLine(const QString& path) {
    for (const QChar c : path)
        if (c.category() == QChar::Other_Control) return false;
    return true;
}

InsertOutcome InsertDrawing(const InsertRequest& r) {
    if (!TypableInCommandLine(r.file)) return InsertOutcome::UnsafePath;
    const std::unique_ptr<CadApplication> app = ConnectNanoCad(true, r.title);
    if (!app) return InsertOutcome::NoCad;
    const std::unique_ptr<CadDocument> document = app->activeDocument();
    if (!document) return InsertOutcome::NoCad;
    if (!QFileInfo(r.file).isFile()) return InsertOutcome::FileMissing;
    const QString ext = QFileInfo(r.file).suffix().toUpper();
    QString block;
    if (ext == QLatin1String("DWG")) {
        block = r.file;
    } else if (ext == QLatin1String("DXF") && r.convertDxf) {
        if (!ConverterExists(r.converter.converter)) return InsertOutcome::ConverterMissing;
        block = ExpectedOutput(r.file, r.converter.outputFolder, QStringLiteral("DWG"));
        if (!ConvertDxfToDwg(r.converter, r.file, false) || !QFileInfo(block).isFile())
            return InsertOutcome::ConversionFailed;
        if (!TypableInCommandLine(block)) return InsertOutcome::UnsafePath;
    } else {
        return InsertOutcome::NotInsertable;
    }
    if (!document->SendCommand(CancelCommand()) ||
        !document->SendCommand(InsertCommand(block, r.explode)))
        return InsertOutcome::CommandFailed;
    return InsertOutcome::Sent;
}

} // namespace quillon
