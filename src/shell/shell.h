// The desktop program: the thin object that owns the project, the settings and one class per
// window, wires them with signals, and runs the event loop that hands every event to the class
// of the window it came from.
#pragma once

#include "model/name_tables.h"
#include "project/project_commands.h"
#include "project/settings.h"
#include "shell/about_view.h"
#include "shell/changes_view.h"
#include "shell/desktop_front_end.h"
#include "shell/desktop_run.h"
#include "shell/dialogs/user_gadget_window.h"
#include "shell/facts_run.h"
#include "shell/icons.h"
#include "shell/main_view.h"
#include "shell/options_view.h"
#include "shell/project_view.h"
#include "shell/save_watch.h"
#include "ui/event_queue.h"
#include "ui/toolkit.h"

#include <any>
#include <memory>

namespace quarvel {

class Shell {
public:
    // ask answers every requester; the desktop program passes QtRequesters, tests a script.
    explicit Shell(Requesters *ask = nullptr);
    ~Shell();

    // Start-up up to the event loop: false when the main window could not be opened.
    bool StartUp(const QStringList &arguments);
    // The event loop until QuitRequested, then the settings are saved.
    void RunEventLoop();
    // One turn of the loop: waits for an event (at most timeoutMs) and dispatches it. False
    // when none came.
    bool HandleNextEvent(int timeoutMs = -1);

    // Each event goes to the class of the window it names (menu commands all belong to the
    // main window). payload is what a request of the generation worker carries.
    void GadgetDispatcher(int window, int gadget, int type, const std::any &payload = {});
    void SizeDispatcher(int window);
    void CloseDispatcher(int window);

    bool GenerationRunning() const { return run_.Running(); }

    EventQueue &queue() { return queue_; }
    Toolkit &toolkit() { return ui_; }
    ProjectState &project() { return project_; }
    ProgramSettings &settings() { return settings_; }
    ProjectCommands &commands() { return commands_; }
    DesktopFrontEnd &frontEnd() { return frontEnd_; }
    const NameTables &nameTables() const { return tables_; }
    const IconSet &icons() const { return icons_; }
    MainView &mainView() { return main_; }
    ChangesView &changesView() { return changes_; }
    ProjectView &projectView() { return projectView_; }
    BindDialogWindow *bindDialog() const { return run_.bindDialog(); }

private:
    void Connect();
    void DispatchEvent(const Event &event);
    // The class of an open window; nullptr for one that is not open.
    WindowEvents *WindowOf(int number);
    // The main window takes input only while none of the windows that stand over it is open.
    void EnableMainWindow();
    // The Project view of a newly named or loaded project comes from a dry run.
    void RefreshFacts();
    // A window source or the project file was saved on disk while Regenerate on Save is on.
    void SourcesSaved(const QStringList &paths);

    EventQueue queue_;
    Toolkit ui_;
    std::unique_ptr<Requesters> ownRequesters_;
    Requesters &ask_;
    ProjectState project_;
    ProgramSettings settings_;
    NameTables tables_;
    DesktopFrontEnd frontEnd_;
    ProjectCommands commands_;
    IconSet icons_;

    MainView main_;
    OptionsView options_;
    AboutView about_;
    UserGadgetDialog userGadgets_;
    ChangesView changes_;
    ProjectView projectView_;
    FactsRun facts_;
    SaveWatch saveWatch_;
    // Saved while a run went on: unless the run wrote them itself, one more run follows.
    QStringList savedDuringRun_;
    DesktopRun run_;
};

} // namespace quarvel
