// One folder's entries as the system lists them, with the kind the listing itself tells, so that
// walking a large library costs one read of each folder and no look-up per file (one file per
// platform). Names are in the system's own form: bytes on POSIX, UTF-16 on Windows.
#pragma once

#include <filesystem>
#include <vector>

namespace quillon {

using NativeString = std::filesystem::path::string_type;

struct FolderEntry {
    enum Kind { Folder, File, Other }; // a link to a folder is Other: walks never follow one
    NativeString name;
    Kind kind = Other;
};

// The entries of the folder, without "." and ".."; false when it cannot be read.
bool ListFolder(const NativeString& folder, std::vector<FolderEntry>& entries);

} // namespace quillon
