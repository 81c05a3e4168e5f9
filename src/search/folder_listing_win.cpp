#include "search/folder_listing.h"

#include <windows.h>

namespace quillon {

bool ListFolder(const NativeString& folder, std::vector<FolderEntry>& entries) {
    std::wstring pattern = folder;
    if (!pattern.empty() && pattern.back() != L'\\' && pattern.back() != L'/') pattern += L'\\';
    pattern += L'*';
    WIN32_FIND_DATAW found;
    const HANDLE find = FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &found,
                                         FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH);
    if (find == INVALID_HANDLE_VALUE) return GetLastError() == ERROR_FILE_NOT_FOUND;
    do {
        const std::wstring name = found.cFileName;
        if (name == L"." || name == L"..") continue;
        const DWORD a = found.dwFileAttributes;
        // A junction or a link to a folder is a reparse point with the folder attribute.
        const FolderEntry::Kind kind =
            (a & FILE_ATTRIBUTE_DIRECTORY)
                ? ((a & FILE_ATTRIBUTE_REPARSE_POINT) ? FolderEntry::Other : FolderEntry::Folder)
                : FolderEntry::File;
        entries.push_back({name, kind});
    } while (FindNextFileW(find, &found));
    const bool whole = GetLastError() == ERROR_NO_MORE_FILES;
    FindClose(find);
    return whole;
}

} // namespace quillon
