// Where the program keeps its files. The settings file and the registered folders live beside
// the program when it can write there, else in the user's configuration folder; the scratch
// folder of the conversions beside it, else in the user's cache folder. Once the user's folder
// holds them they are read from there first, also when the program's folder can be written later.
#pragma once

#include <QString>

namespace quillon {

struct AppPaths {
    QString executable;        // full path of the program
    QString configFolder = {}; // the settings and the registered folders; empty: beside the program
    QString cacheFolder = {};  // the scratch folder's place; empty: beside the program

    static AppPaths current(); // the running program, with the user's folders of this system
    // The program at `executable`, its folders decided as above. When the user's folder is
    // chosen, a file it lacks that lies beside the program (left by an earlier run there, or
    // installed with it) is copied into it, so that nothing set before is lost.
    static AppPaths decide(const QString& executable, const QString& userConfig,
                           const QString& userCache);

    QString folder() const;            // the program's folder, without a trailing separator
    QString settingsFile() const;      // the executable's name with ".ini"
    QString directoryListFile() const; // registered folders
    QString scratchFolder() const;     // converter outputs, emptied at exit
};

} // namespace quillon
