// Where the program keeps its files: everything lives beside the executable.
#pragma once

#include <QString>

namespace quillon {

struct AppPaths {
    QString executable; // full path of the program

    static AppPaths current(); // the running program

    QString folder() const;            // without a trailing separator
    QString settingsFile() const;      // the executable's path with ".ini"
    QString directoryListFile() const; // registered folders
    QString scratchFolder() const;     // converter outputs, emptied at exit
};

} // namespace quillon
