#include "pipeline/write_output_files.h"

#include "base/encoded_lines_match.h"
#include "base/text_encoding.h"
#include "model/catalog.h"
#include "model/generated_files.h"
#include "model/log_messages.h"
#include "model/source_folder.h"
#include "pipeline/generation_context.h"
#include "update/include_file_updates.h"

namespace quarvel {

namespace {

struct StagedOutput {
    QString path;
    int handle = 0;
    bool widened = false; // 8-bit text that needs UTF-8
    QByteArray codePage;  // the code page of the user's file that could not hold its new text
};

// A file that the 8-bit format cannot carry is written as UTF-8 with its mark rather than
// losing characters. A file of the user that the run read is written the way it was kept,
// the bytes of every line the run leaves alone included; one whose text stays is not
// written at all. A file the run makes anew is written in the run's format. The lines of an
// event file are followed by its trailer.
StagedOutput StageOneFile(GenerationContext &run, FileOwner owner, const QString &path, const QStringList &fileLines,
                          const QStringList &trailer)
{
    const auto read = owner == FileOwner::User ? run.userFiles.constFind(path) : run.userFiles.cend();
    if (read != run.userFiles.cend()) {
        // Bytes not held since reading are made again only for a file whose text changes.
        if (read->bytes.isEmpty() && !read->lines.isEmpty() && SameLines(fileLines, read->lines, trailer))
            return {path, run.plan.StageKept(path), false, {}};
        TextFile file = *read;
        if (file.bytes.isEmpty())
            file.bytes = run.plan.ReadBytes(path);
        const RewrittenText text = EncodeRewritten(file, fileLines, trailer, run.outputFormat);
        return {path, run.plan.Stage(path, text.bytes), text.widened,
                read->format == TextFormat::CodePage ? read->codePage : QByteArray()};
    }
    // Compared with the file line by line rather than encoded whole first: encoded, the text
    // of an unchanged CommonFile.pb was held a second time (in a buffer three times its size)
    // at the peak of the run, which took an unchanged 1000 x 100 regeneration
    // (bench/make_project.py) to 244 MiB, against 229 MiB (maximum resident set size).
    const QStringList lines = trailer.isEmpty() ? fileLines : fileLines + trailer;
    const TextFormat format = FormatThatHolds(lines, run.outputFormat);
    const int handle = run.plan.Stage(
        path, [&](ByteSource &before) { return EncodesAs(lines, format, before); },
        [&] { return EncodeLines(lines, format); });
    return {path, handle, format != run.outputFormat, {}};
}

// " -> Write File " once the file is in place (or already held its text), " -> Error File "
// when it could not be written; a file held back by another's failure gets neither.
void LogOutputFile(GenerationContext &run, const StagedOutput &file)
{
    switch (run.plan.OutcomeOf(file.handle)) {
    case WritePlan::Outcome::Written:
    case WritePlan::Outcome::Unchanged:
        run.log.Log({WriteFileLine(file.path), LogKind::FileWritten, file.path});
        if (file.widened)
            run.log.Warning(file.codePage.isEmpty() ? BeyondEightBitWarning(file.path)
                                                    : BeyondCodePageWarning(file.path, file.codePage),
                            file.path);
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

bool WriteOutputFiles(GenerationContext &run)
{
    const QString dir = run.ProjectDirectory();
    const OutputLines &l = run.lines;
    QList<StagedOutput> outputs;
    for (const GeneratedFile &file : GeneratedFiles) {
        if (file.multilangOnly && !run.switches().Multilang)
            continue;
        const QString path = dir + QLatin1String(file.name);
        const QStringList lines = file.lines ? l.*file.lines : CatalogLines(run.model.Languages, run.catalog);
        outputs.append(StageOneFile(run, file.owner, path, lines, file.trailer ? l.*file.trailer : QStringList()));
    }
    const bool written = run.plan.WriteStaged();
    LogIncludeWriteFailures(run);
    for (const StagedOutput &file : std::as_const(outputs))
        LogOutputFile(run, file);
    return written;
}

} // namespace quarvel
