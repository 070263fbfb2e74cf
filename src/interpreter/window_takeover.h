// A window opened by a program's top-level code ("If OpenWindow(#Main, ...)" with its gadgets
// and event loop, "hWnd = OpenWindow(#PB_Any, ...)") is taken over: its opening lines become
// the body of "Procedure Open_" + its name, which Main.pb calls and the dispatcher serves like
// any window of a procedure. The program's own event loop and what follows it are not.
#pragma once

#include "interpreter/source_structure.h"

namespace quarvel {

// The top-level lines that open one window: from the OpenWindow line up to the event loop,
// the end of the block around it or an End statement, whichever comes first.
struct WindowOpening {
    QString name;     // window constant without "#", or the variable of a #PB_Any window
    QString shown;    // the window as a warning names it: "#Main", "hWnd", "#PB_Any"
    QString refusal;  // why it cannot be taken over; empty when it is
    qint32 first = 0; // its first and last top-level line (0-based)
    qint32 last = 0;
    QString firstLine; // the first line as the procedure holds it ("Global" of the variable dropped)
    QStringList ends;  // what ends the blocks the cut leaves open, innermost first
};

// Every top-level OpenWindow with a constant or a #PB_Any result; a plain number is not one.
QList<WindowOpening> FindWindowOpenings(const QStringList &lines, const FileStructure &s);

// Whether the top-level line at position pos of s.topLevel starts the program's event loop or
// ends the program (End): code that belongs to the program's own run, not to a window.
bool RunsProgram(const FileStructure &s, qsizetype pos);

// What keeps the variables of taken-over code visible where the program used them: a
// variable it assigns that other top-level code (or a procedure's Shared) uses becomes
// Global, and so does a top-level Define, NewList, NewMap or Dim of a variable it uses.
struct TakenOverVariables {
    QStringList globals;              // "Global x.s" lines
    QHash<qint32, QString> rewritten; // top-level declarations made Global, by line
};

// inBody: per line, whether it is part of a taken-over opening.
TakenOverVariables DeclareTakenOverVariables(const QStringList &lines, const FileStructure &s,
                                             const QList<bool> &inBody);

} // namespace quarvel
