// What quarvel-gen or a function of the command line wrote on stdout and stderr, caught for
// comparing.
#pragma once

#include "cli/run_command_line.h"

#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QStringList>

#include <cstdio>

namespace quarvel {

struct CapturedOutput {
    int status = -1; // the exit status; -1 when the program crashed or did not end in time
    QByteArray out;
    QByteArray err;

    QStringList outLines() const;
    QString errText() const { return QString::fromUtf8(err); }
};

// A stream to hand to code that writes to a FILE *, read back afterwards.
class CapturedStream {
public:
    CapturedStream();
    ~CapturedStream();
    CapturedStream(const CapturedStream &) = delete;
    CapturedStream &operator=(const CapturedStream &) = delete;

    FILE *file() const { return file_; }
    QByteArray bytes() const;
    QString text() const { return QString::fromUtf8(bytes()); }

private:
    FILE *file_;
};

// Gives the process about to start its settings directory at configDir.
void UseConfigDir(QProcess &process, const QString &configDir);

// What the started process wrote and its exit status, once it ended (within msecs).
CapturedOutput WaitForOutput(QProcess &process, int msecs = 60000);

// The quarvel-gen program, with its settings directory at configDir.
CapturedOutput RunQuarvelGen(const QStringList &arguments, const QString &configDir,
                             const QString &workingDirectory = QString());

// quarvel-gen's run in this process.
CapturedOutput RunCommandLineCaptured(const CommandLineOptions &options);

} // namespace quarvel
