// What the generation worker asks of the GUI thread, as typed values: the run started, open
// and close the bind dialog, a log line, the run's result, a message, an emptied log. Only the
// bind dialog is answered; the worker waits for that answer and for nothing else.
#pragma once

#include "model/front_end.h"

#include <QList>
#include <QString>

#include <condition_variable>
#include <memory>
#include <mutex>
#include <variant>

namespace quarvel {

// Where the bind dialog's answer meets the worker waiting for it. The first answer counts; a
// dialog that goes away unanswered answers Cancel, so no worker waits for a window that is gone.
class BindAnswer {
public:
    ~BindAnswer() { Give({}); }

    // GUI thread.
    void Give(const BindDialogAnswer &answer)
    {
        const std::lock_guard lock(mutex_);
        if (given_)
            return;
        given_ = true;
        answer_ = answer;
        ready_.notify_all();
    }
    bool Given()
    {
        const std::lock_guard lock(mutex_);
        return given_;
    }
    // Worker thread: blocks until the answer is there.
    BindDialogAnswer Wait()
    {
        std::unique_lock lock(mutex_);
        ready_.wait(lock, [this] { return given_; });
        return answer_;
    }

private:
    std::mutex mutex_; // standard, so the thread checker sees the hand-over
    std::condition_variable ready_;
    bool given_ = false;
    BindDialogAnswer answer_;
};

namespace requests {
struct RunStarted {};
struct OpenBindDialog {
    BindDialogRequest request;
    std::shared_ptr<BindAnswer> answer;
};
struct CloseBindDialog {};
// One or more lines in the order written: the queue hands consecutive lines over as one batch.
struct AppendLogLines {
    QList<LogEntry> entries;
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

using DesktopRequest =
    std::variant<requests::RunStarted, requests::OpenBindDialog, requests::CloseBindDialog, requests::AppendLogLines,
                 requests::RunFinished, requests::ShowMessage, requests::ClearLog>;

} // namespace quarvel
