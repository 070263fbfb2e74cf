#include "shell/desktop_run.h"

#include "model/generation_context.h"
#include "model/requesters.h"
#include "pipeline/generation_driver.h"
#include "project/project_commands.h"
#include "shell/dialogs/window_numbers.h"
#include "ui/toolkit.h"

#include <QFileInfo>
#include <QThread>

namespace quarvel {

DesktopRun::DesktopRun(Toolkit &ui, Requesters &ask, ProjectState &project, const NameTables &tables,
                       FrontEnd &frontEnd, ProjectCommands &commands, std::function<void(int)> turnLoop)
    : ui_(ui),
      ask_(ask),
      project_(project),
      tables_(tables),
      frontEnd_(frontEnd),
      commands_(commands),
      turnLoop_(std::move(turnLoop))
{}

DesktopRun::~DesktopRun() = default;

void DesktopRun::Launch()
{
    if (Running())
        return; // one run at a time
    if (!commands_.GenerationGuard())
        return; // a project without a file is saved first, or the run does not start
    lastResult_.reset();
    changes_.Clear();
    changes_.projectDirectory = QFileInfo(project_.ProjectFile).absolutePath() + QLatin1Char('/');
    emit starting();
    run_ = std::make_unique<GenerationContext>(project_, tables_, frontEnd_);
    worker_ = QThread::create([context = run_.get()] { GenerationWorker(*context); });
    QObject::connect(
        worker_, &QThread::finished, this, [this] { WorkerFinished(); }, Qt::QueuedConnection);
    emit runningChanged(true);
    worker_->start();
}

void DesktopRun::WorkerFinished()
{
    worker_->wait();
    delete worker_;
    worker_ = nullptr;
    run_.reset();
    bindDialog_.reset();
    emit runningChanged(false);
    emit dialogChanged(); // the main window is never left disabled, whatever path the run took
    if (lastResult_)
        changes_.writtenFiles = lastResult_->writtenFiles;
    emit ended(lastResult_);
    // A file saved while the run worked stopped it before it wrote anything: one new run
    // generates from the saved text, and starts no further one itself.
    const bool again = !retried_ && lastResult_ && !lastResult_->changedWhileRunning.isEmpty();
    retried_ = again;
    if (again)
        Launch();
}

void DesktopRun::HandleRequest(const std::any &payload)
{
    const auto *carried = std::any_cast<std::shared_ptr<PendingRequest>>(&payload);
    if (!carried || !*carried)
        return;
    const std::shared_ptr<PendingRequest> request = *carried;
    if (const auto *open = std::get_if<requests::OpenBindDialog>(&request->what())) {
        OpenBindDialogWindow(request, *open); // answered later, by the dialog
        return;
    }
    request->Answer(PerformRequest(request->what()));
}

RequestAnswer DesktopRun::PerformRequest(const DesktopRequest &request)
{
    return std::visit([this](const auto &what) { return Perform(what); }, request);
}

RequestAnswer DesktopRun::Perform(const requests::RunStarted &)
{
    emit begun();
    return {};
}

// Asked on the GUI thread itself there is no worker to wake: the dialog runs in a nested loop.
RequestAnswer DesktopRun::Perform(const requests::OpenBindDialog &open)
{
    const auto request = std::make_shared<PendingRequest>(open);
    OpenBindDialogWindow(request, open);
    while (bindDialog_ && !bindDialog_->Answered())
        turnLoop_(50);
    return request->answer(); // none when the dialog went unanswered: the run is cancelled
}

RequestAnswer DesktopRun::Perform(const requests::CloseBindDialog &)
{
    bindDialog_.reset();
    ui_.CloseWindow(BindWindow);
    emit dialogChanged();
    return {};
}

RequestAnswer DesktopRun::Perform(const requests::AppendLogLine &line)
{
    emit logLine(line.entry);
    return {};
}

// Shown once the worker has ended (WorkerFinished), when the run's files are in place.
RequestAnswer DesktopRun::Perform(const requests::RunFinished &finished)
{
    lastResult_ = finished.result;
    emit dialogChanged();
    return {};
}

RequestAnswer DesktopRun::Perform(const requests::ShowMessage &message)
{
    ask_.MessageOk(message.title, message.text);
    return {};
}

// The log is cleared for a new or loaded project, never while a run goes on: the last run's
// result and changes belong to the project before.
RequestAnswer DesktopRun::Perform(const requests::ClearLog &)
{
    lastResult_.reset();
    changes_.Clear();
    emit logCleared();
    return {};
}

// The dialog answers the request itself: the Todo List is copied into the answer on this
// thread, and only then is the worker woken.
void DesktopRun::OpenBindDialogWindow(const std::shared_ptr<PendingRequest> &request,
                                      const requests::OpenBindDialog &open)
{
    bindDialog_.reset(); // at most one dialog; a new one takes window 2 over
    bindDialog_ = std::make_unique<BindDialogWindow>(ui_, ask_, open.request,
                                                     [this, request](const BindDialogAnswer &given) {
                                                         if (given.end == BindDialogEnd::Continue)
                                                             changes_.renames << given.bindings;
                                                         request->Answer(given);
                                                     });
    emit dialogChanged();
}

} // namespace quarvel
