// The six kinds of named object a generation tracks from run to run. Their order is the order
// of step 2's checks, of the project file's sections and of the counts in the log.
#pragma once

#include <QString>

#include <array>

namespace quarvel {

enum class ObjectKind { Window = 1, MenuBar, MenuItem, StatusBar, ToolBar, Gadget };

inline constexpr std::array<ObjectKind, 6> AllObjectKinds = {ObjectKind::Window,   ObjectKind::MenuBar,
                                                             ObjectKind::MenuItem, ObjectKind::StatusBar,
                                                             ObjectKind::ToolBar,  ObjectKind::Gadget};

// The name the bind dialog and the log show for a kind: "Window", "MenuBar", ... "Gadget".
QString ObjectKindName(ObjectKind kind);

} // namespace quarvel
