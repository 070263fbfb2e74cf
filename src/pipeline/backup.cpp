#include "backup.h"

#include "../pipeline/generation_context.h"

namespace quarvel {

void MakeBackup(GenerationContext &g)
{
    Q_UNUSED(g);
}

} // namespace quarvel
