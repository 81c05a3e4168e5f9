// Test fixtures written to a real temporary folder.
#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <initializer_list>
#include <ostream>
#include <utility>

// Readable test failure output for Qt strings.
inline void PrintTo(const QString& s, std::ostream* os) {
    *os << '"' << s.toStdString() << '"';
}
inline void PrintTo(const QStringList& l, std::ostream* os) {
    *os << '[' << l.join("\", \"").toStdString() << ']';
}

namespace quillon::test {

// A file's bytes; none when it cannot be read.
inline QByteArray FileBytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

class TempFolder {
public:
    QString path() const { return dir_.path(); }
    QString file(const QString& name) const { return dir_.filePath(name); }

    QString write(const QString& name, const QByteArray& bytes) const {
        const QString p = file(name);
        QDir().mkpath(QFileInfo(p).absolutePath());
        QFile f(p);
        if (f.open(QIODevice::WriteOnly)) f.write(bytes);
        return p;
    }

private:
    QTemporaryDir dir_;
};

// A DXF text from (code, value) pairs, one line each, LF line ends.
inline QByteArray Dxf(std::initializer_list<std::pair<int, const char*>> pairs) {
    QByteArray out;
    for (const auto& [code, value] : pairs) {
        out += QByteArray::number(code) + '\n';
        out += QByteArray(value) + '\n';
    }
    return out;
}

// A DXF text from a compact one: codes and values separated by blanks, a value with blanks in
// double quotes: DxfOf("0 LINE 10 0 20 0 11 5 21 2 0 TEXT 1 \"two words\"").
inline QByteArray DxfOf(const char* compact) {
    QByteArray out;
    const QByteArray text(compact);
    for (qsizetype i = 0; i < text.size();) {
        if (text[i] == ' ' || text[i] == '\n') {
            ++i;
            continue;
        }
        qsizetype end;
        QByteArray token;
        if (text[i] == '"') {
            end = text.indexOf('"', i + 1);
            if (end < 0) end = text.size();
            token = text.mid(i + 1, end - i - 1);
            ++end;
        } else {
            end = i;
            while (end < text.size() && text[end] != ' ' && text[end] != '\n') ++end;
            token = text.mid(i, end - i);
        }
        out += token + '\n';
        i = end;
    }
    return out;
}

// Wraps entity pairs into an ENTITIES section and EOF.
inline QByteArray EntitiesSection(const QByteArray& body) {
    return Dxf({{0, "SECTION"}, {2, "ENTITIES"}}) + body + Dxf({{0, "ENDSEC"}, {0, "EOF"}});
}

} // namespace quillon::test
