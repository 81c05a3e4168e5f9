#include "app/registered_folders.h"

#include <algorithm>

namespace quillon {

void SortRegisteredFolders(QStringList& entries) {
    std::stable_sort(entries.begin(), entries.end(), [](const QString& a, const QString& b) {
        return QString::localeAwareCompare(a.toLower(), b.toLower()) < 0;
    });
}

int FindRegisteredFolder(const QStringList& entries, const QString& text) {
    for (int i = 0; i < entries.size(); ++i)
        if (entries[i].compare(text, Qt::CaseInsensitive) == 0) return i;
    return -1;
}

} // namespace quillon
