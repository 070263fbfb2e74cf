#include "shell/dialogs/bind_dialog_window.h"

#include "model/requesters.h"
#include "shell/dialogs/bind_suggestions.h"
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

// Every item carries its text as a tooltip, so a long Todo pair can be read whole.
void ShowList(QListWidget *list, const QStringList &items, int selected)
{
    list->clear();
    for (const QString &text : items) {
        auto *item = new QListWidgetItem(text, list);
        item->setToolTip(text);
    }
    if (selected >= 0)
        list->setCurrentRow(selected);
}

const QSize DialogSize(770, 400);
const int SuggestWidth = 190; // room for "Bind suggested (20000)"

// A soft tint of the palette's highlight over its base: readable in a light and a dark style.
QColor SuggestedBackground(const QPalette &palette)
{
    const QColor base = palette.color(QPalette::Base), tint = palette.color(QPalette::Highlight);
    const auto mix = [](int a, int b) { return (3 * a + b) / 4; };
    return QColor(mix(base.red(), tint.red()), mix(base.green(), tint.green()), mix(base.blue(), tint.blue()));
}

} // namespace

BindDialogWindow::BindDialogWindow(Toolkit &ui, Requesters &ask, const BindDialogRequest &request, OnAnswer answer)
    : ui_(ui),
      ask_(ask),
      model_(request),
      answer_(std::move(answer))
{
    ToolkitWindow *window = ui_.OpenWindow(BindWindow, DialogSize.width(), DialogSize.height(),
                                           QStringLiteral("Search and Replace"), WindowSystemMenu | WindowSizeable,
                                           MainWindow);
    window->setMinimumSize(DialogSize);
    // The run waits for the answer: the main window takes no input meanwhile, while the program's
    // other windows (UserGadget, Changes) stay usable.
    window->setWindowModality(Qt::WindowModal);
    const struct {
        int gadget;
        int x;
        int width;
        const char *text;
    } labels[] = {
        {OldEntryLabel, 10, 130, "Old Entry"},
        {NewEntryLabel, 220, 120, "New Entry"},
        {TodoListLabel, 430, 110, "Todo List"},
    };
    oldList_ = ui_.ListViewGadget(OldEntryList, BindWindow, QRect(10, 30, 200, 320));
    newList_ = ui_.ListViewGadget(NewEntryList, BindWindow, QRect(220, 30, 200, 320));
    todoList_ = ui_.ListViewGadget(TodoList, BindWindow, QRect(430, 30, 330, 320));
    QListWidget *const lists[] = {oldList_, newList_, todoList_};
    for (size_t i = 0; i < std::size(labels); ++i) {
        QLabel *label = ui_.TextGadget(labels[i].gadget, BindWindow, QRect(labels[i].x, 10, labels[i].width, 20),
                                       QLatin1String(labels[i].text));
        label->setBuddy(lists[i]);
        lists[i]->setAccessibleName(label->text());
    }
    ui_.ButtonGadget(BindButton, BindWindow, QRect(10, 360, 120, 30), QStringLiteral("Bind"));
    ui_.ButtonGadget(ReleaseButton, BindWindow, QRect(150, 360, 120, 30), QStringLiteral("Release"));
    suggestButton_ = ui_.ButtonGadget(BindSuggestedButton, BindWindow, QRect(290, 360, SuggestWidth, 30),
                                      QStringLiteral("Bind suggested"));
    ui_.ButtonGadget(ContinueButton, BindWindow, QRect(640, 360, 120, 30), QStringLiteral("Continue"));

    window->setWindowTitle(model_.Title());
    ui_.CloseOnEscape(BindWindow); // as the close box: Cancel
    ShowModel();
    window->show();
}

BindDialogWindow::~BindDialogWindow()
{
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
    case BindButton: BindSelected(); break;
    case ReleaseButton: ReleaseSelected(); break;
    case ContinueButton: ContinueBinding(); break;
    case BindSuggestedButton: BindSuggested(); break;
    default: break;
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
    const std::optional<BindDialogEnd> end = model_.ContinueBinding(
        [this](const QString &title, const QString &text) { return ask_.Question(title, text, true); });
    // The question runs its own loop: the close box may have answered meanwhile.
    if (end && !answered_)
        AnswerRequest(*end);
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
    ShowSuggestions();
}

// Suggested names are marked in both lists; with nothing selected the first pair is selected,
// so one click on Bind takes it.
void BindDialogWindow::ShowSuggestions()
{
    suggested_ = SuggestPairs(model_.OldEntries(), model_.NewEntries());
    const QList<SuggestedPair> &pairs = suggested_;
    const QColor background = SuggestedBackground(oldList_->palette());
    for (const SuggestedPair &pair : pairs) {
        QListWidgetItem *oldItem = oldList_->item(pair.oldRow);
        QListWidgetItem *newItem = newList_->item(pair.newRow);
        oldItem->setBackground(background);
        newItem->setBackground(background);
        oldItem->setToolTip(oldItem->text() + QStringLiteral(" → ") + newItem->text() + QStringLiteral(" (suggested)"));
        newItem->setToolTip(oldItem->text() + QStringLiteral(" → ") + newItem->text() + QStringLiteral(" (suggested)"));
    }
    if (!pairs.isEmpty() && model_.OldSelected() < 0 && model_.NewSelected() < 0) {
        oldList_->setCurrentRow(pairs.first().oldRow);
        newList_->setCurrentRow(pairs.first().newRow);
    }
    suggestButton_->setEnabled(!pairs.isEmpty());
    suggestButton_->setText(pairs.isEmpty() ? QStringLiteral("Bind suggested")
                                            : QStringLiteral("Bind suggested (%1)").arg(pairs.size()));
}

void BindDialogWindow::BindSuggested()
{
    if (answered_)
        return;
    QList<NamePair> pairs;
    for (const SuggestedPair &pair : std::as_const(suggested_)) // as the lists show them
        pairs.append({model_.OldEntries().at(pair.oldRow), model_.NewEntries().at(pair.newRow)});
    if (model_.BindPairs(pairs))
        ShowModel();
}

void BindDialogWindow::Resized()
{
    ToolkitWindow *window = ui_.Window(BindWindow);
    if (!window)
        return;
    const int dw = qMax(0, window->width() - DialogSize.width());
    const int dh = qMax(0, window->height() - DialogSize.height());
    const int third = dw / 3;
    const struct {
        int gadget;
        QRect box;
    } boxes[] = {
        {NewEntryLabel, {220 + third, 10, 120, 20}},
        {TodoListLabel, {430 + 2 * third, 10, 110, 20}},
        {OldEntryList, {10, 30, 200 + third, 320 + dh}},
        {NewEntryList, {220 + third, 30, 200 + third, 320 + dh}},
        {TodoList, {430 + 2 * third, 30, 330 + dw - 2 * third, 320 + dh}},
        {BindButton, {10, 360 + dh, 120, 30}},
        {ReleaseButton, {150, 360 + dh, 120, 30}},
        {BindSuggestedButton, {290, 360 + dh, SuggestWidth, 30}},
        {ContinueButton, {640 + dw, 360 + dh, 120, 30}},
    };
    for (const auto &entry : boxes) {
        if (QWidget *gadget = ui_.Gadget(entry.gadget))
            gadget->setGeometry(entry.box);
    }
}

// The Todo List is copied here, on the GUI thread, before the worker wakes up to read it.
void BindDialogWindow::AnswerRequest(BindDialogEnd end)
{
    answered_ = true;
    answer_(model_.AnswerWith(end));
}

} // namespace quarvel
