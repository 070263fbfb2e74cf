#include "pipeline/load_project_sources.h"

#include "base/file_error_line.h"
#include "base/line_lists.h"
#include "emit/templates.h"
#include "model/catalog.h"
#include "pipeline/generation_context.h"

namespace quarvel {

TextFormat DetectMainFormat(const QString &projectDirectory)
{
    const FileBytes main = ReadRegularFile(projectDirectory + QStringLiteral("Main.pb"));
    if (main.status != FileBytes::Read)
        return TextFormat::None;
    return DetectByteOrderMark(main.bytes).format;
}

namespace {

// Reads a file in its own format into lines, keeping it as read, so that it is written back
// the way it was kept, and only while it still holds what was read. A missing file leaves
// lines untouched and gives true; one that exists but cannot be read is the user's and must
// not be replaced, so the run stops: false, after the log line that says why.
bool ReadInto(GenerationContext &run, const QString &path, SourceLineList &lines, bool *found = nullptr)
{
    FileBytes failure;
    auto file = ReadTextFile(path, run.outputFormat, &failure, true);
    if (found)
        *found = file.has_value();
    if (!file && failure.status == FileBytes::Unreadable) {
        run.log.Stop({CannotReadStopLine(path, failure.reason), LogKind::Error, path});
        return false;
    }
    run.plan.NoteRead(path, file ? FileWriter::Content{true, file->bytes} : FileWriter::Content{});
    if (!file)
        return true;
    if (file->firstInvalidLine)
        run.log.Warning(InvalidBytesWarning(path, file->firstInvalidLine), path, file->firstInvalidLine);
    lines = file->lines;
    run.userFiles.emplace(path, std::move(*file));
    return true;
}

// A missing file starts from its template.
bool ReadOrTemplate(GenerationContext &run, const QString &path, const QString &templateText, SourceLineList &lines)
{
    bool found = false;
    if (!ReadInto(run, path, lines, &found))
        return false;
    if (!found)
        SplitTemplate(templateText, lines);
    return true;
}

bool ReadEventFiles(GenerationContext &run)
{
    const QString dir = run.ProjectDirectory();
    OutputLines &l = run.lines;
    const struct {
        const char *file;
        SourceLineList *lines;
        SourceLineList *trailer;
        qsizetype *loaded;
    } eventFiles[] = {
        {"EventMenu.pb", &l.EventMenuLines, &l.EventMenuTrailer, &l.EventMenuLoaded},
        {"EventGadget.pb", &l.EventGadgetLines, &l.EventGadgetTrailer, &l.EventGadgetLoaded},
        {"EventWindow.pb", &l.EventWindowLines, &l.EventWindowTrailer, &l.EventWindowLoaded},
    };
    for (const auto &event : eventFiles) {
        if (!ReadInto(run, dir + QLatin1String(event.file), *event.lines))
            return false;
        *event.trailer = TakeTrailingCommentLines(*event.lines);
        *event.loaded = event.lines->size();
    }
    return true;
}

// The Catalog's lines stay as read; a first line that is no header is an entry like the others.
bool ReadCatalog(GenerationContext &run)
{
    CatalogRead &catalog = run.catalog;
    if (!ReadInto(run, run.ProjectDirectory() + QStringLiteral("Catalog"), catalog.lines))
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
    const QString dir = run.ProjectDirectory();
    OutputLines &l = run.lines;
    SplitTemplate(run.switches().UseCallFast ? EventMainCallFastTemplate() : EventMainSelectTemplate(),
                  l.EventMainLines);
    return ReadOrTemplate(run, dir + QStringLiteral("Main.pb"), MainTemplate(), l.MainLines)
           && ReadOrTemplate(run, dir + QStringLiteral("LoadLanguage.pb"), LoadLanguageTemplate(), l.LoadLanguageLines)
           && ReadEventFiles(run) && ReadCatalog(run);
}

} // namespace quarvel
