#include "cad/cad_connection.h"

namespace quillon {

std::unique_ptr<CadApplication> ConnectNanoCad(bool activate, std::u16string_view title,
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

std::u16string CancelCommand() {
    return u"-C-C";
}

std::u16string InsertCommand(std::u16string_view blockFile, bool explode) {
    std::u16string answer = (explode ? u"*" : u"") + std::u16string(blockFile);
    // Star inside the quotes: a command line opens a quoted answer only at its first character.
    if (blockFile.find(u' ') != std::u16string_view::npos) answer = u'"' + answer + u'"';
    return u"-INSERT\r" + answer + u'\r';
}

bool TypableInCommandLine(std::u16string_view path) {
    for (const char16_t c : path)
        if (c < 0x20 || (c >= 0x7F && c <= 0x9F) || c == u'"') return false; // C0, DEL, C1
    return true;
}

InsertOutcome OpenCadSession(CadSession& s, std::u16string_view title) {
    InsertOutcome failure = InsertOutcome::NoCad;
    s.application = ConnectNanoCad(true, title, &failure);
    if (!s.application) return failure;
    s.document = s.application->activeDocument();
    return s.document ? InsertOutcome::Sent : InsertOutcome::NoAnswer;
}

InsertOutcome FinishCadSession(CadSession& s, InsertOutcome ready,
                               const std::vector<std::u16string>& commands) {
    for (const std::u16string& command : commands)
        if (ready == InsertOutcome::Sent && !s.document->SendCommand(command))
            ready = InsertOutcome::CommandFailed;
    s = {};
    return ready;
}

} // namespace quillon
