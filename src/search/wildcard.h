// Wildcard matching of a whole text: `*` stands for any run of characters and, where asked, `?`
// for any one. On a mismatch the last star takes one more character, so the work stays within
// the product of the two lengths (linear in practice).
#pragma once

#include <QStringView>

namespace quillon {

template <class Same>
bool WildcardMatch(QStringView text, QStringView pattern, bool questionMark, Same same) {
    qsizetype t = 0, p = 0, star = -1, resume = 0;
    while (t < text.size()) {
        if (p < pattern.size() && pattern[p] == u'*') {
            star = p++;
            resume = t;
        } else if (p < pattern.size() &&
                   ((questionMark && pattern[p] == u'?') || same(pattern[p], text[t]))) {
            ++p, ++t;
        } else if (star >= 0) {
            p = star + 1;
            t = ++resume;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == u'*') ++p;
    return p == pattern.size();
}

} // namespace quillon
