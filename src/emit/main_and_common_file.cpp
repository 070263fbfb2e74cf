#include "main_and_common_file.h"

#include "../pipeline/generation_context.h"

namespace quarvel {

void PatchMainOpenWindow(GenerationContext &g)
{
    Q_UNUSED(g);
}

void EmitCommonFile(GenerationContext &g)
{
    Q_UNUSED(g);
}

} // namespace quarvel
