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

// The length of the longest window name that begins name, followed by its "_"; 0 for none.
qsizetype LongestWindowPrefix(const QString &name, const QSet<QString> &windows)
{
    for (qsizetype u = name.lastIndexOf(QLatin1Char('_')); u > 0; u = name.lastIndexOf(QLatin1Char('_'), u - 1)) {
        if (windows.contains(name.left(u)))
            return u;
    }
    return 0;
}

// Offers the unbound names to the user and appends what was bound. False when the user
// cancelled.
bool ExchangeBindings(GenerationContext &g, ObjectKind kind, const QStringList &unboundOld,
                      const QStringList &unboundNew)
{
    if (unboundOld.isEmpty())
        return true; // new objects alone need no binding
    const BindDialogAnswer answer = g.frontEnd.OpenBindDialog(BindDialogRequest{kind, unboundOld, unboundNew});
    if (answer.end == BindDialogEnd::Cancel) {
        // No line of the log says why the run stops here: the user said it.
        g.stopReason = QStringLiteral("The rename check of the ") + ObjectKindName(kind)
                       + QStringLiteral(" names was cancelled.");
        g.frontEnd.CloseBindDialog();
        return false;
    }
    for (const NamePair &pair : answer.bindings) {
        // A pair without both names would replace every "#" of the user's code.
        if (pair.oldName.isEmpty() || pair.newName.isEmpty())
            continue;
        g.bindings.append(ConstantBinding{pair.oldName, pair.newName, kind});
    }
    g.frontEnd.CloseBindDialog();
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

QSet<QString> KnownWindows(const GenerationContext &g)
{
    QSet<QString> windows(g.project.Stored.Window.cbegin(), g.project.Stored.Window.cend());
    for (const QString &window : g.model.WindowList)
        windows.insert(window);
    return windows;
}

bool CheckConstants(GenerationContext &g, ObjectKind kind)
{
    QStringList previousNames = StoredNamesOfKind(g.project.Stored, kind);
    const QStringList currentNames = NamesOfKind(g.model, kind);
    CarryWindowRenames(g.bindings, KnownWindows(g), previousNames);
    return ExchangeBindings(g, kind, WithoutMatch(previousNames, currentNames),
                            WithoutMatch(currentNames, previousNames));
}

bool CheckWindowConstants(GenerationContext &g)
{
    g.bindings.clear(); // so no window rename is carried into the stored window names
    g.windowObjects.reset();
    return CheckConstants(g, ObjectKind::Window);
}

bool CheckMenuConstants(GenerationContext &g)
{
    return CheckConstants(g, ObjectKind::MenuBar);
}
bool CheckMenuItemConstants(GenerationContext &g)
{
    return CheckConstants(g, ObjectKind::MenuItem);
}
bool CheckStatusBarConstants(GenerationContext &g)
{
    return CheckConstants(g, ObjectKind::StatusBar);
}
bool CheckToolBarConstants(GenerationContext &g)
{
    return CheckConstants(g, ObjectKind::ToolBar);
}
bool CheckGadgetConstants(GenerationContext &g)
{
    return CheckConstants(g, ObjectKind::Gadget);
}

} // namespace quarvel
