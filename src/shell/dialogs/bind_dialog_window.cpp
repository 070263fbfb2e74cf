#include "shell/dialogs/bind_dialog_window.h"

#include "model/requesters.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
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

const QSize SmallestSize(770, 400);
const QSize OpeningSize(1000, 560); // long window_gadget names read whole in the lists

// A soft tint of the palette's highlight over its base: readable in a light and a dark style.
QColor SuggestedBackground(const QPalette &palette)
{
    const QColor base = palette.color(QPalette::Base), tint = palette.color(QPalette::Highlight);
    const auto mix = [](int a, int b) { return (3 * a + b) / 4; };
    return QColor(mix(base.red(), tint.red()), mix(base.green(), tint.green()), mix(base.blue(), tint.blue()));
}

} // namespace

BindDialogWindow::BindDialogWindow(QWidget *owner, Requesters &ask, const BindDialogRequest &request, OnAnswer answer)
    : QDialog(owner, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::WindowMaximizeButtonHint),
      ask_(ask),
      model_(request),
      answer_(std::move(answer))
{
    setObjectName(QStringLiteral("BindWindow"));
    // The run waits for the answer: the main window takes no input meanwhile, while the
    // program's other windows (UserGadget, Changes) stay usable.
    setWindowModality(Qt::WindowModal);
    setSizeGripEnabled(true);
    auto *grid = new QGridLayout(this);
    const struct {
        const char *name;
        const char *label;
        const char *text;
        QListWidget *BindDialogWindow::*list;
        int stretch;
    } columns[] = {
        {"OldEntryList", "OldEntryLabel", "Old Entry", &BindDialogWindow::oldList_, 2},
        {"NewEntryList", "NewEntryLabel", "New Entry", &BindDialogWindow::newList_, 2},
        {"TodoList", "TodoListLabel", "Todo List", &BindDialogWindow::todoList_, 3},
    };
    for (int column = 0; column < int(std::size(columns)); ++column) {
        auto *label = new QLabel(QLatin1String(columns[column].text));
        QListWidget *list = AddList(columns[column].name);
        this->*columns[column].list = list;
        label->setObjectName(QLatin1String(columns[column].label));
        label->setBuddy(list);
        list->setAccessibleName(label->text());
        grid->addWidget(label, 0, column);
        grid->addWidget(list, 1, column);
        grid->setColumnStretch(column, columns[column].stretch);
    }
    connect(oldList_, &QListWidget::itemDoubleClicked, this, &BindDialogWindow::BindSelected);
    connect(newList_, &QListWidget::itemDoubleClicked, this, &BindDialogWindow::BindSelected);
    connect(todoList_, &QListWidget::itemDoubleClicked, this, &BindDialogWindow::ReleaseSelected);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(AddButton("BindButton", QStringLiteral("Bind"), &BindDialogWindow::BindSelected));
    buttons->addWidget(AddButton("ReleaseButton", QStringLiteral("Release"), &BindDialogWindow::ReleaseSelected));
    suggestButton_ = AddButton("BindSuggestedButton", tr("Bind suggested"), &BindDialogWindow::BindSuggested);
    buttons->addWidget(suggestButton_);
    buttons->addStretch(1);
    buttons->addWidget(AddButton("ContinueButton", QStringLiteral("Continue"), &BindDialogWindow::ContinueBinding));
    grid->addLayout(buttons, 2, 0, 1, int(std::size(columns)));
    grid->setRowStretch(1, 1);

    setWindowTitle(model_.Title());
    ShowModel();
    setMinimumSize(SmallestSize);
    resize(OpeningSize);
    show();
}

QListWidget *BindDialogWindow::AddList(const char *name)
{
    auto *list = new QListWidget;
    list->setObjectName(QLatin1String(name));
    // Thousands of names lay out without measuring each: 2,000 took 40 to 90 ms to show
    // otherwise, about 30 ms so.
    list->setUniformItemSizes(true);
    return list;
}

QPushButton *BindDialogWindow::AddButton(const char *name, const QString &text, void (BindDialogWindow::*clicked)())
{
    auto *button = new QPushButton(text);
    button->setObjectName(QLatin1String(name));
    button->setAutoDefault(false); // Return in a list does not end the dialog
    button->setMinimumWidth(120);
    connect(button, &QPushButton::clicked, this, clicked);
    return button;
}

void BindDialogWindow::closeEvent(QCloseEvent *event)
{
    event->ignore(); // the window goes when the worker closes it
    CloseBox();
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
        const QString tip = tr("%1 → %2 (suggested)").arg(oldItem->text(), newItem->text());
        oldItem->setToolTip(tip);
        newItem->setToolTip(tip);
    }
    if (!pairs.isEmpty() && model_.OldSelected() < 0 && model_.NewSelected() < 0) {
        oldList_->setCurrentRow(pairs.first().oldRow);
        newList_->setCurrentRow(pairs.first().newRow);
    }
    suggestButton_->setEnabled(!pairs.isEmpty());
    suggestButton_->setText(pairs.isEmpty() ? tr("Bind suggested") : tr("Bind suggested (%1)").arg(pairs.size()));
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

// The Todo List is copied here, on the GUI thread, before the worker wakes up to read it.
void BindDialogWindow::AnswerRequest(BindDialogEnd end)
{
    answered_ = true;
    answer_(model_.AnswerWith(end));
}

} // namespace quarvel
