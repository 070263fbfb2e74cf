#include "constants_section.h"

#include "../pipeline/generation_context.h"

namespace quarvel {

void EmitConstantsSection(GenerationContext &g)
{
    Q_UNUSED(g);
}

} // namespace quarvel
