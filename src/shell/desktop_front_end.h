// The desktop program's answers to the generation worker. Every call becomes a request on the
// RequestQueue, carried out on the GUI thread in the order of the calls. The worker goes on at
// once, except for the bind dialog, whose answer it waits for. Called on the GUI thread itself,
// a call is carried out before it returns, the bind dialog in a loop of its own.
#pragma once

#include "model/front_end.h"
#include "shell/request_queue.h"

namespace quarvel {

class DesktopFrontEnd : public FrontEnd {
public:
    explicit DesktopFrontEnd(RequestQueue &queue) : queue_(queue) {}

    void RunStarted() override;
    BindDialogAnswer OpenBindDialog(const BindDialogRequest &request) override;
    void CloseBindDialog() override;
    void AppendLogLine(const LogEntry &entry) override;
    void RunFinished(const RunResult &result) override;
    void ShowMessage(const QString &title, const QString &text) override;
    void ClearLog() override;

private:
    RequestQueue &queue_;
};

} // namespace quarvel
