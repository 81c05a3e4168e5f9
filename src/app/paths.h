// Path rules of the shell: first-part splitting, drives, the selected file's text.
#pragma once

#include <QString>
#include <QStringList>

namespace quillon {

// How file and folder names compare: exactly where the file system tells case apart, without
// regard to case on Windows.
#ifdef Q_OS_WIN
inline constexpr Qt::CaseSensitivity kPathCase = Qt::CaseInsensitive;
#else
inline constexpr Qt::CaseSensitivity kPathCase = Qt::CaseSensitive;
#endif

// part := text before the first separator, path := the rest (whole, however long).
void SplitFirstPathPart(QString& part, QString& path);

// The selected file's path as the program keeps it: upper case where names ignore case
// (Windows), unchanged where they do not, so that the file can still be reached.
QString SelectedPathText(const QString& path);

// Mounted volumes as drives: "/" first, then the others by root path.
QStringList AvailableDrives();

// The drive of a path: the volume whose root is the longest prefix of it.
QString DriveOfPath(const QString& path, const QStringList& drives);

// A folder path without a trailing separator, except for a root.
QString CleanFolder(const QString& path);

} // namespace quillon
