#include "app/file_mask.h"

namespace quillon {

namespace {

bool SameChar(QChar a, QChar b) {
    return a == b || a.toCaseFolded() == b.toCaseFolded();
}

// Linear-time wildcard match with "*" only: on a mismatch the last "*" takes one more character.
bool MatchesPattern(const QString& name, const QString& pattern) {
    qsizetype n = 0, p = 0, star = -1, resume = 0;
    while (n < name.size()) {
        if (p < pattern.size() && pattern[p] == u'*') {
            star = p++;
            resume = n;
        } else if (p < pattern.size() && SameChar(pattern[p], name[n])) {
            ++p, ++n;
        } else if (star >= 0) {
            p = star + 1;
            n = ++resume;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == u'*') ++p;
    return p == pattern.size();
}

} // namespace

QStringList MaskPatterns(const QString& mask) {
    QStringList patterns;
    for (const QString& p : mask.split(u';', Qt::SkipEmptyParts))
        if (!p.trimmed().isEmpty()) patterns << p.trimmed();
    return patterns;
}

bool MatchesMask(const QString& name, const QStringList& patterns) {
    for (const QString& p : patterns)
        if (MatchesPattern(name, p)) return true;
    return false;
}

} // namespace quillon
