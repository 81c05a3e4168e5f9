// nanoCAD's automation object through COM, in Win32 and standard C++ only (wide strings at the
// edge), so that it builds anywhere a Windows compiler is.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

namespace quillon::com {

struct TopWindow {
    bool exists = false, enabled = false;
};
// The top-level window with exactly this title (any class).
TopWindow FindTopWindow(const std::wstring& title);

class NanoCadDocument;

// The application object; every member returns false when a call's result code says it failed.
class NanoCadApplication {
public:
    static std::unique_ptr<NanoCadApplication> Create(); // none when creation fails
    ~NanoCadApplication();
    NanoCadApplication(const NanoCadApplication&) = delete;
    NanoCadApplication& operator=(const NanoCadApplication&) = delete;

    bool WindowState(long& state);
    bool SetWindowState(long state);
    bool MainWindow(std::uintptr_t& handle);
    static bool BringToFront(std::uintptr_t handle);
    std::unique_ptr<NanoCadDocument> ActiveDocument();

private:
    explicit NanoCadApplication(void* dispatch) : app_(dispatch) {}
    void* app_; // IDispatch of the application's interface
};

class NanoCadDocument {
public:
    ~NanoCadDocument();
    NanoCadDocument(const NanoCadDocument&) = delete;
    NanoCadDocument& operator=(const NanoCadDocument&) = delete;
    bool SendCommand(const std::wstring& text);

private:
    friend class NanoCadApplication;
    explicit NanoCadDocument(void* dispatch) : doc_(dispatch) {}
    void* doc_; // IDispatch
};

} // namespace quillon::com
