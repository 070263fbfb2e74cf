#include "update/constant_check.h"

#include "model/generation_context.h"
#include "update/bind_dialog_model.h"

#include <QHash>
#include <QSet>

#include <algorithm>

namespace quarvel {

namespace {

// The entries of names that others does not hold, in order; exact, case-sensitive comparison.
QStringList WithoutMatch(const QStringList &names, const QStringList &others)
{
    if (names == others) // an unchanged project: comparing in order costs no hashing
        return {};
    const QSet<QString> other(others.cbegin(), others.cend());
    QStringList result;
    for (const QString &name : names)
        if (!other.contains(name))
            result.append(name);
    return result;
}

// Objects carry their window's name as a prefix, so a window bound to a new name renames the
// previous names of its objects too. Later window bindings see the result of earlier ones.
// Rather than every binding walking every name, each name looks up the bindings whose old
// prefix ends at one of its "_" and takes them in binding order.
void CarryWindowRenames(const BindingList &bindings, QStringList &previousNames)
{
    QHash<QString, QList<int>> byOldPrefix; // old name + "_" -> indices of its bindings, rising
    for (int i = 0; i < bindings.size(); ++i)
        if (bindings.at(i).kind == ObjectKind::Window)
            byOldPrefix[bindings.at(i).oldName + QLatin1Char('_')].append(i);
    if (byOldPrefix.isEmpty())
        return;
    for (QString &name : previousNames) {
        for (int done = -1;;) {
            int next = -1;
            for (qsizetype u = name.indexOf(QLatin1Char('_')); u >= 0; u = name.indexOf(QLatin1Char('_'), u + 1)) {
                const auto found = byOldPrefix.constFind(name.left(u + 1));
                if (found == byOldPrefix.cend())
                    continue;
                const auto later = std::upper_bound(found->cbegin(), found->cend(), done);
                if (later != found->cend() && (next < 0 || *later < next))
                    next = *later;
            }
            if (next < 0)
                break;
            const ConstantBinding &binding = bindings.at(next);
            name = binding.newName + QLatin1Char('_') + name.mid(binding.oldName.size() + 1);
            done = next;
        }
    }
}

// Offers the unbound names to the user and appends what was bound. False when the user
// cancelled.
bool ExchangeBindings(GenerationContext &g, ObjectKind kind, const QStringList &unboundOld,
                      const QStringList &unboundNew)
{
    if (unboundOld.isEmpty())
        return true; // new objects alone need no binding
    const BindDialogAnswer answer = g.frontEnd.OpenBindDialog(BindDialogRequest{kind, unboundOld, unboundNew});
    if (answer.result == BindDialogModel::CancelAnswer) {
        g.frontEnd.CloseBindDialog();
        return false;
    }
    for (const QString &text : answer.todo) {
        const TodoEntry entry = ParseTodoEntry(text);
        // An entry without both names would replace every "#" of the user's code.
        if (entry.oldName.isEmpty() || entry.newName.isEmpty())
            continue;
        g.bindings.append(ConstantBinding{entry.oldName, entry.newName, kind});
    }
    g.frontEnd.CloseBindDialog();
    return true;
}

} // namespace

bool CheckConstants(GenerationContext &g, ObjectKind kind)
{
    QStringList previousNames = StoredNamesOfKind(g.project.Stored, kind);
    const QStringList currentNames = NamesOfKind(g.model, kind);
    CarryWindowRenames(g.bindings, previousNames);
    return ExchangeBindings(g, kind, WithoutMatch(previousNames, currentNames),
                            WithoutMatch(currentNames, previousNames));
}

bool CheckWindowConstants(GenerationContext &g)
{
    g.bindings.clear(); // so no window rename is carried into the stored window names
    return CheckConstants(g, ObjectKind::Window);
}

bool CheckMenuConstants(GenerationContext &g) { return CheckConstants(g, ObjectKind::MenuBar); }
bool CheckMenuItemConstants(GenerationContext &g) { return CheckConstants(g, ObjectKind::MenuItem); }
bool CheckStatusBarConstants(GenerationContext &g) { return CheckConstants(g, ObjectKind::StatusBar); }
bool CheckToolBarConstants(GenerationContext &g) { return CheckConstants(g, ObjectKind::ToolBar); }
bool CheckGadgetConstants(GenerationContext &g) { return CheckConstants(g, ObjectKind::Gadget); }

} // namespace quarvel
