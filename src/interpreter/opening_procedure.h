// The procedure that opens the main window, when it is not "Open_" + the window's name, and
// the procedure structure of a source that the window checks rely on.
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
QString HeadName(const QString &head);

// The arguments of a procedure head, split at the commas outside brackets and strings.
QStringList HeadArguments(const QString &head);

// When no "Open_" + first window procedure is defined, the procedure that opens the first
// window becomes Main.pb's call if it can be called without arguments; otherwise the log says
// which procedure it is and why Main.pb cannot call it.
void FindFirstWindowOpener(GenerationContext &g);

} // namespace quarvel
