// The insertion into the stand-in CAD's COM server (tests/win/standin/), through the program's
// own connection, command and COM code: what the CAD's log holds afterwards, its window state, and
// the bound on a CAD busy in SendCommand. Run once in process and once by a local server.
#pragma once

#include "cad/cad_connection.h"
#include "cad/nanocad_com_win.h"
#include "win/standin/cad_objects.h"
#include "win/utf16_lines.h"
#include "win/win_check.h"

#include <oleauto.h>
#include <windows.h>

#include <string>
#include <thread>
#include <vector>

namespace cad_com {

using namespace quillon;

inline std::wstring ProgramFolder() {
    wchar_t path[MAX_PATH];
    const DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring s(path, n);
    return s.substr(0, s.rfind(L'\\'));
}

inline std::wstring TempFile(const wchar_t* name) {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    return std::wstring(temp) + name;
}

inline const wchar_t kClassKey[] =
    L"Software\\Classes\\CLSID\\{449354E9-CDD8-4A11-BD82-0D4A3C21E7D2}";
inline const GUID kLibrary = {
    0x5E0C6A41, 0x7D3B, 0x4C1E, {0x9A, 0x52, 0x31, 0x6B, 0x0F, 0x8E, 0x22, 0xA7}};

inline bool SetValue(HKEY key, const wchar_t* name, const std::wstring& value) {
    return RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                          DWORD((value.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
}

// The application interface described by a type library of its own (dual, derived from
// IDispatch), registered so that COM marshals it between processes.
inline bool RegisterInterface() {
    const std::wstring file = TempFile(L"quillon_standin_cad.tlb");
    ICreateTypeLib2* lib = nullptr;
    ITypeLib* stdole = nullptr;
    ITypeInfo* dispatch = nullptr;
    ICreateTypeInfo* info = nullptr;
    HREFTYPE base = 0;
    bool ok = SUCCEEDED(CreateTypeLib2(SYS_WIN64, file.c_str(), &lib)) &&
              SUCCEEDED(lib->SetGuid(kLibrary)) && SUCCEEDED(lib->SetVersion(1, 0)) &&
              SUCCEEDED(lib->SetName(const_cast<LPOLESTR>(L"StandInCad"))) &&
              SUCCEEDED(LoadTypeLib(L"stdole2.tlb", &stdole)) &&
              SUCCEEDED(stdole->GetTypeInfoOfGuid(IID_IDispatch, &dispatch)) &&
              SUCCEEDED(lib->CreateTypeInfo(const_cast<LPOLESTR>(L"InanoCADApplication"),
                                            TKIND_INTERFACE, &info)) &&
              SUCCEEDED(info->SetGuid(standin::kApplicationInterface)) &&
              SUCCEEDED(info->SetTypeFlags(TYPEFLAG_FDUAL | TYPEFLAG_FOLEAUTOMATION)) &&
              SUCCEEDED(info->AddRefTypeInfo(dispatch, &base)) &&
              SUCCEEDED(info->AddImplType(0, base)) && SUCCEEDED(info->LayOut()) &&
              SUCCEEDED(lib->SaveAllChanges());
    if (info) info->Release();
    if (dispatch) dispatch->Release();
    if (stdole) stdole->Release();
    if (lib) lib->Release();
    ITypeLib* saved = nullptr;
    ok = ok && SUCCEEDED(LoadTypeLibEx(file.c_str(), REGKIND_NONE, &saved)) &&
         SUCCEEDED(RegisterTypeLib(saved, const_cast<LPOLESTR>(file.c_str()), nullptr));
    if (saved) saved->Release();
    return ok;
}

// The application class served by the stand-in DLL, or by the stand-in program as a local
// server; where Wine reads COM's registrations.
inline bool RegisterStandIn(bool inProcess) {
    HKEY key = nullptr;
    const std::wstring sub =
        std::wstring(kClassKey) + (inProcess ? L"\\InprocServer32" : L"\\LocalServer32");
    if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, sub.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &key,
                        nullptr) != ERROR_SUCCESS)
        return false;
    const bool ok =
        inProcess ? SetValue(key, nullptr, ProgramFolder() + L"\\standin_cad.dll") &&
                        SetValue(key, L"ThreadingModel", L"Apartment")
                  : SetValue(key, nullptr, L'"' + ProgramFolder() + L"\\standin_cad_server.exe\"");
    RegCloseKey(key);
    return ok && RegisterInterface();
}

inline void Unregister() {
    RegDeleteTreeW(HKEY_LOCAL_MACHINE, kClassKey);
    UnRegisterTypeLib(kLibrary, 1, 0, LOCALE_NEUTRAL, SYS_WIN64);
}

// The stand-in program for one case: ended when this goes, asked first, stopped if it does not.
class StandIn {
public:
    explicit StandIn(const std::wstring& options) {
        static int serial = 0;
        const std::wstring events = L"quillon-standin-" + std::to_wstring(GetCurrentProcessId()) +
                                    L'-' + std::to_wstring(++serial);
        ready_ = CreateEventW(nullptr, TRUE, FALSE, (events + L".ready").c_str());
        quit_ = CreateEventW(nullptr, TRUE, FALSE, (events + L".quit").c_str());
        std::wstring line = L"\"" + ProgramFolder() + L"\\standin_cad_server.exe\" --events " +
                            events + L' ' + options;
        STARTUPINFOW si{};
        si.cb = sizeof si;
        if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si,
                            &process_))
            return;
        const HANDLE either[] = {ready_, process_.hProcess};
        serving_ = WaitForMultipleObjects(2, either, FALSE, 20000) == WAIT_OBJECT_0;
    }
    ~StandIn() {
        if (process_.hProcess) {
            SetEvent(quit_);
            if (WaitForSingleObject(process_.hProcess, 3000) != WAIT_OBJECT_0) {
                TerminateProcess(process_.hProcess, 1);
                WaitForSingleObject(process_.hProcess, 5000);
            }
            CloseHandle(process_.hProcess);
            CloseHandle(process_.hThread);
        }
        CloseHandle(ready_);
        CloseHandle(quit_);
    }
    StandIn(const StandIn&) = delete;
    StandIn& operator=(const StandIn&) = delete;
    bool serving() const { return serving_; }

private:
    HANDLE ready_, quit_;
    PROCESS_INFORMATION process_{};
    bool serving_ = false;
};

// The window's state as the CAD reports it: 2 minimised, 3 maximised, 1 otherwise.
inline int WindowState() {
    const HWND w = FindWindowW(nullptr, L"nanoCAD 5");
    return IsIconic(w) ? 2 : IsZoomed(w) ? 3 : 1;
}

// A thread's own last CoUninitialize ends its COM library even after an application object was
// asked for there.
inline void CreateLeavesTheThreadsComAsItWas() {
    std::thread([] {
        const bool initialised = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
        CHECK(!com::NanoCadApplication::Create()); // nothing registered yet
        if (initialised) CoUninitialize();
        const HRESULT again = CoInitializeEx(nullptr, COINIT_MULTITHREADED);
        CHECK_EQ(again, S_OK);
        if (SUCCEEDED(again)) CoUninitialize();
    }).join();
}

inline int Run(bool inProcess) {
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    CreateLeavesTheThreadsComAsItWas();
    if (!CHECK(RegisterStandIn(inProcess))) {
        Unregister();
        return WinCheckSummary();
    }
    const std::wstring log = TempFile(L"quillon_standin_cad.log");
    SetEnvironmentVariableW(L"QUILLON_STANDIN_LOG", log.c_str());
    const std::u16string spaced = u"C:\\図面 ライブラリ\\A&B 部品.dwg",
                         plain = u"C:\\図面\\A&B部品.dwg";
    const struct {
        const wchar_t* options;
        const wchar_t* sleepMs; // in SendCommand
        std::u16string block;
        bool explode;
        InsertOutcome outcome;
        std::vector<std::u16string> log;
        int stateAfter; // 0: no window
    } cases[] = {
        // clang-format off
        {L"", nullptr, spaced, false, InsertOutcome::Sent,
         {u"-C-C", u"-INSERT\r\"C:\\図面 ライブラリ\\A&B 部品.dwg\"\r"}, 1},
        {L"--minimised", nullptr, spaced, true, InsertOutcome::Sent,
         {u"-C-C", u"-INSERT\r\"*C:\\図面 ライブラリ\\A&B 部品.dwg\"\r"}, 3},
        {L"", nullptr, plain, true, InsertOutcome::Sent,
         {u"-C-C", u"-INSERT\r*C:\\図面\\A&B部品.dwg\r"}, 1},
        {L"--no-window", nullptr, spaced, false, InsertOutcome::NoCad, {}, 0},
        {L"--disabled", nullptr, spaced, false, InsertOutcome::NoCad, {}, 1},
        // Busy with the first command: the rest is not sent, the insertion ends within its bound.
        {L"", L"60000", spaced, false, InsertOutcome::CommandFailed, {u"-C-C"}, 1},
        // clang-format on
    };
    for (const auto& c : cases) {
        DeleteFileW(log.c_str());
        SetEnvironmentVariableW(L"QUILLON_STANDIN_SLEEP_MS", c.sleepMs);
        StandIn cad(std::wstring(c.options) + (inProcess ? L" --no-server" : L""));
        if (!CHECK(cad.serving())) continue;
        const ULONGLONG start = GetTickCount64();
        CadSession session;
        InsertOutcome outcome = OpenCadSession(session, kCadTitle);
        outcome = FinishCadSession(session, outcome,
                                   {CancelCommand(), InsertCommand(c.block, c.explode)});
        CHECK(GetTickCount64() - start < 20000);
        CHECK_EQ(outcome, c.outcome);
        CHECK(Utf16Lines<char16_t>(log) == c.log); // every text the document was sent
        if (c.stateAfter) CHECK_EQ(WindowState(), c.stateAfter);
        if (c.sleepMs) {
            // The CAD still busy: connecting again ends within the bound as well. In process the
            // object lives in the caller's new apartment and answers.
            const ULONGLONG again = GetTickCount64();
            CadSession s;
            CHECK_EQ(OpenCadSession(s, kCadTitle),
                     inProcess ? InsertOutcome::Sent : InsertOutcome::NoAnswer);
            s = {};
            CHECK(GetTickCount64() - again < 20000);
        }
    }
    Unregister();
    DeleteFileW(log.c_str());
    return WinCheckSummary();
}

} // namespace cad_com
