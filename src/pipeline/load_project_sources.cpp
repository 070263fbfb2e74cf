#include "load_project_sources.h"

#include "generation_context.h"
#include "../emit/templates.h"
#include "../interpreter/common_file_loading.h"
#include "../interpreter/language_images_includes.h"
#include "../interpreter/line_scan.h"

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

void SplitTemplate(const QString &templateText, SourceLineList &target)
{
    QString text = templateText;
    text.remove(QLatin1Char('\r'));
    qsizetype begin = 0;
    for (;;) {
        const qsizetype lf = text.indexOf(QLatin1Char('\n'), begin);
        if (lf < 0)
            return;
        target.append(text.mid(begin, lf - begin));
        begin = lf + 1;
    }
}

void DropTrailingCommentLines(SourceLineList &lines)
{
    while (!lines.isEmpty() && lines.last().startsWith(QLatin1Char(';')))
        lines.removeLast();
}

static QString TrimQuotes(const QString &text)
{
    return Trim(text, QLatin1Char('"'));
}

void ReadCatalogLines(const QStringList &lines, LanguageMap &map)
{
    for (const QString &line : lines) {
        const QString key = TrimQuotes(line.section(QLatin1Char(';'), 0, 0));
        if (key.isEmpty())
            continue;
        const QString value = TrimQuotes(line.section(QLatin1Char(';'), 1, 1));
        map.insert(key, value.isEmpty() ? key : value);
    }
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
}

void CollectLanguageStrings(GenerationContext &g)
{
    LanguageMap &map = g.model.Languages;
    for (const SourceLineList *lines : {&g.model.CommonSourceLines, &g.lines.MainLines, &g.lines.EventMenuLines,
                                        &g.lines.EventGadgetLines, &g.lines.EventWindowLines})
        ScanLanguageStrings(*lines, map);

    for (const QString &include : std::as_const(g.model.IncludeFileList)) {
        g.lines.ScratchLines.clear();
        if (!ReadInto(ProjectRelativePath(g.ProjectDirectory(), include), g.lines.ScratchLines)) {
            g.LogLine(FileErrorLine(QStringLiteral("OpenFile"), include));
            continue;
        }
        ScanLanguageStrings(g.lines.ScratchLines, map);
    }
}

QString ErrorCodeText(int code)
{
    return QStringLiteral("Errorcode: ") + QString::number(code);
}

int LastErrorCode()
{
    return 1;
}

QString FileErrorLine(const QString &what, const QString &path)
{
    return QStringLiteral(" -> Error ") + what + QLatin1Char(' ') + path + QStringLiteral(" / ")
           + ErrorCodeText(LastErrorCode());
}

} // namespace quarvel
