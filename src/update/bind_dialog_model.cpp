#include "update/bind_dialog_model.h"

#include "base/basic_strings.h"

namespace quarvel {

TodoEntry ParseTodoEntry(const QString &entry)
{
    const QChar separator = QLatin1Char('>');
    return TodoEntry{Trim(StringField(entry, 1, separator)), Trim(StringField(entry, 2, separator))};
}

QString TodoEntryText(const QString &oldName, const QString &newName)
{
    return oldName + QStringLiteral(" > ") + newName;
}

BindDialogModel::BindDialogModel(const BindDialogRequest &request)
    : kind_(request.kind), old_(request.unboundOld), new_(request.unboundNew)
{
}

QString BindDialogModel::Title() const
{
    return QStringLiteral("Search and Replace - ") + ObjectKindName(kind_);
}

bool BindDialogModel::BindSelected()
{
    if (oldSelected_ < 0 || newSelected_ < 0)
        return false;
    const QString entry = TodoEntryText(old_.at(oldSelected_), new_.at(newSelected_));
    if (todo_.contains(entry))
        return false;
    todo_.append(entry);
    old_.removeAt(oldSelected_);
    new_.removeAt(newSelected_);
    oldSelected_ = -1;
    newSelected_ = -1;
    return true;
}

bool BindDialogModel::ReleaseSelected()
{
    if (todoSelected_ < 0)
        return false;
    const TodoEntry entry = ParseTodoEntry(todo_.takeAt(todoSelected_));
    old_.append(entry.oldName);
    new_.append(entry.newName);
    todoSelected_ = -1;
    return true;
}

std::optional<int> BindDialogModel::ContinueBinding(const AskQuestion &ask) const
{
    if (old_.isEmpty())
        return ContinueAnswer;
    switch (ask(QStringLiteral("Info"), QStringLiteral("Some old constants not to bind! Continue?"))) {
    case Answer::Yes: return ContinueAnswer;
    case Answer::Cancel: return CancelAnswer;
    case Answer::No: break;
    }
    return std::nullopt;
}

} // namespace quarvel
