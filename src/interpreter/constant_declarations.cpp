#include "interpreter/constant_declarations.h"

#include "base/basic_strings.h"
#include "base/no_case_search.h"
#include "base/numeric_value.h"
#include "base/statement_scan.h"

#include <QHash>

namespace quarvel {

namespace {

// An operand as code: a name or a number as it stands, anything longer in brackets.
QString Operand(const QString &text)
{
    const qsizetype start = text.startsWith(QLatin1Char('#')) || text.startsWith(QLatin1Char('$')) ? 1 : 0;
    return IdentifierEnd(text, start) == text.size() ? text : QLatin1Char('(') + text + QLatin1Char(')');
}

// How an enumeration counts: from the last value written (the first value of the block or a
// member's "= value"), each further member one step on; in a binary enumeration each member
// doubles the one before.
struct Count {
    std::optional<qint64> number = 0;   // the last value written, when plain
    QString text = QStringLiteral("0"); // the last value written, as code
    qint64 after = 0;                   // the members counted since
    std::optional<qint64> step = 1;
    QString stepText = QStringLiteral("1");
    bool binary = false;

    void restart(const QString &value)
    {
        text = value;
        number = PlainNumber(value);
        after = 0;
    }

    std::optional<qint64> nextNumber() const
    {
        if (!number || (!step && after > 0) || (binary && after > 62))
            return std::nullopt;
        if (after == 0)
            return number;
        return binary ? *number << after : *number + after * *step;
    }

    QString nextText() const
    {
        if (const std::optional<qint64> next = nextNumber())
            return Str(*next);
        if (after == 0)
            return text;
        if (binary)
            return Operand(text) + QStringLiteral(" << ") + Str(after);
        return Operand(text) + QStringLiteral(" + ")
               + (step ? Str(after * *step) : Str(after) + QStringLiteral(" * ") + Operand(stepText));
    }
};

// The index of the word Step in the rest of an enumeration's head, -1 for none.
qsizetype StepWord(QStringView rest)
{
    for (qsizetype i = 0; i < rest.size();) {
        if (!IsIdentifierChar(rest[i]) || (i > 0 && rest[i - 1] == QLatin1Char('#'))) {
            ++i;
            continue;
        }
        const qsizetype end = IdentifierEnd(rest, i);
        if (end - i == 4 && rest.sliced(i, 4).compare(u"STEP", Qt::CaseInsensitive) == 0)
            return i;
        i = end;
    }
    return -1;
}

// "Enumeration [Name] [first [Step step]]" or "EnumerationBinary [Name] [first]": the block's
// name and its count. A named block without a first value counts on from its last block.
struct Head {
    QString name;
    Count count;
    bool continues = false;
};

std::optional<Head> HeadOf(QStringView statement)
{
    const qsizetype wordEnd = IdentifierEnd(statement, 0);
    const QStringView word = statement.first(wordEnd);
    const bool binary = word.compare(u"EnumerationBinary", Qt::CaseInsensitive) == 0;
    if (!binary && word.compare(u"Enumeration", Qt::CaseInsensitive) != 0)
        return std::nullopt;
    Head head;
    QStringView rest = TrimBlanksView(statement.sliced(wordEnd));
    if (const qsizetype nameEnd = IdentifierEnd(rest, 0); nameEnd > 0 && !rest.front().isDigit()) {
        head.name = UpperKeepLength(rest.first(nameEnd));
        rest = TrimBlanksView(rest.sliced(nameEnd));
    }
    head.continues = rest.isEmpty() && !head.name.isEmpty();
    Count &count = head.count;
    count.binary = binary;
    const qsizetype step = StepWord(rest);
    const QStringView first = TrimBlanksView(step < 0 ? rest : rest.first(step));
    count.restart(first.isEmpty() ? QString(binary ? QStringLiteral("1") : QStringLiteral("0")) : first.toString());
    if (step >= 0) {
        count.stepText = TrimBlanksView(rest.sliced(step + 4)).toString();
        count.step = PlainNumber(count.stepText);
    }
    return head;
}

// A "#Name" or "#Name = value" statement as written: its name and the value it is given.
std::optional<ConstantDeclaration> WrittenDeclaration(QStringView statement)
{
    if (!statement.startsWith(QLatin1Char('#')))
        return std::nullopt;
    qsizetype nameEnd = IdentifierEnd(statement, 1);
    if (nameEnd < statement.size() && statement[nameEnd] == QLatin1Char('$'))
        ++nameEnd;
    if (nameEnd == 1)
        return std::nullopt;
    ConstantDeclaration d;
    d.key = UpperKeepLength(statement.sliced(1, nameEnd - 1));
    const QStringView rest = TrimBlanksView(statement.sliced(nameEnd));
    d.assigned = rest.startsWith(QLatin1Char('='));
    if (d.assigned) {
        d.valueText = TrimBlanksView(rest.sliced(1)).toString();
        d.value = PlainNumber(d.valueText);
    }
    return d;
}

// Only lines that begin with a "#", an Enumeration or an EndEnumeration matter: most lines
// are passed over on their first character, before any word is compared (cost of an unchanged
// regeneration of 200 x 100 (bench/make_project.py) 589 M instructions instead of 607 M).
bool MayDeclare(QStringView start)
{
    if (start.isEmpty())
        return false;
    if (start.front() == QLatin1Char('#'))
        return true;
    return UpperChar(start.front()) == QLatin1Char('E')
           && (StartsNoCase(start, u"ENUMERATION") || StartsNoCase(start, u"ENDENUMERATION"));
}

} // namespace

QList<ConstantDeclaration> ConstantDeclarations(const SourceLineList &lines)
{
    QList<ConstantDeclaration> declarations;
    QHash<QString, Count> countOfName; // a named enumeration counts on from block to block
    std::optional<Count> count;        // inside a block
    QString block;
    qsizetype blocks = 0;
    ConstantDeclaration ended; // the last block ended: its name, number and the value after it
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString &line = lines.at(i);
        if (!MayDeclare(TrimLeadingBlanksView(line)))
            continue;
        for (const QStringView statement : Statements(CodeOfLine(line))) {
            if (!count) {
                if (const std::optional<Head> head = HeadOf(statement)) {
                    block = head->name;
                    ++blocks;
                    count = head->continues ? countOfName.value(block, head->count) : head->count;
                    continue;
                }
            } else if (BeginsWithWord(statement, u"ENDENUMERATION")) {
                if (!block.isEmpty())
                    countOfName.insert(block, *count);
                ended.block = block;
                ended.enumeration = blocks - 1;
                ended.enumerationValue = count->nextText();
                count.reset();
                continue;
            }
            std::optional<ConstantDeclaration> written = WrittenDeclaration(statement);
            if (!written || (!count && !written->assigned))
                continue;
            ConstantDeclaration &d = *written;
            d.line = i;
            d.at = statement.data() - line.constData();
            d.member = bool(count);
            if (!count && HoldsNoCase(d.valueText, u"#PB_COMPILER_ENUMERATIONVALUE")) {
                d.block = ended.block;
                d.enumeration = ended.enumeration;
                d.enumerationValue = ended.enumerationValue;
            }
            if (count) {
                d.block = block;
                d.enumeration = blocks - 1;
                if (d.assigned)
                    count->restart(d.valueText);
                d.value = count->nextNumber();
                d.valueText = count->nextText();
                ++count->after;
            }
            declarations.append(d);
        }
    }
    return declarations;
}

} // namespace quarvel
