// The desktop side of a generation: the worker thread, the answers to its requests on the GUI
// thread, and the record of the last run (its result, the files it wrote, the renames bound).
// What the windows must show of it leaves as signals.
#pragma once

#include "model/run_result.h"
#include "shell/changes_view.h"
#include "shell/desktop_request.h"
#include "shell/dialogs/bind_dialog_window.h"

#include <QObject>

#include <any>
#include <functional>
#include <memory>
#include <optional>

class QThread;

namespace quarvel {

class FrontEnd;
class ProjectCommands;
class Requesters;
class Toolkit;
struct GenerationContext;
struct NameTables;
struct ProjectState;

class DesktopRun : public QObject {
    Q_OBJECT
public:
    // turnLoop waits for one event (at most the given milliseconds) and handles it; the bind
    // dialog asked on the GUI thread itself runs the loop so.
    DesktopRun(Toolkit &ui, Requesters &ask, ProjectState &project, const NameTables &tables, FrontEnd &frontEnd,
               ProjectCommands &commands, std::function<void(int)> turnLoop);
    ~DesktopRun() override;

    // Starts a run on a worker thread, unless one is running or the project has no file yet.
    void Launch();
    bool Running() const { return worker_ != nullptr; }

    // A request of the worker, as the payload of its event; answered now or by the dialog.
    void HandleRequest(const std::any &payload);
    // Carries out a request on the GUI thread and gives its answer.
    RequestAnswer PerformRequest(const DesktopRequest &request);

    BindDialogWindow *bindDialog() const { return bindDialog_.get(); }
    const RunChanges &changes() const { return changes_; }

signals:
    // A run is about to start: its record begins.
    void starting();
    // The worker thread started, or it ended.
    void runningChanged(bool running);
    // The worker's first request: it no longer needs the options window.
    void begun();
    void logLine(const quarvel::LogEntry &entry);
    void logCleared();
    // The bind dialog opened or closed, or the run let go of the windows it held.
    void dialogChanged();
    // The worker has ended; no result when it ended without one.
    void ended(const std::optional<quarvel::RunResult> &result);

private:
    void WorkerFinished();
    RequestAnswer Perform(const requests::RunStarted &);
    RequestAnswer Perform(const requests::OpenBindDialog &open);
    RequestAnswer Perform(const requests::CloseBindDialog &);
    RequestAnswer Perform(const requests::AppendLogLine &line);
    RequestAnswer Perform(const requests::RunFinished &finished);
    RequestAnswer Perform(const requests::ShowMessage &message);
    RequestAnswer Perform(const requests::ClearLog &);
    void OpenBindDialogWindow(const std::shared_ptr<PendingRequest> &request, const requests::OpenBindDialog &open);

    Toolkit &ui_;
    Requesters &ask_;
    ProjectState &project_;
    const NameTables &tables_;
    FrontEnd &frontEnd_;
    ProjectCommands &commands_;
    std::function<void(int)> turnLoop_;

    std::unique_ptr<GenerationContext> run_;
    QThread *worker_ = nullptr;
    std::unique_ptr<BindDialogWindow> bindDialog_;
    std::optional<RunResult> lastResult_; // the last run's, once it has finished
    bool retried_ = false;                // the running run follows one stopped by a save
    RunChanges changes_;
};

} // namespace quarvel
