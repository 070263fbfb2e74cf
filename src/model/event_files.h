// The event files a generation keeps and the event procedures each holds, one entry for each
// kind of procedure: the emitters append to them and the report reads them by this table.
#pragma once

namespace quarvel {

struct EventFile {
    const char *name;   // "EventMenu.pb"
    const char *title;  // the comment a new file begins with after ";-TOP"
    const char *prefix; // the procedures' names begin with it: "EventMenu_" + object
    const char *suffix; // what follows the name in a standard head: "()"
};

inline constexpr EventFile MenuEvents{"EventMenu.pb", "; Quarvel Event Menu", "EventMenu_", "()"};
inline constexpr EventFile SizeEvents{"EventWindow.pb", "; Quarvel Event Window", "EventSize_", "()"};
inline constexpr EventFile ExitEvents{"EventWindow.pb", "; Quarvel Event Window", "EventExit_", "()"};
inline constexpr EventFile GadgetEvents{"EventGadget.pb", "; Quarvel Event Gadget", "EventGadget_", "(EventType)"};

} // namespace quarvel
