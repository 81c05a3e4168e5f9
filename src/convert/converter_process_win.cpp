// The converter may be started from a worker thread: the shell wants COM there, and a call that
// returns only once the process is started.
#include "convert/converter_process_win.h"

#include <windows.h>
// These two build on windows.h.
#include <objbase.h>
#include <shellapi.h>

namespace quillon {

ShellConverter::~ShellConverter() {
    if (process_) CloseHandle(process_);
}

bool ShellConverter::start(const std::wstring& converter, const std::wstring& parameters,
                           bool showWindow) {
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    SHELLEXECUTEINFOW info{};
    info.cbSize = sizeof(info);
    // No message box of the shell's own when the start fails: nobody would close it.
    info.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_NOASYNC | SEE_MASK_FLAG_NO_UI;
    info.lpFile = converter.c_str();
    info.lpParameters = parameters.c_str();
    info.nShow = showWindow ? SW_SHOWNORMAL : SW_HIDE;
    const bool started = ShellExecuteExW(&info) && info.hProcess;
    if (SUCCEEDED(com)) CoUninitialize();
    if (!started) return false;
    process_ = info.hProcess;
    return true;
}

// The handle, not the exit code, tells: a converter may end with the code that means "still
// running" (259).
bool ShellConverter::ended() {
    return WaitForSingleObject(process_, 1) != WAIT_TIMEOUT;
}

void ShellConverter::stop() {
    TerminateProcess(process_, 1);
    WaitForSingleObject(process_, 10000);
}

} // namespace quillon
