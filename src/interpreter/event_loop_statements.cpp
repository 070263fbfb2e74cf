#include "interpreter/event_loop_statements.h"

#include "base/basic_strings.h"
#include "base/statement_scan.h"
#include "interpreter/source_structure.h"

namespace quarvel {

namespace {

const QString &EndsProgram()
{
    static const QString end = QStringLiteral("ExitApplication = 1");
    return end;
}

// The words of code that are no constants and no parts of a structure, upper-cased.
QStringList WordsOf(QStringView code)
{
    QStringList words;
    for (WordSpan w = NextWord(code, 0); w.start < code.size(); w = NextWord(code, w.end)) {
        const QChar before = w.start > 0 ? code.at(w.start - 1) : QChar();
        if (!code.at(w.start).isDigit() && before != QLatin1Char('#') && before != QLatin1Char('\\'))
            words.append(UpperKeepLength(code.sliced(w.start, w.end - w.start)));
    }
    return words;
}

} // namespace

LoopStatements::LoopStatements(const QStringList &lines, bool inProcedure, const QStringList &locals)
    : lines_(lines),
      inProcedure_(inProcedure)
{
    for (const QString &line : lines)
        code_.append(BlankedCode(line));
    for (qsizetype j = 0; j < lines.size(); ++j)
        for (const QStringView statement : Statements(code_.at(j))) {
            const qsizetype at = statement.data() - code_.at(j).data();
            s_.append({j, at, statement.size(), FirstWord(statement)});
        }
    for (const QString &local : locals)
        locals_.append({UpperKeepLength(DeclaredName(local)), local});
}

qsizetype LoopStatements::blockEnd(qsizetype i) const
{
    BlockStack blocks;
    for (qsizetype k = i; k < s_.size(); ++k) {
        blocks.Step(s_.at(k).word);
        if (blocks.Depth() == 0)
            return k + 1;
    }
    return s_.size();
}

QList<qsizetype> LoopStatements::branches(qsizetype i, qsizetype end,
                                          std::initializer_list<QLatin1StringView> middles) const
{
    QList<qsizetype> heads{i};
    BlockStack blocks;
    for (qsizetype k = i; k < end - 1; ++k) {
        const QString &word = s_.at(k).word;
        if (k > i && blocks.Depth() == 1 && std::find(middles.begin(), middles.end(), word) != middles.end())
            heads.append(k);
        blocks.Step(word);
    }
    heads.append(end - 1);
    return heads;
}

SourceLineList LoopStatements::declareLocals(const QStringList &words) const
{
    QStringList used;
    for (const auto &[name, declaration] : locals_)
        if (words.contains(name) && !aliases_.contains(name) && !quits_.contains(name))
            used.append(declaration);
    return used.isEmpty() ? SourceLineList() : SourceLineList{QStringLiteral("  Protected ") + used.join(u", ")};
}

bool LoopStatements::quits(const Statement &s, int loops) const
{
    if (s.word == QLatin1String("END"))
        return true;
    if ((s.word == QLatin1String("BREAK") && TrimBlanksView(code(s).sliced(5)).isEmpty())
        || (s.word == QLatin1String("PROCEDURERETURN") && inProcedure_))
        return loops == 0;
    const QStringView c = code(s);
    const qsizetype end = IdentifierEnd(c, 0);
    const QStringView rest = TrimBlanksView(c.sliced(end));
    return end > 0 && rest.startsWith(u'=') && !rest.startsWith(u"==")
           && quits_.contains(UpperKeepLength(c.first(end)));
}

SourceLineList LoopStatements::lines(qsizetype from, qsizetype to, const QString &condition, QStringList *words) const
{
    SourceLineList result;
    int loops = 0;
    for (qsizetype i = from; i < to;) {
        const qsizetype line = s_.at(i).line;
        qsizetype next = i;
        while (next < to && s_.at(next).line == line)
            ++next;
        const bool whole = (i == 0 || s_.at(i - 1).line != line) && (next == s_.size() || s_.at(next).line != line);
        QString text = whole ? lines_.at(line) : QString();
        QStringList parts;
        for (qsizetype k = next - 1; k >= i; --k) {
            const Statement &s = s_.at(k);
            const bool ends = quits(s, loops);
            const QString replaced = ends ? EndsProgram() : this->text(s).toString();
            if (whole)
                text.replace(s.at, s.size, replaced);
            else
                parts.prepend(replaced);
            if (words && !ends)
                *words += WordsOf(code(s));
        }
        for (qsizetype k = i; k < next; ++k) {
            const QString &w = s_.at(k).word;
            if (w == u"REPEAT" || w == u"WHILE" || w == u"FOR" || w == u"FOREACH")
                ++loops;
            else if (w == u"UNTIL" || w == u"FOREVER" || w == u"WEND" || w == u"NEXT")
                --loops;
        }
        result.append(whole ? text : Indentation(lines_.at(line)) + parts.join(QStringLiteral(" : ")));
        // The comment and empty lines up to the next statement of the body.
        if (next < to)
            for (qsizetype j = line + 1; j < s_.at(next).line; ++j)
                result.append(lines_.at(j));
        i = next;
    }
    return Indented(result, condition);
}

SourceLineList LoopStatements::Indented(const SourceLineList &lines, const QString &condition)
{
    qsizetype least = -1;
    for (const QString &line : lines)
        if (!TrimBlanksView(line).isEmpty()) {
            const qsizetype n = Indentation(line).size();
            least = least < 0 ? n : std::min(least, n);
        }
    const QString step = condition.isEmpty() ? QStringLiteral("  ") : QStringLiteral("    ");
    SourceLineList result;
    if (!condition.isEmpty())
        result.append(QStringLiteral("  If ") + condition);
    for (const QString &line : lines)
        result.append(TrimBlanksView(line).isEmpty()
                          ? QString()
                          : step + line.sliced(std::min(std::max<qsizetype>(least, 0), Indentation(line).size())));
    if (!condition.isEmpty())
        result.append(QStringLiteral("  EndIf"));
    return result;
}

} // namespace quarvel
