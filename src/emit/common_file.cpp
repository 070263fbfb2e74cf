#include "emit/common_file.h"

#include "base/line_lists.h"
#include "model/design_model.h"
#include "model/switches.h"

#include <utility>

namespace quarvel {

void EmitCommonFile(const DesignModel &model, const Switches &switches, OutputLines &output)
{
    const OutputLines &l = output;
    SourceLineList &out = output.CommonFileLines;
    // Room for the whole file at once (the heading and five separators of three lines beside
    // the sections): grown as it went, the list took the peak of an unchanged 1000 x 100
    // regeneration (bench/make_project.py) to 228.7 MiB, against 227.3 MiB (maximum resident
    // set size).
    out.reserve(out.size() + 1 + qsizetype(5) * 3 + l.ConstantLines.size() + l.FontLines.size() + l.ImageLines.size()
                + (switches.Multilang ? 1 : 0) + model.ModuleLines.size() + model.CommonSourceLines.texts().size());
    out << QStringLiteral("; Quarvel Commonfile (Do Not Edit - Allways Overwrite)");
    AppendSeparator(out);
    // The sections are moved in, not copied: they have no reader after this, and the copy held
    // the constants' list (3 MB of an unchanged regeneration of 1000 x 100,
    // bench/make_project.py) to the end of the run.
    out << std::exchange(output.ConstantLines, {});
    AppendSeparator(out);
    out << std::exchange(output.FontLines, {}) << std::exchange(output.ImageLines, {});
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
