// Collects the names of windows, menus, menu items, toolbar buttons, status bars, toolbars
// and gadgets into the design model.
#pragma once

namespace quarvel {

struct GenerationContext;

// False, after logging the duplicate, when two windows, menus, status bars or toolbars share a
// name: the run stops.
bool CollectObjectNames(GenerationContext &g);
void SplitMenuItemTabs(GenerationContext &g);

} // namespace quarvel
