// The desktop side of a generation: the worker thread and the answers to its requests.
#include "shell/command_numbers.h"
#include "shell/dialogs/window_numbers.h"
#include "shell/shell.h"

#include "model/generation_context.h"
#include "pipeline/generation_driver.h"

#include <QAction>
#include <QListWidget>
#include <QThread>

namespace quarvel {

void Shell::LaunchGenerationWorker()
{
    if (GenerationRunning())
        return; // one run at a time
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
    pendingRequest_ = nullptr;
    bindDialog_.reset();
    SetRunning(false);
    EnableMainWindow(); // never left disabled, whatever path the run took
}

void Shell::SetRunning(bool running)
{
    for (QAction *action : std::as_const(projectActions_))
        action->setEnabled(!running);
}

void Shell::HandleRequest(int kind, quintptr data)
{
    auto *block = reinterpret_cast<RequestBlock *>(data);
    if (!block)
        return;
    pendingRequest_ = block;
    if (kind == RequestOpenBindDialog) {
        OpenBindDialogWindow(block); // answered later, by the dialog
        return;
    }
    const qint64 result = PerformRequest(kind, block->data);
    if (pendingRequest_ == block) {
        pendingRequest_ = nullptr;
        AnswerRequest(block, result);
    }
}

qint64 Shell::PerformRequest(int kind, quintptr data)
{
    switch (kind) {
    case RequestRunStarted:
        ui_.CloseWindow(OptionsWindow);
        EnableMainWindow();
        return 0;
    case RequestOpenBindDialog:
        return BindDialogInPlace(data);
    case RequestCloseBindDialog:
        bindDialog_.reset();
        ui_.CloseWindow(BindWindow);
        EnableMainWindow();
        return 0;
    case RequestAppendLogLine:
        AppendLog(*reinterpret_cast<const QString *>(data));
        return 0;
    case RequestEnableMainWindow:
        EnableMainWindow();
        return 0;
    case RequestSaveProjectAs:
        return commands_.SaveProjectAs() ? 1 : 0;
    case RequestShowMessage: {
        const auto *message = reinterpret_cast<const MessagePayload *>(data);
        ask_.MessageOk(message->title, message->text);
        return 0;
    }
    case RequestClearLog:
        if (QListWidget *log = ui_.ListGadget(LogList))
            log->clear();
        return 0;
    default:
        return 0;
    }
}

// The dialog answers the worker's block itself: the Todo List is copied into the worker's
// answer on this thread, and only then is the worker woken.
void Shell::OpenBindDialogWindow(RequestBlock *block)
{
    const auto &payload = *reinterpret_cast<const BindDialogPayload *>(block->data);
    bindDialog_.reset(); // at most one dialog; a new one takes window 2 over
    bindDialog_ = std::make_unique<BindDialogWindow>(
        ui_, ask_, *payload.request, [this, block, answer = payload.answer](const BindDialogAnswer &given) {
            *answer = given;
            if (pendingRequest_ == block)
                pendingRequest_ = nullptr;
            AnswerRequest(block, given.result);
        });
}

// Asked on the GUI thread itself there is no worker to wake: the dialog runs in a nested loop.
qint64 Shell::BindDialogInPlace(quintptr data)
{
    RequestBlock block;
    block.data = data;
    block.result = BindDialogModel::CancelAnswer; // a dialog closed unanswered goes no further
    OpenBindDialogWindow(&block);
    while (bindDialog_ && !bindDialog_->Answered())
        HandleNextEvent(50);
    return block.result;
}

} // namespace quarvel
