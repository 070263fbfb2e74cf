#include "base/file_writer.h"
#include "shell/desktop_command_line.h"
#include "shell/shell.h"
#include "shell/shown_report.h"

#include <QApplication>

#include <cstdio>

int main(int argc, char *argv[])
{
    if (const QByteArray answer = quarvel::DesktopOptionAnswer(quarvel::DesktopArguments(argc, argv));
        !answer.isEmpty()) {
        std::fwrite(answer.constData(), 1, static_cast<size_t>(answer.size()), stdout);
        return 0;
    }
    quarvel::FileWriter::KeepRunningPastFileSizeLimit();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quarvel"));
    quarvel::InstallShownReporter(app);
    quarvel::Shell shell;
    if (shell.StartUp(QApplication::arguments().mid(1)))
        shell.RunEventLoop();
    return 0;
}
