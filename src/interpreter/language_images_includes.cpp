#include "language_images_includes.h"

#include "../pipeline/generation_context.h"

namespace quarvel {

void ScanIncludes(GenerationContext &g, const QString &fileName)
{
    Q_UNUSED(g);
    Q_UNUSED(fileName);
}

void ScanLanguageStrings(const SourceLineList &lines, LanguageMap &map)
{
    Q_UNUSED(lines);
    Q_UNUSED(map);
}

void WrapLanguageStrings(GenerationContext &g)
{
    Q_UNUSED(g);
}

void ReplaceLoadImageCalls(GenerationContext &g)
{
    Q_UNUSED(g);
}

} // namespace quarvel
