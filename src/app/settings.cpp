#include "app/settings.h"

#include "app/settings_file.h"

#include <variant>

namespace quillon {

namespace {

// Section, key and field of every setting, in the order they are written (a new file lists
// them so).
struct Key {
    const char* section;
    const char* key;
    std::variant<int Settings::*, bool Settings::*, QString Settings::*> field;
};

const Key kKeys[] = {
    {"Form", "Left", &Settings::left},
    {"Form", "Top", &Settings::top},
    {"DirectoryList", "Directory", &Settings::directory},
    {"TargetCad", "ProgId", &Settings::targetProgId},
    {"DirectoryList", "ComboBoxText", &Settings::registeredChoice},
    {"makeImageType", "makeImage", &Settings::makeImage},
    {"dxfView", "dxfImage", &Settings::dxfImage},
    {"dwgView", "whiteonblack", &Settings::whiteOnBlack},
    {"ODA", "FullName", &Settings::converterPath},
    {"dwgView", "dxftodwg", &Settings::dxfToDwg},
    {"View", "Thumbnails", &Settings::thumbnails},
    {"Window", "Width", &Settings::windowWidth},
    {"Window", "Height", &Settings::windowHeight},
    {"Window", "Splitter1", &Settings::splitter1},
    {"Window", "Splitter2", &Settings::splitter2},
};

} // namespace

Settings ReadSettings(const QString& path, const Settings& defaults) {
    SettingsFile ini;
    ini.load(path);
    Settings s = defaults;
    for (const Key& k : kKeys) {
        if (auto f = std::get_if<int Settings::*>(&k.field))
            s.*(*f) = ini.readInteger(k.section, k.key, defaults.*(*f));
        else if (auto b = std::get_if<bool Settings::*>(&k.field))
            s.*(*b) = ini.readBool(k.section, k.key, defaults.*(*b));
        else if (auto t = std::get_if<QString Settings::*>(&k.field))
            s.*(*t) = ini.readString(k.section, k.key, defaults.*(*t));
    }
    return s;
}

bool WriteSettings(const QString& path, const Settings& settings) {
    SettingsFile ini;
    ini.load(path); // what the program does not own stays as it is
    for (const Key& k : kKeys) {
        if (auto f = std::get_if<int Settings::*>(&k.field))
            ini.writeInteger(k.section, k.key, settings.*(*f));
        else if (auto b = std::get_if<bool Settings::*>(&k.field))
            ini.writeBool(k.section, k.key, settings.*(*b));
        else if (auto t = std::get_if<QString Settings::*>(&k.field))
            ini.writeString(k.section, k.key, settings.*(*t));
    }
    return ini.save(path);
}

} // namespace quillon
