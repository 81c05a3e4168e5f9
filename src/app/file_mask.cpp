#include "app/file_mask.h"

#include "search/wildcard.h"

namespace quillon {

namespace {

bool SameChar(QChar a, QChar b) {
    return a == b || a.toCaseFolded() == b.toCaseFolded();
}

bool MatchesPattern(const QString& name, const QString& pattern) {
    return WildcardMatch(name, pattern, false, SameChar);
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
