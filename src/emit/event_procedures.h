// Skeletons for the event procedures the user's event files do not have yet.
#pragma once

#include "model/design_model.h"

#include <QSet>

namespace quarvel {

void EmitEventMenuProcedures(DesignModel &model, OutputLines &output);
void EmitEventSizeProcedures(DesignModel &model, OutputLines &output);
void EmitEventExitProcedures(DesignModel &model, OutputLines &output);
void EmitEventGadgetProcedures(DesignModel &model, OutputLines &output);
void EmitGadgetEventBody(SourceLineList &target, const QString &type);

// For each name, whether its head prefix + name + suffix stands in the lines' code, at the
// start of a statement (not in a comment or a text); one walk over the lines finds them all.
// Prefix and suffix are not empty.
QList<bool> FindProcedureHeads(const SourceLineList &lines, const QString &prefix, const QString &suffix,
                               const QStringList &names);

// For each name, whether a procedure head of the lines declares prefix + name, in any letter
// case and with any return type, parameters and spacing ("ProcedureC" and "ProcedureDLL" too).
QList<bool> FindDeclaredProcedures(const SourceLineList &lines, const QString &prefix, const QStringList &names);

} // namespace quarvel
