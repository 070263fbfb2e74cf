// Program settings (QL4.INI) and the user gadget list (UserList.INI): what outlives a run of
// the desktop program.
#pragma once

#include "project_state.h"

#include <QString>
#include <QStringList>

namespace quarvel {

class FrontEnd;
struct NameTables;

struct ProgramSettings {
    QString SettingsFile;       // QL4.INI in the settings directory
    QString UserListFile;       // UserList.INI in the settings directory
    QStringList UserGadgetList; // the user's own gadget-creating procedures, in file order
};

// Where QL4.INI and UserList.INI live: $QUARVEL_CONFIG_DIR when set, else beside the
// executable when that directory is writable, else the per-user configuration directory.
// Ends with "/".
QString SettingsDirectory();

// Reads UserList.INI (creating it with its header when missing) into settings.UserGadgetList.
// False, with the "UserGadgetList" message, when it can neither be opened nor created.
bool LoadUserGadgets(ProgramSettings &settings, FrontEnd &frontEnd);

// Start-up: the two files, the name tables, and the project named by the first argument or by
// the last run, or else a new project with the default switches.
void LoadSettings(ProgramSettings &settings, ProjectState &project, NameTables &tables,
                  FrontEnd &frontEnd, const QStringList &arguments);

// Exit: the last directory, the project file and the switches in force.
void SaveSettings(const ProgramSettings &settings, const ProjectState &project);

// The Ok of the user gadget window: replaces the list and rewrites UserList.INI. False, with
// the "Save UserGadget" message, when the file cannot be written (the list is replaced anyway).
bool SaveUserGadgets(ProgramSettings &settings, const QStringList &names, FrontEnd &frontEnd);

} // namespace quarvel
