// The renames of one run: old object names bound to new ones in the rename check, carried
// through the user's code by the updates that follow it.
#pragma once

#include "model/object_kind.h"

#include <QList>
#include <QString>

namespace quarvel {

// One rename bound by the user, or by a naming rule of Quarvel's (update/naming_rules.h).
struct ConstantBinding {
    QString oldName; // without "#"
    QString newName; // without "#"
    ObjectKind kind = ObjectKind::Window;
    bool byRule = false; // bound without a question: only a rule of Quarvel's changed the name
};

using BindingList = QList<ConstantBinding>;

struct Renames {
    BindingList bindings;
    // The objects of the last run whose window a binding renames, bound to their names under
    // the window's new one: worked out once the bindings are complete (update/code_updates.h).
    BindingList windowObjects;
};

} // namespace quarvel
