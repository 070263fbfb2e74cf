// Skeletons for the event procedures the user's event files do not have yet.
#pragma once

#include "model/design_model.h"

#include <QSet>

namespace quarvel {

struct GenerationContext;

void EmitEventMenuProcedures(GenerationContext &g);
void EmitEventSizeProcedures(GenerationContext &g);
void EmitEventExitProcedures(GenerationContext &g);
void EmitEventGadgetProcedures(GenerationContext &g);
void EmitGadgetEventBody(SourceLineList &target, const QString &type);

// Text and frame gadgets get no event procedure; the dispatcher routes them nowhere.
bool HasEventProcedure(const GadgetRecord &gadget);

// Which of the wanted head lines occur somewhere in the lines, as substrings of a line.
// Every head is prefix + name + suffix; one walk over the lines finds them all.
QSet<QString> FindProcedureHeads(const SourceLineList &lines, const QString &prefix, const QString &suffix,
                                 const QSet<QString> &wanted);

} // namespace quarvel
