// The queue every event of the program passes through: menu commands, gadget events, window
// size and close events, and the requests of the generation worker. The GUI thread waits on
// it; any thread may post to it.
#pragma once

#include <QObject>
#include <QQueue>

#include <any>
#include <functional>
#include <mutex>

namespace quarvel {

enum class EventKind { None, Menu, Gadget, SizeWindow, CloseWindow };

// Gadget event types.
enum : int { EventLeftClick = 0, EventLeftDoubleClick = 2 };

struct Event {
    EventKind kind = EventKind::None;
    int window = 0;
    int number = 0;     // command number of a menu event, gadget number of a gadget event
    int type = 0;       // gadget event type
    std::any payload{}; // what a gadget event carries beyond its type, if anything
};

class EventQueue : public QObject {
    Q_OBJECT
public:
    // Thread-safe; wakes the GUI thread.
    void Post(const Event &event);
    void PostMenu(int window, int command) { Post({EventKind::Menu, window, command}); }
    void PostGadget(int window, int gadget, int type, std::any payload = {})
    {
        Post({EventKind::Gadget, window, gadget, type, std::move(payload)});
    }

    // GUI thread: processes the toolkit's own events until the queue holds one, and takes it.
    // With a timeout (milliseconds) it gives up and returns an event of kind None.
    Event WaitWindowEvent(int timeoutMs = -1);
    // GUI thread: the next event, or kind None at once.
    Event WindowEvent();

    // While a requester runs its own modal loop, the events the loop above would wait for
    // cannot reach it. Events that satisfy isUrgent are handed to urgentHandler then, so a
    // running generation can go on while a message box is open.
    void BeginModal() { ++modalDepth_; }
    void EndModal() { --modalDepth_; }
    std::function<bool(const Event &)> isUrgent;
    std::function<void(const Event &)> urgentHandler;

private:
    // Invoked by name: the queued call is then made entirely inside Qt, so no memory our code
    // allocates crosses threads through Qt's event queue, where the thread checker cannot see.
    Q_INVOKABLE void Wake();
    void HandleUrgentEvents();

    std::mutex mutex_; // standard, so the thread checker sees what it guards
    QQueue<Event> events_;
    int modalDepth_ = 0;
};

} // namespace quarvel
