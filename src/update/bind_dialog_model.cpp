#include "update/bind_dialog_model.h"

#include <QHash>
#include <QSet>

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

namespace {

// The list without the names taken, each as often as it was taken.
QStringList Without(const QStringList &names, QHash<QString, int> &taken)
{
    QStringList kept;
    kept.reserve(names.size());
    for (const QString &name : names) {
        auto count = taken.find(name);
        if (count != taken.end() && *count > 0)
            --*count;
        else
            kept.append(name);
    }
    return kept;
}

} // namespace

bool BindDialogModel::BindPairs(const QList<NamePair> &pairs)
{
    QHash<QString, int> oldLeft, newLeft; // how often each name is still in its list
    for (const QString &name : std::as_const(old_))
        ++oldLeft[name];
    for (const QString &name : std::as_const(new_))
        ++newLeft[name];
    QHash<QString, int> oldTaken, newTaken;
    QSet<QString> todoTexts;
    for (const NamePair &entry : std::as_const(todo_))
        todoTexts.insert(TodoEntryText(entry));
    const qsizetype before = todo_.size();
    for (const NamePair &pair : pairs) {
        int &oldCount = oldLeft[pair.oldName];
        int &newCount = newLeft[pair.newName];
        if (oldCount == 0 || newCount == 0 || todoTexts.contains(TodoEntryText(pair)))
            continue;
        --oldCount, --newCount;
        todoTexts.insert(TodoEntryText(pair));
        todo_.append(pair);
        ++oldTaken[pair.oldName];
        ++newTaken[pair.newName];
    }
    if (todo_.size() == before)
        return false;
    old_ = Without(old_, oldTaken);
    new_ = Without(new_, newTaken);
    oldSelected_ = newSelected_ = -1;
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
