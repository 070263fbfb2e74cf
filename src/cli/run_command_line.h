// quarvel-gen's run: one generation from the command line, exactly as the desktop Start runs
// it, or --init, --help and --version.
#pragma once

#include "cli/command_line_options.h"
#include "cli/exit_status.h"

#include <cstdio>

namespace quarvel {

// The exit status, as ExitStatus gives its meanings; a file fault after "Ready." puts a
// summary line on err.
ExitStatus RunCommandLine(const CommandLineOptions &options, FILE *out = stdout, FILE *err = stderr);

} // namespace quarvel
