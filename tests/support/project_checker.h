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
// - no window or menu item is created with a number (a plain one, or a constant of another
//   enumeration) that a constant of the generated section holds too;
// - with jump tables: each table has as many rows as its count constant and as its
//   enumeration has members, and row i names the object whose constant has value i;
// - Procedure, Select, If and DataSection blocks are closed in every file, in order;
// - every IncludeFile of Main.pb and CommonFile.pb exists.
// The user's files that Main.pb includes are read too: their procedures and "#Name ="
// constants count as defined, and their blocks must be closed.
QStringList CheckProject(const QString &directory);

} // namespace quarvel
