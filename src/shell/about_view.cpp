#include "shell/about_view.h"

#include "base/line_lists.h"
#include "base/version.h"
#include "model/requesters.h"

#include <QDialog>
#include <QFile>
#include <QListWidget>
#include <QVBoxLayout>

namespace quarvel {

AboutView::AboutView(QWidget *owner, Requesters &ask, QIcon licenceIcon)
    : owner_(owner),
      ask_(ask),
      licenceIcon_(std::move(licenceIcon)),
      infoText_(VersionTitle() + QLatin1Char('\n') + QStringLiteral("Rev. ") + QString::number(ProgramRevision)
                + QStringLiteral("\n\n") + QStringLiteral("(c) 2019-2026 by the Quarvel developers"))
{}

void AboutView::ShowInfo()
{
    ask_.MessageOk(QStringLiteral("Info"), infoText_);
}

// Modal for the whole program; the list fills the window and grows with it. Escape and the
// close box close it.
void AboutView::OpenLicence()
{
    if (LicenceOpen())
        return;
    QFile file(QStringLiteral(":/licence.txt"));
    file.open(QIODevice::ReadOnly);
    SourceLineList lines;
    SplitTemplate(QString::fromUtf8(file.readAll()), lines);

    auto *window = new QDialog(owner_, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    window->setObjectName(QStringLiteral("LicenceWindow"));
    window->setWindowTitle(QStringLiteral("Licence"));
    window->setWindowIcon(licenceIcon_);
    window->setWindowModality(Qt::ApplicationModal);
    auto *layout = new QVBoxLayout(window);
    layout->setContentsMargins(0, 0, 0, 0);
    auto *list = new QListWidget;
    list->setObjectName(QStringLiteral("LicenceList"));
    list->setAccessibleName(QStringLiteral("Licence"));
    list->addItems(lines);
    layout->addWidget(list);
    window->resize(600, 480);
    connect(window, &QDialog::finished, this, [this, window] {
        licence_.clear();
        window->deleteLater();
        emit licenceClosed();
    });
    licence_ = window;
    window->show();
}

} // namespace quarvel
