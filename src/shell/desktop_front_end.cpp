#include "shell/desktop_front_end.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QThread>

namespace quarvel {

void DesktopFrontEnd::RunStarted()
{
    queue_.Post(requests::RunStarted{});
}

BindDialogAnswer DesktopFrontEnd::OpenBindDialog(const BindDialogRequest &request)
{
    auto answer = std::make_shared<BindAnswer>();
    queue_.Post(requests::OpenBindDialog{request, answer});
    if (QThread::currentThread() == queue_.thread()) {
        // No worker to wake: the dialog's clicks are handled here until it has answered.
        while (!answer->Given())
            QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
    }
    return answer->Wait();
}

void DesktopFrontEnd::CloseBindDialog()
{
    queue_.Post(requests::CloseBindDialog{});
}

void DesktopFrontEnd::AppendLogLine(const LogEntry &entry)
{
    queue_.Post(requests::AppendLogLines{{entry}});
}

void DesktopFrontEnd::RunFinished(const RunResult &result)
{
    queue_.Post(requests::RunFinished{result});
}

void DesktopFrontEnd::ShowMessage(const QString &title, const QString &text)
{
    queue_.Post(requests::ShowMessage{title, text});
}

void DesktopFrontEnd::ClearLog()
{
    queue_.Post(requests::ClearLog{});
}

} // namespace quarvel
