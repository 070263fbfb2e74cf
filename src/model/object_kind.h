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

// What an entry of a run's object list is: an object the window sources create, or an event
// procedure that belongs to no object as it stands (Procedure). Menu items and toolbar buttons,
// one kind above, are told apart here, as a window preview draws them apart.
enum class ProjectObjectKind { Window, Menu, MenuItem, ToolBar, ToolBarButton, StatusBar, Gadget, Procedure };

// The name the JSON report gives it: "window", "menu", "menu-item", ... "procedure".
QLatin1StringView ProjectObjectKindName(ProjectObjectKind kind);

} // namespace quarvel
