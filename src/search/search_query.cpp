#include "search/search_query.h"

namespace quillon {

namespace {

bool IsAscii(QStringView s) {
    for (const QChar c : s)
        if (c.unicode() >= 0x80) return false;
    return true;
}

// Whether the whole of `text` matches `pattern`; the last star matched is widened one character at
// a time when the rest fails, which keeps the work at most the product of the two lengths.
bool GlobMatch(QStringView text, QStringView pattern) {
    qsizetype t = 0, p = 0, starP = -1, starT = 0;
    while (t < text.size()) {
        if (p < pattern.size() && (pattern[p] == u'?' || pattern[p] == text[t])) {
            ++t;
            ++p;
        } else if (p < pattern.size() && pattern[p] == u'*') {
            starP = p++;
            starT = t;
        } else if (starP >= 0) {
            p = starP + 1;
            t = ++starT;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == u'*') ++p;
    return p == pattern.size();
}

} // namespace

QString FoldForMatch(QStringView text) {
    if (IsAscii(text)) return text.toString().toLower();
    return text.toString().normalized(QString::NormalizationForm_KC).toCaseFolded();
}

SearchQuery::SearchQuery(QStringView typed) {
    for (const QString& word : FoldForMatch(typed).split(u' ', Qt::SkipEmptyParts)) {
        const bool wild = word.contains(u'*') || word.contains(u'?');
        words_.append(wild ? u'*' + word + u'*' : word);
        wild_.push_back(wild);
    }
}

bool SearchQuery::matchesFolded(QStringView folded) const {
    for (qsizetype i = 0; i < words_.size(); ++i)
        if (wild_[size_t(i)] ? !GlobMatch(folded, words_[i]) : !folded.contains(words_[i]))
            return false;
    return !words_.isEmpty();
}

} // namespace quillon
