#include "include_file_updates.h"

#include "../pipeline/generation_context.h"

namespace quarvel {

void UpdateIncludeFiles(GenerationContext &g)
{
    Q_UNUSED(g);
}

} // namespace quarvel
