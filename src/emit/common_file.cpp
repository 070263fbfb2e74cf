#include "emit/common_file.h"

#include "base/line_lists.h"
#include "model/design_model.h"
#include "model/switches.h"

namespace quarvel {

void EmitCommonFile(const DesignModel &model, const Switches &switches, OutputLines &output)
{
    const OutputLines &l = output;
    SourceLineList &out = output.CommonFileLines;
    out << QStringLiteral("; Quarvel Commonfile (Do Not Edit - Allways Overwrite)");
    AppendSeparator(out);
    out << l.ConstantLines;
    AppendSeparator(out);
    out << l.FontLines << l.ImageLines;
    AppendSeparator(out);
    if (switches.Multilang) {
        out << QStringLiteral("IncludeFile \"LoadLanguage.pb\"");
        AppendSeparator(out);
    }
    if (!model.ModuleLines.isEmpty()) {
        out << model.ModuleLines;
        AppendSeparator(out);
    }
    out << model.CommonSourceLines.texts();
}

} // namespace quarvel
