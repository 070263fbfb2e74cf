#include "interpreter/language_strings.h"

#include "base/file_error_line.h"
#include "base/line_scan.h"
#include "base/text_encoding.h"
#include "interpreter/common_file_loading.h"
#include "model/generation_context.h"

namespace quarvel {

void ScanLanguageStrings(const SourceLineList &lines, LanguageMap &map)
{
    for (const QString &line : lines) {
        if (FindNoCase(line, QStringLiteral("MyLanguage(")) == 0)
            continue;
        // An escaped literal's text is not what it says, and a Data.s line could not hold it.
        const std::optional<CodeLiteral> literal = ScanCodeLine(line).FirstString();
        if (!literal || literal->kind == CodeLiteral::Escaped || literal->close - literal->open <= 1)
            continue;
        const QString text = Mid(line, literal->open + 1, literal->close - literal->open - 1);
        if (!map.contains(text))
            map.insert(text, text);
    }
}

// The first string literal of a line becomes a MyLanguage lookup. Window titles and image
// file names stay literal; a literal that is already looked up, escaped or never closed is
// left alone.
void WrapLanguageStrings(GenerationContext &g)
{
    const QString lookup = QStringLiteral("MyLanguage(");
    for (QString &line : g.model.CommonSourceLines) {
        if (FindNoCase(line, QStringLiteral("OPENWINDOW(")) || FindNoCase(line, QStringLiteral("LOADIMAGE("))
            || FindNoCase(line, QStringLiteral("CATCHIMAGE(")))
            continue;
        // An escaped ~"..." literal stays as written: its text is not a key as it stands.
        const std::optional<CodeLiteral> literal = ScanCodeLine(line).FirstString();
        if (!literal || literal->kind == CodeLiteral::Escaped || literal->close == 0)
            continue;
        const int q1 = literal->open, q2 = literal->close;
        if (q1 > lookup.size() && FindNoCase(Mid(line, q1 - int(lookup.size()), int(lookup.size())), lookup) == 1)
            continue;
        line = Left(line, q1 - 1) + lookup + Mid(line, q1, q2 - q1 + 1) + QLatin1Char(')') + Mid(line, q2 + 1);
    }
}

void CollectLanguageStrings(GenerationContext &g)
{
    LanguageMap used;
    for (const SourceLineList *lines : {&g.model.CommonSourceLines, &g.lines.MainLines, &g.lines.EventMenuLines,
                                        &g.lines.EventGadgetLines, &g.lines.EventWindowLines})
        ScanLanguageStrings(*lines, used);

    for (const QString &include : std::as_const(g.model.IncludeFileList)) {
        const auto file = ReadTextFile(ProjectRelativePath(g.ProjectDirectory(), include), g.outputFormat);
        if (!file) {
            g.LogLine(FileErrorLine(QStringLiteral("OpenFile"), include));
            ++g.faults.unread;
            continue;
        }
        ScanLanguageStrings(file->lines, used);
    }
    // New keys join the map after the Catalog's, in the order the sources use them.
    for (const QString &key : used.keys()) {
        if (!g.model.Languages.contains(key))
            g.model.Languages.insert(key, key);
        g.languageKeysUsed.insert(key);
    }
}

} // namespace quarvel
