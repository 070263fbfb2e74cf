// Collects the names of windows, menus, menu items, toolbar buttons, status bars, toolbars
// and gadgets into the design model.
#pragma once

namespace quarvel {

struct GenerationContext;

int CollectObjectNames(GenerationContext &g);
void SplitMenuItemTabs(GenerationContext &g);

} // namespace quarvel
