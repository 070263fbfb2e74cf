// Step 2: old constant names that lost their match, bound to new ones by the user.
#pragma once

namespace quarvel {

struct GenerationContext;

int CheckWindowConstants(GenerationContext &g);
int CheckMenuConstants(GenerationContext &g);
int CheckMenuItemConstants(GenerationContext &g);
int CheckStatusBarConstants(GenerationContext &g);
int CheckToolBarConstants(GenerationContext &g);
int CheckGadgetConstants(GenerationContext &g);

} // namespace quarvel
