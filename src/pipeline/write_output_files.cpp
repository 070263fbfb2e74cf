#include "pipeline/write_output_files.h"

#include "base/file_error_line.h"
#include "base/text_encoding.h"
#include "model/catalog.h"
#include "model/generation_context.h"

namespace quarvel {

// Writes one file. A file that the 8-bit format cannot carry is written as UTF-8 with its
// mark rather than losing characters, and the log says so.
static void WriteOneFile(GenerationContext &g, const QString &path, const QStringList &lines)
{
    const TextFormat format = FormatThatHolds(lines, g.outputFormat);
    const bool widened = format != g.outputFormat;
    if (!g.plan.Write(path, EncodeLines(lines, format))) {
        g.LogLine(FileErrorLine(QStringLiteral("File"), path));
        return;
    }
    g.LogLine(QStringLiteral(" -> Write File ") + path);
    if (widened)
        g.LogLine(BeyondEightBitWarning(path));
}

void WriteOutputFiles(GenerationContext &g)
{
    const QString dir = g.ProjectDirectory();
    const OutputLines &l = g.lines;
    const SourceLineList none;
    const struct { const char *name; const SourceLineList *lines; const SourceLineList *trailer; } files[] = {
        {"Main.pb", &l.MainLines, &none},
        {"CommonFile.pb", &l.CommonFileLines, &none},
        {"EventMain.pb", &l.EventMainLines, &none},
        {"EventMenu.pb", &l.EventMenuLines, &l.EventMenuTrailer},
        {"EventGadget.pb", &l.EventGadgetLines, &l.EventGadgetTrailer},
        {"EventWindow.pb", &l.EventWindowLines, &l.EventWindowTrailer},
    };
    for (const auto &file : files)
        WriteOneFile(g, dir + QLatin1String(file.name), *file.lines + *file.trailer);
    if (!g.switches().Multilang)
        return;
    WriteOneFile(g, dir + QStringLiteral("LoadLanguage.pb"), l.LoadLanguageLines);
    WriteOneFile(g, dir + QStringLiteral("Catalog"), CatalogLines(g.model.Languages));
}

} // namespace quarvel
