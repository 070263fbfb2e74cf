// What one walk over an event file's lines finds, for every pass that needs it: the emitters
// that look for the procedures a file already has, and the report on its procedures and on
// the constants its code uses. Each line is read once; lines appended later (the procedures a
// run adds) are read when the walk is brought up to date.
#pragma once

#include "base/line_lists.h"

#include <QList>
#include <QSet>
#include <QStringView>

namespace quarvel {

// A procedure head at the start of a line, its name followed by brackets; the name views the
// line.
struct HeadOfLine {
    qsizetype line;
    QStringView name;
};

// An object constant ("#" + name) that a line's code uses, outside strings and comments; the
// name views the line.
struct ConstantUse {
    qsizetype line;
    QStringView name;
};

// The views hold while the lines read are only appended to.
struct EventFileLines {
    QList<HeadOfLine> heads; // in line order
    // The lines of code that hold a ":", after which a statement may begin with a head.
    QList<qsizetype> colonLines;
    // The first use of each constant, as written, in line order.
    QList<ConstantUse> firstUses;
    QSet<QStringView> used; // the names of firstUses
    QStringView lastUse;    // the name of the last use read
    qsizetype read = 0;     // the lines read so far
};

// The walk brought up to date with lines: the lines it has not read yet are read. A walk that
// read more lines than there are belongs to other lines and starts anew.
EventFileLines ReadEventFileLines(const SourceLineList &lines, EventFileLines walk);

} // namespace quarvel
