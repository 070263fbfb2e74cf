// Objects created with #PB_Any and held in a variable ("Button_0 = ButtonGadget(#PB_Any, ...)",
// the form designer's variable mode). Each becomes an object with a constant of its own, like
// the objects of constant mode, and its variable holds that constant's number.
#pragma once

#include "interpreter/object_names.h"

#include <QString>

namespace quarvel {

struct DesignModel;
struct NameTables;
class LogSink;

// Before the prefix pass: "Var = Command(#PB_Any, ..." becomes "Command(#Var, ...", recorded in
// VariableObjects; the kept Global lines of the sources no longer declare those variables,
// which the generated object variables section declares instead.
void ConvertPbAnyObjects(DesignModel &model, const NameTables &nameTables);

// After the prefix pass: a variable object whose prefixed constant an earlier one has (one
// variable assigned two gadgets of a window) is numbered apart, "#Main_Button_2", clear of the
// names the declaring lines declare, so each object gets its own constant and event procedure.
void NumberRepeatedConstants(DesignModel &model, const DeclaringLines &declaring);

// After the prefix pass: each variable object learns its prefixed constant, and a field is
// assigned it where its object is created. A variable assigned a second object of its window
// holds the last; one that holds objects of two windows keeps the first. The log says so.
void ResolveVariableObjects(DesignModel &model, LogSink &log);

// The variable of "Var" or "Var.type" standing alone; empty when text is anything else.
QString AssignedVariable(const QString &text);

// Whether the constant that starts at index at (just after its "#") is #PB_Any.
bool IsPbAnyAtIndex(QStringView text, qsizetype at);

} // namespace quarvel
