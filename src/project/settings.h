// Program settings (QL4.INI): what outlives a run of the desktop program. The file is read
// once at start and written once at exit.
#pragma once

#include "base/file_result.h"
#include "model/project_state.h"

#include <QString>
#include <QStringList>

namespace quarvel {

struct NameTables;

struct ProgramSettings {
    QString SettingsFile;       // QL4.INI in the settings directory
    QString UserListFile;       // UserList.INI in the settings directory
    QStringList UserGadgetList; // the user's own gadget-creating procedures, in file order
    // What the desktop program remembers beside the switches, under groups of their own that
    // older readers of QL4.INI pass over.
    QStringList RecentProjects;    // newest first, at most MaxRecentProjects
    QString WindowGeometry;        // the main window's saved geometry, base64
    int Divider = 0;               // the splitter's divider in pixels from the top; 0 = default
    QString EditorCommand;         // e.g. "kate --line %l %f"; empty = the desktop's default
    bool RegenerateOnSave = false; // a saved window source or project file starts a run
};

inline constexpr int MaxRecentProjects = 8;

// Reads RecentProjects, WindowGeometry, Divider, EditorCommand and RegenerateOnSave from
// SettingsFile, which
// LoadSettings does at start.
void LoadDesktopMemory(ProgramSettings &settings);
// Writes them back; an emptied recent slot is written empty.
void SaveDesktopMemory(const ProgramSettings &settings);
// Puts path first in RecentProjects (once, compared as cleaned absolute paths), keeping eight.
void RememberRecentProject(ProgramSettings &settings, const QString &path);

// Where QL4.INI and UserList.INI live: $QUARVEL_CONFIG_DIR when set, else beside the
// executable when that directory is writable and no installed bin directory, else the
// per-user configuration directory.
// The directory is created when missing. Ends with "/".
QString SettingsDirectory();

// True for an executable directory that "cmake --install" made: its prefix holds the program's
// desktop entry in share/applications.
bool IsInstalledProgram(const QString &executableDirectory);

// Fills SettingsFile and UserListFile from SettingsDirectory().
void LocateSettingsFiles(ProgramSettings &settings);

// The value of key in group of the preference file, trimmed; defaultValue when the file cannot
// be read or has no such group or key.
QString ReadSetting(const QString &group, const QString &key, const QString &file,
                    const QString &defaultValue = QString());

// A numeric setting: the numeric value of the text read (a value that is no number is 0).
int ReadNumericSetting(const QString &group, const QString &key, const QString &file, int defaultValue);

// Writes one value by its own open-write-close cycle, creating the file and the group when
// missing. Nothing happens when the file can neither be opened nor created.
void WriteSetting(const QString &group, const QString &key, const QString &value, const QString &file);

// Start-up: locates the two files, reads the user gadget list, builds the name tables, then
// restores the project named by the first argument or by the last run, or else starts a new
// project with the default switches; reads the desktop memory too (LoadDesktopMemory). arguments are the program's
// arguments WITHOUT the program name (QCoreApplication::arguments().mid(1)); "-psn_" arguments are skipped. The caller
// shows project.ProjectFile in the status bar afterwards, and reports the failures returned, in their order.
QList<FileResult> LoadSettings(ProgramSettings &settings, ProjectState &project, NameTables &tables,
                               const QStringList &arguments);

// The last directory, the project file and the switches in force, into SettingsFile.
void SaveSettings(const ProgramSettings &settings, const ProjectState &project);

// Exit: SaveSettings and SaveDesktopMemory in one write of SettingsFile.
void SaveSettingsAtExit(const ProgramSettings &settings, const ProjectState &project);

} // namespace quarvel
