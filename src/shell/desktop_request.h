// The generation worker's requests to the GUI thread, as typed values. A request travels as
// the payload of a gadget event of the CommandButton whose event type is the request's kind;
// the worker waits on the request's semaphore until the GUI thread has put the answer in.
#pragma once

#include "model/front_end.h"

#include <QString>

#include <semaphore>
#include <variant>

namespace quarvel {

namespace requests {
struct RunStarted {};
struct OpenBindDialog {
    BindDialogRequest request;
};
struct CloseBindDialog {};
struct AppendLogLine {
    LogEntry entry;
};
struct RunFinished {
    RunResult result;
};
struct ShowMessage {
    QString title;
    QString text;
};
struct ClearLog {};
} // namespace requests

// In the order of the request kinds: a request's kind is RequestRunStarted + its index.
using DesktopRequest =
    std::variant<requests::RunStarted, requests::OpenBindDialog, requests::CloseBindDialog, requests::AppendLogLine,
                 requests::RunFinished, requests::ShowMessage, requests::ClearLog>;

// The event types the requests are posted with.
enum RequestKind : int {
    RequestRunStarted = 1025,
    RequestOpenBindDialog = 1026,
    RequestCloseBindDialog = 1027,
    RequestAppendLogLine = 1028,
    // What else the worker needs done on the GUI thread.
    RequestRunFinished = 1029,
    RequestShowMessage = 1030,
    RequestClearLog = 1031,
};
static_assert(std::variant_size_v<DesktopRequest> == RequestClearLog - RequestRunStarted + 1);

inline int KindOf(const DesktopRequest &request)
{
    return RequestRunStarted + int(request.index());
}

// What the GUI thread gives back: nothing, or how the bind dialog ended.
using RequestAnswer = std::variant<std::monostate, BindDialogAnswer>;

// One request from posting to answer, shared by the worker and the event that carries it.
class PendingRequest {
public:
    explicit PendingRequest(DesktopRequest &&what) : what_(std::move(what)) {}

    const DesktopRequest &what() const { return what_; }

    // GUI thread: stores the answer and wakes the worker. Only the first answer counts, so a
    // dialog that goes away after answering cannot wake the worker a second time.
    void Answer(const RequestAnswer &answer)
    {
        if (answered_)
            return;
        answered_ = true;
        answer_ = answer;
        semaphore_.release();
    }

    // Worker thread: blocks until the GUI thread has answered.
    RequestAnswer WaitForAnswer()
    {
        semaphore_.acquire();
        return answer_;
    }

    // GUI thread: the answer given so far (none while unanswered).
    const RequestAnswer &answer() const { return answer_; }

private:
    const DesktopRequest what_;
    RequestAnswer answer_;
    bool answered_ = false; // GUI thread only
    // A standard semaphore rather than QSemaphore: its hand-over is visible to the thread
    // checker, which cannot look inside Qt's.
    std::binary_semaphore semaphore_{0};
};

} // namespace quarvel
