// The converter started through the shell with the quoted parameter string, as the converter's
// Windows build expects, and watched through its process handle. It may be started from a worker
// thread: the shell wants COM there, and a call that returns only once the process is started.
#include "convert/converter.h"

#include <windows.h>
// These two build on windows.h.
#include <objbase.h>
#include <shellapi.h>

namespace quillon {

namespace {

class WindowsConverterProcess : public ConverterProcess {
public:
    ~WindowsConverterProcess() override {
        if (process_) CloseHandle(process_);
    }
    bool start(const QString& converter, const ConversionJob& job, bool showWindow) override {
        const std::wstring file = converter.toStdWString();
        const std::wstring parameters = QuotedParameters(job).toStdWString();
        const HRESULT com =
            CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
        SHELLEXECUTEINFOW info{};
        info.cbSize = sizeof(info);
        info.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_NOASYNC;
        info.lpFile = file.c_str();
        info.lpParameters = parameters.c_str();
        info.nShow = showWindow ? SW_SHOWNORMAL : SW_HIDE;
        const bool started = ShellExecuteExW(&info) && info.hProcess;
        if (SUCCEEDED(com)) CoUninitialize();
        if (!started) return false;
        process_ = info.hProcess;
        return true;
    }
    bool ended() override {
        Sleep(1);
        DWORD code = 0;
        return !GetExitCodeProcess(process_, &code) || code != STILL_ACTIVE;
    }
    void stop() override { TerminateProcess(process_, 1); }

private:
    HANDLE process_ = nullptr;
};

} // namespace

std::unique_ptr<ConverterProcess> MakeConverterProcess() {
    return std::make_unique<WindowsConverterProcess>();
}

} // namespace quillon
