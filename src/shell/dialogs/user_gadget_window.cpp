#include "shell/dialogs/user_gadget_window.h"

#include "model/front_end.h"
#include "model/requesters.h"
#include "project/user_gadget_list.h"

#include <QDialog>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace quarvel {

UserGadgetDialog::UserGadgetDialog(QWidget *owner, Requesters &ask, ProgramSettings &settings, FrontEnd &frontEnd)
    : owner_(owner),
      ask_(ask),
      settings_(settings),
      frontEnd_(frontEnd)
{}

void UserGadgetDialog::Open()
{
    if (IsOpen())
        return;
    auto *window = new QDialog(owner_, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    window->setObjectName(QStringLiteral("UserGadgetWindow"));
    window->setWindowTitle(QStringLiteral("UserGadget"));
    window->setWindowModality(Qt::WindowModal);
    auto *layout = new QVBoxLayout(window);
    auto *list = new QListWidget;
    list->setObjectName(QStringLiteral("UserGadgetList"));
    list->setAccessibleName(tr("User gadget procedures"));
    list->addItems(settings_.UserGadgetList);
    connect(list, &QListWidget::itemDoubleClicked, this, &UserGadgetDialog::EditGadget);
    layout->addWidget(list);
    list_ = list;
    auto *buttons = new QHBoxLayout;
    const struct {
        const char *name;
        const char *text;
        void (UserGadgetDialog::*clicked)();
    } row[] = {
        {"UserGadgetAdd", "Add", &UserGadgetDialog::AddGadget},
        {"UserGadgetDel", "Del", &UserGadgetDialog::DeleteGadget},
        {"UserGadgetOk", "Ok", &UserGadgetDialog::SaveUserGadgets},
    };
    for (const auto &entry : row) {
        auto *button = new QPushButton(QLatin1String(entry.text));
        button->setObjectName(QLatin1String(entry.name));
        button->setAutoDefault(false);
        connect(button, &QPushButton::clicked, this, entry.clicked);
        buttons->addWidget(button);
    }
    layout->addLayout(buttons);
    // The close box and Escape end the dialog without saving.
    connect(window, &QDialog::finished, this, [this] {
        if (window_)
            Close();
    });
    window->resize(window->sizeHint().expandedTo(QSize(220, 400)));
    window_ = window;
    window->show();
}

void UserGadgetDialog::Close()
{
    if (QDialog *window = window_) {
        window_.clear();
        window->hide();
        window->deleteLater();
        emit closed();
    }
}

void UserGadgetDialog::AddGadget()
{
    const QString name = ask_.InputText(QStringLiteral("Add Gadget"), tr("Name of a procedure that creates a gadget:"),
                                        QString());
    if (!name.isEmpty() && list_)
        list_->addItem(name); // as typed, duplicates included
}

void UserGadgetDialog::EditGadget()
{
    QListWidgetItem *item = list_ ? list_->currentItem() : nullptr;
    if (!item)
        return;
    const QString name = ask_.InputText(QStringLiteral("Edit Gadget"), tr("Name of a procedure that creates a gadget:"),
                                        item->text());
    if (!name.isEmpty())
        item->setText(name);
}

void UserGadgetDialog::DeleteGadget()
{
    QListWidgetItem *item = list_ ? list_->currentItem() : nullptr;
    if (item && item->isSelected())
        delete item;
}

// Ok: saved, then the window closes.
void UserGadgetDialog::SaveUserGadgets()
{
    const QStringList names = Names();
    Close();
    ReportFailure(frontEnd_, quarvel::SaveUserGadgets(settings_, names));
}

QStringList UserGadgetDialog::Names() const
{
    QStringList names;
    for (int row = 0; list_ && row < list_->count(); ++row)
        names << list_->item(row)->text();
    return names;
}

} // namespace quarvel
