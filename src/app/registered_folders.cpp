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

namespace {

QString TrimBlanksAndControls(const QString& text) {
    qsizetype from = 0, to = text.size();
    while (from < to && text[from] <= u' ') ++from;
    while (to > from && text[to - 1] <= u' ') --to;
    return text.mid(from, to - from);
}

} // namespace

bool SplitRegisteredFolder(const QString& entry, QString& title, QString& folder) {
    const qsizetype bar = entry.indexOf(u'|');
    if (bar < 0) return false;
    title = TrimBlanksAndControls(entry.left(bar));
    folder = TrimBlanksAndControls(entry.mid(bar + 1));
    return true;
}

QString RegisteredFolderEntry(const QString& title, const QString& folder) {
    return title + QStringLiteral(" | ") + folder;
}

} // namespace quillon
