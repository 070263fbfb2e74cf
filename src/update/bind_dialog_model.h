// The bind dialog ("Search and Replace") without its widgets: the old names that lost their
// match, the new names without a previous one, and the Todo List of pairs the user made.
// The desktop dialog shows this model; the command line drives it from --bind options.
#pragma once

#include "model/answer.h"
#include "model/front_end.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

namespace quarvel {

// A Todo List entry as the dialog shows it: "old > new".
QString TodoEntryText(const NamePair &pair);

// A Yes / No / Cancel message requester: title, text.
using AskQuestion = std::function<Answer(const QString &title, const QString &text)>;

class BindDialogModel {
public:
    explicit BindDialogModel(const BindDialogRequest &request);

    QString Title() const;
    ObjectKind Kind() const { return kind_; }

    const QStringList &OldEntries() const { return old_; }
    const QStringList &NewEntries() const { return new_; }
    const QList<NamePair> &Bindings() const { return todo_; }
    QStringList TodoEntries() const; // as the Todo List shows them

    // Selected rows, -1 for none. Selecting a row out of range selects nothing.
    int OldSelected() const { return oldSelected_; }
    int NewSelected() const { return newSelected_; }
    int TodoSelected() const { return todoSelected_; }
    void SelectOld(int row) { oldSelected_ = Checked(row, old_); }
    void SelectNew(int row) { newSelected_ = Checked(row, new_); }
    void SelectTodo(int row) { todoSelected_ = Checked(row, todo_); }

    // "Bind", or a double-click in the Old or New list: the two selected names become one Todo
    // entry and leave their lists. False when nothing changed.
    bool BindSelected();

    // "Bind suggested": each pair whose names are both still in their lists becomes a Todo entry,
    // in the given order. One pass over the lists however many pairs there are. False when
    // nothing changed.
    bool BindPairs(const QList<NamePair> &pairs);

    // "Release", or a double-click in the Todo List: the selected entry goes and its names
    // return to the end of their lists. False when nothing changed.
    bool ReleaseSelected();

    // "Continue": how the dialog ends (Yes to the question goes on, Cancel cancels), or nullopt
    // when the user chose to stay and bind more. Old names left unbound are asked about first.
    std::optional<BindDialogEnd> ContinueBinding(const AskQuestion &ask) const;

    // The dialog's close box ends the run like Cancel.
    BindDialogEnd CloseBox() const { return BindDialogEnd::Cancel; }

    // What the worker takes from the dialog once it has answered.
    BindDialogAnswer AnswerWith(BindDialogEnd end) const { return BindDialogAnswer{end, todo_}; }

private:
    template <typename List>
    static int Checked(int row, const List &list)
    {
        return row >= 0 && row < list.size() ? row : -1;
    }

    ObjectKind kind_;
    QStringList old_;
    QStringList new_;
    QList<NamePair> todo_;
    int oldSelected_ = -1;
    int newSelected_ = -1;
    int todoSelected_ = -1;
};

} // namespace quarvel
