// The road of the worker's requests to the GUI thread. Any thread posts; the GUI thread is
// woken by one queued call and carries the requests out in the order they were posted. Log
// lines on their own wait for the next batch, taken at most every LogBatchMilliseconds, so a
// run that writes thousands of lines costs the GUI thread a few list inserts, not one turn of
// its loop each; any other request takes the lines before it along at once.
#pragma once

#include "shell/desktop_requests.h"

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

#include <deque>
#include <functional>
#include <mutex>
#include <optional>
#include <utility>

namespace quarvel {

class RequestQueue : public QObject {
    Q_OBJECT
public:
    static constexpr int LogBatchMilliseconds = 50;
    // Woken, the GUI thread carries requests out for about this long, then lets the event loop
    // turn before it goes on: a log batch and the bind dialog after it are two turns.
    static constexpr int SliceMilliseconds = 25;

    // perform carries out one request on the GUI thread.
    explicit RequestQueue(std::function<void(DesktopRequest &)> perform);

    // Any thread; never waits for the GUI thread. Posted on the GUI thread, the request and
    // all before it are carried out before Post returns.
    void Post(DesktopRequest request);
    // GUI thread: carries out every request waiting now, in order.
    void DeliverAll();

private:
    Q_INVOKABLE void Wake();
    // Carries requests out in order until none is left or budgetMs (when not negative) has
    // passed; then a wake-up for the rest is posted.
    void Deliver(qint64 budgetMs);
    void PostWake();
    // The next request to carry out, consecutive log lines joined; none when the queue is empty.
    std::optional<DesktopRequest> TakeNext();

    std::function<void(DesktopRequest &)> perform_;
    std::mutex mutex_; // standard, so the thread checker sees what it guards
    std::deque<DesktopRequest> waiting_;
    bool wakePosted_ = false;
    bool onlyLogLines_ = true; // nothing but log lines is waiting
    QTimer batch_;
    QElapsedTimer sinceDelivery_;
};

} // namespace quarvel
