#include "emit/language_data.h"

#include "base/basic_strings.h"
#include "base/line_lists.h"
#include "base/no_case_search.h"
#include "base/statement_scan.h"
#include "model/design_model.h"

namespace quarvel {

namespace {

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
    qsizetype valueEnd = parts.CodeEnd(); // 0-based, after the value
    if (const qsizetype colon = IndexOfChar(line, u':', valueStart);
        colon >= 0 && colon < valueEnd && !parts.InLiteral(colon))
        valueEnd = colon;
    while (valueEnd > valueStart
           && (line.at(valueEnd - 1) == QLatin1Char(' ') || line.at(valueEnd - 1) == QLatin1Char('\t')))
        --valueEnd;
    if (valueEnd <= valueStart)
        return line;
    return line.left(valueStart) + Str(count) + line.mid(valueEnd);
}

} // namespace

void EmitLanguageData(const DesignModel &model, OutputLines &output)
{
    SourceLineList &lines = output.LoadLanguageLines;
    const LanguageBlock block = FindLanguageBlock(lines);
    // A file that lost its markers is the user's: rewriting half of it would cost lines. The
    // interpreting step has said so in the log.
    if (!block.Whole())
        return;

    const LanguageMap &map = model.Languages;
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
