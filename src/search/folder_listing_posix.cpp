#include "search/folder_listing.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

namespace quillon {

namespace {

FolderEntry::Kind KindOf(const struct stat& s) {
    return S_ISDIR(s.st_mode)   ? FolderEntry::Folder
           : S_ISREG(s.st_mode) ? FolderEntry::File
                                : FolderEntry::Other;
}

// A link is followed to a file, never to a folder; an entry of unknown type is looked up.
FolderEntry::Kind KindOf(DIR* dir, const dirent& e) {
    struct stat s;
    switch (e.d_type) {
    case DT_DIR: return FolderEntry::Folder;
    case DT_REG: return FolderEntry::File;
    case DT_LNK:
        if (fstatat(dirfd(dir), e.d_name, &s, 0) != 0) return FolderEntry::Other;
        return S_ISREG(s.st_mode) ? FolderEntry::File : FolderEntry::Other;
    case DT_UNKNOWN:
        if (fstatat(dirfd(dir), e.d_name, &s, AT_SYMLINK_NOFOLLOW) != 0) return FolderEntry::Other;
        if (S_ISLNK(s.st_mode)) {
            if (fstatat(dirfd(dir), e.d_name, &s, 0) != 0) return FolderEntry::Other;
            return S_ISREG(s.st_mode) ? FolderEntry::File : FolderEntry::Other;
        }
        return KindOf(s);
    default: return FolderEntry::Other;
    }
}

} // namespace

bool ListFolder(const NativeString& folder, std::vector<FolderEntry>& entries) {
    DIR* dir = opendir(folder.c_str());
    if (!dir) return false;
    errno = 0;
    while (const dirent* e = readdir(dir)) {
        const std::string_view name(e->d_name);
        if (name != "." && name != "..") entries.push_back({std::string(name), KindOf(dir, *e)});
        errno = 0;
    }
    const bool whole = errno == 0;
    closedir(dir);
    return whole;
}

} // namespace quillon
