// The registered-folder list: one entry per line. A byte-order mark found when it is read is
// written back with it; without one the text is in the system code page (UTF-8 here).
#pragma once

#include <QStringList>

namespace quillon {

enum class ListEncoding { System, Utf8Bom, Utf16LeBom, Utf16BeBom };

struct DirectoryListFile {
    QStringList entries;
    ListEncoding encoding = ListEncoding::System;
};

// Entries of the file (lines split at CR LF, CR or LF); false when the file does not exist.
bool LoadDirectoryList(const QString& path, DirectoryListFile& list);

// Writes every entry followed by CR LF, in the list's encoding, atomically.
bool SaveDirectoryList(const QString& path, const DirectoryListFile& list);

} // namespace quillon
