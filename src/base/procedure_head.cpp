#include "base/procedure_head.h"

#include "base/basic_strings.h"
#include "base/char_search.h"
#include "base/no_case_search.h"
#include "base/statement_scan.h"

namespace quarvel {

// The keyword with its variant, as a whole word; empty when the word is none of them.
static QStringView ProcedureKeyword(QStringView text)
{
    // Nearly every head is written as the generator writes it, which needs no comparison in any
    // letter case: that and the name read a character at a time cost an unchanged regeneration
    // of 200 x 100 (bench/make_project.py) 8 M instructions more (callgrind).
    static constexpr QStringView Plain = u"Procedure";
    if (text.size() > Plain.size() && IsBlank(text[Plain.size()]) && text.startsWith(Plain))
        return text.first(Plain.size());
    const QStringView word = text.first(IdentifierEnd(text, 0));
    if (word.size() < 9 || !StartsNoCase(word, u"PROCEDURE"))
        return {};
    const QStringView variant = word.sliced(9);
    if (variant.isEmpty())
        return word;
    for (const QStringView known : {u"C", u"DLL", u"CDLL"}) {
        if (variant.compare(known, Qt::CaseInsensitive) == 0)
            return word;
    }
    return {};
}

std::optional<ProcedureHead> ReadProcedureHead(QStringView line)
{
    // Nearly every line is passed over by its first character that is no blank, or as too short
    // for "Procedure X".
    qsizetype first = 0;
    while (first < line.size() && IsBlank(line[first]))
        ++first;
    if (line.size() - first < 11 || (line[first].unicode() | 0x20) != u'p')
        return std::nullopt;
    const QStringView text = line.sliced(first);
    const QStringView keyword = ProcedureKeyword(text);
    if (keyword.isEmpty())
        return std::nullopt;
    QStringView rest = text.sliced(keyword.size());
    if (const QStringView type = TrimLeadingBlanksView(rest); type.startsWith(QLatin1Char('.'))) {
        qsizetype end = 1;
        while (end < type.size() && !IsBlank(type[end]))
            ++end;
        rest = type.sliced(end);
    }
    ProcedureHead head;
    head.text = TrimBlanksView(rest);
    if (head.text.isEmpty() || !IsBlank(rest.front()))
        return std::nullopt;
    qsizetype end = IndexOfAny(head.text, 0, u' ', u'\t', u'(');
    if (end < 0)
        end = head.text.size();
    head.name = head.text.first(end);
    head.bracketed = end > 0 && TrimLeadingBlanksView(head.text.sliced(end)).startsWith(QLatin1Char('('));
    return head;
}

QStringView ProcedureHeadName(QStringView line)
{
    const std::optional<ProcedureHead> head = ReadProcedureHead(line);
    return head && head->bracketed ? head->name : QStringView();
}

QStringList HeadArguments(QStringView headText)
{
    const qsizetype open = headText.indexOf(QLatin1Char('('));
    const qsizetype close = headText.lastIndexOf(QLatin1Char(')'));
    if (open < 0 || close <= open)
        return {};
    return SplitOutsideBrackets(headText.sliced(open + 1, close - open - 1));
}

bool IsProcedureEnd(QStringView line)
{
    const QStringView text = TrimLeadingBlanksView(line);
    return !text.isEmpty() && UpperChar(text.front()) == QLatin1Char('E') && StartsNoCase(text, u"ENDPROCEDURE")
           && (text.size() == 12 || !IsIdentifierChar(UpperChar(text.at(12))));
}

qsizetype UnclosedLastProcedure(const QStringList &lines)
{
    // Only the last head or end counts: the walk goes up from the end and stops at it.
    for (qsizetype i = lines.size() - 1; i >= 0; --i) {
        const QString &line = lines.at(i);
        enum { Neither, Head, End } last = Neither;
        if (!line.contains(QLatin1Char(':'))) {
            // A line of one statement is read as it stands: a head or an end at its start is code.
            last = ReadProcedureHead(line) ? Head : IsProcedureEnd(line) ? End : Neither;
        } else {
            const QString code = BlankedCode(line);
            for (const QStringView statement : Statements(CodeOfLine(code)))
                last = ReadProcedureHead(statement) ? Head : IsProcedureEnd(statement) ? End : last;
        }
        if (last != Neither)
            return last == Head ? i : -1;
    }
    return -1;
}

} // namespace quarvel
