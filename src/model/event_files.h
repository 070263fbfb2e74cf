// The kinds of event procedure a generation keeps, one entry each, with the event file that
// holds them: the emitters append to them and the report reads them by this table.
#pragma once

#include "model/generated_files.h"

namespace quarvel {

struct EventFile {
    const char *name;   // "EventMenu.pb"
    const char *title;  // the comment a new file begins with after ";-TOP"
    const char *prefix; // the procedures' names begin with it: "EventMenu_" + object
    const char *suffix; // what follows the name in a standard head: "()"
};

constexpr EventFile EventsIn(GeneratedFileId id, const char *prefix, const char *suffix)
{
    return {FileOf(id).name, FileOf(id).title, prefix, suffix};
}

inline constexpr EventFile MenuEvents = EventsIn(GeneratedFileId::EventMenu, "EventMenu_", "()");
inline constexpr EventFile SizeEvents = EventsIn(GeneratedFileId::EventWindow, "EventSize_", "()");
inline constexpr EventFile ExitEvents = EventsIn(GeneratedFileId::EventWindow, "EventExit_", "()");
inline constexpr EventFile GadgetEvents = EventsIn(GeneratedFileId::EventGadget, "EventGadget_", "(EventType)");

} // namespace quarvel
