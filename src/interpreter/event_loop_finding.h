// Finding a common file's own event loop when the file is loaded: a top-level loop that waits
// for events, or one inside a procedure that opens no window itself (a modal dialog's loop
// stays where it is). The loop's lines go on with the procedure text, so that the naming passes
// give its constants their generated names, and are taken out again once the objects are named
// (interpreter/event_loop_takeover.h).
#pragma once

#include "interpreter/top_level_code.h"
#include "model/carried_loop.h"

namespace quarvel {

// Marks the loops of one file: a top-level loop's lines become procedure text, and the
// top-level call of a procedure that holds a loop ("EndProcedure : Main()") is dropped, as
// Main.pb starts the program. Appends each loop's lines to loops.
void MarkEventLoops(const QStringList &lines, TopLevelCode &top, qint32 fileIndex, QList<EventLoopSpan> &loops);

} // namespace quarvel
