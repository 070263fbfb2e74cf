// The desktop program's answers to the generation worker. Called on the worker thread, every
// call becomes a request posted as a gadget event of the CommandButton and answered on the GUI
// thread; called on the GUI thread itself, it is carried out at once.
#pragma once

#include "model/front_end.h"
#include "shell/desktop_request.h"

#include <functional>

namespace quarvel {

class EventQueue;

class DesktopFrontEnd : public FrontEnd {
public:
    // perform carries out a request on the GUI thread and gives its answer.
    using Perform = std::function<RequestAnswer(const DesktopRequest &request)>;
    DesktopFrontEnd(EventQueue &queue, Perform perform) : queue_(queue), perform_(std::move(perform)) {}

    void RunStarted() override;
    BindDialogAnswer OpenBindDialog(const BindDialogRequest &request) override;
    void CloseBindDialog() override;
    void AppendLogLine(const LogEntry &entry) override;
    void RunFinished(const RunResult &result) override;
    void ShowMessage(const QString &title, const QString &text) override;
    void ClearLog() override;

    // Worker thread: posts the request and blocks until the GUI thread has answered it.
    RequestAnswer SendRequestAndWait(DesktopRequest request);

private:
    RequestAnswer Request(DesktopRequest request);

    EventQueue &queue_;
    Perform perform_;
};

} // namespace quarvel
