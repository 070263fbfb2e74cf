#include "shell/command_table.h"

#include <QAction>

#include <algorithm>

namespace quarvel {

namespace {

constexpr Qt::Key NoKey = Qt::Key_unknown;

const CommandEntry Table[] = {
    {CommandProjectNew, "Project &New\tCtrl-N", IconNew, Qt::Key_N, "Project New", true},
    {CommandProjectLoad, "Project &Load\tCtrl-L", IconLoad, Qt::Key_L, "Project Load", true},
    {CommandProjectSave, "Project &Save\tCtrl-S", IconSave, Qt::Key_S, "Project Save", true},
    {CommandProjectSaveAs, "Project Save &As", IconSaveAs, NoKey, nullptr, true},
    {CommandUserGadget, "User&Gadget", IconUserGadget, NoKey, nullptr, false}, // open during a run
    {CommandExit, "E&xit", IconExit, NoKey, nullptr, true},
    {CommandCommonAdd, "Common &Add", IconAdd, NoKey, "Add Commonfile", true},
    {CommandCommonDelete, "Common &Delete", IconDelete, NoKey, "Remove Commonfile", true},
    {CommandCommonFirst, "Common &First File", IconFirst, NoKey, "Selected Commonfile as first", true},
    {CommandStartGenerate, "&Start Generate", IconGenerate, NoKey, "Generate", true},
    {CommandInfo, "&Info", IconInfo, NoKey, nullptr, false},
    {CommandLicence, "&Licence", IconLicence, NoKey, nullptr, false},
    {CommandChanges, "Show &Changes\tCtrl-D", IconChanges, Qt::Key_D, "Show Changes", false},
    {CommandOpenProjectFolder, "Open Project &Folder", IconLoad, NoKey, nullptr, false},
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
