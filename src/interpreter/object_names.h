// Collects the names of windows, menus, menu items, toolbar buttons, status bars, toolbars
// and gadgets into the design model.
#pragma once

#include "model/object_kind.h"

#include <QString>

namespace quarvel {

struct DesignModel;
struct NameTables;
class LogSink;

// What a line declares, by the command in front of one of its "(#": the first kind of Window,
// Menu, MenuItem, StatusBar, ToolBar, ToolBarButton, Gadget wins, and among equals the first
// in the line; None when there is none. Gadget stands for any other command word; the gadget
// creator table tells whether it creates a gadget.
struct ObjectDeclaration {
    ObjectKind kind = ObjectKind::None;
    int bracket = 0; // the "(" of the declaring command's "(#"
};

ObjectDeclaration DeclarationOfLine(const QString &s);

// The constant a declaration names, cut from the "#" after its bracket: the identifier there,
// without blanks around it. A number computed from it ("#Btn_0 + i") gives the identifier.
QStringView DeclaredName(const QString &s, int bracket);

// False, after logging the duplicate, when two windows, menus, status bars or toolbars share a
// name: the run stops.
bool CollectObjectNames(DesignModel &model, const NameTables &nameTables, LogSink &log);
void SplitMenuItemTabs(DesignModel &model);

} // namespace quarvel
