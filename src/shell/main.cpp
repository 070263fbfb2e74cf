#include "shell/shell.h"
#include "shell/shown_report.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quarvel"));
    quarvel::InstallShownReporter(app);
    quarvel::Shell shell;
    if (shell.StartUp(QApplication::arguments().mid(1)))
        shell.RunEventLoop();
    return 0;
}
