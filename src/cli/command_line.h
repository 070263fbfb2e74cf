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
    QStringList initCommonFiles;    // made absolute
};

// nullopt and a message in error when the arguments are not a valid call.
std::optional<CommandLineOptions> ParseCommandLine(const QStringList &arguments, QString &error);

// The usage text printed with a usage error.
QString CommandLineUsage();

// Exit status: 0 after "Ready." (or a written --init project), 1 after "Cancel.", 2 when the
// project file cannot be read or written, 3 after "Ready." when a file could not be read or
// written or the backup failed (a summary line on err).
int RunCommandLine(const CommandLineOptions &options, FILE *out = stdout, FILE *err = stderr);

} // namespace quarvel
