// The shared corpus of real drawings, read in place: QUILLON_CORPUS (environment) when set, else
// the corpus folder beside the repository. A clone without it skips the corpus tests, unless
// QUILLON_REQUIRE_CORPUS=1 makes an absent corpus a failure.
#pragma once

#include <QFile>
#include <QFileInfo>
#include <QString>
#include <QStringList>
#include <gtest/gtest.h>

namespace quillon::test {

struct CorpusFile {
    QString path; // absolute
    QString acadver, encoding, notes;
};

inline QString CorpusFolder() {
    const QString env = qEnvironmentVariable("QUILLON_CORPUS");
    return env.isEmpty() ? QStringLiteral(QUILLON_CORPUS) : env;
}

inline bool CorpusRequired() {
    return qEnvironmentVariable("QUILLON_REQUIRE_CORPUS") == QLatin1String("1");
}

// Every file of MANIFEST.tsv whose path ends with the given extension (".dxf", ".dwg").
inline QList<CorpusFile> CorpusFiles(const QString& extension) {
    QList<CorpusFile> out;
    const QString root = CorpusFolder();
    QFile f(root + QStringLiteral("/MANIFEST.tsv"));
    if (!f.open(QIODevice::ReadOnly)) return out;
    f.readLine(); // column names
    while (!f.atEnd()) {
        const QStringList cols = QString::fromUtf8(f.readLine()).trimmed().split('\t');
        if (cols.size() < 8 || !cols[0].endsWith(extension, Qt::CaseInsensitive)) continue;
        out.append({root + u'/' + cols[0], cols[5], cols[6], cols[7]});
    }
    return out;
}

} // namespace quillon::test

// Declares `files`, the corpus files with the extension; skips the test when the corpus is absent
// (fails instead when it is required) and fails when fewer than `minimum` files are listed.
#define QUILLON_CORPUS_FILES(files, extension, minimum)                                            \
    if (!QFileInfo::exists(quillon::test::CorpusFolder() + "/MANIFEST.tsv")) {                     \
        if (quillon::test::CorpusRequired())                                                       \
            FAIL() << "corpus required but not found at "                                          \
                   << quillon::test::CorpusFolder().toStdString();                                 \
        GTEST_SKIP() << "corpus not found at " << quillon::test::CorpusFolder().toStdString();     \
    }                                                                                              \
    const auto files = quillon::test::CorpusFiles(extension);                                      \
    ASSERT_GE(files.size(), minimum) << "corpus manifest lists too few " << extension << " files"
