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

// What one loop does, read from its lines as the naming passes left them. A body is known by
// its object's label as written ("#Main_Ok", a #PB_Any variable) and holds its statements as
// the event procedure holds them.
struct LoopBody {
    enum Kind { Gadget, Menu, Exit, Size, Other, NotCarried } kind = Other;
    QString label;        // the object, the window of Exit and Size, the event of Other; why for NotCarried
    SourceLineList lines; // indented one step
    qsizetype first = 0;  // its first and last line among the loop's lines
    qsizetype last = 0;
    QStringList words; // the names its code uses, upper-cased
};

// An Other body without a label is code the loop ran for every event.
struct LoopReading {
    QList<LoopBody> bodies;
    QString eventVariable; // the variable the loop keeps the event in, if any
};

// Reads one loop, its first line the Repeat or While and its last the line that ends it.
// locals: the declarations ("value.d") a body may use, each becoming Protected in it.
LoopReading ReadEventLoop(const QStringList &lines, bool inProcedure, const QStringList &locals = {});

// Takes the loops the loader marked out of the common code into model.Carried; a part that
// reaches no object is warned about with its place, unless EventWindow.pb keeps it already.
void TakeOverEventLoops(DesignModel &model, const OutputLines &output, LogSink &log);

} // namespace quarvel
