#include "constant_check.h"

#include "../pipeline/generation_context.h"

namespace quarvel {

int CheckWindowConstants(GenerationContext &g)
{
    Q_UNUSED(g);
    return 1;
}

int CheckMenuConstants(GenerationContext &g)
{
    Q_UNUSED(g);
    return 1;
}

int CheckMenuItemConstants(GenerationContext &g)
{
    Q_UNUSED(g);
    return 1;
}

int CheckStatusBarConstants(GenerationContext &g)
{
    Q_UNUSED(g);
    return 1;
}

int CheckToolBarConstants(GenerationContext &g)
{
    Q_UNUSED(g);
    return 1;
}

int CheckGadgetConstants(GenerationContext &g)
{
    Q_UNUSED(g);
    return 1;
}

} // namespace quarvel
