// The registered folders: entries "title | folder" kept in the order the drop-down list shows.
#pragma once

#include <QStringList>

namespace quillon {

// Sorted as the list shows them: by the locale, without regard to case; equal ones keep their
// order.
void SortRegisteredFolders(QStringList& entries);

// The entry equal to the text without regard to case; -1 when none.
int FindRegisteredFolder(const QStringList& entries, const QString& text);

} // namespace quillon
