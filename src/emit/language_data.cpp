#include "emit/language_data.h"

#include "base/line_scan.h"
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

} // namespace

void EmitLanguageData(GenerationContext &g)
{
    SourceLineList &lines = g.lines.LoadLanguageLines;
    const LanguageBlock block = FindLanguageBlock(lines);
    // A file that lost its markers is the user's: rewriting half of it would cost lines.
    if (block.start < 0 || block.end < 0) {
        g.LogLine(QStringLiteral(" -> Warning: LoadLanguage.pb has no DefaultLanguage block, language data not updated."));
        return;
    }

    const LanguageMap &map = g.model.Languages;
    const QString maxLine = QStringLiteral("#MaxLanguage = ") + Str(map.size());
    SourceLineList updated;
    updated.reserve(lines.size() + map.size());
    for (qsizetype i = 0; i <= block.start; ++i)
        updated << (FindString(lines[i], QStringLiteral("#MaxLanguage =")) ? maxLine : lines[i]);
    for (const QString &key : map.keys())
        updated << QStringLiteral("  Data.s \"") + key + QLatin1Char('"');
    for (qsizetype i = block.end; i < lines.size(); ++i)
        updated << lines[i];
    lines = std::move(updated);
}

} // namespace quarvel
