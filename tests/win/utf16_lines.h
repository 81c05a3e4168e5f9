// The lines of a UTF-16 text file that a stand-in wrote, each without its "\n" (Win32 only).
#pragma once

#include <windows.h>

#include <string>
#include <vector>

template <class Char> std::vector<std::basic_string<Char>> Utf16Lines(const std::wstring& path) {
    static_assert(sizeof(Char) == 2);
    std::vector<std::basic_string<Char>> lines;
    const HANDLE f = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                 nullptr, OPEN_EXISTING, 0, nullptr);
    if (f == INVALID_HANDLE_VALUE) return lines;
    std::basic_string<Char> text;
    Char chunk[4096];
    DWORD n = 0;
    while (ReadFile(f, chunk, DWORD(sizeof chunk), &n, nullptr) && n > 0)
        text.append(chunk, n / sizeof(Char));
    CloseHandle(f);
    for (size_t from = 0, to; (to = text.find(Char('\n'), from)) != text.npos; from = to + 1)
        lines.push_back(text.substr(from, to - from));
    return lines;
}
