#include "base/line_scan.h"

#include <QtAlgorithms>

#include <algorithm>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace quarvel {

QChar UpperCharBeyondAscii(QChar c)
{
    if (c.isSurrogate())
        return c;
    return QChar(char16_t(QChar::toUpper(c.unicode())));
}

// Source lines are nearly always plain ASCII: that case runs as a branch-free loop the compiler
// can vectorise, and only a text with other characters goes through UpperChar one by one.
QString UpperKeepLength(QStringView text)
{
    const qsizetype n = text.size();
    QString upper(n, Qt::Uninitialized);
    const char16_t *in = reinterpret_cast<const char16_t *>(text.constData());
    char16_t *out = reinterpret_cast<char16_t *>(upper.data());
    char16_t beyondAscii = 0;
    for (qsizetype i = 0; i < n; ++i)
        beyondAscii |= in[i] & 0xFF80;
    if (beyondAscii) {
        for (qsizetype i = 0; i < n; ++i)
            out[i] = UpperChar(QChar(in[i])).unicode();
        return upper;
    }
    for (qsizetype i = 0; i < n; ++i)
        out[i] = char16_t(in[i] - (char16_t(in[i] - u'a') < 26 ? 32 : 0));
    return upper;
}

QString LowerCase(const QString &text)
{
    const qsizetype n = text.size();
    const char16_t *in = reinterpret_cast<const char16_t *>(text.constData());
    char16_t beyondAscii = 0;
    bool upperAscii = false;
    for (qsizetype i = 0; i < n; ++i) {
        beyondAscii |= in[i] & 0xFF80;
        upperAscii |= char16_t(in[i] - u'A') < 26;
    }
    if (beyondAscii)
        return text.toLower();
    if (!upperAscii)
        return text;
    QString lower(n, Qt::Uninitialized);
    char16_t *out = reinterpret_cast<char16_t *>(lower.data());
    for (qsizetype i = 0; i < n; ++i)
        out[i] = char16_t(in[i] + (char16_t(in[i] - u'A') < 26 ? 32 : 0));
    return lower;
}

// A letter in either case folds onto a-z by setting bit 0x20, which maps no other unit there.
static bool IsIdentifierUnit(char16_t u)
{
    return char16_t((u | 0x20) - u'a') < 26 || char16_t(u - u'0') < 10 || u == u'_';
}

bool IsIdentifierChar(QChar c)
{
    return IsIdentifierUnit(c.unicode());
}

qsizetype IdentifierEnd(QStringView text, qsizetype from)
{
    const char16_t *units = text.utf16();
    while (from < text.size() && IsIdentifierUnit(units[from]))
        ++from;
    return from;
}

// The places of text at or after from that hold one of chars, left to right, handed to found
// until it accepts one: the index of that place, or -1. Eight characters are compared a step,
// and every hit of a step is handed over from that one comparison.
template <typename Found, typename... Chars>
static qsizetype FindAnyOf(QStringView text, qsizetype from, Found found, Chars... chars)
{
    const char16_t *s = reinterpret_cast<const char16_t *>(text.data());
    const qsizetype n = text.size();
    qsizetype i = qMax(from, qsizetype(0));
#if defined(__SSE2__)
    if (n >= 8) {
        const auto lanesAt = [&](qsizetype at) {
            const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i *>(s + at));
            __m128i hits = _mm_setzero_si128();
            ((hits = _mm_or_si128(hits, _mm_cmpeq_epi16(block, _mm_set1_epi16(short(chars))))), ...);
            return unsigned(_mm_movemask_epi8(hits));
        };
        // Two bits a lane; each lane with a hit is handed over, then both its bits cleared.
        const auto visit = [&](qsizetype at, unsigned lanes) -> qsizetype {
            for (; lanes; lanes &= lanes - 1, lanes &= lanes - 1) {
                if (const qsizetype hit = at + qCountTrailingZeroBits(lanes) / 2; found(hit))
                    return hit;
            }
            return -1;
        };
        for (; i + 8 <= n; i += 8) {
            if (const unsigned lanes = lanesAt(i)) {
                if (const qsizetype hit = visit(i, lanes); hit >= 0)
                    return hit;
            }
        }
        // The last characters: the step that ends with the text, without those looked at.
        return i < n ? visit(n - 8, lanesAt(n - 8) & (~0u << (2 * (i - (n - 8))))) : -1;
    }
#endif
    for (; i < n; ++i) {
        if (((s[i] == chars) || ...) && found(i))
            return i;
    }
    return -1;
}

static bool Any(qsizetype)
{
    return true;
}

qsizetype IndexOfAny(QStringView text, qsizetype from, char16_t a, char16_t b, char16_t c)
{
    return FindAnyOf(text, from, Any, a, b, c);
}

qsizetype IndexOfChar(QStringView text, char16_t c, qsizetype from)
{
    return FindAnyOf(text, from, Any, c);
}

template <typename Found>
static qsizetype FindBracket(QStringView text, qsizetype from, Found found)
{
    return FindAnyOf(text, from, found, u'(');
}

// The passes look for short keywords in short lines, millions of times per run: jumping from
// one occurrence of the first character to the next (a vectorised scan) and comparing there
// beats a general substring search, whose setup costs more than the line does.
int FindString(const QString &text, const QString &search, int start)
{
    if (start < 1)
        start = 1;
    if (text.isEmpty() || search.isEmpty() || start > text.size())
        return 0;
    const QStringView haystack(text);
    const QStringView needle(search);
    const qsizetype last = haystack.size() - needle.size();
    const qsizetype at = FindAnyOf(haystack, start - 1, [&](qsizetype at) {
        return at <= last && haystack.sliced(at, needle.size()) == needle;
    }, needle.front().unicode());
    return int(at) + 1;
}

int FindString(const QString &text, QChar search, int start)
{
    if (start < 1)
        start = 1;
    if (start > text.size())
        return 0;
    return int(IndexOfChar(text, search.unicode(), start - 1)) + 1;
}

QString Mid(const QString &text, int start, int length)
{
    if (start < 1)
        start = 1;
    if (start > text.size() || length < 0)
        return QString();
    return text.mid(start - 1, length);
}

QStringView MidView(QStringView text, int start, int length)
{
    if (start < 1)
        start = 1;
    if (start > text.size() || length < 0)
        return QStringView();
    return text.mid(start - 1, length);
}

QString Mid(const QString &text, int start)
{
    if (start < 1)
        start = 1;
    if (start > text.size())
        return QString();
    return text.mid(start - 1);
}

QString Left(const QString &text, int n)
{
    if (n <= 0)
        return QString();
    return text.left(n);
}

QStringView TrimView(QStringView text, QChar c)
{
    while (!text.isEmpty() && text.front() == c)
        text = text.sliced(1);
    while (!text.isEmpty() && text.back() == c)
        text.chop(1);
    return text;
}

QString Trim(const QString &text, QChar c)
{
    const QStringView trimmed = TrimView(text, c);
    return text.mid(trimmed.data() - text.constData(), trimmed.size());
}

static bool IsBlank(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char('\t');
}

QStringView TrimBlanksView(QStringView text)
{
    qsizetype begin = 0, end = text.size();
    while (begin < end && IsBlank(text.at(begin)))
        ++begin;
    while (end > begin && IsBlank(text.at(end - 1)))
        --end;
    return text.sliced(begin, end - begin);
}

QString TrimBlanks(QStringView text)
{
    return TrimBlanksView(text).toString();
}

QStringView TrimLeadingBlanksView(QStringView text)
{
    qsizetype begin = 0;
    while (begin < text.size() && IsBlank(text.at(begin)))
        ++begin;
    return text.sliced(begin);
}

QString TrimLeadingBlanks(QStringView text)
{
    return TrimLeadingBlanksView(text).toString();
}

QString StringField(const QString &text, int index, QChar separator)
{
    if (index < 1)
        return QString();
    qsizetype begin = 0;
    for (int field = 1; field < index; ++field) {
        const qsizetype next = text.indexOf(separator, begin);
        if (next < 0)
            return QString();
        begin = next + 1;
    }
    const qsizetype end = text.indexOf(separator, begin);
    return end < 0 ? text.mid(begin) : text.mid(begin, end - begin);
}

QString ReplaceString(const QString &text, const QString &find, const QString &replacement,
                      bool noCase)
{
    if (find.isEmpty())
        return text;
    if (!noCase) {
        QString result = text;
        return result.replace(find, replacement, Qt::CaseSensitive);
    }
    // Searched in the length-keeping upper-cased copy so positions stay those of text.
    const QString upperText = UpperKeepLength(text);
    const QString upperFind = UpperKeepLength(find);
    QString result;
    qsizetype from = 0;
    for (;;) {
        const qsizetype at = upperText.indexOf(upperFind, from, Qt::CaseSensitive);
        if (at < 0)
            break;
        result += QStringView(text).mid(from, at - from);
        result += replacement;
        from = at + find.size();
    }
    if (from == 0)
        return text;
    result += QStringView(text).mid(from);
    return result;
}

QString Str(qint64 number)
{
    return QString::number(number);
}

// Compares character by character through UpperChar, which is what searching the upper-cased
// copies would do, without building the copies: the passes call this for every line.
int FindNoCase(const QString &text, const QString &search, int start)
{
    if (start < 1)
        start = 1;
    const qsizetype n = search.size();
    if (text.isEmpty() || n == 0 || start > text.size())
        return 0;
    const QChar *t = text.constData();
    const QChar *w = search.constData();
    const QChar first = UpperChar(w[0]);
    // Of the characters beyond ASCII only the dotless i and the long s upper-case to ASCII, so
    // for an ASCII first character a match can start only at its two cases, or at the dotless i
    // or long s for an I or S.
    if (first.unicode() < 0x80) {
        const char16_t upper = first.unicode();
        const char16_t lower = (upper >= u'A' && upper <= u'Z') ? char16_t(upper + 32) : upper;
        const QChar second = n > 1 ? UpperChar(w[1]) : QChar();
        const auto found = [&](qsizetype i) {
            return i + n <= text.size() && (n == 1 || UpperChar(t[i + 1]) == second)
                   && StartsNoCase(QStringView(text).sliced(i), search);
        };
        if (upper == u'I' || upper == u'S') {
            const char16_t other = upper == u'I' ? u'\u0131' : u'\u017F';
            return int(FindAnyOf(text, start - 1, found, upper, lower, other)) + 1;
        }
        return int(FindAnyOf(text, start - 1, found, upper, lower)) + 1;
    }
    for (qsizetype i = start - 1; i + n <= text.size(); ++i) {
        if (UpperChar(t[i]) != first)
            continue;
        qsizetype j = 1;
        while (j < n && UpperChar(t[i + j]) == UpperChar(w[j]))
            ++j;
        if (j == n)
            return int(i) + 1;
    }
    return 0;
}

bool StartsNoCase(QStringView text, QStringView search)
{
    if (search.isEmpty() || text.size() < search.size())
        return false;
    for (qsizetype i = 0; i < search.size(); ++i) {
        if (UpperChar(text[i]) != UpperChar(search[i]))
            return false;
    }
    return true;
}

int FindCallNoCase(const QString &text, QStringView search, int start)
{
    // Any bracket of the search can anchor it; the last one is found first from the end.
    qsizetype anchor = search.size() - 1;
    while (anchor >= 0 && search[anchor] != u'(')
        --anchor;
    Q_ASSERT(anchor >= 0);
    if (start < 1)
        start = 1;
    const QStringView t(text);
    // Most brackets belong to other calls: the characters next to the bracket tell first.
    const QChar before = anchor > 0 ? UpperChar(search[anchor - 1]) : QChar();
    const QChar after = anchor + 1 < search.size() ? UpperChar(search[anchor + 1]) : QChar();
    const qsizetype b = FindBracket(t, start - 1 + anchor, [&](qsizetype b) {
        return (anchor == 0 || UpperChar(t[b - 1]) == before)
               && (anchor + 1 == search.size() || (b + 1 < t.size() && UpperChar(t[b + 1]) == after))
               && StartsNoCase(t.sliced(b - anchor), search);
    });
    return b < 0 ? 0 : int(b - anchor) + 1;
}

int FindCommandNoCase(const QString &text, QStringView search, int start)
{
    for (int k = FindCallNoCase(text, search, start); k; k = FindCallNoCase(text, search, k + 1)) {
        if (k == 1 || !IsIdentifierChar(UpperChar(text.at(k - 2))))
            return k;
    }
    return 0;
}

bool EndsNoCase(QStringView text, QStringView suffix)
{
    return text.size() >= suffix.size() && StartsNoCase(text.sliced(text.size() - suffix.size()), suffix);
}

// The slot of the four characters before position, upper-cased.
static unsigned TailSlot(QStringView text, qsizetype position)
{
    quint64 key = 0;
    for (qsizetype i = position - 4; i < position; ++i)
        key = (key << 16) | UpperChar(text[i]).unicode();
    return unsigned((key * 0x9E3779B97F4A7C15u) >> 56);
}

CallSet::CallSet(std::initializer_list<QStringView> calls)
{
    for (const QStringView call : calls) {
        const QString text = UpperKeepLength(call);
        const qsizetype bracket = text.indexOf(QLatin1Char('('));
        Q_ASSERT(bracket >= 4 && calls_.size() < 64);
        byTail_[TailSlot(text, bracket)] |= quint64(1) << calls_.size();
        calls_.append({text, bracket});
    }
}

quint64 CallSet::callsIn(QStringView line) const
{
    quint64 found = 0;
    FindBracket(line, 4, [&](qsizetype b) {
        for (quint64 candidates = byTail_[TailSlot(line, b)]; candidates; candidates &= candidates - 1) {
            const int i = qCountTrailingZeroBits(candidates);
            const Call &call = calls_.at(i);
            if (b >= call.bracket && UpperChar(line[b - call.bracket]) == call.text.front()
                && StartsNoCase(line.sliced(b - call.bracket), call.text))
                found |= quint64(1) << i;
        }
        return false;
    });
    return found;
}

int FindBackward(const QString &text, const QString &search, int start)
{
    if (search.isEmpty() || text.isEmpty())
        return 0;
    if (start == 0 || start > text.size())
        start = int(text.size());
    if (start < 1)
        return 0;
    // An occurrence may run past start; only its first character must lie at or before it.
    return int(text.lastIndexOf(search, start - 1, Qt::CaseSensitive)) + 1;
}

int FindBackward(const QString &text, QChar search, int start)
{
    if (text.isEmpty())
        return 0;
    if (start == 0 || start > text.size())
        start = int(text.size());
    if (start < 1)
        return 0;
    return int(text.lastIndexOf(search, start - 1)) + 1;
}

QString ReplaceWord(const QString &text, const QString &word, const QString &replacement)
{
    if (word.isEmpty())
        return text;
    QString result = text;
    QString upper = UpperKeepLength(result);
    const QString upperWord = UpperKeepLength(word);
    const int length = int(upperWord.size());
    int p = 0;
    int resumeAt = 1;
    for (;;) {
        p = FindString(upper, upperWord, resumeAt);
        if (p == 0)
            return result;
        const bool startsWord = p == 1 || !IsIdentifierChar(upper.at(p - 2));
        const bool endsWord = p + length > upper.size() || !IsIdentifierChar(upper.at(p + length - 1));
        if (startsWord && endsWord) {
            result = Left(result, p - 1) + replacement + Mid(result, p + length);
            upper = UpperKeepLength(result);
            resumeAt = p + int(replacement.size());
        } else {
            resumeAt = p + 1;
        }
    }
}

QString InsertAfter(const QString &text, int position, const QString &insertion)
{
    const qsizetype split = qBound(qsizetype(0), qsizetype(position), text.size());
    QString result(text.size() + insertion.size(), Qt::Uninitialized);
    QChar *out = std::copy_n(text.constData(), split, result.data());
    out = std::copy_n(insertion.constData(), insertion.size(), out);
    std::copy(text.constData() + split, text.constData() + text.size(), out);
    return result;
}

// The later of FindBackward for a blank and for a tab, in one look back from start.
static int FindBlankBackward(const QString &text, int start)
{
    if (start == 0 || start > text.size())
        start = int(text.size());
    const QChar *s = text.constData();
    for (int i = start; i >= 1; --i) {
        if (IsBlank(s[i - 1]))
            return i;
    }
    return 0;
}

// After the last blank or tab, which is the only blank between the word and position, so
// trimming takes off just that one.
QStringView WordBefore(const QString &text, int position)
{
    const int blank = FindBlankBackward(text, position);
    if (qMax(blank, 1) > text.size() || position < qMax(blank, 1))
        return QStringView();
    return QStringView(text).mid(blank, qMax(position - 1 - blank, 0));
}

QString UpperWordBefore(const QString &text, int position)
{
    const QStringView word = WordBefore(text, position);
    return word.isNull() ? QString() : UpperKeepLength(word);
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
            code.comment = int(i) + 1;
            break;
        }
        const qsizetype close = LiteralClose(line, i);
        code.literals.append(CodeLiteral{int(i) + 1, int(close) + 1, LiteralKind(line, i)});
        if (close < 0)
            break;
        i = close + 1;
    }
    return code;
}

bool CodeLine::InLiteral(int position) const
{
    for (const CodeLiteral &literal : literals) {
        if (position < literal.Begin())
            return false;
        if (position <= (literal.close ? literal.close : size))
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
CallShape ShapeOfCall(const QString &line, int bracket)
{
    CallShape shape;
    const QStringView text(line);
    int depth = 0;
    const auto next = [&](qsizetype from) {
        return FindAnyOf(text, from, Any, u'(', u')', u',', u'"', u'\'', u';');
    };
    for (qsizetype i = next(bracket); i >= 0; i = next(i + 1)) {
        switch (text[i].unicode()) {
        case u'(':
            ++depth;
            break;
        case u')':
            if (depth-- == 0) {
                shape.close = int(i) + 1;
                return shape;
            }
            break;
        case u',':
            if (depth == 0)
                shape.commas.append(int(i) + 1);
            break;
        case u';':
            return shape;
        default: // a quote: the literal is passed over whole
            i = LiteralClose(text, i);
            if (i < 0)
                return shape;
        }
    }
    return shape;
}

// The run of characters at from that may name a procedure's type: identifiers, and the "::"
// of a module's structure.
static qsizetype TypeEnd(QStringView text, qsizetype from)
{
    while (from < text.size() && (IsIdentifierChar(text[from]) || text[from] == QLatin1Char(':')))
        ++from;
    return from;
}

QStringView ProcedureHeadName(QStringView line)
{
    // Nearly every line is passed over by its first character that is no blank.
    qsizetype first = 0;
    while (first < line.size() && IsBlank(line[first]))
        ++first;
    if (line.size() - first < 11 || (line[first].unicode() | 0x20) != u'p')
        return {};
    QStringView rest = line.sliced(first);
    const QStringView keyword = rest.first(IdentifierEnd(rest, 0));
    if (!StartsNoCase(keyword, u"PROCEDURE"))
        return {};
    const QStringView kind = keyword.sliced(9);
    if (!kind.isEmpty() && kind.compare(u"C", Qt::CaseInsensitive) != 0
        && kind.compare(u"DLL", Qt::CaseInsensitive) != 0 && kind.compare(u"CDLL", Qt::CaseInsensitive) != 0)
        return {};
    rest = rest.sliced(keyword.size());
    const QStringView afterKeyword = TrimLeadingBlanksView(rest);
    if (afterKeyword.startsWith(QLatin1Char('.')))
        rest = rest.sliced(rest.size() - afterKeyword.size() + TypeEnd(afterKeyword, 1));
    // The name stands after at least one blank or tab.
    const QStringView name = TrimLeadingBlanksView(rest);
    if (name.size() == rest.size())
        return {};
    qsizetype end = 0;
    while (end < name.size() && !IsBlank(name[end]) && name[end] != QLatin1Char('('))
        ++end;
    if (end == 0 || !TrimLeadingBlanksView(name.sliced(end)).startsWith(QLatin1Char('(')))
        return {};
    return name.first(end);
}

QList<int> FindAllNoCase(const QString &text, const QString &search)
{
    QList<int> found;
    for (int at = FindNoCase(text, search); at; at = FindNoCase(text, search, at + 1))
        found.append(at);
    return found;
}

QStringView CodeOfLine(QStringView line)
{
    const CodeLine code = ScanCodeLine(line);
    return TrimBlanksView(code.comment ? line.first(code.comment - 1) : line);
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
        if (scanned.InLiteral(int(i) + 1))
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
