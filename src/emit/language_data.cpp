#include "emit/language_data.h"

#include "base/basic_strings.h"
#include "base/no_case_search.h"
#include "base/statement_scan.h"
#include "model/generation_context.h"

namespace quarvel {

namespace {

// Where the data block of LoadLanguage.pb lies: the start marker line and the first end line
// after it (both 0-based). Either is -1 when the file has lost it.
struct LanguageBlock {
    qsizetype start = -1;
    qsizetype end = -1;
};

// A marker counts only as a line of its own: the trimmed line, its comment removed, is the
// marker. A comment or a string that mentions it is no marker, else the block replacement
// would delete the user's code from there on.
bool IsMarkerLine(const QString &line, const QString &marker)
{
    const int comment = FindString(line, QLatin1Char(';'));
    return TrimBlanks(comment ? Left(line, comment - 1) : line) == marker;
}

bool IsStartMarker(const QString &line)
{
    return IsMarkerLine(line, QStringLiteral("DefaultLanguage:"));
}

LanguageBlock FindLanguageBlock(const SourceLineList &lines)
{
    LanguageBlock block;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (IsStartMarker(lines[i])) {
            block.start = i;
            break;
        }
    }
    if (block.start < 0)
        return block;
    for (qsizetype i = block.start + 1; i < lines.size(); ++i) {
        if (IsMarkerLine(lines[i], QStringLiteral("EndDefaultLanguage:"))
            || IsMarkerLine(lines[i], QStringLiteral("EndDataSection"))) {
            block.end = i;
            break;
        }
    }
    return block;
}

// The line with its #MaxLanguage definition's value replaced by count: a line whose code,
// trimmed, is "#MaxLanguage", "=" and a value, with blanks between and a comment or another
// statement after them allowed. Any other line comes back as it is, also one that merely
// tests or shows the constant.
QString WithMaxLanguage(const QString &line, qsizetype count)
{
    const QString name = QStringLiteral("#MaxLanguage");
    const QStringView code = TrimLeadingBlanksView(line);
    if (!StartsNoCase(code, name))
        return line;
    const int nameEnd = int(line.size() - code.size() + name.size()); // 0-based, after the name
    const QStringView afterName = TrimLeadingBlanksView(QStringView(line).sliced(nameEnd));
    if (!afterName.startsWith(QLatin1Char('=')))
        return line;
    const int valueStart = int(line.size() - TrimLeadingBlanksView(afterName.sliced(1)).size()); // 0-based
    const CodeLine parts = ScanCodeLine(line);
    int valueEnd = parts.comment ? parts.comment - 1 : int(line.size()); // 0-based, after the value
    if (const int colon = FindString(line, QLatin1Char(':'), valueStart + 1);
        colon && colon <= valueEnd && !parts.InLiteral(colon))
        valueEnd = colon - 1;
    while (valueEnd > valueStart
           && (line.at(valueEnd - 1) == QLatin1Char(' ') || line.at(valueEnd - 1) == QLatin1Char('\t')))
        --valueEnd;
    if (valueEnd <= valueStart)
        return line;
    return line.left(valueStart) + Str(count) + line.mid(valueEnd);
}

} // namespace

void EmitLanguageData(GenerationContext &g)
{
    SourceLineList &lines = g.lines.LoadLanguageLines;
    const LanguageBlock block = FindLanguageBlock(lines);
    // A file that lost its markers is the user's: rewriting half of it would cost lines.
    if (block.start < 0 || block.end < 0) {
        g.LogWarning(
            QStringLiteral(" -> Warning: LoadLanguage.pb has no DefaultLanguage block, language data not updated."),
            QStringLiteral("LoadLanguage.pb"));
        return;
    }

    const LanguageMap &map = g.model.Languages;
    SourceLineList updated;
    updated.reserve(lines.size() + map.size());
    for (qsizetype i = 0; i <= block.start; ++i)
        updated << WithMaxLanguage(lines[i], map.size());
    for (const QString &key : map.keys())
        updated << QStringLiteral("  Data.s \"") + key + QLatin1Char('"');
    for (qsizetype i = block.end; i < lines.size(); ++i)
        updated << lines[i];
    lines = std::move(updated);
}

} // namespace quarvel
