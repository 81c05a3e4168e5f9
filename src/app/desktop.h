// Desktop integration: the dark style and the clean-up of the program's scratch drawings.
#pragma once

#include <QString>

class QApplication;

namespace quillon {

// "Windows10 Dark": a dark palette on the Fusion style; false when it could not be applied.
bool ApplyDarkStyle(QApplication& app);

// The application's name and style. Windows and message boxes show their own captions only.
void SetUpApplication(QApplication& app);

// A caption that shows the text as it stands ("&" is not taken as a shortcut mark).
QString LiteralCaption(const QString& text);

// Deletes the "*.dxf" files and then the "*.dwg" files of the scratch folder. Entries that are
// not plain files, and read-only files, stay; failures are ignored.
void DeleteScratchDrawings(const QString& folder);

} // namespace quillon
