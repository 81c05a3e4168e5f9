// sources: tests/win/standin/cad_objects.cpp
// The stand-in CAD as a running program: a top-level window titled "nanoCAD 5" and the automation
// served to other processes (a local server, its class object registered while it runs).
//   standin_cad_server.exe --events NAME [--no-window] [--disabled] [--minimised] [--no-server]
// NAME.ready is set once it serves, NAME.quit ends it. --no-server makes only the window (for
// the automation served in process). Started without --events (as COM would start a registered
// local server), it serves nothing and ends: only a test starts the stand-in.
#include "win/standin/cad_objects.h"

#include <string>

int wmain(int argc, wchar_t** argv) {
    std::wstring events;
    bool window = true, disabled = false, minimised = false, server = true;
    for (int i = 1; i < argc; ++i) {
        const std::wstring a = argv[i];
        if (a == L"--events" && i + 1 < argc) events = argv[++i];
        window &= a != L"--no-window";
        disabled |= a == L"--disabled";
        minimised |= a == L"--minimised";
        server &= a != L"--no-server";
    }
    if (events.empty()) return 2;
    const HANDLE ready = OpenEventW(EVENT_MODIFY_STATE, FALSE, (events + L".ready").c_str());
    const HANDLE quit = OpenEventW(SYNCHRONIZE, FALSE, (events + L".quit").c_str());
    if (!ready || !quit) return 2;
    if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) return 1;
    if (window) {
        const HWND w = CreateWindowExW(0, L"STATIC", L"nanoCAD 5", WS_OVERLAPPEDWINDOW, 0, 0, 800,
                                       600, nullptr, nullptr, nullptr, nullptr);
        if (!w) return 1;
        ShowWindow(w, minimised ? SW_SHOWMINIMIZED : SW_SHOWNORMAL);
        if (disabled) EnableWindow(w, FALSE);
    }
    DWORD cookie = 0;
    if (server) {
        IClassFactory* factory = standin::NewApplicationFactory();
        const HRESULT registered = CoRegisterClassObject(
            standin::kApplicationClass, factory, CLSCTX_LOCAL_SERVER, REGCLS_MULTIPLEUSE, &cookie);
        factory->Release();
        if (FAILED(registered)) return 1;
    }
    SetEvent(ready);
    while (MsgWaitForMultipleObjects(1, &quit, FALSE, INFINITE, QS_ALLINPUT) != WAIT_OBJECT_0) {
        MSG m;
        while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&m);
    }
    if (server) CoRevokeClassObject(cookie);
    CoUninitialize();
    return 0;
}
