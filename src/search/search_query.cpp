#include "search/search_query.h"

#include "search/wildcard.h"

#include <functional>

namespace quillon {

namespace {

bool IsAscii(QStringView s) {
    for (const QChar c : s)
        if (c.unicode() >= 0x80) return false;
    return true;
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
        if (wild_[size_t(i)] ? !WildcardMatch(folded, words_[i], true, std::equal_to<>())
                             : !folded.contains(words_[i]))
            return false;
    return !words_.isEmpty();
}

} // namespace quillon
