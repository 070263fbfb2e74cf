// A consistency check of a generated project, standing in for the compiler we cannot run in
// the tests: it reads the project directory and lists what PureBasic would reject or what
// would send an event to the wrong procedure.
#pragma once

#include <QString>
#include <QStringList>

namespace quarvel {

// Every fault as "File:line: text" (line 0 when the fault belongs to no line); empty when
// the project is consistent. Checks:
// - every procedure EventMain.pb calls or takes the address of, and every Open_/MyEvent
//   procedure Main.pb calls (and every call that is a statement of its own there, such as
//   the first window's opening procedure), is defined in one of the project's files, and no
//   procedure is defined twice;
// - every "#" constant of EventMain.pb, Main.pb and the event files is declared (an
//   Enumeration member of CommonFile.pb or a "#Name =" line), PureBasic's own aside, and
//   every enumeration member is a constant; no constant is declared twice with different
//   values (a named enumeration goes on counting across its blocks) and no #PB_Any became a
//   constant (#Window_0_PB_Any);
// - every variable in a Case of EventMain.pb is declared Global in one of the files;
// - in the order PureBasic reads the program (Main.pb and its includes, statements joined by
//   ":" apart), no constant is declared twice with two values, and no constant, Global
//   variable, structure or procedure is used before its declaration;
// - no window is created with the number of another window, no menu item or toolbar button
//   with the number of another in its window, and none with a number that a constant of the
//   generated section holds too; no two constants of one generated section share a number;
// - with jump tables: each table has as many rows as its count constant and as its
//   enumeration has members, and row i names the object whose constant has value i;
// - Procedure, Select, If and DataSection blocks are closed in every file, in order;
// - every IncludeFile of Main.pb and CommonFile.pb exists.
// The user's files that Main.pb includes are read too: their procedures and "#Name ="
// constants count as defined, and their blocks must be closed.
// What the window sources the project file lists meant is kept:
// - a constant they declare keeps its value where the project still declares it, and an old
//   object constant the project's code still names has the value of the object's new one;
// - what their own event loop does for a gadget, menu item or toolbar button they create is
//   what that object's event procedure does; for a closed or sized window, what an EventExit
//   or EventSize procedure does; for any other event, what a procedure Main.pb calls does;
// - a gadget or menu item that only a comment of theirs creates is no generated object;
// - each `text "..."` line of an expect.txt beside them stands in a generated file.
QStringList CheckProject(const QString &directory);

} // namespace quarvel
