#include "shell/about_view.h"

#include "base/line_lists.h"
#include "base/version.h"
#include "model/requesters.h"
#include "shell/dialogs/window_numbers.h"
#include "ui/toolkit.h"

#include <QFile>
#include <QListWidget>

namespace quarvel {

AboutView::AboutView(Toolkit &ui, Requesters &ask, QIcon licenceIcon)
    : ui_(ui),
      ask_(ask),
      licenceIcon_(std::move(licenceIcon)),
      infoText_(VersionTitle() + QLatin1Char('\n') + QStringLiteral("Rev. ") + QString::number(ProgramRevision)
                + QStringLiteral("\n\n") + QStringLiteral("(c) 2019-2026 by the Quarvel developers"))
{}

void AboutView::ShowInfo()
{
    ask_.MessageOk(QStringLiteral("Info"), infoText_);
}

void AboutView::OpenLicence()
{
    if (LicenceOpen())
        return;
    QFile file(QStringLiteral(":/licence.txt"));
    file.open(QIODevice::ReadOnly);
    SourceLineList lines;
    SplitTemplate(QString::fromUtf8(file.readAll()), lines);

    ToolkitWindow *window = ui_.OpenWindow(LicenceWindow, 600, 480, QStringLiteral("Licence"),
                                           WindowSystemMenu | WindowSizeable | WindowModal);
    window->setWindowIcon(licenceIcon_);
    QListWidget *list = ui_.ListViewGadget(LicenceList, LicenceWindow, QRect(0, 0, 600, 480));
    list->addItems(lines);
    ui_.CloseOnEscape(LicenceWindow);
    window->show();
}

bool AboutView::LicenceOpen() const
{
    return ui_.IsWindow(LicenceWindow);
}

void AboutView::Resized()
{
    if (LicenceOpen())
        ui_.Gadget(LicenceList)->setGeometry(QRect(QPoint(0, 0), ui_.Window(LicenceWindow)->centralWidget()->size()));
}

void AboutView::CloseBox()
{
    ui_.CloseWindow(LicenceWindow);
    emit licenceClosed();
}

} // namespace quarvel
