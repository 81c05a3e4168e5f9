// The converter started through the shell with the quoted parameter string, as the converter's
// Windows build expects, and watched through its process handle.
#include "convert/converter.h"

#include <shellapi.h>
#include <windows.h>

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
        SHELLEXECUTEINFOW info{};
        info.cbSize = sizeof(info);
        info.fMask = SEE_MASK_NOCLOSEPROCESS;
        info.lpFile = file.c_str();
        info.lpParameters = parameters.c_str();
        info.nShow = showWindow ? SW_SHOWNORMAL : SW_HIDE;
        if (!ShellExecuteExW(&info) || !info.hProcess) return false;
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
