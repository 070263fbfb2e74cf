// Step 2: old constant names that lost their match, bound to new ones by the user.
#pragma once

namespace quarvel {

struct GenerationContext;

// Each returns 1 to go on and 0 when the user cancelled the bind dialog. The window check
// starts the run's BindingList afresh; the later kinds see the window renames bound before.
int CheckWindowConstants(GenerationContext &g);
int CheckMenuConstants(GenerationContext &g);
int CheckMenuItemConstants(GenerationContext &g);
int CheckStatusBarConstants(GenerationContext &g);
int CheckToolBarConstants(GenerationContext &g);
int CheckGadgetConstants(GenerationContext &g);

// The comparison and the dialog of one kind (2 to 6): the stored names, with the window
// renames carried into them, against the current names.
int CheckConstants(GenerationContext &g, int kind);

} // namespace quarvel
