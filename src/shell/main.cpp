#include "shell.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quarvel"));
    quarvel::Shell shell;
    if (shell.StartUp(QApplication::arguments().mid(1)))
        shell.RunEventLoop();
    return 0;
}
