#include "model/event_file_lines.h"

#include "base/basic_strings.h"
#include "base/char_search.h"
#include "base/procedure_head.h"
#include "base/statement_scan.h"

namespace quarvel {

namespace {

// The end of the name that begins at from: most lines use the constant the line before used,
// compared whole before its characters are read one by one, which saved an unchanged
// regeneration of 200 x 100 (bench/make_project.py) 2.8 M instructions (callgrind).
qsizetype NameEnd(QStringView line, qsizetype from, QStringView last)
{
    const qsizetype end = from + last.size();
    if (!last.isEmpty() && line.sliced(from).startsWith(last) && (end == line.size() || !IsIdentifierChar(line[end])))
        return end;
    return IdentifierEnd(line, from);
}

// The constants a line uses, as the first use of those not used before. The same skeleton line
// stands in every procedure, so a use is first compared with the last one.
void AddConstantsUsed(QStringView line, qsizetype lineIndex, EventFileLines &walk)
{
    // Before the first "#" only a quote or a comment matters: a line without one there starts at it.
    qsizetype i = line.indexOf(QLatin1Char('#'));
    if (const QStringView before = line.first(i);
        HoldsChar(before, QLatin1Char('"')) || HoldsChar(before, QLatin1Char(';')))
        i = 0;
    bool inString = false;
    for (; i < line.size(); ++i) {
        const QChar c = line[i];
        if (c == QLatin1Char('"'))
            inString = !inString;
        else if (!inString && c == QLatin1Char(';'))
            break;
        else if (!inString && c == QLatin1Char('#')) {
            const qsizetype end = NameEnd(line, i + 1, walk.lastUse);
            const QStringView name = line.sliced(i + 1, end - i - 1);
            if (!name.isEmpty() && name != walk.lastUse) {
                walk.lastUse = name;
                const qsizetype before = walk.used.size();
                walk.used.insert(name);
                if (walk.used.size() > before)
                    walk.firstUses.append({lineIndex, name});
            }
            i = end - 1;
        }
    }
}

// The name of the head the line holds, as ProcedureHeadName reads it. A head as the generator
// writes it, "Procedure " and the name before its bracket, is read by two comparisons and one
// search; against ProcedureHeadName for every head, that saved an unchanged regeneration of
// 200 x 100 (bench/make_project.py) 2.2 M instructions (callgrind).
QStringView HeadName(QStringView line)
{
    static constexpr QStringView Plain = u"Procedure ";
    if (line.size() > Plain.size() && line.first(Plain.size()) == Plain && !IsBlank(line[Plain.size()])
        && line[Plain.size()] != QLatin1Char('.')) {
        if (const qsizetype end = IndexOfAny(line, Plain.size(), u' ', u'\t', u'(');
            end > Plain.size() && line[end] == QLatin1Char('('))
            return line.sliced(Plain.size(), end - Plain.size());
    }
    return ProcedureHeadName(line);
}

// A blank line and a comment line hold neither a head nor code; nearly every other line is
// passed over as a head by its first character.
void ReadLine(const QString &line, qsizetype index, EventFileLines &walk)
{
    qsizetype first = 0;
    while (first < line.size() && IsBlank(line[first]))
        ++first;
    if (first == line.size() || line[first] == QLatin1Char(';'))
        return;
    if ((line[first].unicode() | 0x20) == u'p') {
        if (const QStringView name = HeadName(QStringView(line).sliced(first)); !name.isEmpty())
            walk.heads.append({index, name});
    }
    // One search for both characters, about 2 M instructions less than two on an unchanged
    // regeneration of 200 x 100 (bench/make_project.py).
    bool colon = false, hash = false;
    FindAnyOf(
        line, first,
        [&](qsizetype at) {
            (line[at] == QLatin1Char(':') ? colon : hash) = true;
            return colon && hash;
        },
        u':', u'#');
    if (colon)
        walk.colonLines.append(index);
    if (hash)
        AddConstantsUsed(line, index, walk);
}

} // namespace

EventFileLines ReadEventFileLines(const SourceLineList &lines, EventFileLines walk)
{
    if (walk.read > lines.size())
        walk = EventFileLines();
    for (qsizetype i = walk.read; i < lines.size(); ++i)
        ReadLine(lines[i], i, walk);
    walk.read = lines.size();
    return walk;
}

} // namespace quarvel
