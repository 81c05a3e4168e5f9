// sources: src/search/folder_listing_win.cpp
// One folder listed as Windows lists it: folders and files told apart, Japanese names whole, a
// folder link not walked into, a folder that is not there refused.
#include "search/folder_listing.h"
#include "win/win_check.h"

#include <windows.h>

#include <algorithm>
#include <string>

using namespace quillon;

namespace {

void MakeFile(const std::wstring& path) {
    const HANDLE h = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                 FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
}

FolderEntry::Kind KindOf(const std::vector<FolderEntry>& entries, const std::wstring& name) {
    const auto e = std::find_if(entries.begin(), entries.end(),
                                [&](const FolderEntry& f) { return f.name == name; });
    return e == entries.end() ? FolderEntry::Kind(-1) : e->kind;
}

} // namespace

int main() {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    const std::wstring root =
        std::wstring(temp) + L"quillon-listing-" + std::to_wstring(GetCurrentProcessId());
    CreateDirectoryW(root.c_str(), nullptr);
    CreateDirectoryW((root + L"\\部品 フォルダ").c_str(), nullptr);
    MakeFile(root + L"\\ボルト M8.dxf");
    MakeFile(root + L"\\a.DWG");
    const bool linked = CreateSymbolicLinkW((root + L"\\link").c_str(), root.c_str(),
                                            SYMBOLIC_LINK_FLAG_DIRECTORY) != FALSE;

    std::vector<FolderEntry> entries;
    CHECK(ListFolder(root, entries));
    CHECK_EQ(std::count_if(entries.begin(), entries.end(),
                           [](const FolderEntry& e) { return e.name != L"link"; }),
             3); // without "." and ".."
    CHECK_EQ(KindOf(entries, L"部品 フォルダ"), FolderEntry::Folder);
    CHECK_EQ(KindOf(entries, L"ボルト M8.dxf"), FolderEntry::File);
    CHECK_EQ(KindOf(entries, L"a.DWG"), FolderEntry::File);
    CHECK(KindOf(entries, L"link") != FolderEntry::Folder); // left out, or not to walk into

    std::vector<FolderEntry> empty;
    CHECK(ListFolder(root + L"\\部品 フォルダ\\", empty)); // an empty folder, a closing separator
    CHECK(empty.empty());
    std::vector<FolderEntry> none;
    CHECK(!ListFolder(root + L"\\gone", none));

    if (linked) RemoveDirectoryW((root + L"\\link").c_str());
    DeleteFileW((root + L"\\ボルト M8.dxf").c_str());
    DeleteFileW((root + L"\\a.DWG").c_str());
    RemoveDirectoryW((root + L"\\部品 フォルダ").c_str());
    RemoveDirectoryW(root.c_str());
    return WinCheckSummary();
}
