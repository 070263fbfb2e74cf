#include "update/constant_check.h"

#include "model/design_model.h"
#include "model/front_end.h"
#include "model/project_state.h"
#include "update/bind_dialog_model.h"
#include "update/naming_rules.h"

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

// Offers the unbound names to the user and appends what was bound. False when the user
// cancelled.
bool ExchangeBindings(FrontEnd &frontEnd, ObjectKind kind, const QStringList &unboundOld, const QStringList &unboundNew,
                      BindingList &bindings, QString &stopReason)
{
    if (unboundOld.isEmpty())
        return true; // new objects alone need no binding
    const BindDialogAnswer answer = frontEnd.OpenBindDialog(BindDialogRequest{kind, unboundOld, unboundNew});
    if (answer.end == BindDialogEnd::Cancel) {
        // No line of the log says why the run stops here: the user said it.
        stopReason = QStringLiteral("The rename check of the ") + ObjectKindName(kind)
                     + QStringLiteral(" names was cancelled.");
        frontEnd.CloseBindDialog();
        return false;
    }
    for (const NamePair &pair : answer.bindings) {
        // A pair without both names would replace every "#" of the user's code.
        if (pair.oldName.isEmpty() || pair.newName.isEmpty())
            continue;
        bindings.append(ConstantBinding{pair.oldName, pair.newName, kind});
    }
    frontEnd.CloseBindDialog();
    return true;
}

} // namespace

// The longest window wins, so Main_Settings_Save stays when Main becomes Start while a window
// Main_Settings exists.
void CarryWindowRenames(const BindingList &bindings, QSet<QString> windows, QStringList &names)
{
    QHash<QString, QList<int>> byOldName; // old window name -> indices of its bindings, rising
    for (int i = 0; i < bindings.size(); ++i) {
        const ConstantBinding &binding = bindings.at(i);
        if (binding.kind != ObjectKind::Window)
            continue;
        byOldName[binding.oldName].append(i);
        windows << binding.oldName << binding.newName;
    }
    if (byOldName.isEmpty())
        return;
    for (QString &name : names) {
        for (int done = -1;;) {
            const qsizetype u = LongestWindowPrefix(name, windows);
            const auto found = u ? byOldName.constFind(name.left(u)) : byOldName.cend();
            if (found == byOldName.cend())
                break;
            const auto later = std::upper_bound(found->cbegin(), found->cend(), done);
            if (later == found->cend())
                break;
            const ConstantBinding &binding = bindings.at(*later);
            name = binding.newName + name.mid(u);
            done = *later;
        }
    }
}

QSet<QString> KnownWindows(const StoredConstants &stored, const QStringList &windows)
{
    QSet<QString> known(stored.Window.cbegin(), stored.Window.cend());
    for (const QString &window : windows)
        known.insert(window);
    return known;
}

bool CheckConstants(const RenameCheck &check, ObjectKind kind, BindingList &bindings, QString &stopReason)
{
    QStringList previousNames = StoredNamesOfKind(check.stored, kind);
    const QStringList currentNames = NamesOfKind(check.model, kind);
    CarryWindowRenames(bindings, KnownWindows(check.stored, check.model.WindowList), previousNames);
    QStringList unboundOld = WithoutMatch(previousNames, currentNames);
    QStringList unboundNew = WithoutMatch(currentNames, previousNames);
    const QSet<QString> windows(check.model.WindowList.cbegin(), check.model.WindowList.cend());
    BindByNamingRules(kind, windows, unboundOld, unboundNew, bindings);
    return ExchangeBindings(check.frontEnd, kind, unboundOld, unboundNew, bindings, stopReason);
}

bool CheckRenames(const RenameCheck &check, BindingList &bindings, QString &stopReason)
{
    bindings.clear(); // so no window rename is carried into the stored window names
    for (const ObjectKind kind : AllObjectKinds)
        if (!CheckConstants(check, kind, bindings, stopReason))
            return false;
    return true;
}

} // namespace quarvel
