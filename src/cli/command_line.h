// quarvel-gen: one generation from the command line, exactly as the desktop Start runs it.
#pragma once

#include "cli/cli_front_end.h"

#include <QStringList>

#include <cstdio>
#include <optional>

namespace quarvel {

struct CommandLineOptions {
    QString projectPath;            // made absolute
    QList<BindOption> binds;        // --bind OLD=NEW, in order
    bool keepUnbound = false;       // --keep-unbound
    QList<QPair<QString, int>> sets; // --set SWITCH=VALUE, in order
    bool init = false;              // --init PROJECT COMMONFILE...
    QStringList initCommonFiles;    // made absolute; stored relative to the project where below it
    bool dryRun = false;            // --dry-run: every step, nothing written
    bool diff = false;              // --diff: the changes as a unified diff after the log
    bool check = false;             // --check: a dry run whose exit status says if files would change
    bool reportJson = false;        // --report json: the report on stdout, the log on stderr
    bool quiet = false;             // -q, --quiet
    bool help = false;              // -h, --help
    bool version = false;           // --version
    // Set by main(), whose process ends right after the run: the run's data (about a million
    // strings in a large project) is left to the end of the process instead of freed one by one.
    bool processEndsAfterRun = false;
};

// nullopt and a message in error when the arguments are not a valid call.
std::optional<CommandLineOptions> ParseCommandLine(const QStringList &arguments, QString &error);

// The usage text printed with a usage error.
QString CommandLineUsage();

// --help: the usage, every option and the exit statuses.
QString CommandLineHelp();

// Exit status: 0 after "Ready." (or a written --init project, --help, --version), 1 after
// "Cancel.", 2 when the project file cannot be read or written, 3 after "Ready." when a file
// could not be read or written or the backup failed (a summary line on err), 4 when --check
// finds files that a run would change.
int RunCommandLine(const CommandLineOptions &options, FILE *out = stdout, FILE *err = stderr);

} // namespace quarvel
