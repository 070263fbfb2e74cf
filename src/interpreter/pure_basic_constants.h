// Menu items created with one of PureBasic's own constants (#PB_Menu_About, #PB_Menu_Quit,
// #PB_Menu_Preferences: the items macOS puts in its application menu) are objects without a
// constant of Quarvel's: their event procedure is named after the window and the constant
// (EventMenu_Main_PB_Menu_Quit), but the code and the dispatcher use PureBasic's constant,
// which no enumeration declares.
#pragma once

namespace quarvel {

struct DesignModel;

// After the prefix pass and the name collection: each such item is recorded in
// model.PureBasicConstants, and the window prefix the pass gave its constant is taken off the
// code again.
void KeepPureBasicConstants(DesignModel &model);

} // namespace quarvel
