// The desktop side of a generation: the worker thread and the answers to its requests.
#include "shell/dialogs/window_numbers.h"
#include "shell/shell.h"

#include "model/generation_context.h"
#include "pipeline/generation_driver.h"

#include <QAction>
#include <QFileInfo>
#include <QLabel>
#include <QListWidget>
#include <QThread>

namespace quarvel {

void Shell::LaunchGenerationWorker()
{
    if (GenerationRunning())
        return; // one run at a time
    if (!commands_.GenerationGuard())
        return; // a project without a file is saved first, or the run does not start
    StartRunRecord();
    run_ = std::make_unique<GenerationContext>(project_, tables_, frontEnd_);
    worker_ = QThread::create([context = run_.get()] { GenerationWorker(*context); });
    QObject::connect(worker_, &QThread::finished, &queue_, [this] { WorkerFinished(); },
                     Qt::QueuedConnection);
    SetRunning(true);
    ui_.DisableWindow(OptionsWindow, true); // until the run's first request closes it
    worker_->start();
}

void Shell::WorkerFinished()
{
    worker_->wait();
    delete worker_;
    worker_ = nullptr;
    run_.reset();
    bindDialog_.reset();
    SetRunning(false);
    EnableMainWindow(); // never left disabled, whatever path the run took
    FinishRunRecord();
}

void Shell::StartRunRecord()
{
    lastResult_.reset();
    if (QListWidget *log = ui_.ListGadget(LogList))
        firstRunLine_ = log->count();
    changes_.Clear();
    changes_.projectDirectory = QFileInfo(project_.ProjectFile).absolutePath() + QLatin1Char('/');
    summaryField_->setText(QStringLiteral("Running…"));
    summaryField_->setStyleSheet(QString());
}

void Shell::FinishRunRecord()
{
    RefreshTitle();
    if (!lastResult_) { // the worker ended without a result
        summaryField_->setText(QStringLiteral("Stopped"));
        return;
    }
    const RunResult &result = *lastResult_;
    changes_.writtenFiles = result.writtenFiles;
    // With errors or warnings the summary is a link to the first of them in the log.
    const QString summary = RunSummaryText(result);
    const bool findings = result.errors || result.warnings;
    summaryField_->setText(findings ? QStringLiteral("<a href=\"#first\" style=\"color: inherit\">%1</a>")
                                          .arg(summary.toHtmlEscaped())
                                    : summary);
    summaryField_->setStyleSheet(result.errors ? QStringLiteral("color: #c01010; font-weight: bold")
                                 : result.warnings ? QStringLiteral("color: #a86000")
                                                   : QString());
}

void Shell::SetRunning(bool running)
{
    for (QAction *action : std::as_const(projectActions_))
        action->setEnabled(!running);
    RebuildRecentMenu();
}

void Shell::HandleRequest(const std::any &payload)
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

RequestAnswer Shell::PerformRequest(const DesktopRequest &request)
{
    return std::visit([this](const auto &what) { return Perform(what); }, request);
}

RequestAnswer Shell::Perform(const requests::RunStarted &)
{
    ui_.CloseWindow(OptionsWindow);
    EnableMainWindow();
    return {};
}

// Asked on the GUI thread itself there is no worker to wake: the dialog runs in a nested loop.
RequestAnswer Shell::Perform(const requests::OpenBindDialog &open)
{
    const auto request = std::make_shared<PendingRequest>(open);
    OpenBindDialogWindow(request, open);
    while (bindDialog_ && !bindDialog_->Answered())
        HandleNextEvent(50);
    return request->answer(); // none when the dialog went unanswered: the run is cancelled
}

RequestAnswer Shell::Perform(const requests::CloseBindDialog &)
{
    bindDialog_.reset();
    ui_.CloseWindow(BindWindow);
    EnableMainWindow();
    return {};
}

RequestAnswer Shell::Perform(const requests::AppendLogLine &line)
{
    AppendLog(line.entry);
    return {};
}

// Shown once the worker has ended (WorkerFinished), when the run's files are in place.
RequestAnswer Shell::Perform(const requests::RunFinished &finished)
{
    lastResult_ = finished.result;
    EnableMainWindow();
    return {};
}

RequestAnswer Shell::Perform(const requests::ShowMessage &message)
{
    ask_.MessageOk(message.title, message.text);
    return {};
}

void Shell::ShowFirstFinding()
{
    QListWidget *log = ui_.ListGadget(LogList);
    for (int row = qMax(0, firstRunLine_); log && row < log->count(); ++row) {
        if (const LogKind kind = KindOf(*log->item(row)); kind == LogKind::Error || kind == LogKind::Warning) {
            log->setCurrentRow(row);
            log->scrollToItem(log->item(row), QAbstractItemView::PositionAtCenter);
            return;
        }
    }
}

RequestAnswer Shell::Perform(const requests::ClearLog &)
{
    firstRunLine_ = 0;
    if (QListWidget *log = ui_.ListGadget(LogList))
        log->clear();
    return {};
}

// The dialog answers the request itself: the Todo List is copied into the answer on this
// thread, and only then is the worker woken.
void Shell::OpenBindDialogWindow(const std::shared_ptr<PendingRequest> &request,
                                 const requests::OpenBindDialog &open)
{
    bindDialog_.reset(); // at most one dialog; a new one takes window 2 over
    bindDialog_ = std::make_unique<BindDialogWindow>(
        ui_, ask_, open.request, [this, request](const BindDialogAnswer &given) {
            if (given.end == BindDialogEnd::Continue)
                changes_.renames << given.bindings;
            request->Answer(given);
        });
}

} // namespace quarvel
