// The desktop side of a generation: the worker thread, the GUI thread's part of its requests,
// and the record of the last run (its result, the files it wrote, the renames bound, and why
// it was cancelled). What the windows must show of it leaves as signals.
#pragma once

#include "model/run_result.h"
#include "shell/changes_loading.h"
#include "shell/dialogs/bind_dialog_window.h"
#include "shell/request_queue.h"

#include <QObject>
#include <QPointer>

#include <memory>
#include <optional>

class QThread;

namespace quarvel {

class ProjectCommands;
class Requesters;
struct GenerationContext;
struct NameTables;
struct ProjectState;

class DesktopRun : public QObject {
    Q_OBJECT
public:
    // The bind dialog opens over owner.
    // The worker asks through frontEnd, whose requests queue carries them to Perform.
    DesktopRun(QWidget *owner, Requesters &ask, ProjectState &project, const NameTables &tables,
               ProjectCommands &commands, RequestQueue &queue, FrontEnd &frontEnd);
    ~DesktopRun() override;

    // Starts a run on a worker thread, unless one is running or the project has no file yet.
    void Launch();
    bool Running() const { return worker_ != nullptr; }
    // Until the worker has ended, a bind dialog that opens is cancelled at once: the program
    // is going away.
    void CancelAndWait();

    // GUI thread: carries out one request of the worker.
    void Perform(DesktopRequest &request);
    BindDialogWindow *bindDialog() const { return bindDialog_; }
    const RunChanges &changes() const { return changes_; }
    // Why the last run was cancelled by the user, in words for the status bar; empty otherwise.
    const QString &cancelReason() const { return cancelReason_; }

signals:
    // A run is about to start: its record begins.
    void starting();
    // The worker thread started, or it ended.
    void runningChanged(bool running);
    // The worker's first request: it no longer needs the options window.
    void begun();
    void logLines(const QList<quarvel::LogEntry> &entries);
    void logCleared();
    // The bind dialog opened or closed, or the run let go of the windows it held.
    void dialogChanged();
    // The worker has ended and every request it made is carried out; no result when it ended
    // without one.
    void ended(const std::optional<quarvel::RunResult> &result);

private:
    void WorkerFinished();
    void Perform(requests::RunStarted &);
    void Perform(requests::OpenBindDialog &open);
    void Perform(requests::CloseBindDialog &);
    void Perform(requests::AppendLogLines &lines);
    void Perform(requests::RunFinished &finished);
    void Perform(requests::ShowMessage &message);
    void Perform(requests::ClearLog &);

    QWidget *owner_;
    Requesters &ask_;
    ProjectState &project_;
    const NameTables &tables_;
    ProjectCommands &commands_;
    RequestQueue &queue_;
    FrontEnd &frontEnd_;

    std::unique_ptr<GenerationContext> run_;
    QThread *worker_ = nullptr;
    bool closing_ = false;
    QPointer<BindDialogWindow> bindDialog_;
    std::optional<RunResult> lastResult_; // the last run's, once it has finished
    bool retried_ = false;                // the running run follows one stopped by a save
    RunChanges changes_;
    QString cancelReason_;
};

} // namespace quarvel
