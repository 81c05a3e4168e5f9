// What the user typed into the search line, as a test of names and texts: every word must occur,
// in any order, case-insensitively, with full-width and half-width forms equal; `*` stands for any
// run of characters and `?` for one.
#pragma once

#include <QString>
#include <QStringList>

namespace quillon {

// The form names and texts are compared in: compatibility forms folded (ＡＢＣ to ABC, ｶﾞ to ガ),
// then case folded.
QString FoldForMatch(QStringView text);

class SearchQuery {
public:
    explicit SearchQuery(QStringView typed = {});
    bool empty() const { return words_.isEmpty(); }
    // `folded` is already in FoldForMatch's form.
    bool matchesFolded(QStringView folded) const;
    bool matches(QStringView text) const { return matchesFolded(FoldForMatch(text)); }

private:
    QStringList words_; // folded; a word with wildcards is held as "*word*"
    std::vector<bool> wild_;
};

} // namespace quillon
