#include "base/file_writer.h"
#include "shell/desktop_command_line.h"
#include "shell/desktop_start.h"
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
    quarvel::ExitPlainlyWithoutDisplay();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quarvel"));
    quarvel::InstallTranslations(app);
    quarvel::InstallShownReporter(app);
    quarvel::Shell shell;
    // The save question has been answered: the loop ends without asking the windows again,
    // as QApplication::quit would (the main window's close box is Exit itself).
    QObject::connect(
        &shell, &quarvel::Shell::quitRequested, &app, [] { QCoreApplication::exit(0); }, Qt::QueuedConnection);
    shell.StartUp(QApplication::arguments().mid(1));
    QApplication::exec();
    shell.SaveAtExit();
    if (shell.ReadingInBackground())
        quarvel::EndNow();
    return 0;
}
