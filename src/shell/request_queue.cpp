#include "shell/request_queue.h"

#include <QThread>

namespace quarvel {

RequestQueue::RequestQueue(std::function<void(DesktopRequest &)> perform) : perform_(std::move(perform))
{
    batch_.setSingleShot(true);
    connect(&batch_, &QTimer::timeout, this, &RequestQueue::DeliverAll);
    sinceDelivery_.start();
}

void RequestQueue::Post(DesktopRequest request)
{
    bool wake = false;
    {
        const std::lock_guard lock(mutex_);
        onlyLogLines_ = onlyLogLines_ && std::holds_alternative<requests::AppendLogLines>(request);
        waiting_.push_back(std::move(request));
        wake = !std::exchange(wakePosted_, true);
    }
    if (QThread::currentThread() == thread())
        DeliverAll();
    else if (wake)
        PostWake();
}

// Invoked by name: the call carries no data of ours across the threads.
void RequestQueue::PostWake()
{
    QMetaObject::invokeMethod(this, "Wake", Qt::QueuedConnection);
}

void RequestQueue::Wake()
{
    bool onlyLogLines = false;
    {
        const std::lock_guard lock(mutex_);
        wakePosted_ = false;
        onlyLogLines = onlyLogLines_;
    }
    const qint64 since = sinceDelivery_.elapsed();
    if (onlyLogLines && since < LogBatchMilliseconds) {
        if (!batch_.isActive())
            batch_.start(int(LogBatchMilliseconds - since));
        return;
    }
    Deliver(SliceMilliseconds);
}

std::optional<DesktopRequest> RequestQueue::TakeNext()
{
    const std::lock_guard lock(mutex_);
    if (waiting_.empty()) {
        onlyLogLines_ = true;
        wakePosted_ = false;
        return std::nullopt;
    }
    DesktopRequest next = std::move(waiting_.front());
    waiting_.pop_front();
    if (auto *lines = std::get_if<requests::AppendLogLines>(&next)) {
        while (!waiting_.empty() && std::holds_alternative<requests::AppendLogLines>(waiting_.front())) {
            lines->entries << std::get<requests::AppendLogLines>(waiting_.front()).entries;
            waiting_.pop_front();
        }
    }
    return next;
}

void RequestQueue::DeliverAll()
{
    Deliver(-1);
}

// One request at a time from the front: a request that runs a dialog's own loop lets the
// requests after it through meanwhile, still in their order.
void RequestQueue::Deliver(qint64 budgetMs)
{
    batch_.stop();
    sinceDelivery_.restart();
    QElapsedTimer spent;
    spent.start();
    while (std::optional<DesktopRequest> next = TakeNext()) {
        perform_(*next);
        if (budgetMs >= 0 && spent.elapsed() >= budgetMs) {
            const std::lock_guard lock(mutex_);
            if (!waiting_.empty() && !std::exchange(wakePosted_, true))
                PostWake();
            return;
        }
    }
}

} // namespace quarvel
