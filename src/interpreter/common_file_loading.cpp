#include "common_file_loading.h"

#include "../pipeline/generation_context.h"

namespace quarvel {

void LoadCommonFiles(GenerationContext &g)
{
    Q_UNUSED(g);
}

void SetParentWindow(GenerationContext &g)
{
    Q_UNUSED(g);
}

void SetAutoWindowPosition(GenerationContext &g)
{
    Q_UNUSED(g);
}

void ZeroImageGadgets(GenerationContext &g)
{
    Q_UNUSED(g);
}

} // namespace quarvel
