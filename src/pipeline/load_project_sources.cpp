#include "pipeline/load_project_sources.h"

#include "base/line_lists.h"
#include "emit/templates.h"
#include "model/catalog.h"
#include "model/generated_files.h"
#include "model/log_messages.h"
#include "pipeline/generation_context.h"

namespace quarvel {

TextFormat DetectMainFormat(const QString &projectDirectory)
{
    const FileBytes main = ReadRegularFile(projectDirectory + FileName(GeneratedFileId::Main));
    if (!main)
        return TextFormat::None;
    return DetectByteOrderMark(main.bytes).format;
}

namespace {

// True when a file's bytes are its lines encoded again in its format: valid UTF-8 (that does
// not open with a second mark, which decoding drops) or 8-bit text without NUL, each line
// ended with LF alone.
bool BytesAreLines(const TextFile &file)
{
    const QByteArrayView content =
        QByteArrayView(file.bytes).sliced(file.marked ? ByteOrderMarkBytes(file.format).size() : 0);
    const bool utf8 = file.format == TextFormat::Utf8 && file.firstInvalidLine == 0
                      && !content.startsWith("\xEF\xBB\xBF");
    const bool eightBit = file.format == TextFormat::Latin1 && !file.marked && !content.contains('\0');
    return (utf8 || eightBit) && !content.contains('\r');
}

QByteArray LinesEncodedAgain(const TextFile &file)
{
    const QByteArray bytes = EncodeLines(file.lines, file.format, file.ends);
    return file.marked ? bytes : bytes.sliced(ByteOrderMarkBytes(file.format).size());
}

// The run holds a user file's bytes only when they cannot be had again from its lines: held
// from reading to writing, the bytes of the event files took the peak of an unchanged
// 1000 x 100 regeneration (bench/make_project.py) to 205,416 KiB, against 189,452 KiB
// (maximum resident set size).
void NoteUserFileRead(GenerationContext &run, const QString &path, TextFileRead &file)
{
    if (!file) {
        run.plan.NoteRead(path, FileWriter::Content{});
    } else if (BytesAreLines(*file)) {
        file->bytes = QByteArray();
        run.plan.NoteRead(path, [&files = run.userFiles, path] { return LinesEncodedAgain(files.value(path)); });
    } else {
        run.plan.NoteRead(path, FileWriter::Content{true, file->bytes});
    }
}

// Reads a file in its own format into lines, keeping it as read, so that it is written back
// the way it was kept, and only while it still holds what was read. A missing file leaves
// lines untouched and gives true; one that exists but cannot be read is the user's and must
// not be replaced, so the run stops: false, after the log line that says why.
// The run keeps these files to its end, and an event file is mostly the same few lines again:
// read with those shared, an unchanged regeneration of 1000 x 100 (bench/make_project.py) peaked
// at 136,000 KiB, against 160,180 KiB, for 13.4 M instructions more at 200 x 100 (346.3 M,
// callgrind) and no more time (paired wall times, 0.98).
bool ReadInto(GenerationContext &run, const QString &path, SourceLineList &lines, bool *found = nullptr)
{
    TextFileRead file = ReadTextFile(path, run.outputFormat, {.keepBytes = true, .shareRepeatedLines = true});
    if (found)
        *found = bool(file);
    if (file.status == FileResult::Failed) {
        run.log.Stop({CannotReadStopLine(path, file.reason), LogKind::Error, path});
        return false;
    }
    NoteUserFileRead(run, path, file);
    if (!file)
        return true;
    LogHowRead(run.log, path, *file);
    lines = file->lines;
    run.userFiles.emplace(path, std::move(*file));
    return true;
}

// A missing file starts from its template.
bool ReadOrTemplate(GenerationContext &run, GeneratedFileId id, const QString &templateText)
{
    const GeneratedFile &file = FileOf(id);
    SourceLineList &lines = run.lines.*file.lines;
    bool found = false;
    if (!ReadInto(run, run.ProjectDirectory() + QLatin1String(file.name), lines, &found))
        return false;
    if (!found)
        SplitTemplate(templateText, lines);
    return true;
}

bool ReadEventFiles(GenerationContext &run)
{
    OutputLines &l = run.lines;
    for (const GeneratedFileId id : EventFileIds) {
        const GeneratedFile &file = FileOf(id);
        if (!ReadInto(run, run.ProjectDirectory() + QLatin1String(file.name), l.*file.lines))
            return false;
        l.*file.trailer = TakeTrailingCommentLines(l.*file.lines);
        l.*file.loaded = (l.*file.lines).size();
    }
    return true;
}

// The Catalog's lines stay as read; a first line that is no header is an entry like the others.
bool ReadCatalog(GenerationContext &run)
{
    CatalogRead &catalog = run.catalog;
    if (!ReadInto(run, run.ProjectDirectory() + FileName(GeneratedFileId::Catalog), catalog.lines))
        return false;
    catalog.header = !catalog.lines.isEmpty() && IsCatalogHeader(catalog.lines.first());
    const int skipped = catalog.header ? 1 : 0;
    ReadCatalogLines(catalog.lines.mid(skipped), run.model.Languages, &catalog.keyLines);
    for (int &line : catalog.keyLines)
        line += 2; // 1-based, after the header, which a Catalog without one gets
    catalog.keysRead = run.model.Languages.size();
    return true;
}

} // namespace

bool LoadProjectSources(GenerationContext &run)
{
    SplitTemplate(run.switches().UseCallFast ? EventMainCallFastTemplate() : EventMainSelectTemplate(),
                  run.lines.EventMainLines);
    return ReadOrTemplate(run, GeneratedFileId::Main, MainTemplate())
           && ReadOrTemplate(run, GeneratedFileId::LoadLanguage, LoadLanguageTemplate()) && ReadEventFiles(run)
           && ReadCatalog(run);
}

} // namespace quarvel
