#include "images_fonts_sections.h"

#include "../pipeline/generation_context.h"

namespace quarvel {

void EmitFontSection(GenerationContext &g)
{
    Q_UNUSED(g);
}

void EmitImageSection(GenerationContext &g)
{
    Q_UNUSED(g);
}

} // namespace quarvel
