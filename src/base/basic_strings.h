// The string functions the passes are written in. Positions are 0-based indexes, and a search
// that finds nothing gives -1, as QStringView's own; the views' sliced, first and last cut the
// text. Only line numbers count from 1, as the log and file:line warnings show them.
#pragma once

#include "base/char_search.h"

#include <QString>
#include <QStringView>

namespace quarvel {

// Upper-cases one character for one character: keyword searches compare positions of the
// upper-cased text with the original, so the length must never change (no "ß" -> "SS").
QChar UpperCharBeyondAscii(QChar c);
inline QChar UpperChar(QChar c)
{
    const char16_t u = c.unicode();
    if (u < 0x80)
        return (u >= 'a' && u <= 'z') ? QChar(char16_t(u - 32)) : c;
    return UpperCharBeyondAscii(c);
}
QString UpperKeepLength(QStringView text);
// The text upper-cased and without blanks, to compare code written with any spacing:
// "EventType ( )" gives "EVENTTYPE()".
QString UpperWithoutBlanks(QStringView text);

inline bool IsBlank(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char('\t');
}

// The index of the first occurrence of search at or after from, case-sensitive; -1 when there is
// none, also for an empty search or a from beyond the end. A from below 0 counts as 0.
qsizetype IndexOfText(QStringView text, QStringView search, qsizetype from = 0);
inline bool HoldsText(QStringView text, QStringView search)
{
    return IndexOfText(text, search) >= 0;
}

// Removes only the given character (space by default) at both ends.
QString Trim(const QString &text, QChar c = QLatin1Char(' '));
QStringView TrimView(QStringView text, QChar c = QLatin1Char(' '));

// Removes spaces and tabs at both ends, or at the start only (settings and preference values).
QString TrimBlanks(QStringView text);
QStringView TrimBlanksView(QStringView text);
QString TrimLeadingBlanks(QStringView text);
// Inline: nearly every pass calls it for every line, 880,000 times in an unchanged regeneration
// of 200 x 100 (bench/make_project.py); out of line the calls cost 3 M more instructions.
inline QStringView TrimLeadingBlanksView(QStringView text)
{
    qsizetype begin = 0;
    while (begin < text.size() && IsBlank(text[begin]))
        ++begin;
    return text.sliced(begin);
}

// The blanks a line begins with.
QString Indentation(QStringView line);

// The line made a comment: its indentation, "; ", the rest of it.
QString CommentedOut(const QString &line);

// Every non-overlapping occurrence, left to right.
QString ReplaceString(const QString &text, const QString &find, const QString &replacement, bool noCase = false);

// Decimal text with a leading "-" for negative numbers.
QString Str(qint64 number);

} // namespace quarvel
