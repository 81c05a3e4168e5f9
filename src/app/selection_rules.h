// What the window decides from the selected file and the typed mask, without widgets.
#pragma once

#include <QString>

namespace quillon {

// What a selected drawing enables: the DWG-to-DXF conversion ("ODA") for DWG files; insertion
// (whole and exploded) for DWG files, and for DXF files when they are converted first.
struct SelectionActions {
    bool convert = false;
    bool insert = false;
};
SelectionActions ActionsForPath(const QString& path, bool convertDxfFirst);

// The file list's mask for the typed text: DWG names containing it, and every DXF name.
QString MaskForTyped(const QString& typed);

} // namespace quillon
