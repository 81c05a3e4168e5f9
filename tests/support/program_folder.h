// A program folder in a real temporary folder, and the main window opened on a folder of it.
#pragma once

#include "app/main_window.h"
#include "support/scripted_prompts.h"
#include "support/temp_files.h"

#include <memory>

namespace quillon::test {

struct ProgramFolder {
    TempFolder tmp;
    ScriptedPrompts prompts;

    ProgramFolder() { QDir().mkpath(tmp.file("prog")); }
    AppPaths paths() const { return {tmp.file("prog/quillon")}; }
    void writeIni(const QString& text) const { tmp.write("prog/quillon.ini", text.toUtf8()); }
    std::unique_ptr<TForm2> open() { return std::make_unique<TForm2>(paths(), prompts); }
    // The window with the folder remembered as the last one shown.
    std::unique_ptr<TForm2> openAt(const QString& folder) {
        writeIni("[DirectoryList]\nDirectory=" + folder + "\n");
        return open();
    }
};

// The stand-in converter's behaviour for the runs within a scope (see its source).
struct StandInMode {
    explicit StandInMode(const char* mode) { qputenv("QUILLON_STANDIN_MODE", mode); }
    ~StandInMode() { qunsetenv("QUILLON_STANDIN_MODE"); }
};

} // namespace quillon::test
