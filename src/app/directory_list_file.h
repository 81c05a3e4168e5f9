// The registered-folder list: one entry per line. A byte-order mark found when it is read is
// written back with it; without one the text is in the system code page (UTF-8 here).
#pragma once

#include <QStringList>

namespace quillon {

// System: the system's code page without a mark; Cp932: page 932 without a mark, found where the
// system's page is UTF-8 (a list carried over from an older Windows install).
enum class ListEncoding { System, Utf8Bom, Utf16LeBom, Utf16BeBom, Cp932 };

struct DirectoryListFile {
    QStringList entries;
    ListEncoding encoding = ListEncoding::System;
};

// Entries of the file (lines split at CR LF, CR or LF); false when the file does not exist.
bool LoadDirectoryList(const QString& path, DirectoryListFile& list);

// Writes every entry followed by CR LF, in the list's encoding, atomically.
bool SaveDirectoryList(const QString& path, const DirectoryListFile& list);

} // namespace quillon
