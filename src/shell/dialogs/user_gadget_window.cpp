#include "shell/dialogs/user_gadget_window.h"

#include "model/front_end.h"
#include "model/requesters.h"
#include "project/user_gadget_list.h"
#include "shell/dialogs/window_numbers.h"
#include "ui/toolkit.h"

#include <QListWidget>

namespace quarvel {

namespace {

// The input box's label, tied to its text field.
const QString NamePrompt = QStringLiteral("Name of a procedure that creates a gadget:");

} // namespace

UserGadgetDialog::UserGadgetDialog(Toolkit &ui, Requesters &ask, ProgramSettings &settings, FrontEnd &frontEnd)
    : ui_(ui),
      ask_(ask),
      settings_(settings),
      frontEnd_(frontEnd)
{}

void UserGadgetDialog::Open()
{
    if (IsOpen())
        return;
    ToolkitWindow *window = ui_.OpenWindow(UserGadgetWindow, 220, 400, QStringLiteral("UserGadget"), WindowSystemMenu,
                                           MainWindow);
    list_ = ui_.ListViewGadget(UserGadgetList, UserGadgetWindow, QRect(0, 0, 220, 350));
    list_->setAccessibleName(QStringLiteral("User gadget procedures"));
    list_->addItems(settings_.UserGadgetList);
    ui_.ButtonGadget(UserGadgetAdd, UserGadgetWindow, QRect(10, 360, 60, 30), QStringLiteral("Add"));
    ui_.ButtonGadget(UserGadgetDel, UserGadgetWindow, QRect(80, 360, 60, 30), QStringLiteral("Del"));
    ui_.ButtonGadget(UserGadgetOk, UserGadgetWindow, QRect(150, 360, 60, 30), QStringLiteral("Ok"));
    ui_.CloseOnEscape(UserGadgetWindow);
    window->show();
}

bool UserGadgetDialog::IsOpen() const
{
    return ui_.IsWindow(UserGadgetWindow);
}

void UserGadgetDialog::Close()
{
    ui_.CloseWindow(UserGadgetWindow);
    emit closed();
}

void UserGadgetDialog::GadgetEvent(int gadget, int type)
{
    if (!IsOpen())
        return;
    switch (gadget) {
    case UserGadgetList:
        if (type == EventLeftDoubleClick)
            EditGadget();
        break;
    case UserGadgetAdd: AddGadget(); break;
    case UserGadgetDel: DeleteGadget(); break;
    case UserGadgetOk:
        SaveUserGadgets();
        Close();
        break;
    default: break;
    }
}

void UserGadgetDialog::CloseBox()
{
    Close();
}

void UserGadgetDialog::AddGadget()
{
    const QString name = ask_.InputText(QStringLiteral("Add Gadget"), NamePrompt, QString());
    if (!name.isEmpty())
        list_->addItem(name); // as typed, duplicates included
}

void UserGadgetDialog::EditGadget()
{
    QListWidgetItem *item = list_->currentItem();
    if (!item)
        return;
    const QString name = ask_.InputText(QStringLiteral("Edit Gadget"), NamePrompt, item->text());
    if (!name.isEmpty())
        item->setText(name);
}

void UserGadgetDialog::DeleteGadget()
{
    QListWidgetItem *item = list_->currentItem();
    if (item && item->isSelected())
        delete item;
}

void UserGadgetDialog::SaveUserGadgets()
{
    ReportFailure(frontEnd_, quarvel::SaveUserGadgets(settings_, Names()));
}

QStringList UserGadgetDialog::Names() const
{
    QStringList names;
    for (int row = 0; list_ && row < list_->count(); ++row)
        names << list_->item(row)->text();
    return names;
}

} // namespace quarvel
