#include "base/basic_strings.h"

#include "base/no_case_search.h"

namespace quarvel {

QChar UpperCharBeyondAscii(QChar c)
{
    if (c.isSurrogate())
        return c;
    return QChar(char16_t(QChar::toUpper(c.unicode())));
}

// Source lines are nearly always plain ASCII: that case runs as a branch-free loop the compiler
// can vectorise, and only a text with other characters goes through UpperChar one by one.
QString UpperWithoutBlanks(QStringView text)
{
    QString compact;
    compact.reserve(text.size());
    for (const QChar c : text) {
        if (!IsBlank(c))
            compact.append(UpperChar(c));
    }
    return compact;
}

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
qsizetype IndexOfText(QStringView text, QStringView search, qsizetype from)
{
    from = qMax(from, qsizetype(0));
    if (search.isEmpty() || from >= text.size())
        return -1;
    const qsizetype last = text.size() - search.size();
    // The second character is compared before the whole search: most hits of the first one
    // ("(" of "(#") go no further, without a call.
    const QChar second = search.size() > 1 ? search[1] : QChar();
    return FindAnyOf(
        text, from,
        [&](qsizetype at) {
            return at <= last && (search.size() == 1 || text[at + 1] == second)
                   && text.sliced(at, search.size()) == search;
        },
        search.front().unicode());
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

QString ReplaceString(const QString &text, const QString &find, const QString &replacement, bool noCase)
{
    if (find.isEmpty())
        return text;
    if (!noCase) {
        QString result = text;
        return result.replace(find, replacement, Qt::CaseSensitive);
    }
    // Searched in any letter case without upper-cased copies of text and find: making them cost
    // an unchanged regeneration of 200 x 100 (bench/make_project.py) 5.6 M instructions for
    // the replacements of a run, 2.6 M this way (callgrind).
    QString result;
    qsizetype from = 0;
    for (qsizetype at = IndexOfNoCase(text, find); at >= 0; at = IndexOfNoCase(text, find, from)) {
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

} // namespace quarvel
