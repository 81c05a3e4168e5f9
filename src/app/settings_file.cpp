#include "app/settings_file.h"

#include <QFile>
#include <QSaveFile>
// Narrow (UTF-8) strings only: no wide-character converter is needed.
#define SI_NO_CONVERSION
#include <SimpleIni.h>
#include <string>

namespace quillon {

struct SettingsFile::Impl {
    CSimpleIniA ini{true /* UTF-8 */, false, false};
};

SettingsFile::SettingsFile() : impl_(std::make_unique<Impl>()) {
    impl_->ini.SetSpaces(false); // "key=value", as the Windows profile functions write it
}
SettingsFile::~SettingsFile() = default;

void SettingsFile::load(const QString& path) {
    impl_->ini.Reset();
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return;
    const QByteArray bytes = f.readAll();
    impl_->ini.LoadData(bytes.constData(), size_t(bytes.size()));
}

bool SettingsFile::save(const QString& path) const {
    std::string out;
    if (impl_->ini.Save(out) < 0) return false;
    return WriteFileAtomically(path, QByteArray::fromStdString(out));
}

int SettingsFile::readInteger(const char* section, const char* key, int fallback) const {
    const char* v = impl_->ini.GetValue(section, key, nullptr);
    if (!v) return fallback;
    QByteArray text = QByteArray(v).trimmed();
    if (text.startsWith('+')) text.remove(0, 1);
    bool ok = false;
    const int value = text.toInt(&ok);
    return ok ? value : fallback;
}

bool SettingsFile::readBool(const char* section, const char* key, bool fallback) const {
    return readInteger(section, key, fallback ? 1 : 0) != 0;
}

QString SettingsFile::readString(const char* section, const char* key,
                                 const QString& fallback) const {
    const char* v = impl_->ini.GetValue(section, key, nullptr);
    return v ? QString::fromUtf8(v) : fallback;
}

void SettingsFile::writeInteger(const char* section, const char* key, int value) {
    impl_->ini.SetValue(section, key, std::to_string(value).c_str());
}

void SettingsFile::writeBool(const char* section, const char* key, bool value) {
    writeInteger(section, key, value ? 1 : 0);
}

void SettingsFile::writeString(const char* section, const char* key, const QString& value) {
    impl_->ini.SetValue(section, key, value.toUtf8().constData());
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
