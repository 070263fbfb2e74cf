#include "shell/desktop_front_end.h"

#include "shell/command_numbers.h"
#include "shell/dialogs/window_numbers.h"
#include "ui/event_queue.h"

#include <QCoreApplication>
#include <QThread>

namespace quarvel {

void AnswerRequest(RequestBlock *block, qint64 result)
{
    block->result = result;
    block->semaphore.release();
}

qint64 DesktopFrontEnd::SendRequestAndWait(int kind, quintptr data)
{
    RequestBlock block;
    block.data = data;
    queue_.PostGadget(MainWindow, CommandButton, kind, reinterpret_cast<quintptr>(&block));
    block.semaphore.acquire();
    return block.result;
}

qint64 DesktopFrontEnd::Request(int kind, quintptr data)
{
    if (QThread::currentThread() == QCoreApplication::instance()->thread())
        return perform_(kind, data);
    return SendRequestAndWait(kind, data);
}

void DesktopFrontEnd::RunStarted()
{
    Request(RequestRunStarted, 0);
}

BindDialogAnswer DesktopFrontEnd::OpenBindDialog(const BindDialogRequest &request)
{
    BindDialogAnswer answer;
    BindDialogPayload payload{&request, &answer};
    answer.result = int(Request(RequestOpenBindDialog, reinterpret_cast<quintptr>(&payload)));
    return answer;
}

void DesktopFrontEnd::CloseBindDialog()
{
    Request(RequestCloseBindDialog, 0);
}

void DesktopFrontEnd::AppendLogLine(const QString &text)
{
    const QString copy = text; // the GUI thread copies it again before answering
    Request(RequestAppendLogLine, reinterpret_cast<quintptr>(&copy));
}

void DesktopFrontEnd::EnableMainWindow()
{
    Request(RequestEnableMainWindow, 0);
}

bool DesktopFrontEnd::SaveProjectAs()
{
    return Request(RequestSaveProjectAs, 0) != 0;
}

void DesktopFrontEnd::ShowMessage(const QString &title, const QString &text)
{
    MessagePayload message{title, text};
    Request(RequestShowMessage, reinterpret_cast<quintptr>(&message));
}

void DesktopFrontEnd::ClearLog()
{
    Request(RequestClearLog, 0);
}

} // namespace quarvel
