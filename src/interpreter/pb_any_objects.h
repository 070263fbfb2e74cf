// Objects created with #PB_Any and held in a variable ("Button_0 = ButtonGadget(#PB_Any, ...)",
// the form designer's variable mode). Each becomes an object with a constant of its own, like
// the objects of constant mode, and its variable holds that constant's number.
#pragma once

#include <QString>

namespace quarvel {

struct DesignModel;
struct NameTables;
class LogSink;

// Before the prefix pass: "Var = Command(#PB_Any, ..." becomes "Command(#Var, ...", recorded in
// VariableObjects; the kept Global lines of the sources no longer declare those variables,
// which the generated object variables section declares instead.
void ConvertPbAnyObjects(DesignModel &model, const NameTables &nameTables);

// After the prefix pass: each variable object learns its prefixed constant. A variable that
// holds a second object keeps the first; a second object of the same window is created with
// #PB_Any again. The log says so.
void ResolveVariableObjects(DesignModel &model, LogSink &log);

// The variable of "Var" or "Var.type" standing alone; empty when text is anything else.
QString AssignedVariable(const QString &text);

// Whether the constant that starts at index at (just after its "#") is #PB_Any.
bool IsPbAnyAtIndex(QStringView text, qsizetype at);

} // namespace quarvel
