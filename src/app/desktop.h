// Desktop integration: the dark style and the clean-up of the program's scratch drawings.
#pragma once

#include <QString>

class QApplication;
class QLocale;

namespace quillon {

// "Windows10 Dark": a dark palette on the Fusion style; false when it could not be applied.
bool ApplyDarkStyle(QApplication& app);

// Loads the toolkit's own translations (file dialogs, standard buttons) for the locale, or the
// Japanese ones when there are none for it or it is English: the toolkit's texts speak the
// program's language.
// Looks in the toolkit's translation folder and in "translations" beside the program. False
// when none could be loaded (the toolkit's English texts stay).
bool InstallToolkitTranslations(QApplication& app, const QLocale& locale);

// The application's name, style and the toolkit's translations for the system locale. Windows
// and message boxes show their own captions only.
void SetUpApplication(QApplication& app);

// A caption that shows the text as it stands ("&" is not taken as a shortcut mark).
QString LiteralCaption(const QString& text);

// Deletes the "*.dxf" files and then the "*.dwg" files of the scratch folder. Entries that are
// not plain files, and read-only files, stay; failures are ignored.
void DeleteScratchDrawings(const QString& folder);

} // namespace quillon
