// quarvel-gen's run: one generation from the command line, exactly as the desktop Start runs
// it, or --init, --help and --version.
#pragma once

#include "cli/command_line_options.h"
#include "cli/exit_status.h"

#include <QStringList>

#include <cstdio>

namespace quarvel {

// One generation from the command line, and the files a watch follows after it.
struct CommandLineRun {
    ExitStatus status = ExitReady;
    QStringList sources;              // the project file and its common files, absolute; empty when it cannot be read
    QStringList written;              // the files the run wrote, absolute
    bool changedWhileRunning = false; // a file was saved while the run worked: it wrote nothing
};

// The run of a project file: its log, its report, the diff or JSON asked for.
CommandLineRun RunGeneration(const CommandLineOptions &options, FILE *out, FILE *err);

// The exit status, as ExitStatus gives its meanings; a file fault after "Ready." puts a
// summary line on err.
ExitStatus RunCommandLine(const CommandLineOptions &options, FILE *out = stdout, FILE *err = stderr);

} // namespace quarvel
