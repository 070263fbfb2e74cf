// Step 2: old constant names that lost their match, bound to new ones by the user.
#pragma once

#include "model/generation_context.h"
#include "model/object_kind.h"

#include <QSet>

namespace quarvel {

struct GenerationContext;

// Each returns true to go on and false when the user cancelled the bind dialog. The window
// check starts the run's BindingList afresh; the later kinds see the window renames bound
// before.
bool CheckWindowConstants(GenerationContext &g);
bool CheckMenuConstants(GenerationContext &g);
bool CheckMenuItemConstants(GenerationContext &g);
bool CheckStatusBarConstants(GenerationContext &g);
bool CheckToolBarConstants(GenerationContext &g);
bool CheckGadgetConstants(GenerationContext &g);

// The comparison and the dialog of one kind: the stored names, with the window renames bound
// so far carried into them, against the current names.
bool CheckConstants(GenerationContext &g, ObjectKind kind);

// The window names of the last run and of this one.
QSet<QString> KnownWindows(const GenerationContext &g);

// Objects carry their window's name as a prefix, so a window bound to a new name renames the
// names of its objects too (later window bindings see the result of earlier ones). The window
// of a name is the longest of windows (old or new) it begins with, followed by "_".
void CarryWindowRenames(const BindingList &bindings, QSet<QString> windows, QStringList &names);

} // namespace quarvel
