// What the class of a numbered window answers: the events of the gadgets it placed, its
// resizing and its close box. The desktop program hands every event to the class of the
// window it came from, so no dispatcher needs to know which gadget numbers a window holds.
#pragma once

namespace quarvel {

class WindowEvents {
public:
    virtual ~WindowEvents() = default;

    // A gadget of this window; type is the toolkit's event type (EventLeftClick, ...).
    virtual void GadgetEvent(int gadget, int type) = 0;
    virtual void Resized() {}
    virtual void CloseBox() = 0;
};

} // namespace quarvel
