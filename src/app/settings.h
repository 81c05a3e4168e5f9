// The program's settings as a value: one field per stored key. Read once at start, written a
// moment after each change and at close; the settings file keeps every line that is not one of
// these keys.
#pragma once

#include <QString>

namespace quillon {

struct Settings {
    int left = 0, top = 0; // the window's position
    QString directory;     // the current folder
    QString targetProgId = QStringLiteral("BricscadApp.AcadApplication");
    QString registeredChoice; // the registered folder shown in the drop-down list
    QString makeImage = QStringLiteral("イメージ作成 ZoomExtents");
    bool dxfImage = true;      // DXF previews drawn
    bool whiteOnBlack = false; // thin white lines of DWG previews kept
    QString converterPath = QStringLiteral("[未登録]");
    bool dxfToDwg = true;    // a DXF is converted to DWG before it is inserted
    bool thumbnails = false; // the file list as a grid of pictures
    // The window's size and the widths of the folder pane and of the file list; 0: as designed.
    int windowWidth = 0, windowHeight = 0, splitter1 = 0, splitter2 = 0;

    bool operator==(const Settings&) const = default;
};

// Every key the file holds, each from `defaults` when absent or unreadable.
Settings ReadSettings(const QString& path, const Settings& defaults);

// Writes every key, in the program's order; false when the file could not be written.
bool WriteSettings(const QString& path, const Settings& settings);

} // namespace quillon
