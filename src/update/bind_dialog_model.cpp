#include "update/bind_dialog_model.h"

namespace quarvel {

QString TodoEntryText(const NamePair &pair)
{
    return pair.oldName + QStringLiteral(" > ") + pair.newName;
}

BindDialogModel::BindDialogModel(const BindDialogRequest &request)
    : kind_(request.kind),
      old_(request.unboundOld),
      new_(request.unboundNew)
{}

QString BindDialogModel::Title() const
{
    return QStringLiteral("Search and Replace - ") + ObjectKindName(kind_);
}

bool BindDialogModel::BindSelected()
{
    if (oldSelected_ < 0 || newSelected_ < 0)
        return false;
    const NamePair entry{old_.at(oldSelected_), new_.at(newSelected_)};
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
    const NamePair entry = todo_.takeAt(todoSelected_);
    old_.append(entry.oldName);
    new_.append(entry.newName);
    todoSelected_ = -1;
    return true;
}

QStringList BindDialogModel::TodoEntries() const
{
    QStringList entries;
    for (const NamePair &pair : todo_)
        entries.append(TodoEntryText(pair));
    return entries;
}

std::optional<BindDialogEnd> BindDialogModel::ContinueBinding(const AskQuestion &ask) const
{
    if (old_.isEmpty())
        return BindDialogEnd::Continue;
    switch (ask(QStringLiteral("Info"), QStringLiteral("Some old constants not to bind! Continue?"))) {
    case Answer::Yes: return BindDialogEnd::Continue;
    case Answer::Cancel: return BindDialogEnd::Cancel;
    case Answer::No: break;
    }
    return std::nullopt;
}

} // namespace quarvel
