// quarvel-gen --watch: a run, then another each time the project's sources change on disk,
// until SIGINT or SIGTERM.
#pragma once

#include "cli/command_line_options.h"
#include "cli/exit_status.h"

#include <cstdio>

namespace quarvel {

// ExitUsage when the project file cannot be read at the start; ExitReady once a signal ends
// the watch, whatever the runs before it gave.
ExitStatus WatchProject(const CommandLineOptions &options, FILE *out, FILE *err);

} // namespace quarvel
