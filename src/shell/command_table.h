// What each command of the main window shows and how it behaves: its menu text, icon, keyboard
// shortcuts and toolbar tooltip, and whether it must wait while a generation runs. The menus,
// the toolbar and the shortcuts are all made from this one table; each command is one QAction.
#pragma once

#include "shell/icons.h"

#include <QKeyCombination>

#include <array>
#include <span>

namespace quarvel {

enum class Command {
    ProjectNew,
    ProjectLoad,
    ProjectSave,
    ProjectSaveAs,
    UserGadget,
    Exit,
    CommonAdd,
    CommonDelete,
    CommonFirst,
    StartGenerate,
    Info,
    Licence,
    Changes,
    OpenProjectFolder,
    Editor,
    Undo,
    ProjectView,
    RegenerateOnSave,
};

struct CommandEntry {
    Command command;
    const char *text; // the menu text, with its shortcut after a tab
    IconNumber icon;
    // Its keyboard shortcuts, the first one named in the menu text; QKeyCombination() for none.
    std::array<QKeyCombination, 2> keys;
    const char *toolTip; // on the toolbar; nullptr when the command has no button there
    bool touchesProject; // changes the project or starts a run: waits while a generation runs
    bool ownText;        // a text of this program's own, translated; the others stay as they are
};

std::span<const CommandEntry> Commands();
const CommandEntry &EntryOf(Command command);

// An entry of the platform's application menu, which runs the command of the same meaning.
struct ApplicationMenuEntry {
    int role; // QAction::MenuRole
    const char *text;
    Command runs;
};

std::span<const ApplicationMenuEntry> ApplicationMenuEntries();

} // namespace quarvel
