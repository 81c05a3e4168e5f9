#include "app/directory_list_file.h"

#include "app/settings_file.h"
#include "dxf/code_page.h"
#include "dxf/text_decoding.h"

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

unsigned UnmarkedCodePage(ListEncoding encoding) {
    return encoding == ListEncoding::Cp932 ? 932 : SystemCodePage();
}

} // namespace

bool LoadDirectoryList(const QString& path, DirectoryListFile& list) {
    list = {};
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return false;
    QByteArray bytes = f.readAll();
    const Mark* mark = nullptr;
    for (const Mark& m : kMarks)
        if (!mark && bytes.startsWith(m.bytes)) mark = &m;
    if (mark) {
        list.encoding = mark->encoding;
        bytes.remove(0, mark->bytes.size());
    } else if (UnmarkedTextCodePage(bytes) != SystemCodePage()) {
        list.encoding = ListEncoding::Cp932;
    }
    QString text = mark ? QStringDecoder(mark->converter)(bytes)
                        : FromCodePage(std::string_view(bytes.constData(), size_t(bytes.size())),
                                       UnmarkedCodePage(list.encoding));
    text.replace(QLatin1String("\r\n"), QLatin1String("\n")).replace(u'\r', u'\n');
    if (text.endsWith(u'\n')) text.chop(1);
    if (!bytes.isEmpty()) list.entries = text.split(u'\n');
    return true;
}

bool SaveDirectoryList(const QString& path, const DirectoryListFile& list) {
    const Mark* mark = nullptr;
    for (const Mark& m : kMarks)
        if (m.encoding == list.encoding) mark = &m;
    QString text;
    for (const QString& e : list.entries) text += e + QLatin1String("\r\n");
    const QByteArray bytes = mark ? mark->bytes + QByteArray(QStringEncoder(mark->converter)(text))
                                  : ToCodePage(text, UnmarkedCodePage(list.encoding));
    return WriteFileAtomically(path, bytes);
}

} // namespace quillon
