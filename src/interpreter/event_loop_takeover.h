// A program's own event loop taken over into the generated event procedures, once the objects
// have their generated names. Each Case body or If branch for a gadget, menu item or toolbar
// button becomes the body of that object's event procedure; a closed window's the body of its
// EventExit procedure, a sized window's of its EventSize procedure; what the loop ran for
// every event or for events the dispatcher does not serve goes into EventEvery(), which Main.pb
// calls after each event. Ending the loop (its quit flag, End, Break) becomes the generated
// program's own end, "ExitApplication = 1". What cannot be told apart stays as a comment.
#pragma once

#include "model/design_model.h"

namespace quarvel {

class LogSink;

// Takes the loops the loader marked out of the common code into model.Carried; a part that
// reaches no object is warned about with its place, unless EventWindow.pb keeps it already.
void TakeOverEventLoops(DesignModel &model, const OutputLines &output, LogSink &log);

} // namespace quarvel
