#include "shell/desktop_run.h"

#include "model/requesters.h"
#include "pipeline/generation_context.h"
#include "pipeline/generation_driver.h"
#include "project/project_commands.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QThread>

namespace quarvel {

DesktopRun::DesktopRun(QWidget *owner, Requesters &ask, ProjectState &project, const NameTables &tables,
                       ProjectCommands &commands, RequestQueue &queue, FrontEnd &frontEnd)
    : owner_(owner),
      ask_(ask),
      project_(project),
      tables_(tables),
      commands_(commands),
      queue_(queue),
      frontEnd_(frontEnd)
{}

DesktopRun::~DesktopRun()
{
    CancelAndWait();
}

void DesktopRun::Launch()
{
    if (Running())
        return; // one run at a time
    if (!commands_.GenerationGuard())
        return; // a project without a file is saved first, or the run does not start
    lastResult_.reset();
    changes_.Clear();
    cancelReason_.clear();
    changes_.projectDirectory = QFileInfo(project_.ProjectFile).absolutePath() + QLatin1Char('/');
    emit starting();
    run_ = std::make_unique<GenerationContext>(project_, tables_, frontEnd_);
    worker_ = QThread::create([context = run_.get()] { GenerationWorker(*context); });
    connect(
        worker_, &QThread::finished, this,
        [this, worker = worker_] {
            if (worker_ == worker) // not one that CancelAndWait has finished already
                WorkerFinished();
        },
        Qt::QueuedConnection);
    emit runningChanged(true);
    worker_->start();
}

// The worker may be waiting for the bind dialog: it is answered Cancel, and every request is
// carried out until the worker has ended.
void DesktopRun::CancelAndWait()
{
    closing_ = true;
    while (Running()) {
        if (bindDialog_)
            bindDialog_->CloseBox();
        if (worker_->wait(20))
            WorkerFinished();
        else
            queue_.DeliverAll();
    }
    closing_ = false;
}

void DesktopRun::WorkerFinished()
{
    if (!worker_)
        return;
    worker_->wait();
    queue_.DeliverAll(); // the worker's last lines and its result come first
    delete worker_;
    worker_ = nullptr;
    run_.reset();
    delete bindDialog_.data();
    emit runningChanged(false);
    emit dialogChanged(); // the main window is never left covered, whatever path the run took
    if (lastResult_) {
        changes_.writtenFiles = lastResult_->writtenFiles;
        for (const ConstantBinding &binding : lastResult_->boundByRule)
            changes_.renames.append({binding.oldName, binding.newName});
    }
    emit ended(lastResult_);
    // A file saved while the run worked stopped it before it wrote anything: one new run
    // generates from the saved text, and starts no further one itself (nor while closing).
    const bool again = !closing_ && !retried_ && lastResult_ && !lastResult_->changedWhileRunning.isEmpty();
    retried_ = again;
    if (again)
        Launch();
}

void DesktopRun::Perform(DesktopRequest &request)
{
    std::visit([this](auto &what) { Perform(what); }, request);
}

void DesktopRun::Perform(requests::RunStarted &)
{
    emit begun();
}

// The dialog answers the worker itself: the Todo List is copied into the answer on this
// thread, and only then is the worker woken.
void DesktopRun::Perform(requests::OpenBindDialog &open)
{
    delete bindDialog_.data(); // at most one dialog
    const auto answered = [this, answer = open.answer](const BindDialogAnswer &given) {
        if (given.end == BindDialogEnd::Continue)
            changes_.renames << given.bindings;
        else if (bindDialog_)
            cancelReason_ = tr("The run was cancelled in %1; it wrote no file.").arg(bindDialog_->windowTitle());
        answer->Give(given);
    };
    bindDialog_ = new BindDialogWindow(owner_, ask_, open.request, answered);
    if (closing_)
        bindDialog_->CloseBox();
    emit dialogChanged();
}

void DesktopRun::Perform(requests::CloseBindDialog &)
{
    delete bindDialog_.data();
    emit dialogChanged();
}

void DesktopRun::Perform(requests::AppendLogLines &lines)
{
    emit logLines(lines.entries);
}

// Shown once the worker has ended (WorkerFinished), when the run's files are in place.
void DesktopRun::Perform(requests::RunFinished &finished)
{
    lastResult_ = std::move(finished.result);
}

void DesktopRun::Perform(requests::ShowMessage &message)
{
    ask_.MessageOk(message.title, message.text);
}

// The log is cleared for a new or loaded project, never while a run goes on: the last run's
// result and changes belong to the project before.
void DesktopRun::Perform(requests::ClearLog &)
{
    lastResult_.reset();
    changes_.Clear();
    cancelReason_.clear();
    emit logCleared();
}

} // namespace quarvel
