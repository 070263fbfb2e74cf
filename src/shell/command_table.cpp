#include "shell/command_table.h"

#include <QAction>

#include <algorithm>

namespace quarvel {

namespace {

constexpr QKeyCombination Ctrl(Qt::Key key)
{
    return Qt::CTRL | key;
}

const CommandEntry Table[] = {
    {CommandProjectNew, "Project &New\tCtrl-N", IconNew, {Ctrl(Qt::Key_N)}, "Project New", true},
    {CommandProjectLoad, "Project &Load\tCtrl-L", IconLoad, {Ctrl(Qt::Key_L), Ctrl(Qt::Key_O)}, "Project Load", true},
    {CommandProjectSave, "Project &Save\tCtrl-S", IconSave, {Ctrl(Qt::Key_S)}, "Project Save", true},
    {CommandProjectSaveAs, "Project Save &As", IconSaveAs, {}, nullptr, true},
    {CommandUserGadget, "User&Gadget", IconUserGadget, {}, nullptr, false}, // open during a run
    {CommandExit, "E&xit\tCtrl-Q", IconExit, {Ctrl(Qt::Key_Q)}, nullptr, true},
    {CommandCommonAdd, "Common &Add", IconAdd, {}, "Add Commonfile", true},
    {CommandCommonDelete, "Common &Delete\tDel", IconDelete, {Qt::Key_Delete}, "Remove Commonfile", true},
    {CommandCommonFirst, "Common &First File", IconFirst, {}, "Selected Commonfile as first", true},
    {CommandStartGenerate, "&Start Generate\tF5", IconGenerate, {Qt::Key_F5}, "Generate", true},
    {CommandInfo, "&Info", IconInfo, {}, nullptr, false},
    {CommandLicence, "&Licence", IconLicence, {}, nullptr, false},
    {CommandChanges, "Show &Changes\tCtrl-D", IconChanges, {Ctrl(Qt::Key_D)}, "Show Changes", false},
    {CommandProjectView, "Show &Project View\tCtrl-P", IconUserGadget, {Ctrl(Qt::Key_P)}, nullptr, false},
    {CommandRegenerateOnSave, "&Regenerate on Save", IconGenerate, {}, nullptr, false},
    {CommandOpenProjectFolder, "Open Project &Folder", IconLoad, {}, nullptr, false},
    {CommandUndo, "&Undo\tCtrl-Z", IconUndo, {Ctrl(Qt::Key_Z)}, nullptr, true},
    {CommandEditor, "&Editor...", IconInfo, {}, nullptr, false},
};

const ApplicationMenuEntry ApplicationMenu[] = {
    {CommandAppAbout, QAction::AboutRole, "About Quarvel", CommandInfo},
    {CommandAppPreferences, QAction::PreferencesRole, "Preferences...", CommandUserGadget},
    {CommandAppQuit, QAction::QuitRole, "Quit", CommandExit},
};

template <typename Entry>
const Entry *FindIn(std::span<const Entry> entries, int command)
{
    const auto found = std::find_if(entries.begin(), entries.end(),
                                    [command](const Entry &entry) { return entry.command == command; });
    return found == entries.end() ? nullptr : &*found;
}

} // namespace

std::span<const CommandEntry> Commands()
{
    return Table;
}

const CommandEntry *FindCommand(int command)
{
    return FindIn(Commands(), command);
}

bool TouchesProject(int command)
{
    if (command >= CommandRecentProject)
        return true;
    const CommandEntry *entry = FindCommand(command);
    return entry && entry->touchesProject;
}

std::span<const ApplicationMenuEntry> ApplicationMenuEntries()
{
    return ApplicationMenu;
}

const ApplicationMenuEntry *FindApplicationMenuEntry(int command)
{
    return FindIn(ApplicationMenuEntries(), command);
}

} // namespace quarvel
