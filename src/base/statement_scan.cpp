#include "base/statement_scan.h"

#include "base/basic_strings.h"
#include "base/char_search.h"
#include "base/no_case_search.h"

#include <QtAlgorithms>

#include <algorithm>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace quarvel {

// A letter in either case folds onto a-z by setting bit 0x20, which maps no other unit there.
static bool IsIdentifierUnit(char16_t u)
{
    return char16_t((u | 0x20) - u'a') < 26 || char16_t(u - u'0') < 10 || u == u'_';
}

bool IsIdentifierChar(QChar c)
{
    return IsIdentifierUnit(c.unicode());
}

// Eight units a step, tested as IsIdentifierUnit tests one: a unit at a time, the names of an
// unchanged regeneration of 200 x 100 (bench/make_project.py) cost 18.7 M instructions, this way
// 9.3 M (callgrind).
qsizetype IdentifierEnd(QStringView text, qsizetype from)
{
    const char16_t *units = text.utf16();
#if defined(__SSE2__)
    // x - first below count, each unsigned 16-bit lane: the saturating difference is 0.
    const auto below = [](__m128i x, char16_t first, char16_t count) {
        const __m128i offset = _mm_sub_epi16(x, _mm_set1_epi16(short(first)));
        return _mm_cmpeq_epi16(_mm_subs_epu16(offset, _mm_set1_epi16(short(count - 1))), _mm_setzero_si128());
    };
    for (; from + 8 <= text.size(); from += 8) {
        const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i *>(units + from));
        const __m128i letter = below(_mm_or_si128(block, _mm_set1_epi16(0x20)), u'a', 26);
        const __m128i digit = below(block, u'0', 10);
        const __m128i underscore = _mm_cmpeq_epi16(block, _mm_set1_epi16(short(u'_')));
        const __m128i inName = _mm_or_si128(_mm_or_si128(letter, digit), underscore);
        // Two bits a unit; the first unit outside a name ends it.
        const unsigned outside = ~unsigned(_mm_movemask_epi8(inName)) & 0xFFFFu;
        if (outside)
            return from + qCountTrailingZeroBits(outside) / 2;
    }
#endif
    while (from < text.size() && IsIdentifierUnit(units[from]))
        ++from;
    return from;
}

bool BeginsWithWord(QStringView statement, QStringView upperWord)
{
    return StartsNoCase(statement, upperWord) && IdentifierEnd(statement, 0) == upperWord.size();
}

WordSpan NextWord(QStringView text, qsizetype from)
{
    const char16_t *units = text.utf16();
    while (from < text.size() && !IsIdentifierUnit(units[from]))
        ++from;
    return {from, IdentifierEnd(text, from)};
}

QString BlankedCode(QStringView line)
{
    QString code = line.toString();
    const CodeLine scanned = ScanCodeLine(line);
    for (const CodeLiteral &literal : scanned.literals) {
        const qsizetype end = literal.close >= 0 ? literal.close : code.size();
        std::fill(code.begin() + literal.open + 1, code.begin() + end, QLatin1Char(' '));
    }
    std::fill(code.begin() + scanned.CodeEnd(), code.end(), QLatin1Char(' '));
    return code;
}

QString FirstWord(QStringView statement)
{
    return UpperKeepLength(statement.first(IdentifierEnd(statement, 0)));
}

QStringList SplitOutsideBrackets(QStringView text, QChar separator)
{
    QStringList fields;
    if (TrimBlanksView(text).isEmpty())
        return fields;
    const QString blanked = BlankedCode(text);
    int depth = 0;
    qsizetype from = 0;
    for (qsizetype i = 0; i <= blanked.size(); ++i) {
        const QChar c = i < blanked.size() ? blanked.at(i) : separator;
        if (c == QLatin1Char('(') || c == QLatin1Char('['))
            ++depth;
        else if (c == QLatin1Char(')') || c == QLatin1Char(']'))
            --depth;
        else if (c == separator && (depth <= 0 || i == blanked.size())) {
            fields.append(TrimBlanks(text.sliced(from, i - from)));
            from = i + 1;
        }
    }
    return fields;
}

QStringView WordBefore(QStringView text, qsizetype at)
{
    if (at < 0 || at >= text.size())
        return QStringView();
    qsizetype blank = at; // the last blank or tab at or before at, -1 for none
    while (blank >= 0 && !IsBlank(text[blank]))
        --blank;
    return text.sliced(blank + 1, qMax(at - blank - 1, qsizetype(0)));
}

static CodeLiteral::Kind LiteralKind(QStringView line, qsizetype open)
{
    if (line[open] == u'\'')
        return CodeLiteral::Character;
    return open > 0 && line[open - 1] == u'~' ? CodeLiteral::Escaped : CodeLiteral::Plain;
}

// The index of the quote that closes the literal opening at open, -1 when the line ends first.
static qsizetype LiteralClose(QStringView line, qsizetype open)
{
    if (LiteralKind(line, open) != CodeLiteral::Escaped)
        return IndexOfChar(line, line[open].unicode(), open + 1);
    for (qsizetype j = open + 1; j < line.size(); ++j) {
        if (line[j] == u'\\')
            ++j; // the escaped character, a quote too
        else if (line[j] == u'"')
            return j;
    }
    return -1;
}

CodeLine ScanCodeLine(QStringView line)
{
    CodeLine code;
    code.size = int(line.size());
    for (qsizetype i = IndexOfAny(line, 0, u'"', u'\'', u';'); i >= 0; i = IndexOfAny(line, i, u'"', u'\'', u';')) {
        if (line[i] == u';') {
            code.comment = int(i);
            break;
        }
        const qsizetype close = LiteralClose(line, i);
        code.literals.append(CodeLiteral{int(i), int(close), LiteralKind(line, i)});
        if (close < 0)
            break;
        i = close + 1;
    }
    return code;
}

bool CodeLine::InLiteral(qsizetype at) const
{
    for (const CodeLiteral &literal : literals) {
        if (at < literal.Begin())
            return false;
        if (at <= (literal.close >= 0 ? literal.close : size - 1))
            return true;
    }
    return false;
}

std::optional<CodeLiteral> CodeLine::FirstString() const
{
    for (const CodeLiteral &literal : literals) {
        if (literal.IsString())
            return literal;
    }
    return std::nullopt;
}

// From one character that matters to the next: the brackets, commas, quotes and comment mark.
CallShape CallShapeAt(QStringView text, qsizetype open)
{
    CallShape shape;
    int depth = 0;
    const auto next = [&](qsizetype from) {
        return FindAnyOf(text, from, AnyPlace, u'(', u')', u',', u'"', u'\'', u';');
    };
    for (qsizetype i = next(open + 1); i >= 0; i = next(i + 1)) {
        switch (text[i].unicode()) {
        case u'(': ++depth; break;
        case u')':
            if (depth-- == 0) {
                shape.close = i;
                return shape;
            }
            break;
        case u',':
            if (depth == 0)
                shape.commas.append(i);
            break;
        case u';': return shape;
        default: // a quote: the literal is passed over whole
            i = LiteralClose(text, i);
            if (i < 0)
                return shape;
        }
    }
    return shape;
}

QStringView TextBeforeCommaOrClose(QStringView line, qsizetype from)
{
    const qsizetype end = IndexOfAny(line, from, u',', u')', u')');
    return end < 0 ? QStringView() : line.sliced(from, end - from);
}

QStringView CodeOfLine(QStringView line)
{
    const CodeLine code = ScanCodeLine(line);
    return TrimBlanksView(line.first(code.CodeEnd()));
}

QList<QStringView> Statements(QStringView code)
{
    QList<QStringView> statements;
    const auto add = [&](QStringView statement) {
        if (const QStringView s = TrimBlanksView(statement); !s.isEmpty())
            statements.append(s);
    };
    const CodeLine scanned = ScanCodeLine(code);
    qsizetype start = 0;
    for (qsizetype i = IndexOfChar(code, u':'); i >= 0; i = IndexOfChar(code, u':', i + 1)) {
        if (scanned.InLiteral(i))
            continue;
        if (i + 1 < code.size() && code[i + 1] == QLatin1Char(':')) {
            ++i; // Module::Name
            continue;
        }
        add(code.sliced(start, i - start));
        start = i + 1;
    }
    add(code.sliced(start));
    return statements;
}

} // namespace quarvel
