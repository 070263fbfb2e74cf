#include "code_updates.h"

#include "../pipeline/generation_context.h"

namespace quarvel {

void UpdatePrefixes(GenerationContext &g)
{
    Q_UNUSED(g);
}

void UpdateProcedureNames(GenerationContext &g)
{
    Q_UNUSED(g);
}

void UpdateConstantNames(GenerationContext &g)
{
    Q_UNUSED(g);
}

void UpdateOpenWindowCalls(GenerationContext &g)
{
    Q_UNUSED(g);
}

} // namespace quarvel
