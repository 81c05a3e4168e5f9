#include "app/directory_list_file.h"

#include "app/settings_file.h"

#include <QFile>
#include <QStringDecoder>
#include <QStringEncoder>

namespace quillon {

namespace {

struct Mark {
    ListEncoding encoding;
    QByteArray bytes;
    QStringConverter::Encoding converter;
};

const Mark kMarks[] = {
    {ListEncoding::Utf8Bom, QByteArray("\xEF\xBB\xBF"), QStringConverter::Utf8},
    {ListEncoding::Utf16LeBom, QByteArray("\xFF\xFE"), QStringConverter::Utf16LE},
    {ListEncoding::Utf16BeBom, QByteArray("\xFE\xFF"), QStringConverter::Utf16BE},
};

} // namespace

bool LoadDirectoryList(const QString& path, DirectoryListFile& list) {
    list = {};
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return false;
    QByteArray bytes = f.readAll();
    QStringConverter::Encoding converter = QStringConverter::System;
    for (const Mark& m : kMarks)
        if (bytes.startsWith(m.bytes)) {
            list.encoding = m.encoding;
            converter = m.converter;
            bytes.remove(0, m.bytes.size());
            break;
        }
    QStringDecoder decode(converter);
    QString text = decode(bytes);
    text.replace(QLatin1String("\r\n"), QLatin1String("\n")).replace(u'\r', u'\n');
    if (text.endsWith(u'\n')) text.chop(1);
    if (!bytes.isEmpty()) list.entries = text.split(u'\n');
    return true;
}

bool SaveDirectoryList(const QString& path, const DirectoryListFile& list) {
    QStringConverter::Encoding converter = QStringConverter::System;
    QByteArray bytes;
    for (const Mark& m : kMarks)
        if (m.encoding == list.encoding) {
            converter = m.converter;
            bytes = m.bytes;
        }
    QString text;
    for (const QString& e : list.entries) text += e + QLatin1String("\r\n");
    QStringEncoder encode(converter);
    bytes += QByteArray(encode(text));
    return WriteFileAtomically(path, bytes);
}

} // namespace quillon
