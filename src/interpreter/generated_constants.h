// Constants that Quarvel declares in its own sections (windows, menus, menu items, gadgets,
// status bars, toolbars, images, fonts) and that a common file declares too would be declared
// twice, mostly with two values. The common file's declaration becomes a comment, so no line is
// added or removed, and no value moves: the member kept after a dropped one is given the value
// it had ("#WND_COUNT = 2"). The old name of an object that now carries its window's name
// (#btn0, now #wndMain_btn0) is dropped the same way and declared again as the new one. A
// FormWindow or FormGadget enumeration of the form designer keeps its members: Quarvel's
// numbering is lined up with them.
#pragma once

namespace quarvel {

struct DesignModel;

void DropGeneratedConstants(DesignModel &model);

} // namespace quarvel
