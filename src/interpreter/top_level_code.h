// Where each line of a common file goes in CommonFile.pb. The procedure text, kept by the rule
// that keeps the lines from one that mentions "procedure" up to the next EndProcedure, stays
// where it stands. The rest of the top-level code is sorted: declarations go ahead of the
// procedures of every file, the opening of a window is taken over into a procedure of its
// own, and what is neither (the event loop, End, one-off calls) is left out.
#pragma once

#include "interpreter/window_takeover.h"

namespace quarvel {

enum class LineRole : quint8 {
    Kept,        // in the procedure text, where it stands
    Declaration, // ahead of the procedures of every file
    Window,      // in the opening procedure of a window taken over
    LeftOut,     // top-level code that is not taken over
    Blank,       // a top-level empty or comment line that goes nowhere
};

struct TopLevelCode {
    QList<LineRole> roles;
    QHash<qint32, QString> rewritten; // lines whose text changes on the way
    QList<WindowOpening> windows;     // taken over (no refusal) and refused alike
    QStringList globals;              // declarations the taken-over code needs
    FileStructure structure;          // the file's blocks, as the sorting read them

    QString Text(const QStringList &lines, qint32 line) const
    {
        return rewritten.isEmpty() ? lines.at(line) : rewritten.value(line, lines.at(line));
    }
    // The lines of a taken-over window's procedure body, in order.
    QList<qint32> BodyOf(const WindowOpening &window) const;
};

// kept: per line, whether the procedure rule keeps it; words: the words of each line
// (FindLineWords).
TopLevelCode ClassifyTopLevelCode(const QStringList &lines, const QList<bool> &kept, const QList<quint8> &words);

} // namespace quarvel
