// The shared corpus of real drawings, read in place.
#pragma once

#include <QFile>
#include <QString>
#include <QStringList>

namespace quillon::test {

struct CorpusFile {
    QString path; // absolute
    QString acadver, encoding, notes;
};

// Every file of MANIFEST.tsv whose path ends with the given extension (".dxf", ".dwg").
inline QList<CorpusFile> CorpusFiles(const QString& extension) {
    QList<CorpusFile> out;
    QFile f(QStringLiteral(QUILLON_CORPUS "/MANIFEST.tsv"));
    if (!f.open(QIODevice::ReadOnly)) return out;
    f.readLine(); // column names
    while (!f.atEnd()) {
        const QStringList cols = QString::fromUtf8(f.readLine()).trimmed().split('\t');
        if (cols.size() < 8 || !cols[0].endsWith(extension, Qt::CaseInsensitive)) continue;
        out.append({QStringLiteral(QUILLON_CORPUS "/") + cols[0], cols[5], cols[6], cols[7]});
    }
    return out;
}

} // namespace quillon::test
