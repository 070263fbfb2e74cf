// What a source's own event loop did, taken over into the generated event procedures: each
// Case body or If branch for a gadget, menu item or toolbar button, a closed or sized window,
// and what the loop ran for every event or for events the dispatcher does not serve. A body
// goes into its procedure only when the procedure is new; a later run finds the procedure and
// leaves it alone.
#pragma once

#include "base/line_lists.h"
#include "model/source_lines.h"

#include <QHash>
#include <QList>
#include <QString>

namespace quarvel {

// The lines a loop runs in a procedure of the user's: "EventEvery()", which Main.pb calls
// after each event.
inline constexpr const char *EveryEventProcedure = "EventEvery";

// The source lines first to last of a common file, 1-based, both included.
struct SourceSpan {
    SourceOrigin origin; // the first line
    int last = 0;
};

// A body as the procedure holds it, indented one step, and where it was read. One object's
// bodies from two loops follow each other.
struct CarriedBody {
    SourceLineList lines;
    QList<SourceSpan> spans;
};

// A top-level or procedure event loop of a common file, found when the file is loaded: its
// lines go on through the naming passes, and are taken out once the objects have their names.
struct EventLoopSpan {
    SourceSpan span;
    bool inProcedure = false;
};

// A body that a run wrote into a new procedure.
struct CarriedFact {
    SourceSpan span;
    QString procedure; // "EventGadget_Main_Ok", "EventEvery"
};

struct CarriedLoops {
    QList<EventLoopSpan> loops;
    QHash<QString, CarriedBody> gadgets; // by gadget name
    QHash<QString, CarriedBody> menuItems;
    QHash<QString, CarriedBody> sizes; // by window name
    QHash<QString, CarriedBody> exits;
    CarriedBody every;          // the body of EventEvery(), empty when no loop needs it
    SourceLineList notCarried;  // the comment block for the end of EventWindow.pb
    QList<CarriedFact> carried; // filled by the emitters
};

} // namespace quarvel
