// The window Main.pb opens and the procedure it opens it with, and the procedure structure of a source that the window checks rely on.
#pragma once

#include <QString>
#include <QStringList>

namespace quarvel {

struct GenerationContext;

// The head of a procedure ("Procedure", "Procedure.i", "ProcedureC", "ProcedureDLL", ...):
// the text after the keyword and its type, "Name(arguments)"; empty for any other line.
QString ProcedureHead(const QString &line);

// Whether a line ends a procedure.
bool IsProcedureEnd(const QString &line);

// The name of a procedure head "Name(arguments)".
QString ProcedureName(const QString &head);

// The arguments of a procedure head, split at the commas outside brackets and strings.
QStringList HeadArguments(const QString &head);

// The window a line opens by its constant, without "#"; empty for any other line.
QString OpenedWindowConstant(const QString &line);

// The window Main.pb opens (MainWindow): the first of WindowList, unless that one cannot open
// before the others (it asks for another window as its parent, or Main.pb cannot call what
// opens it); then the first window that can, and the log says so. A window the program's own
// top-level code opened comes before the windows of procedures of its file. When no "Open_" +
// window procedure is defined, the procedure that opens the window becomes Main.pb's call if it
// can be called without arguments; otherwise the log says which procedure it is and why Main.pb
// cannot call it. A window opened invisible is shown by Main.pb (FirstWindowInvisible).
void ChooseMainWindow(GenerationContext &g);

} // namespace quarvel
