#include "shell/dialogs/bind_dialog_window.h"

#include "model/requesters.h"
#include "shell/dialogs/window_numbers.h"
#include "ui/toolkit.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>

namespace quarvel {

namespace {

// The row the user has selected, -1 when none: a current row without selection is none.
int SelectedRow(const QListWidget *list)
{
    const QListWidgetItem *item = list->currentItem();
    return item && item->isSelected() ? list->row(item) : -1;
}

void ShowList(QListWidget *list, const QStringList &items, int selected)
{
    list->clear();
    list->addItems(items);
    if (selected >= 0)
        list->setCurrentRow(selected);
}

} // namespace

BindDialogWindow::BindDialogWindow(Toolkit &ui, Requesters &ask, const BindDialogRequest &request,
                                   OnAnswer answer)
    : ui_(ui), ask_(ask), model_(request), answer_(std::move(answer))
{
    ToolkitWindow *window = ui_.OpenWindow(BindWindow, 770, 400, QStringLiteral("Search and Replace"),
                                           WindowSystemMenu, MainWindow);
    const struct { int gadget; int x; int width; const char *text; } labels[] = {
        {OldEntryLabel, 10, 130, "Old Entry"},
        {NewEntryLabel, 220, 120, "New Entry"},
        {TodoListLabel, 430, 110, "Todo List"},
    };
    for (const auto &label : labels)
        ui_.TextGadget(label.gadget, BindWindow, QRect(label.x, 10, label.width, 20), QLatin1String(label.text));
    oldList_ = ui_.ListViewGadget(OldEntryList, BindWindow, QRect(10, 30, 200, 320));
    newList_ = ui_.ListViewGadget(NewEntryList, BindWindow, QRect(220, 30, 200, 320));
    todoList_ = ui_.ListViewGadget(TodoList, BindWindow, QRect(430, 30, 330, 320));
    ui_.ButtonGadget(BindButton, BindWindow, QRect(10, 360, 120, 30), QStringLiteral("Bind"));
    ui_.ButtonGadget(ReleaseButton, BindWindow, QRect(150, 360, 120, 30), QStringLiteral("Release"));
    ui_.ButtonGadget(ContinueButton, BindWindow, QRect(640, 360, 120, 30), QStringLiteral("Continue"));

    ui_.DisableWindow(MainWindow, true);
    window->setWindowTitle(model_.Title());
    ShowModel();
    window->show();
}

BindDialogWindow::~BindDialogWindow()
{
    ui_.DisableWindow(MainWindow, false);
    ui_.CloseWindow(BindWindow);
}

void BindDialogWindow::GadgetEvent(int gadget, int type)
{
    switch (gadget) {
    case OldEntryList:
    case NewEntryList:
        if (type == EventLeftDoubleClick)
            BindSelected();
        break;
    case TodoList:
        if (type == EventLeftDoubleClick)
            ReleaseSelected();
        break;
    case BindButton:
        BindSelected();
        break;
    case ReleaseButton:
        ReleaseSelected();
        break;
    case ContinueButton:
        ContinueBinding();
        break;
    default:
        break;
    }
}

void BindDialogWindow::CloseBox()
{
    if (!answered_)
        AnswerRequest(model_.CloseBox());
}

void BindDialogWindow::BindSelected()
{
    if (answered_)
        return;
    TakeSelection();
    if (model_.BindSelected())
        ShowModel();
}

void BindDialogWindow::ReleaseSelected()
{
    if (answered_)
        return;
    TakeSelection();
    if (model_.ReleaseSelected())
        ShowModel();
}

void BindDialogWindow::ContinueBinding()
{
    if (answered_)
        return;
    const std::optional<int> result = model_.ContinueBinding(
        [this](const QString &title, const QString &text) { return ask_.Question(title, text, true); });
    // The question runs its own loop: the close box may have answered meanwhile.
    if (result && !answered_)
        AnswerRequest(*result);
}

// The lists on the screen are the truth for what the user selected.
void BindDialogWindow::TakeSelection()
{
    model_.SelectOld(SelectedRow(oldList_));
    model_.SelectNew(SelectedRow(newList_));
    model_.SelectTodo(SelectedRow(todoList_));
}

void BindDialogWindow::ShowModel()
{
    ShowList(oldList_, model_.OldEntries(), model_.OldSelected());
    ShowList(newList_, model_.NewEntries(), model_.NewSelected());
    ShowList(todoList_, model_.TodoEntries(), model_.TodoSelected());
}

// The Todo List is copied here, on the GUI thread, before the worker wakes up to read it.
void BindDialogWindow::AnswerRequest(int result)
{
    answered_ = true;
    answer_(model_.AnswerWith(result));
}

} // namespace quarvel
