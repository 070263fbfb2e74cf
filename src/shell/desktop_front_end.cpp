#include "shell/desktop_front_end.h"

#include "shell/dialogs/window_numbers.h"
#include "ui/event_queue.h"

#include <QCoreApplication>
#include <QThread>

#include <memory>

namespace quarvel {

RequestAnswer DesktopFrontEnd::SendRequestAndWait(DesktopRequest request)
{
    auto pending = std::make_shared<PendingRequest>(std::move(request));
    queue_.PostGadget(MainWindow, CommandButton, KindOf(pending->what()), pending);
    return pending->WaitForAnswer();
}

RequestAnswer DesktopFrontEnd::Request(DesktopRequest request)
{
    if (QThread::currentThread() == QCoreApplication::instance()->thread())
        return perform_(request);
    return SendRequestAndWait(std::move(request));
}

void DesktopFrontEnd::RunStarted()
{
    Request(requests::RunStarted{});
}

BindDialogAnswer DesktopFrontEnd::OpenBindDialog(const BindDialogRequest &request)
{
    const RequestAnswer answer = Request(requests::OpenBindDialog{request});
    const auto *given = std::get_if<BindDialogAnswer>(&answer);
    return given ? *given : BindDialogAnswer(); // a dialog gone unanswered cancels the run
}

void DesktopFrontEnd::CloseBindDialog()
{
    Request(requests::CloseBindDialog{});
}

void DesktopFrontEnd::AppendLogLine(const LogEntry &entry)
{
    Request(requests::AppendLogLine{entry});
}

void DesktopFrontEnd::RunFinished(const RunResult &result)
{
    Request(requests::RunFinished{result});
}

void DesktopFrontEnd::ShowMessage(const QString &title, const QString &text)
{
    Request(requests::ShowMessage{title, text});
}

void DesktopFrontEnd::ClearLog()
{
    Request(requests::ClearLog{});
}

} // namespace quarvel
