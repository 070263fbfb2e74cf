#include "emit/common_file.h"

#include "base/line_lists.h"
#include "model/generation_context.h"

namespace quarvel {

void EmitCommonFile(GenerationContext &g)
{
    const OutputLines &l = g.lines;
    SourceLineList &out = g.lines.CommonFileLines;
    out << QStringLiteral("; Quarvel Commonfile (Do Not Edit - Allways Overwrite)");
    AppendSeparator(out);
    out << l.ConstantLines;
    AppendSeparator(out);
    out << l.FontLines << l.ImageLines;
    AppendSeparator(out);
    if (g.switches().Multilang) {
        out << QStringLiteral("IncludeFile \"LoadLanguage.pb\"");
        AppendSeparator(out);
    }
    if (!g.model.ModuleLines.isEmpty()) {
        out << g.model.ModuleLines;
        AppendSeparator(out);
    }
    out << g.model.CommonSourceLines.texts();
}

} // namespace quarvel
