// The stand-in converter of the Windows tests: takes the converter's seven parameters (input
// folder, output folder, version, type, recurse, audit, file filter) and writes them, one a line
// in UTF-16, into the output file the converter would write: the output folder's file named as
// the filter with the type as its extension. The version "sleep" makes it wait a minute first,
// "259" makes it end with the code that also means "still running".
#include <windows.h>

#include <cwctype>
#include <string>

int wmain(int argc, wchar_t** argv) {
    if (argc != 8) return 2;
    const std::wstring version = argv[3];
    if (version == L"sleep") Sleep(60000);
    std::wstring name = argv[7], type = argv[4];
    name = name.substr(0, name.rfind(L'.'));
    for (wchar_t& c : type) c = wchar_t(std::towlower(c));
    std::wstring path = argv[2];
    if (!path.empty() && path.back() != L'\\') path += L'\\';
    path += name + L'.' + type;
    std::wstring text;
    for (int i = 1; i < argc; ++i) text += std::wstring(argv[i]) + L'\n';
    const HANDLE f =
        CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (f == INVALID_HANDLE_VALUE) return 3;
    DWORD written = 0;
    WriteFile(f, text.data(), DWORD(text.size() * sizeof(wchar_t)), &written, nullptr);
    CloseHandle(f);
    return version == L"259" ? 259 : 0;
}
