// The desktop program: the thin object that owns the project, the settings and one class per
// window, and wires them with signals. Qt's own event loop runs it; the generation worker's
// requests reach it through the RequestQueue.
#pragma once

#include "model/name_tables.h"
#include "project/project_commands.h"
#include "project/settings.h"
#include "shell/about_view.h"
#include "shell/changes_view.h"
#include "shell/desktop_front_end.h"
#include "shell/desktop_run.h"
#include "shell/dialogs/user_gadget_window.h"
#include "shell/icons.h"
#include "shell/main_view.h"
#include "shell/objects_dry_run.h"
#include "shell/options_view.h"
#include "shell/project_view.h"
#include "shell/request_queue.h"
#include "shell/save_watch.h"

#include <QObject>

#include <memory>

namespace quarvel {

class Shell : public QObject {
    Q_OBJECT
public:
    // ask answers every requester; the desktop program passes none and gets Qt's dialogs,
    // tests pass a script.
    explicit Shell(Requesters *ask = nullptr);
    ~Shell() override;

    // Start-up: the settings and the project are loaded and the main window shown. A project
    // named on the command line that cannot be one is named in a message, and not opened.
    void StartUp(const QStringList &arguments);
    // The window's place and the settings are saved for the next start.
    void SaveAtExit();

    bool GenerationRunning() const { return run_.Running(); }
    // A dry run for the Project view or a load for the Changes view is still going.
    bool ReadingInBackground() const { return objectsRun_.Running() || changes_.Loading(); }

    ProjectState &project() { return project_; }
    ProgramSettings &settings() { return settings_; }
    ProjectCommands &commands() { return commands_; }
    FrontEnd &frontEnd() { return frontEnd_; }
    RequestQueue &requests() { return requests_; }
    const NameTables &nameTables() const { return tables_; }
    const IconSet &icons() const { return icons_; }
    MainView &mainView() { return main_; }
    OptionsView &optionsView() { return options_; }
    AboutView &aboutView() { return about_; }
    UserGadgetDialog &userGadgets() { return userGadgets_; }
    ChangesView &changesView() { return changes_; }
    ProjectView &projectView() { return projectView_; }
    BindDialogWindow *bindDialog() const { return run_.bindDialog(); }

signals:
    // Exit, Quit or the close box went through the save question.
    void quitRequested();

private:
    void Connect();
    void ConnectRun();
    // The main window is covered while one of the windows that stand over it is open.
    void CoverMainWindow();
    // The Project view of a newly named or loaded project, or of a changed file list, comes
    // from a dry run.
    void RefreshFacts();
    // A window source or the project file was saved on disk while Regenerate on Save is on.
    void SourcesSaved(const QStringList &paths);
    void RunEnded(const std::optional<RunResult> &result);

    std::unique_ptr<Requesters> ownRequesters_;
    Requesters &ask_;
    ProjectState project_;
    ProgramSettings settings_;
    NameTables tables_;
    RequestQueue requests_;
    DesktopFrontEnd frontEnd_;
    ProjectCommands commands_;
    IconSet icons_;

    MainView main_;
    OptionsView options_;
    AboutView about_;
    UserGadgetDialog userGadgets_;
    ChangesView changes_;
    ProjectView projectView_;
    ObjectsDryRun objectsRun_;
    SaveWatch saveWatch_;
    // Saved while a run went on: unless the run wrote them itself, one more run follows.
    QStringList savedDuringRun_;
    QString regenerating_; // the status bar's message while a saved file's run goes on
    DesktopRun run_;
};

} // namespace quarvel
