// The settings file: a Windows-profile INI ("[Section]", "key=value"; names without regard to
// case), read once and written atomically; a save keeps every line it does not write.
#pragma once

#include <QString>
#include <memory>

namespace quillon {

class SettingsFile {
public:
    SettingsFile();
    ~SettingsFile();

    void load(const QString& path); // a missing or unreadable file reads as empty
    bool save(const QString& path) const;

    int readInteger(const char* section, const char* key, int fallback) const;
    bool readBool(const char* section, const char* key, bool fallback) const;
    QString readString(const char* section, const char* key, const QString& fallback) const;

    void writeInteger(const char* section, const char* key, int value);
    void writeBool(const char* section, const char* key, bool value);
    void writeString(const char* section, const char* key, const QString& value);

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

// The code page of a text file without a byte-order mark: the system's, except that where the
// system's is UTF-8 a file that is not valid UTF-8 was written by an older Windows install, in
// the Japanese ANSI page 932; it is read and written back in it, so no line is lost.
unsigned UnmarkedTextCodePage(const QByteArray& bytes);

// Writes bytes to a file through a temporary file in the same folder and a rename.
bool WriteFileAtomically(const QString& path, const QByteArray& bytes);

} // namespace quillon
