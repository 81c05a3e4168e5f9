// sources: src/convert/converter_process_win.cpp
// The converter started through the shell: the stand-in converter (standin_converter.exe beside
// this test) gets the seven parameters as the quoted string gives them, blanks, "&", Japanese and
// a drive root included; a start that cannot succeed fails at once without a message box; a
// converter that still runs is stopped.
#include "convert/converter_process_win.h"
#include "win/utf16_lines.h"
#include "win/win_check.h"

#include <windows.h>

#include <string>
#include <vector>

using namespace quillon;

namespace {

std::wstring ProgramFolder() {
    wchar_t path[MAX_PATH];
    const DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring s(path, n);
    return s.substr(0, s.rfind(L'\\'));
}

std::wstring Quoted(const std::vector<std::wstring>& parameters) {
    std::wstring s;
    for (const std::wstring& p : parameters) s += (s.empty() ? L"\"" : L" \"") + p + L'"';
    return s;
}

// Waits for the converter's end, but not for ever: a test must not hang.
bool EndsWithin(ShellConverter& converter, int tries) {
    for (int i = 0; i < tries; ++i)
        if (converter.ended()) return true;
    return false;
}

} // namespace

int main() {
    const std::wstring standIn = ProgramFolder() + L"\\standin_converter.exe";
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    const std::wstring root = std::wstring(temp) + L"quillon R&D 部品";
    const std::wstring input = root + L"\\in & 図面", output = root + L"\\出力 out";
    CreateDirectoryW(root.c_str(), nullptr);
    CreateDirectoryW(input.c_str(), nullptr);
    CreateDirectoryW(output.c_str(), nullptr);

    const struct {
        std::vector<std::wstring> parameters, received;
        const wchar_t* outputName;
    } runs[] = {
        {{input, output, L"ACAD2000", L"DXF", L"0", L"0", L"部品 a&b.dwg"},
         {input, output, L"ACAD2000", L"DXF", L"0", L"0", L"部品 a&b.dwg"},
         L"部品 a&b.dxf"},
        // A root's backslash doubled before its closing quote, or it would escape the quote.
        {{L"C:\\\\", output, L"ACAD2000", L"DWG", L"0", L"0", L"r.dxf"},
         {L"C:\\", output, L"ACAD2000", L"DWG", L"0", L"0", L"r.dxf"},
         L"r.dwg"},
        {{input, output, L"259", L"DXF", L"0", L"0", L"still.dwg"},
         {input, output, L"259", L"DXF", L"0", L"0", L"still.dwg"},
         L"still.dxf"},
    };
    for (const auto& run : runs) {
        const std::wstring result = output + L'\\' + run.outputName;
        DeleteFileW(result.c_str());
        ShellConverter converter;
        CHECK(converter.start(standIn, Quoted(run.parameters), false));
        CHECK(EndsWithin(converter, 30000));
        CHECK(Utf16Lines<wchar_t>(result) == run.received);
    }

    // Neither a missing converter nor a file that is no program starts, and no box waits for OK.
    const std::wstring notAProgram = root + L"\\not a program.exe";
    const HANDLE f =
        CreateFileW(notAProgram.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(f, "text", 4, &written, nullptr);
    CloseHandle(f);
    for (const std::wstring& path : {root + L"\\no converter.exe", notAProgram}) {
        ShellConverter converter;
        CHECK(!converter.start(path, Quoted(runs[0].parameters), false));
    }

    ShellConverter sleeping;
    std::vector<std::wstring> parameters = runs[0].parameters;
    parameters[2] = L"sleep";
    CHECK(sleeping.start(standIn, Quoted(parameters), false));
    CHECK(!sleeping.ended());
    sleeping.stop();
    CHECK(sleeping.ended());
    return WinCheckSummary();
}
