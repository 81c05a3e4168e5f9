#include "app/settings_file.h"

#include "dxf/code_page.h"
#include "dxf/text_decoding.h"

#include <QFile>
#include <QSaveFile>
#include <QStringDecoder>
#include <QStringList>

namespace quillon {

// The file's lines as they stand: reads look them up, writes change or add only the line of
// their key, so that comments, other sections and their order survive a save.
struct SettingsFile::Impl {
    QStringList lines;
    QString newline = QStringLiteral("\n");
    bool utf8Mark = false; // the file began with a UTF-8 byte-order mark: it is UTF-8, kept so
    unsigned codePage = 0; // the page it was read in, and is written back in

    static QString sectionOf(const QString& line) {
        const QString t = line.trimmed();
        return t.startsWith(u'[') && t.endsWith(u']') ? t.mid(1, t.size() - 2).trimmed()
                                                      : QString();
    }
    static bool isKey(const QString& line, const QString& key) {
        const qsizetype eq = line.indexOf(u'=');
        return eq > 0 && !line.trimmed().startsWith(u';') &&
               line.left(eq).trimmed().compare(key, Qt::CaseInsensitive) == 0;
    }
    // The range of lines of a section after its header: [first, end); first < 0 when absent.
    void section(const QString& name, qsizetype& first, qsizetype& end) const {
        first = end = -1;
        for (qsizetype i = 0; i < lines.size(); ++i) {
            const QString s = sectionOf(lines[i]);
            if (s.isEmpty()) continue;
            if (first >= 0) {
                end = i;
                return;
            }
            if (s.compare(name, Qt::CaseInsensitive) == 0) first = i + 1;
        }
        if (first >= 0) end = lines.size();
    }
    qsizetype find(const char* section, const char* key) const {
        qsizetype first, end;
        this->section(QString::fromUtf8(section), first, end);
        for (qsizetype i = first; first >= 0 && i < end; ++i)
            if (isKey(lines[i], QString::fromUtf8(key))) return i;
        return -1;
    }
};

SettingsFile::SettingsFile() : impl_(std::make_unique<Impl>()) {
#ifdef Q_OS_WIN
    impl_->newline = QStringLiteral("\r\n");
#endif
}
SettingsFile::~SettingsFile() = default;

unsigned UnmarkedTextCodePage(const QByteArray& bytes) {
    const unsigned system = SystemCodePage();
    if (system != kCodePageUtf8) return system;
    QStringDecoder utf8(QStringConverter::Utf8);
    [[maybe_unused]] const QString text = utf8(bytes); // decoding is what sets hasError()
    return utf8.hasError() ? 932 : system;
}

void SettingsFile::load(const QString& path) {
    impl_->lines.clear();
    impl_->utf8Mark = false;
    impl_->codePage = SystemCodePage();
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return;
    static const QByteArray mark("\xEF\xBB\xBF");
    QByteArray bytes = f.readAll();
    impl_->utf8Mark = bytes.startsWith(mark);
    if (impl_->utf8Mark) bytes.remove(0, mark.size());
    impl_->codePage = impl_->utf8Mark ? kCodePageUtf8 : UnmarkedTextCodePage(bytes);
    QString text =
        FromCodePage(std::string_view(bytes.constData(), size_t(bytes.size())), impl_->codePage);
    if (text.contains(QStringLiteral("\r\n"))) impl_->newline = QStringLiteral("\r\n");
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\r', u'\n');
    impl_->lines = text.split(u'\n');
    if (!impl_->lines.isEmpty() && impl_->lines.back().isEmpty()) impl_->lines.removeLast();
}

bool SettingsFile::save(const QString& path) const {
    QString text;
    for (const QString& line : impl_->lines) text += line + impl_->newline;
    return WriteFileAtomically(path, impl_->utf8Mark ? "\xEF\xBB\xBF" + text.toUtf8()
                                                     : ToCodePage(text, impl_->codePage));
}

int SettingsFile::readInteger(const char* section, const char* key, int fallback) const {
    QString text = readString(section, key, QString()).trimmed();
    if (text.startsWith(u'+')) text.remove(0, 1);
    bool ok = false;
    const int value = text.toInt(&ok);
    return ok ? value : fallback;
}

bool SettingsFile::readBool(const char* section, const char* key, bool fallback) const {
    return readInteger(section, key, fallback ? 1 : 0) != 0;
}

QString SettingsFile::readString(const char* section, const char* key,
                                 const QString& fallback) const {
    const qsizetype at = impl_->find(section, key);
    if (at < 0) return fallback;
    const QString& line = impl_->lines[at];
    return line.mid(line.indexOf(u'=') + 1).trimmed();
}

void SettingsFile::writeInteger(const char* section, const char* key, int value) {
    writeString(section, key, QString::number(value));
}

void SettingsFile::writeBool(const char* section, const char* key, bool value) {
    writeInteger(section, key, value ? 1 : 0);
}

void SettingsFile::writeString(const char* section, const char* key, const QString& value) {
    const QString line = QString::fromUtf8(key) + u'=' + value;
    QStringList& lines = impl_->lines;
    if (const qsizetype at = impl_->find(section, key); at >= 0) {
        lines[at] = line;
        return;
    }
    qsizetype first, end;
    impl_->section(QString::fromUtf8(section), first, end);
    if (first < 0) {
        lines << u'[' + QString::fromUtf8(section) + u']' << line;
        return;
    }
    while (end > first && lines[end - 1].trimmed().isEmpty()) --end; // after its last entry
    lines.insert(end, line);
}

bool WriteFileAtomically(const QString& path, const QByteArray& bytes) {
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly)) return false;
    if (f.write(bytes) != bytes.size()) {
        f.cancelWriting();
        return false;
    }
    return f.commit();
}

} // namespace quillon
