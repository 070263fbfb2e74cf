#include "dispatcher.h"

#include "../pipeline/generation_context.h"

namespace quarvel {

void EmitDispatchSelect(GenerationContext &g)
{
    Q_UNUSED(g);
}

void EmitDispatchCallFast(GenerationContext &g)
{
    Q_UNUSED(g);
}

} // namespace quarvel
