// The file operations of the right-click menus, without widgets: new folders, moving and
// deleting drawings. Questions and failures go through the prompts.
#pragma once

#include "app/user_prompts.h"

#include <QString>

namespace quillon {

// Where a new folder goes: inside the current folder, or beside it (empty when the current
// folder has no parent part).
QString NewFolderPath(const QString& current, const QString& name, bool inside);

// Creates the folder with its missing parents; a failure names the path and is reported.
bool CreateFolder(const QString& path, UserPrompts& prompts);

// The destination as the user means it: a name typed without an extension keeps the file's own.
QString MoveDestination(const QString& from, const QString& chosen);

enum class FileOutcome { Done, Declined, Failed };

// Moves (or renames) a drawing. An existing destination is replaced only after a question; a
// failure is reported with the paths and the reason, in Japanese like every message: gone, no
// permission, in use by another program, or other.
FileOutcome MoveDrawing(const QString& from, const QString& to, UserPrompts& prompts);

// Moves a drawing to the desktop's trash after a question that names it. Where there is no trash
// for it, a second question asks for a permanent delete. A failure is reported with the reason.
FileOutcome DeleteDrawing(const QString& path, UserPrompts& prompts);

} // namespace quillon
