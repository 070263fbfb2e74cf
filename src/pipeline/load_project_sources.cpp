#include "pipeline/load_project_sources.h"

#include "base/line_lists.h"
#include "emit/templates.h"
#include "model/catalog.h"
#include "model/generation_context.h"

#include <QFile>
#include <QFileInfo>

namespace quarvel {

TextFormat DetectMainFormat(const QString &projectDirectory)
{
    const QString path = projectDirectory + QStringLiteral("Main.pb");
    QFile file(path);
    if (QFileInfo(path).isDir() || !file.open(QIODevice::ReadOnly))
        return FormatNone;
    return DetectByteOrderMark(file.read(4)).format;
}

// Reads a file in its own format into lines; false (lines untouched) when it cannot be opened.
static bool ReadInto(const QString &path, SourceLineList &lines)
{
    auto file = ReadTextFile(path);
    if (!file)
        return false;
    lines = std::move(file->lines);
    return true;
}

void LoadProjectSources(GenerationContext &g)
{
    const QString dir = g.ProjectDirectory();
    OutputLines &l = g.lines;

    if (!ReadInto(dir + QStringLiteral("Main.pb"), l.MainLines))
        SplitTemplate(MainTemplate(), l.MainLines);

    SplitTemplate(g.switches().UseCallFast ? EventMainCallFastTemplate() : EventMainSelectTemplate(),
                  l.EventMainLines);

    if (!ReadInto(dir + QStringLiteral("LoadLanguage.pb"), l.LoadLanguageLines))
        SplitTemplate(LoadLanguageTemplate(), l.LoadLanguageLines);

    const struct { const char *file; SourceLineList *lines; } eventFiles[] = {
        {"EventMenu.pb", &l.EventMenuLines},
        {"EventGadget.pb", &l.EventGadgetLines},
        {"EventWindow.pb", &l.EventWindowLines},
    };
    for (const auto &event : eventFiles) {
        ReadInto(dir + QLatin1String(event.file), *event.lines);
        DropTrailingCommentLines(*event.lines);
    }

    SourceLineList catalog;
    if (ReadInto(dir + QStringLiteral("Catalog"), catalog) && !catalog.isEmpty()) {
        catalog.removeFirst(); // the header line
        ReadCatalogLines(catalog, g.model.Languages);
    }
    g.catalogKeysLoaded = g.model.Languages.size();
}

} // namespace quarvel
