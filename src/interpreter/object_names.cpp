#include "object_names.h"

#include "../pipeline/generation_context.h"

namespace quarvel {

int CollectObjectNames(GenerationContext &g)
{
    Q_UNUSED(g);
    return 1;
}

void SplitMenuItemTabs(GenerationContext &g)
{
    Q_UNUSED(g);
}

} // namespace quarvel
