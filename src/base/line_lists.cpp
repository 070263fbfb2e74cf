#include "base/line_lists.h"

#include "base/basic_strings.h"

namespace quarvel {

void AppendSeparator(SourceLineList &target)
{
    target << QString() << QStringLiteral("; ") + QString(87, QLatin1Char('*')) << QString();
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

static bool IsBlankLine(const QString &line)
{
    return TrimBlanksView(line).isEmpty();
}

// A comment line begins with its ";"; an indented one may belong to a procedure's body.
static bool IsCommentLine(const QString &line)
{
    return line.startsWith(QLatin1Char(';'));
}

// A comment line of ";" and a row of asterisks, as AppendSeparator and the templates write it.
static bool IsSeparatorLine(const QString &line)
{
    const QStringView text = TrimBlanksView(QStringView(line).sliced(1));
    return !text.isEmpty() && text.count(QLatin1Char('*')) == text.size();
}

// Where the run of trailing lines set aside begins; lines.size() when there is none.
static qsizetype TrailerStart(const SourceLineList &lines)
{
    qsizetype start = lines.size();
    while (start > 0 && (IsBlankLine(lines[start - 1]) || IsCommentLine(lines[start - 1])))
        --start;
    // A separator in the run closes the procedure before it: the run set aside begins behind
    // the last one, without the blank lines that follow it. A file of nothing but comments
    // keeps all but its last comment lines, so its header stays first.
    for (qsizetype i = lines.size() - 1; i >= start; --i) {
        if (IsCommentLine(lines[i]) && IsSeparatorLine(lines[i])) {
            start = i + 1;
            break;
        }
    }
    if (start == 0) {
        start = lines.size();
        while (start > 0 && IsCommentLine(lines[start - 1]))
            --start;
    }
    while (start < lines.size() && IsBlankLine(lines[start]))
        ++start;
    return start;
}

SourceLineList TakeTrailingCommentLines(SourceLineList &lines)
{
    // Read through a const view and left alone without a trailer: a list still shared with
    // the file as read is then not copied (an event file ending in its separator has none; the
    // copy held 18 MB of an unchanged regeneration of 1000 x 100, bench/make_project.py).
    const qsizetype start = TrailerStart(lines);
    if (start == lines.size())
        return {};
    SourceLineList trailer = lines.mid(start);
    lines.resize(start);
    return trailer;
}

namespace {

// Else the block replacement would delete the user's code from a mention on.
bool IsMarkerLine(const QString &line, const QString &marker)
{
    const qsizetype comment = IndexOfChar(line, u';');
    return TrimBlanksView(comment < 0 ? QStringView(line) : QStringView(line).first(comment)) == marker;
}

} // namespace

LanguageBlock FindLanguageBlock(const SourceLineList &lines)
{
    LanguageBlock block;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (IsMarkerLine(lines[i], QStringLiteral("DefaultLanguage:"))) {
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

} // namespace quarvel
