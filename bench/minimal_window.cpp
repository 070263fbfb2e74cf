// The yardstick for the desktop program's start-up: the least a Qt Widgets program does to
// put a main window on screen, timed through the same hook.
#include "shell/shown_report.h"

#include <QApplication>
#include <QLabel>
#include <QMainWindow>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    quarvel::InstallShownReporter(app);
    QMainWindow window;
    window.setCentralWidget(new QLabel(QStringLiteral("Hello")));
    window.resize(640, 480);
    window.show();
    return app.exec();
}
