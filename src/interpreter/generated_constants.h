// Constants that Quarvel declares in its own sections (windows, menus, menu items, gadgets,
// status bars, toolbars, images, fonts) and that a common file declares too would be declared
// twice, mostly with two values. The common file's enumeration member or constant definition
// becomes a comment, so no line is added or removed. A FormWindow or FormGadget enumeration of
// the form designer keeps its members: Quarvel's numbering is lined up with them.
#pragma once

namespace quarvel {

struct DesignModel;

void DropGeneratedConstants(DesignModel &model);

} // namespace quarvel
