// Step 2: old constant names that lost their match, bound to new ones by the user.
#pragma once

#include "model/object_kind.h"
#include "model/renames.h"

#include <QSet>

namespace quarvel {

struct DesignModel;
struct StoredConstants;
class FrontEnd;

// What the rename check works on: this run's names, the last run's, and the user, who binds
// the names that lost their match through the bind dialog.
struct RenameCheck {
    const DesignModel &model;
    const StoredConstants &stored;
    FrontEnd &frontEnd;
};

// The bindings of every kind, windows first (the later kinds see the window renames bound
// before). False when the user cancelled the bind dialog; stopReason then says which check.
bool CheckRenames(const RenameCheck &check, BindingList &bindings, QString &stopReason);

// The comparison and the dialog of one kind: the stored names, with the window renames bound
// so far carried into them, against the current names. What the user binds is appended.
bool CheckConstants(const RenameCheck &check, ObjectKind kind, BindingList &bindings, QString &stopReason);

// The window names of the last run and of this one.
QSet<QString> KnownWindows(const StoredConstants &stored, const QStringList &windows);

// Objects carry their window's name as a prefix, so a window bound to a new name renames the
// names of its objects too (later window bindings see the result of earlier ones). The window
// of a name is the longest of windows (old or new) it begins with, followed by "_".
void CarryWindowRenames(const BindingList &bindings, QSet<QString> windows, QStringList &names);

} // namespace quarvel
