#include "write_output_files.h"

#include "generation_context.h"
#include "load_project_sources.h"
#include "text_encoding.h"

namespace quarvel {

void AppendSeparator(SourceLineList &target)
{
    target << QString() << QStringLiteral("; ") + QString(87, QLatin1Char('*')) << QString();
}

QStringList CatalogLines(const LanguageMap &map)
{
    QStringList lines;
    lines.reserve(map.size() + 1);
    lines << QStringLiteral("Default;Language");
    const QString quote(QLatin1Char('"'));
    for (const QString &key : map.keys()) {
        const QString value = map.value(key);
        const QString translation = value == key ? QStringLiteral("\"\"") : quote + value + quote;
        lines << quote + key + quote + QLatin1Char(';') + translation;
    }
    return lines;
}

QString BeyondEightBitWarning(const QString &path)
{
    return QStringLiteral(" -> Warning: ") + path + QStringLiteral(" holds characters beyond 8 bit, written as UTF-8.");
}

// Writes one file. A file that the 8-bit format cannot carry is written as UTF-8 with its
// mark rather than losing characters, and the log says so.
static void WriteOneFile(GenerationContext &g, const QString &path, const QStringList &lines)
{
    const TextFormat format = FormatThatHolds(lines, g.OutputFormat);
    const bool widened = format != g.OutputFormat;
    if (!g.writer.Write(path, EncodeLines(lines, format))) {
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
    const struct { const char *name; const SourceLineList *lines; } files[] = {
        {"Main.pb", &l.MainLines},
        {"CommonFile.pb", &l.CommonFileLines},
        {"EventMain.pb", &l.EventMainLines},
        {"EventMenu.pb", &l.EventMenuLines},
        {"EventGadget.pb", &l.EventGadgetLines},
        {"EventWindow.pb", &l.EventWindowLines},
    };
    for (const auto &file : files)
        WriteOneFile(g, dir + QLatin1String(file.name), *file.lines);
    if (!g.switches().Multilang)
        return;
    WriteOneFile(g, dir + QStringLiteral("LoadLanguage.pb"), l.LoadLanguageLines);
    WriteOneFile(g, dir + QStringLiteral("Catalog"), CatalogLines(g.model.Languages));
}

} // namespace quarvel
