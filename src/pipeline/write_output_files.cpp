#include "pipeline/write_output_files.h"

#include "base/file_error_line.h"
#include "base/text_encoding.h"
#include "model/catalog.h"
#include "model/generation_context.h"
#include "update/include_file_updates.h"

namespace quarvel {

namespace {

struct StagedOutput {
    QString path;
    int handle = 0;
    bool widened = false; // 8-bit text that needs UTF-8
};

// A file that the 8-bit format cannot carry is written as UTF-8 with its mark rather than
// losing characters. A file of the user that the run read is written the way it was kept,
// the bytes of every line the run leaves alone included; one whose text stays is not
// written at all.
StagedOutput StageOneFile(GenerationContext &g, const QString &path, const QStringList &lines)
{
    if (const auto read = g.userFiles.constFind(path); read != g.userFiles.cend()) {
        const RewrittenText text = EncodeRewritten(*read, lines, g.outputFormat);
        return {path, g.plan.Stage(path, text.bytes), text.widened};
    }
    const TextFormat format = FormatThatHolds(lines, g.outputFormat);
    return {path, g.plan.Stage(path, EncodeLines(lines, format)), format != g.outputFormat};
}

// " -> Write File " once the file is in place (or already held its text), " -> Error File "
// when it could not be written; a file held back by another's failure gets neither.
void LogOutputFile(GenerationContext &g, const StagedOutput &file)
{
    switch (g.plan.OutcomeOf(file.handle)) {
    case WritePlan::Outcome::Written:
    case WritePlan::Outcome::Unchanged:
        g.Log({QStringLiteral(" -> Write File ") + file.path, LogKind::FileWritten, file.path});
        if (file.widened)
            g.LogWarning(BeyondEightBitWarning(file.path), file.path);
        break;
    case WritePlan::Outcome::Failed: g.LogError(FileErrorLine(QStringLiteral("File"), file.path), file.path); break;
    case WritePlan::Outcome::Staged:
    case WritePlan::Outcome::HeldBack:
    case WritePlan::Outcome::Changed: break;
    }
}

} // namespace

const QStringList &OutputFileNames()
{
    static const QStringList names = {
        QStringLiteral("Main.pb"),         QStringLiteral("CommonFile.pb"),  QStringLiteral("EventMain.pb"),
        QStringLiteral("EventMenu.pb"),    QStringLiteral("EventGadget.pb"), QStringLiteral("EventWindow.pb"),
        QStringLiteral("LoadLanguage.pb"), QStringLiteral("Catalog"),
    };
    return names;
}

bool WriteOutputFiles(GenerationContext &g)
{
    const QString dir = g.ProjectDirectory();
    const QStringList &names = OutputFileNames();
    const OutputLines &l = g.lines;
    // In the order of the names; the event files with their trailing comment lines.
    const QStringList texts[] = {
        l.MainLines,
        l.CommonFileLines,
        l.EventMainLines,
        l.EventMenuLines + l.EventMenuTrailer,
        l.EventGadgetLines + l.EventGadgetTrailer,
        l.EventWindowLines + l.EventWindowTrailer,
    };
    QList<StagedOutput> outputs;
    for (qsizetype i = 0; i < qsizetype(std::size(texts)); ++i)
        outputs.append(StageOneFile(g, dir + names.at(i), texts[i]));
    if (g.switches().Multilang) {
        outputs.append(StageOneFile(g, dir + names.at(6), l.LoadLanguageLines));
        outputs.append(StageOneFile(g, dir + names.at(7), CatalogLines(g.model.Languages, g.catalog)));
    }
    const bool written = g.plan.WriteStaged();
    LogIncludeWriteFailures(g);
    for (const StagedOutput &file : std::as_const(outputs))
        LogOutputFile(g, file);
    return written;
}

} // namespace quarvel
