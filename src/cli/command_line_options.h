// quarvel-gen's options: what the arguments ask for, and the usage and help texts.
#pragma once

#include "cli/cli_front_end.h"

#include <QStringList>

#include <optional>

namespace quarvel {

struct CommandLineOptions {
    QString projectPath;             // made absolute
    QList<BindOption> binds;         // --bind OLD=NEW, in order
    bool keepUnbound = false;        // --keep-unbound
    QList<QPair<QString, int>> sets; // --set SWITCH=VALUE, in order
    bool init = false;               // --init PROJECT COMMONFILE...
    QStringList initCommonFiles;     // made absolute; stored relative to the project where below it
    bool dryRun = false;             // --dry-run: every step, nothing written
    bool diff = false;               // --diff: the changes as a unified diff after the log
    bool check = false;              // --check: a dry run whose exit status says if files would change
    bool reportJson = false;         // --report json: the report on stdout, the log on stderr
    bool quiet = false;              // -q, --quiet
    bool watch = false;              // --watch: a run, then one each time the sources change
    bool help = false;               // -h, --help
    bool version = false;            // --version
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

} // namespace quarvel
