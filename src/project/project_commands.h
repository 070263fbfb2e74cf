// New, Load, Save, Save As and Exit: the commands that keep the current project's identity and
// guard the user's unsaved work. They run on the GUI thread and ask the user through the
// requesters; nothing here touches a widget.
#pragma once

#include "base/file_writer.h"
#include "model/project_state.h"
#include "model/requesters.h"

#include <functional>

namespace quarvel {

class FrontEnd;

inline const QString ProjectPatterns = QStringLiteral("Project (*.pbm)|*.pbm");

// The directory part of a path, up to and including its last "/"; empty without one.
QString PathPart(const QString &path);

class ProjectCommands {
public:
    ProjectCommands(ProjectState &project, Requesters &ask, FrontEnd &frontEnd);

    // True when the calling command (New, Load, Exit) may go on.
    bool AskSaveChanges();
    void NewProject();
    void OpenProject();
    // Load without the file requester (recent projects, a dropped project file).
    void OpenProjectFile(const QString &path);
    void SaveProjectCommand();
    // True when the project was saved under a name the user chose.
    bool SaveProjectAs();
    // Sets QuitRequested unless the save prompt's Save As is cancelled or fails.
    void QuitCommand();
    // A project without a file is saved first; false when it still has none.
    bool GenerationGuard();
    void ShowProjectFile();

    bool QuitRequested = false;

    // The shell's views of the project: the status bar and the common-file list.
    std::function<void(const QString &projectFile)> showProjectFile;
    std::function<void()> showCommonFiles;

    FileWriter writer;

private:
    void ShowCommonFiles();
    void LoadChosenProject(const QString &path);

    ProjectState &project_;
    Requesters &ask_;
    FrontEnd &frontEnd_;
};

} // namespace quarvel
