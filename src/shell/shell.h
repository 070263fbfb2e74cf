// The desktop program: the main window, the event loop and its dispatchers, the commands the
// shell owns, and the desktop side of a generation run.
#pragma once

#include "model/name_tables.h"
#include "project/project_commands.h"
#include "project/settings.h"
#include "shell/changes_view.h"
#include "shell/desktop_front_end.h"
#include "shell/log_lines.h"
#include "shell/dialogs/bind_dialog_window.h"
#include "shell/dialogs/user_gadget_window.h"
#include "ui/event_queue.h"
#include "ui/toolkit.h"

#include <QIcon>
#include <QList>

#include <any>
#include <array>
#include <functional>
#include <memory>
#include <optional>

class QAction;
class QLabel;
class QMenu;
class QSplitter;
class QStatusBar;
class QThread;
class QToolBar;

namespace quarvel {

struct GenerationContext;

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

    void MenuDispatcher(int command);
    // payload is what a request of the generation worker carries (gadget CommandButton).
    void GadgetDispatcher(int gadget, int type, const std::any &payload = {});
    void SizeDispatcher(int window);
    void CloseDispatcher(int window);

    void AddCommonFiles();
    void RemoveCommonFile();
    void MoveCommonFileFirst();
    void OpenOptions();
    void ShowInfo();
    void OpenLicenceWindow();
    void OpenUserGadgetWindow();
    void LayoutMainWindow();
    void OpenChangesWindow();
    void OpenProjectFolder();
    // A double-click on a log line that names a file opens it in the user's editor.
    void OpenLogLineFile(int row);
    // Files dropped on the common-file list: sources are added, a project file is loaded.
    void DropFiles(const QStringList &paths);
    // The run summary's link: brings the last run's first error or warning line into view.
    void ShowFirstFinding();

    bool GenerationRunning() const { return worker_ != nullptr; }

    EventQueue &queue() { return queue_; }
    Toolkit &toolkit() { return ui_; }
    ProjectState &project() { return project_; }
    ProgramSettings &settings() { return settings_; }
    BindDialogWindow *bindDialog() const { return bindDialog_.get(); }
    UserGadgetDialog *userGadgetDialog() const { return userGadgets_.get(); }
    ProjectCommands &commands() { return commands_; }
    DesktopFrontEnd &frontEnd() { return frontEnd_; }
    const NameTables &nameTables() const { return tables_; }
    const QString &InfoText() const { return infoText_; }
    QSplitter *splitter() const { return splitter_; }
    QToolBar *toolBar() const { return toolBar_; }
    QStatusBar *statusBar() const;
    QString StatusText() const;
    // The outcome of the last run with its error and warning counts (a link when there are
    // any); empty before any run.
    QString SummaryText() const;
    ChangesView *changesView() const { return changesView_.get(); }
    const RunChanges &lastRunChanges() const { return changes_; }
    QMenu *recentMenu() const { return recentMenu_; }

    // Opens a file at a line (0: none) for the user; the desktop's default application unless
    // the settings name an editor command. Tests replace it.
    std::function<void(const QString &path, int line)> openInEditor;
    QStringList LogLines() const;
    QStringList CommonFileItems() const;
    const QIcon &icon(int number) const { return icons_.at(size_t(number)); }

private:
    void BuildInfoText();
    void LoadIcons();
    bool OpenMainWindow();
    void CreateMenus();
    QAction *AddMenuItem(QMenu *menu, int command);
    void CreateFileMenu(QMenu *file);
    void CreateActionMenu(QMenu *action);
    void AddApplicationMenuEntries(QMenu *help);
    void RebuildRecentMenu();
    void RememberProject();
    void RefreshTitle();
    void RestoreWindowMemory();
    void StoreWindowMemory();
    void AcceptDrops();
    void OpenInEditor(const QString &path, int line);
    QString AsProjectPath(const QString &path) const;
    void CreateToolBar();
    void CreateMainGadgets();
    void CreateOptionsWindow();
    void ShowProjectFile(const QString &projectFile);
    void ShowCommonFiles();
    void AppendLog(const LogEntry &entry);
    void DispatchEvent(const Event &event);
    bool CommandAllowed(int command) const;
    void ProjectEdited() { project_.ProjectSaved = false; }
    void StartRunRecord();
    void FinishRunRecord();

    void EnableMainWindow();
    void SwitchClicked(int gadget);
    void BindDialogGadget(int gadget, int type);
    void UserGadgetWindowGadget(int gadget, int type);

    // The generation run.
    void LaunchGenerationWorker();
    void WorkerFinished();
    void SetRunning(bool running);
    void HandleRequest(const std::any &payload);
    RequestAnswer PerformRequest(const DesktopRequest &request);
    RequestAnswer Perform(const requests::RunStarted &);
    RequestAnswer Perform(const requests::OpenBindDialog &open);
    RequestAnswer Perform(const requests::CloseBindDialog &);
    RequestAnswer Perform(const requests::AppendLogLine &line);
    RequestAnswer Perform(const requests::RunFinished &finished);
    RequestAnswer Perform(const requests::ShowMessage &message);
    RequestAnswer Perform(const requests::ClearLog &);
    void OpenBindDialogWindow(const std::shared_ptr<PendingRequest> &request,
                              const requests::OpenBindDialog &open);

    EventQueue queue_;
    Toolkit ui_;
    std::unique_ptr<Requesters> ownRequesters_;
    Requesters &ask_;
    ProjectState project_;
    ProgramSettings settings_;
    NameTables tables_;
    DesktopFrontEnd frontEnd_;
    ProjectCommands commands_;

    QString infoText_;
    std::array<QIcon, 13> icons_;
    QSplitter *splitter_ = nullptr;
    QToolBar *toolBar_ = nullptr;
    QLabel *statusField_ = nullptr;
    QLabel *summaryField_ = nullptr;
    QMenu *recentMenu_ = nullptr;
    std::optional<RunResult> lastResult_; // the last run's, once it has finished
    int firstRunLine_ = 0; // the log row where the last run began
    RunChanges changes_;
    std::unique_ptr<ChangesView> changesView_;
    QList<QAction *> projectActions_; // disabled while a run is in progress

    std::unique_ptr<GenerationContext> run_;
    QThread *worker_ = nullptr;
    std::unique_ptr<BindDialogWindow> bindDialog_;
    std::unique_ptr<UserGadgetDialog> userGadgets_;
};

} // namespace quarvel
