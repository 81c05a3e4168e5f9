// sources: src/dxf/read_only_file_win.cpp
// The reader's file on Windows: read whole, also by two threads at once; still readable while
// another handle writes it, and its shortening seen as a shorter read; not opened while another
// handle keeps it from being read; busy, not failed, while another program holds it.
#include "dxf/read_only_file.h"
#include "win/win_check.h"

#include <windows.h>

#include <string>
#include <thread>
#include <vector>

using namespace quillon;

namespace {

std::vector<char> Pattern(size_t n) {
    std::vector<char> bytes(n);
    for (size_t i = 0; i < n; ++i) bytes[i] = char(i * 7 % 253);
    return bytes;
}

bool Write(const std::wstring& path, const std::vector<char>& bytes) {
    const HANDLE f =
        CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD n = 0;
    const bool ok = f != INVALID_HANDLE_VALUE &&
                    WriteFile(f, bytes.data(), DWORD(bytes.size()), &n, nullptr) &&
                    n == bytes.size();
    CloseHandle(f);
    return ok;
}

// The whole file as the reader reads it, or nothing when it does not open or read.
std::vector<char> ReadWhole(const std::wstring& path) {
    const ReadOnlyFile file(path);
    const int64_t size = file.isOpen() ? file.size() : -1;
    if (size < 0) return {};
    std::vector<char> bytes(static_cast<size_t>(size));
    const int64_t n = file.readAt(bytes.data(), bytes.size(), 0);
    if (n < 0) return {};
    bytes.resize(size_t(n));
    return bytes;
}

std::wstring ProgramFolder() {
    wchar_t path[MAX_PATH];
    const DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring s(path, n);
    return s.substr(0, s.rfind(L'\\'));
}

// While file_holder.exe (beside this test) holds the file sharing nothing, the file is busy; once
// the holder has ended, it opens and reads whole.
void CheckHeldByAnotherProgram(const std::wstring& path, const std::vector<char>& bytes) {
    const wchar_t* const eventName = L"quillon-file-holder-ready";
    const HANDLE ready = CreateEventW(nullptr, TRUE, FALSE, eventName);
    std::wstring command =
        L"\"" + ProgramFolder() + L"\\file_holder.exe\" \"" + path + L"\" " + eventName;
    STARTUPINFOW start{};
    start.cb = sizeof(start);
    PROCESS_INFORMATION holder{};
    CHECK(CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                         &start, &holder));
    const HANDLE waits[] = {ready, holder.hProcess};
    CHECK_EQ(WaitForMultipleObjects(2, waits, FALSE, 30000), WAIT_OBJECT_0);
    CHECK(ReadOnlyFile(path).access() == FileAccess::busy);
    CHECK(TerminateProcess(holder.hProcess, 0));
    CHECK_EQ(WaitForSingleObject(holder.hProcess, 30000), WAIT_OBJECT_0);
    CloseHandle(holder.hThread);
    CloseHandle(holder.hProcess);
    CloseHandle(ready);
    CHECK(ReadOnlyFile(path).access() == FileAccess::opened);
    CHECK(ReadWhole(path) == bytes);
}

} // namespace

int main() {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    const std::wstring path = std::wstring(temp) + L"図面 R&D.dxf";
    const std::vector<char> bytes = Pattern((size_t(3) << 20) + 11);
    CHECK(Write(path, bytes));
    CHECK(ReadWhole(path) == bytes);

    {
        const ReadOnlyFile file(path);
        CHECK_EQ(file.size(), int64_t(bytes.size()));
        std::vector<char> halves(bytes.size());
        const size_t half = bytes.size() / 2;
        int64_t got[2] = {0, 0};
        std::thread second([&] {
            got[1] = file.readAt(halves.data() + half, halves.size() - half, int64_t(half));
        });
        got[0] = file.readAt(halves.data(), half, 0);
        second.join();
        CHECK_EQ(got[0], int64_t(half));
        CHECK_EQ(got[1], int64_t(bytes.size() - half));
        CHECK(halves == bytes);
        char tail[100];
        CHECK_EQ(file.readAt(tail, sizeof(tail), int64_t(bytes.size()) - 10), 10);
        CHECK_EQ(file.readAt(tail, sizeof(tail), int64_t(bytes.size())), 0);
        CHECK_EQ(file.readAt(tail, sizeof(tail), int64_t(bytes.size()) + 5), 0);
    }

    // Another handle on the file: whether the reader opens it.
    const struct {
        DWORD access, share;
        bool opens;
    } others[] = {
        {GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, true},
        {GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, true},
        {GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_DELETE, true},
        {GENERIC_READ, 0, false},
        {GENERIC_WRITE, FILE_SHARE_WRITE, false},
    };
    for (const auto& other : others) {
        const HANDLE h = CreateFileW(path.c_str(), other.access, other.share, nullptr,
                                     OPEN_EXISTING, 0, nullptr);
        CHECK(h != INVALID_HANDLE_VALUE);
        const ReadOnlyFile file(path);
        CHECK(file.access() == (other.opens ? FileAccess::opened : FileAccess::busy));
        if (other.opens) CHECK(ReadWhole(path) == bytes);
        CloseHandle(h);
    }

    // Shortened by a writer while it is open: the read ends where the file now ends.
    {
        const ReadOnlyFile file(path);
        const HANDLE writer = CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                          OPEN_EXISTING, 0, nullptr);
        LARGE_INTEGER half;
        half.QuadPart = LONGLONG(bytes.size() / 2);
        CHECK(SetFilePointerEx(writer, half, nullptr, FILE_BEGIN) && SetEndOfFile(writer));
        CloseHandle(writer);
        std::vector<char> got(bytes.size());
        CHECK_EQ(file.readAt(got.data(), got.size(), 0), int64_t(bytes.size() / 2));
        CHECK(std::equal(bytes.begin(), bytes.begin() + bytes.size() / 2, got.begin()));
    }

    CheckHeldByAnotherProgram(path,
                              std::vector<char>(bytes.begin(), bytes.begin() + bytes.size() / 2));

    const ReadOnlyFile missing(std::wstring(temp) + L"no such drawing.dxf");
    CHECK(missing.access() == FileAccess::failed);
    char byte;
    CHECK_EQ(missing.size(), -1);
    CHECK_EQ(missing.readAt(&byte, 1, 0), -1);
    CHECK(DeleteFileW(path.c_str()));
    return WinCheckSummary();
}
