// Skeletons for the event procedures the user's event files do not have yet.
#pragma once

#include "../interpreter/design_model.h"

namespace quarvel {

struct GenerationContext;

void EmitEventMenuProcedures(GenerationContext &g);
void EmitEventSizeProcedures(GenerationContext &g);
void EmitEventExitProcedures(GenerationContext &g);
void EmitEventGadgetProcedures(GenerationContext &g);
void EmitGadgetEventBody(SourceLineList &target, const QString &type);

} // namespace quarvel
