#include "cli/command_line.h"

#include <QCoreApplication>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QString error;
    auto options = quarvel::ParseCommandLine(QCoreApplication::arguments(), error);
    if (!options) {
        quarvel::PrintCommandLineError(stderr, error + QLatin1Char('\n') + quarvel::CommandLineUsage());
        return 2;
    }
    options->processEndsAfterRun = true;
    return quarvel::RunCommandLine(*options);
}
