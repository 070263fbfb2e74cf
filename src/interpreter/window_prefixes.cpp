#include "window_prefixes.h"

#include "../pipeline/generation_context.h"

namespace quarvel {

int InsertWindowPrefixes(GenerationContext &g)
{
    Q_UNUSED(g);
    return 1;
}

} // namespace quarvel
