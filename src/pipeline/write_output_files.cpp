#include "pipeline/write_output_files.h"

#include "base/file_error_line.h"
#include "base/text_encoding.h"
#include "model/catalog.h"
#include "model/source_folder.h"
#include "pipeline/generation_context.h"
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
StagedOutput StageOneFile(GenerationContext &run, const QString &path, const QStringList &lines)
{
    if (const auto read = run.userFiles.constFind(path); read != run.userFiles.cend()) {
        const RewrittenText text = EncodeRewritten(*read, lines, run.outputFormat);
        return {path, run.plan.Stage(path, text.bytes), text.widened};
    }
    const TextFormat format = FormatThatHolds(lines, run.outputFormat);
    return {path, run.plan.Stage(path, EncodeLines(lines, format)), format != run.outputFormat};
}

// " -> Write File " once the file is in place (or already held its text), " -> Error File "
// when it could not be written; a file held back by another's failure gets neither.
void LogOutputFile(GenerationContext &run, const StagedOutput &file)
{
    switch (run.plan.OutcomeOf(file.handle)) {
    case WritePlan::Outcome::Written:
    case WritePlan::Outcome::Unchanged:
        run.log.Log({QStringLiteral(" -> Write File ") + file.path, LogKind::FileWritten, file.path});
        if (file.widened)
            run.log.Warning(BeyondEightBitWarning(file.path), file.path);
        break;
    case WritePlan::Outcome::Failed: run.log.Error(FileErrorLine(QStringLiteral("File"), file.path), file.path); break;
    case WritePlan::Outcome::Staged:
    case WritePlan::Outcome::HeldBack:
    case WritePlan::Outcome::Changed: break;
    }
}

} // namespace

void StageIncludeUpdates(GenerationContext &run)
{
    const IncludeUpdates updates = UpdateIncludeFiles(run.renames, run.model,
                                                      {run.ProjectDirectory(), run.outputFormat}, run.log);
    run.faults.unread += updates.unread;
    for (const IncludeUpdate &file : updates.files) {
        run.plan.NoteRead(file.filePath, {true, file.read});
        if (file.updated)
            run.stagedIncludes.append({file.path, run.plan.Stage(file.filePath, *file.updated)});
    }
}

void LogIncludeWriteFailures(GenerationContext &run)
{
    for (const StagedInclude &include : std::as_const(run.stagedIncludes))
        if (run.plan.OutcomeOf(include.handle) == WritePlan::Outcome::Failed)
            run.log.Error(FileErrorLine(QStringLiteral("WriteFile"), include.path), include.path);
}

const QStringList &OutputFileNames()
{
    static const QStringList names = {
        QStringLiteral("Main.pb"),         QStringLiteral("CommonFile.pb"),  QStringLiteral("EventMain.pb"),
        QStringLiteral("EventMenu.pb"),    QStringLiteral("EventGadget.pb"), QStringLiteral("EventWindow.pb"),
        QStringLiteral("LoadLanguage.pb"), QStringLiteral("Catalog"),
    };
    return names;
}

bool WriteOutputFiles(GenerationContext &run)
{
    const QString dir = run.ProjectDirectory();
    const QStringList &names = OutputFileNames();
    const OutputLines &l = run.lines;
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
        outputs.append(StageOneFile(run, dir + names.at(i), texts[i]));
    if (run.switches().Multilang) {
        outputs.append(StageOneFile(run, dir + names.at(6), l.LoadLanguageLines));
        outputs.append(StageOneFile(run, dir + names.at(7), CatalogLines(run.model.Languages, run.catalog)));
    }
    const bool written = run.plan.WriteStaged();
    LogIncludeWriteFailures(run);
    for (const StagedOutput &file : std::as_const(outputs))
        LogOutputFile(run, file);
    return written;
}

} // namespace quarvel
