#include "base/no_case_search.h"

#include "base/basic_strings.h"
#include "base/char_search.h"

#include <QtAlgorithms>
#include <QtEndian>

#include <algorithm>

namespace quarvel {

template <typename Found>
static qsizetype FindBracket(QStringView text, qsizetype from, Found found)
{
    return FindAnyOf(text, from, found, u'(');
}

// Compares character by character through UpperChar, which is what searching the upper-cased
// copies would do, without building the copies: the passes call this for every line.
qsizetype IndexOfNoCase(QStringView text, QStringView search, qsizetype from)
{
    from = qMax(from, qsizetype(0));
    const qsizetype n = search.size();
    if (n == 0 || from >= text.size())
        return -1;
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
                   && StartsNoCase(text.sliced(i), search);
        };
        if (upper == u'I' || upper == u'S') {
            const char16_t other = upper == u'I' ? u'\u0131' : u'\u017F';
            return FindAnyOf(text, from, found, upper, lower, other);
        }
        return FindAnyOf(text, from, found, upper, lower);
    }
    for (qsizetype i = from; i + n <= text.size(); ++i) {
        if (UpperChar(t[i]) != first)
            continue;
        qsizetype j = 1;
        while (j < n && UpperChar(t[i + j]) == UpperChar(w[j]))
            ++j;
        if (j == n)
            return i;
    }
    return -1;
}

// Four characters, each in 16 bits of one word: whether one lies beyond ASCII, and the four
// ASCII ones upper-cased together (32 off each of a-z, as UpperChar does).
static constexpr quint64 Lanes = 0x0001000100010001u;
static bool BeyondAscii(quint64 four)
{
    return four & (0xFF80 * Lanes);
}
static quint64 UpperAscii(quint64 four)
{
    // Bit 0x80 of a lane: at least "a" and below "{".
    const quint64 lower = (four + 0x1F * Lanes) & ~(four + 0x05 * Lanes) & (0x80 * Lanes);
    return four - (lower >> 2);
}

// Four ASCII characters a step: one at a time, the comparisons of an unchanged regeneration of
// 200 x 100 (bench/make_project.py) cost 11.1 M instructions, this way 6.7 M (callgrind).
bool StartsNoCase(QStringView text, QStringView search)
{
    const qsizetype n = search.size();
    if (n == 0 || text.size() < n)
        return false;
    const char16_t *t = text.utf16();
    const char16_t *w = search.utf16();
    qsizetype i = 0;
    for (; i + 4 <= n; i += 4) {
        const quint64 a = qFromUnaligned<quint64>(t + i);
        const quint64 b = qFromUnaligned<quint64>(w + i);
        if (BeyondAscii(a | b))
            break;
        if (UpperAscii(a) != UpperAscii(b))
            return false;
    }
    for (; i < n; ++i) {
        if (UpperChar(t[i]) != UpperChar(w[i]))
            return false;
    }
    return true;
}

// One pass over text for both cases of the first character, the second character checked
// before the whole word: an unchanged regeneration of 200 x 100 (bench/make_project.py) spent
// 11 M instructions looking for MODULE with a search started anew at each "m", 6 M this way.
bool HoldsNoCase(QStringView text, QStringView upperSearch)
{
    const qsizetype n = upperSearch.size();
    if (n == 0)
        return false;
    const char16_t upper = upperSearch.front().unicode();
    const char16_t lower = QChar(upper).toLower().unicode();
    const QChar second = n > 1 ? UpperChar(upperSearch[1]) : QChar();
    const auto found = [&](qsizetype p) {
        return p + n <= text.size() && (n == 1 || UpperChar(text[p + 1]) == second)
               && StartsNoCase(text.sliced(p), upperSearch);
    };
    return FindAnyOf(text, 0, found, upper, lower) >= 0;
}

qsizetype IndexOfCallNoCase(QStringView text, QStringView search, qsizetype from)
{
    // Any bracket of the search can anchor it; the last one is found first from the end.
    qsizetype anchor = search.size() - 1;
    while (anchor >= 0 && search[anchor] != u'(')
        --anchor;
    Q_ASSERT(anchor >= 0);
    from = qMax(from, qsizetype(0));
    const QStringView t(text);
    // Most brackets belong to other calls: the characters next to the bracket tell first.
    const QChar before = anchor > 0 ? UpperChar(search[anchor - 1]) : QChar();
    const QChar after = anchor + 1 < search.size() ? UpperChar(search[anchor + 1]) : QChar();
    const qsizetype b = FindBracket(t, from + anchor, [&](qsizetype b) {
        return (anchor == 0 || UpperChar(t[b - 1]) == before)
               && (anchor + 1 == search.size() || (b + 1 < t.size() && UpperChar(t[b + 1]) == after))
               && StartsNoCase(t.sliced(b - anchor), search);
    });
    return b < 0 ? -1 : b - anchor;
}

qsizetype IndexOfCommandNoCase(QStringView text, QStringView search, qsizetype from)
{
    for (qsizetype k = IndexOfCallNoCase(text, search, from); k >= 0; k = IndexOfCallNoCase(text, search, k + 1)) {
        if (k == 0 || !IsIdentifierChar(UpperChar(text.at(k - 1))))
            return k;
    }
    return -1;
}

bool EndsNoCase(QStringView text, QStringView suffix)
{
    return text.size() >= suffix.size() && StartsNoCase(text.sliced(text.size() - suffix.size()), suffix);
}

// The slot of the four characters before position, upper-cased, each in 16 bits of one word.
// Four ASCII characters are read as one word and upper-cased together (32 off each of a-z):
// upper-casing them one at a time cost an unchanged regeneration of 200 x 100
// (bench/make_project.py) 3.5 M instructions more (callgrind).
static unsigned TailSlot(QStringView text, qsizetype position)
{
    const char16_t *tail = text.utf16() + position - 4;
    quint64 key = qFromLittleEndian<quint64>(tail);
    if (BeyondAscii(key)) {
        key = 0;
        for (int i = 0; i < 4; ++i)
            key |= quint64(UpperChar(tail[i]).unicode()) << (16 * i);
    } else {
        key = UpperAscii(key);
    }
    return unsigned((key * 0x9E3779B97F4A7C15u) >> 56);
}

CallSet::CallSet(std::initializer_list<Entry> calls)
{
    for (const Entry &entry : calls) {
        const QString text = UpperKeepLength(entry.text);
        const qsizetype bracket = text.indexOf(QLatin1Char('('));
        Q_ASSERT(bracket >= 4 && entry.id >= 0 && entry.id < 64 && calls_.size() < 64);
        byTail_[TailSlot(text, bracket)] |= quint64(1) << calls_.size();
        calls_.append({entry.id, text, bracket});
    }
}

const QString &CallSet::call(int id) const
{
    const auto known = std::find_if(calls_.cbegin(), calls_.cend(), [id](const Call &c) { return c.id == id; });
    Q_ASSERT(known != calls_.cend());
    return known->text;
}

// Used by callsIn and callsAt alike, inlined in both.
inline quint64 CallSet::endingAt(QStringView line, qsizetype bracket) const
{
    quint64 found = 0;
    for (quint64 candidates = byTail_[TailSlot(line, bracket)]; candidates; candidates &= candidates - 1) {
        const Call &call = calls_.at(qCountTrailingZeroBits(candidates));
        const qsizetype start = bracket - call.bracket;
        if (start >= 0 && UpperChar(line[start]) == call.text.front() && StartsNoCase(line.sliced(start), call.text))
            found |= quint64(1) << call.id;
    }
    return found;
}

quint64 CallSet::callsIn(QStringView line) const
{
    quint64 found = 0;
    FindBracket(line, 4, [&](qsizetype b) {
        found |= endingAt(line, b);
        return false;
    });
    return found;
}

quint64 CallSet::callsAt(QStringView line, qsizetype bracket) const
{
    return bracket < 4 ? 0 : endingAt(line, bracket);
}

QString ReplaceWord(const QString &text, const QString &word, const QString &replacement)
{
    if (word.isEmpty())
        return text;
    QString result = text;
    QString upper = UpperKeepLength(result);
    const QString upperWord = UpperKeepLength(word);
    const qsizetype length = upperWord.size();
    qsizetype resumeAt = 0;
    for (;;) {
        const qsizetype p = IndexOfText(upper, upperWord, resumeAt);
        if (p < 0)
            return result;
        const bool startsWord = p == 0 || !IsIdentifierChar(upper.at(p - 1));
        const bool endsWord = p + length == upper.size() || !IsIdentifierChar(upper.at(p + length));
        if (startsWord && endsWord) {
            result = result.first(p) + replacement + result.sliced(p + length);
            upper = UpperKeepLength(result);
            resumeAt = p + replacement.size();
        } else {
            resumeAt = p + 1;
        }
    }
}

qsizetype IndexOfWordNoCase(QStringView text, QStringView word, qsizetype from)
{
    if (word.isEmpty())
        return -1;
    for (qsizetype p = qMax(from, qsizetype(0)); (p = text.indexOf(word, p, Qt::CaseInsensitive)) >= 0; ++p) {
        const bool startsWord = p == 0 || !IsIdentifierChar(text.at(p - 1));
        const qsizetype end = p + word.size();
        if (startsWord && (end == text.size() || !IsIdentifierChar(text.at(end))))
            return p;
    }
    return -1;
}

QString ReplaceWordInCode(const QString &line, QStringView word, const QString &replacement)
{
    const QString code = BlankedCode(line);
    QList<qsizetype> found;
    for (qsizetype k = IndexOfWordNoCase(code, word); k >= 0; k = IndexOfWordNoCase(code, word, k + word.size()))
        found.append(k);
    QString result = line;
    for (qsizetype i = found.size() - 1; i >= 0; --i)
        result.replace(found.at(i), word.size(), replacement);
    return result;
}

QList<qsizetype> IndexesOfNoCase(const QString &text, const QString &search)
{
    QList<qsizetype> found;
    for (qsizetype at = IndexOfNoCase(text, search); at >= 0; at = IndexOfNoCase(text, search, at + 1))
        found.append(at);
    return found;
}

} // namespace quarvel
