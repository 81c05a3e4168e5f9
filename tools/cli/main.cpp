// quillon-cli: the program's main work without a window, for scripts and measurements. Failures
// print one line on stderr; the exit codes are in cli_common.h.
#include "verbs.h"

#include <QGuiApplication>
#include <cstdio>
#include <cstdlib>
#include <iostream>

using namespace quillon::cli;

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    CLI::App cli{"Quillon's drawings without a window"};
    cli.require_subcommand(1);
    const Verb verbs[] = {AddPreviewVerb(cli), AddInsertVerb(cli), AddMeasureVerb(cli),
                          AddThumbnailsVerb(cli), AddFindVerb(cli)};
    try {
        cli.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        if (e.get_exit_code() == 0) return cli.exit(e); // --help
        return Fail(kUsage, e.what());
    }
    for (const Verb& v : verbs)
        if (v.command->parsed()) {
            // The verb's files are written and closed. Ending here hands the drawing's memory
            // back to the system in one piece instead of freeing it record by record, and skips
            // a teardown that would load the font configuration only to discard it.
            const int code = v.run();
            std::cout.flush();
            std::fflush(nullptr);
            std::_Exit(code);
        }
    return Fail(kUsage, "no verb given");
}
