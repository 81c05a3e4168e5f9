// The registered folders: entries "title | folder" kept in the order the drop-down list shows.
#pragma once

#include <QStringList>

namespace quillon {

// Sorted as the list shows them: by the locale, without regard to case; equal ones keep their
// order.
void SortRegisteredFolders(QStringList& entries);

// The entry equal to the text without regard to case; -1 when none.
int FindRegisteredFolder(const QStringList& entries, const QString& text);

// An entry split at its first "|": the title before it and the folder after it, each without
// surrounding blanks and control characters. False when the entry has no "|".
bool SplitRegisteredFolder(const QString& entry, QString& title, QString& folder);

// "title | folder", the title as typed.
QString RegisteredFolderEntry(const QString& title, const QString& folder);

} // namespace quillon
