#include "support/output_capture.h"

#include "support/test_project.h"

#include <QProcess>
#include <QtGlobal>

namespace quarvel {

QStringList CapturedOutput::outLines() const
{
    return LinesOf(out);
}

CapturedStream::CapturedStream() : file_(std::tmpfile())
{
    if (!file_)
        qFatal("no temporary file for a captured stream");
}

CapturedStream::~CapturedStream()
{
    std::fclose(file_);
}

QByteArray CapturedStream::bytes() const
{
    std::fflush(file_);
    std::rewind(file_);
    QByteArray bytes;
    char buffer[4096];
    for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, file_)) > 0;)
        bytes.append(buffer, qsizetype(n));
    return bytes;
}

void UseConfigDir(QProcess &process, const QString &configDir)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QUARVEL_CONFIG_DIR"), configDir);
    process.setProcessEnvironment(environment);
}

CapturedOutput WaitForOutput(QProcess &process, int msecs)
{
    CapturedOutput output;
    if (process.waitForFinished(msecs) && process.exitStatus() == QProcess::NormalExit)
        output.status = process.exitCode();
    output.out = process.readAllStandardOutput();
    output.err = process.readAllStandardError();
    return output;
}

CapturedOutput RunQuarvelGen(const QStringList &arguments, const QString &configDir, const QString &workingDirectory)
{
    QProcess process;
    UseConfigDir(process, configDir);
    if (!workingDirectory.isEmpty())
        process.setWorkingDirectory(workingDirectory);
    process.start(QStringLiteral(QUARVEL_GEN), arguments);
    return WaitForOutput(process);
}

CapturedOutput RunCommandLineCaptured(const CommandLineOptions &options)
{
    CapturedStream out, err;
    CapturedOutput output;
    output.status = RunCommandLine(options, out.file(), err.file());
    output.out = out.bytes();
    output.err = err.bytes();
    return output;
}

} // namespace quarvel
