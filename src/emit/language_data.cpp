#include "language_data.h"

#include "../pipeline/generation_context.h"

namespace quarvel {

void EmitLanguageData(GenerationContext &g)
{
    Q_UNUSED(g);
}

} // namespace quarvel
