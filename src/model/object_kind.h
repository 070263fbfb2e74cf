// The kinds of object the engine names, numbers and lists, in one enum. Each view takes the
// kinds it needs, and the views differ on purpose:
// - the named kinds carried from run to run (AllObjectKinds: step 2's checks, the project
//   file's sections, the counts in the log, the bind dialog) hold a toolbar button as a menu
//   item, since the two share their constants, numbers and event procedures (NamedKind);
// - the run's object list (the desktop program, --report json) tells a ToolBarButton apart,
//   as a window preview draws it apart, and lists an event procedure of no object as a
//   Procedure;
// - the object-number scan counts Image and Font as well.
#pragma once

#include <QLatin1StringView>
#include <QString>

#include <array>

namespace quarvel {

// The named kinds are numbered 1 to 6 in the order of AllObjectKinds; None, no object, comes
// last.
enum class ObjectKind : quint8 {
    Window = 1,
    Menu,
    MenuItem,
    StatusBar,
    ToolBar,
    Gadget,
    ToolBarButton,
    Image,
    Font,
    Procedure,
    None,
};

// The size of an array indexed by kind.
inline constexpr int ObjectKindCount = int(ObjectKind::None) + 1;

inline constexpr std::array<ObjectKind, 6> AllObjectKinds = {ObjectKind::Window,   ObjectKind::Menu,
                                                             ObjectKind::MenuItem, ObjectKind::StatusBar,
                                                             ObjectKind::ToolBar,  ObjectKind::Gadget};

// The named kind an object is kept under from run to run: a toolbar button is a menu item.
constexpr ObjectKind NamedKind(ObjectKind kind)
{
    return kind == ObjectKind::ToolBarButton ? ObjectKind::MenuItem : kind;
}

// The name the bind dialog and the log show for a named kind: "Window", "MenuBar", ... "Gadget".
QString ObjectKindName(ObjectKind kind);

// The words a log line and the desktop's object list use for it: "window", "menu item",
// "status bar", ... "procedure".
QLatin1StringView ObjectKindWords(ObjectKind kind);

// The name the JSON report gives it: the words joined by "-" ("menu-item").
QString ObjectKindReportName(ObjectKind kind);

} // namespace quarvel
