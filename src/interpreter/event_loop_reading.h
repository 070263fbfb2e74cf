// Reading an event loop's dispatch: its Select and If tests over the event, the window and the
// object, each part of the loop becoming the body of what it handles.
#pragma once

#include "base/line_lists.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace quarvel {

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

} // namespace quarvel
