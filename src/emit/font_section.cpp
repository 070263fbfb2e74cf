#include "emit/font_section.h"

#include "model/generation_context.h"

namespace quarvel {

void EmitFontSection(GenerationContext &g)
{
    SourceLineList &out = g.lines.FontLines;
    out << QStringLiteral(";- Load Font");
    for (const FontRecord &font : g.model.FontList)
        out << font.line;
    out << QString();
}

} // namespace quarvel
