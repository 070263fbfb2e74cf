#include "ui/event_queue.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QTimer>

namespace quarvel {

void EventQueue::Post(const Event &event)
{
    {
        const std::lock_guard lock(mutex_);
        events_.enqueue(event);
    }
    // A queued call runs on the queue's own (GUI) thread and wakes a waiting event loop there.
    QMetaObject::invokeMethod(this, "Wake", Qt::QueuedConnection);
}

Event EventQueue::WindowEvent()
{
    const std::lock_guard lock(mutex_);
    return events_.isEmpty() ? Event() : events_.dequeue();
}

Event EventQueue::WaitWindowEvent(int timeoutMs)
{
    QDeadlineTimer deadline(timeoutMs < 0 ? QDeadlineTimer::Forever : QDeadlineTimer(timeoutMs));
    QTimer alarm; // wakes the blocking wait below when the timeout is up
    alarm.setSingleShot(true);
    alarm.setTimerType(Qt::PreciseTimer);
    for (;;) {
        Event event = WindowEvent();
        if (event.kind != EventKind::None || deadline.hasExpired())
            return event;
        // Re-armed on every turn: an alarm that rang a little early must not leave the wait
        // below without a wake-up.
        if (timeoutMs >= 0)
            alarm.start(int(qMax<qint64>(1, deadline.remainingTime())));
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
    }
}

void EventQueue::Wake()
{
    if (modalDepth_ > 0)
        HandleUrgentEvents();
}

void EventQueue::HandleUrgentEvents()
{
    if (!isUrgent || !urgentHandler)
        return;
    for (;;) {
        Event urgent;
        {
            const std::lock_guard lock(mutex_);
            const auto it = std::find_if(events_.begin(), events_.end(), isUrgent);
            if (it == events_.end())
                return;
            urgent = *it;
            events_.erase(it);
        }
        urgentHandler(urgent);
    }
}

} // namespace quarvel
