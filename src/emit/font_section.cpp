#include "emit/font_section.h"

#include "model/design_model.h"

namespace quarvel {

void EmitFontSection(const DesignModel &model, OutputLines &output)
{
    SourceLineList &out = output.FontLines;
    out << QStringLiteral(";- Load Font");
    for (const FontRecord &font : model.FontList)
        out << font.line;
    out << QString();
}

} // namespace quarvel
