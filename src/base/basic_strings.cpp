#include "base/basic_strings.h"

#include "base/char_search.h"

#include <algorithm>

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
    // The second character is compared before the whole search: most hits of the first one
    // ("(" of "(#") go no further, without a call.
    const QChar second = needle.size() > 1 ? needle[1] : QChar();
    const qsizetype at = FindAnyOf(
        haystack, start - 1,
        [&](qsizetype at) {
            return at <= last && (needle.size() == 1 || haystack[at + 1] == second)
                   && haystack.sliced(at, needle.size()) == needle;
        },
        needle.front().unicode());
    return OneBased(at);
}

int FindString(const QString &text, QChar search, int start)
{
    if (start < 1)
        start = 1;
    if (start > text.size())
        return 0;
    return OneBased(IndexOfChar(text, search.unicode(), start - 1));
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

QString TrimLeadingBlanks(QStringView text)
{
    return TrimLeadingBlanksView(text).toString();
}

QString Indentation(QStringView line)
{
    return line.first(line.size() - TrimLeadingBlanksView(line).size()).toString();
}

QString CommentedOut(const QString &line)
{
    const qsizetype indentation = line.size() - TrimLeadingBlanksView(line).size();
    return line.left(indentation) + QStringLiteral("; ") + line.mid(indentation);
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

QString ReplaceString(const QString &text, const QString &find, const QString &replacement, bool noCase)
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

int FindBackward(const QString &text, const QString &search, int start)
{
    if (search.isEmpty() || text.isEmpty())
        return 0;
    if (start == 0 || start > text.size())
        start = int(text.size());
    if (start < 1)
        return 0;
    // An occurrence may run past start; only its first character must lie at or before it.
    return OneBased(text.lastIndexOf(search, start - 1, Qt::CaseSensitive));
}

int FindBackward(const QString &text, QChar search, int start)
{
    if (text.isEmpty())
        return 0;
    if (start == 0 || start > text.size())
        start = int(text.size());
    if (start < 1)
        return 0;
    return OneBased(text.lastIndexOf(search, start - 1));
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

} // namespace quarvel
