// The verbs of quillon-cli: each adds its command and options, and runs when chosen.
#pragma once

#include "cli_common.h"

#include <CLI/CLI.hpp>
#include <functional>

namespace quillon::cli {

struct Verb {
    CLI::App* command;
    std::function<int()> run;
};

Verb AddPreviewVerb(CLI::App& cli);
Verb AddInsertVerb(CLI::App& cli);
Verb AddMeasureVerb(CLI::App& cli);
Verb AddThumbnailsVerb(CLI::App& cli);
Verb AddFindVerb(CLI::App& cli);

} // namespace quillon::cli
