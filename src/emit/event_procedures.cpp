#include "event_procedures.h"

#include "../pipeline/generation_context.h"

namespace quarvel {

void EmitGadgetEventBody(SourceLineList &target, const QString &type)
{
    Q_UNUSED(target);
    Q_UNUSED(type);
}

void EmitEventMenuProcedures(GenerationContext &g)
{
    Q_UNUSED(g);
}

void EmitEventSizeProcedures(GenerationContext &g)
{
    Q_UNUSED(g);
}

void EmitEventExitProcedures(GenerationContext &g)
{
    Q_UNUSED(g);
}

void EmitEventGadgetProcedures(GenerationContext &g)
{
    Q_UNUSED(g);
}

} // namespace quarvel
