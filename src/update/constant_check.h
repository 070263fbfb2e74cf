// Step 2: old constant names that lost their match, bound to new ones by the user.
#pragma once

#include "model/object_kind.h"

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

} // namespace quarvel
