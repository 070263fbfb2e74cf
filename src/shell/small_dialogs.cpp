// The Info message and the licence window.
#include "shell/command_numbers.h"
#include "shell/dialogs/window_numbers.h"
#include "shell/shell.h"

#include "base/line_lists.h"
#include "base/version.h"

#include <QFile>
#include <QListWidget>

namespace quarvel {

void Shell::BuildInfoText()
{
    infoText_ = VersionTitle() + QLatin1Char('\n') + QStringLiteral("Rev. ")
                + QString::number(ProgramRevision) + QStringLiteral("\n\n")
                + QStringLiteral("(c) 2019-2026 by the Quarvel developers");
}

void Shell::ShowInfo()
{
    ask_.MessageOk(QStringLiteral("Info"), infoText_);
}

void Shell::OpenLicenceWindow()
{
    if (ui_.IsWindow(LicenceWindow))
        return;
    QFile file(QStringLiteral(":/licence.txt"));
    file.open(QIODevice::ReadOnly);
    SourceLineList lines;
    SplitTemplate(QString::fromUtf8(file.readAll()), lines);

    ui_.DisableWindow(MainWindow, true);
    ToolkitWindow *window = ui_.OpenWindow(LicenceWindow, 600, 480, QStringLiteral("Licence"),
                                           WindowSystemMenu | WindowSizeable | WindowModal);
    window->setWindowIcon(icon(11));
    QListWidget *list = ui_.ListViewGadget(LicenceList, LicenceWindow, QRect(0, 0, 600, 480));
    list->addItems(lines);
    ui_.CloseOnEscape(LicenceWindow);
    window->show();
    // The main loop goes on, so requests of a running generation are still answered.
}

} // namespace quarvel
