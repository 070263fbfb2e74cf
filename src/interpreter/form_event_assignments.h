// The form designer's event procedure ("Procedure Window_0_Events(event)") read as data: the
// procedure of the user's that each gadget and menu item is given, and the one that lays the
// window out again when it is resized. The generated event procedures make these calls, so
// the designer's procedure, which nothing in the generated program would call, is left out.
#pragma once

#include "model/design_model.h"

#include <QStringList>

namespace quarvel {

class LogSink;

// The lines first to last of a file, 1-based, both included.
struct LineRange {
    int first = 0;
    int last = 0;
};

// Whether one of the ranges holds the line.
inline bool Covers(const QList<LineRange> &ranges, int line)
{
    for (const LineRange &range : ranges) {
        if (line >= range.first && line <= range.last)
            return true;
    }
    return false;
}

// A statement of an event procedure that is neither an assignment nor part of its Select
// frame: it has no place in the generated event procedures.
struct LeftOutStatement {
    QString procedure;
    QString statement;
    SourceOrigin origin;
};

// What one common file says. Origins name fileIndex and the file's own line numbers.
struct FormEventReading {
    QList<EventAssignment> assignments;
    QList<ResizeAssignment> resizes;
    QList<DeclaredProcedure> declared;
    QList<LineRange> eventProcedures; // whole procedures that nothing else in the file calls
    QList<LeftOutStatement> leftOut;
};

FormEventReading ReadFormEventAssignments(const QStringList &lines, qint32 fileIndex);

// For the loader: one file's assignments into the model, a warning for each statement of an
// event procedure that is not carried over, and the lines the loader leaves out.
QList<LineRange> TakeFormEventAssignments(DesignModel &model, LogSink &log, const QStringList &lines, qint32 fileIndex);

} // namespace quarvel
