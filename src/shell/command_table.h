// What each command of the main window shows and how it behaves: its menu text, icon, keyboard
// shortcut and toolbar tooltip, and whether it must wait while a generation runs. The menus,
// the toolbar, the shortcuts and the dispatcher all read this one table.
#pragma once

#include "shell/command_numbers.h"
#include "shell/icons.h"

#include <QKeyCombination>

#include <array>
#include <span>

namespace quarvel {

struct CommandEntry {
    int command;
    const char *text; // the menu text, with its shortcut after a tab
    IconNumber icon;
    // Its keyboard shortcuts, the first one named in the menu text; QKeyCombination() for none.
    std::array<QKeyCombination, 2> keys;
    const char *toolTip; // on the toolbar; nullptr when the command has no button there
    bool touchesProject; // changes the project or starts a run: waits while a generation runs
};

std::span<const CommandEntry> Commands();

// The entry of a command; nullptr for a number the table does not hold.
const CommandEntry *FindCommand(int command);

// Whether the command must wait until a generation has ended: the table's commands that touch
// the project, and the recent projects, which load one.
bool TouchesProject(int command);

// An entry of the platform's application menu, which runs the command of the same meaning.
struct ApplicationMenuEntry {
    int command;
    int role; // QAction::MenuRole
    const char *text;
    int runs;
};

std::span<const ApplicationMenuEntry> ApplicationMenuEntries();

// The application menu's entry; nullptr for any other command.
const ApplicationMenuEntry *FindApplicationMenuEntry(int command);

} // namespace quarvel
