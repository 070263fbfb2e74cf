// Searching a line for keywords and calls in any letter case, and replacing words. Both sides
// are compared through UpperChar, as if both were upper-cased with UpperKeepLength. The IndexOf
// searches take and give 0-based indexes, -1 for none.
#pragma once

#include "base/basic_strings.h"
#include "base/statement_scan.h"

#include <QList>
#include <QString>
#include <QStringView>

#include <array>
#include <initializer_list>

namespace quarvel {

// The first occurrence of search at or after from, both sides upper-cased; -1 when there is
// none, also for an empty search.
qsizetype IndexOfNoCase(QStringView text, QStringView search, qsizetype from = 0);

// The indexes of search in text in any letter case, left to right, overlapping ones too.
QList<qsizetype> IndexesOfNoCase(const QString &text, const QString &search);

// Whether text holds an upper-cased search in any letter case: IndexOfNoCase(...) >= 0 without
// an upper-cased copy of the text, for the passes that pass over most lines.
bool HoldsNoCase(QStringView text, QStringView upperSearch);

// Whether text begins with a non-empty search, both sides upper-cased: IndexOfNoCase(...) == 0
// without scanning the rest of the line.
bool StartsNoCase(QStringView text, QStringView search);

// Whether text ends with a non-empty suffix, both sides upper-cased.
bool EndsNoCase(QStringView text, QStringView suffix);

// IndexOfNoCase for a search that holds a "(", such as a call "OPENWINDOW(#": only the brackets
// of text are candidates, so a line is passed over at the speed of a character search.
qsizetype IndexOfCallNoCase(QStringView text, QStringView search, qsizetype from = 0);

// A call of that very command: IndexOfCallNoCase where the search is not the end of a longer
// name (IsWindow for OPENWINDOW(, DisableMenuItem for MENUITEM().
qsizetype IndexOfCommandNoCase(QStringView text, QStringView search, qsizetype from = 0);

// The index of the first whole-word occurrence of word at or after from, in any letter case;
// -1 if none.
qsizetype IndexOfWordNoCase(QStringView text, QStringView word, qsizetype from = 0);

// Every whole-word occurrence of word, in any letter case, replaced. After a replacement the
// search resumes right after the inserted text, so a replacement containing the word cannot
// loop.
QString ReplaceWord(const QString &text, const QString &word, const QString &replacement);

// ReplaceWord for the code of a line only: a word inside a string or a comment stays.
QString ReplaceWordInCode(const QString &line, QStringView word, const QString &replacement);

// Replaces, left to right, each occurrence of search in any letter case that lies outside the
// line's literals and that accept(index) takes; the search resumes after an occurrence taken,
// so a replacement holding the search cannot loop. Every index is one of text.
template <typename Accept>
QString ReplaceInCode(const QString &text, const QString &search, const QString &replacement, Accept accept);

// The calls a pass looks for, each in upper case with its "(" and at least four characters
// before it ("SPLITTERGADGET(", "OPENWINDOW(#"), each under the number the pass names it by
// (an enumerator below 64). One look at the brackets of a line tells which of them it holds,
// by the four characters before each bracket, so a pass searches a line only for the calls
// that are there.
class CallSet {
public:
    struct Entry {
        int id;
        QStringView text;
    };
    explicit CallSet(std::initializer_list<Entry> calls);
    // The text of the call with this id.
    const QString &call(int id) const;
    // Bit id set: IndexOfCallNoCase(line, call(id)) finds the call.
    quint64 callsIn(QStringView line) const;
    // The bits of callsIn for the calls whose "(" is the bracket at that index of line, for a
    // walk that meets the brackets of a line anyway.
    quint64 callsAt(QStringView line, qsizetype bracket) const;
    // Whether the found bits of callsIn hold the call id.
    static bool Holds(quint64 found, int id) { return found & (quint64(1) << id); }

private:
    struct Call {
        int id;
        QString text;
        qsizetype bracket;
    };
    // The calls whose "(" is the bracket at that index, at least 4.
    quint64 endingAt(QStringView line, qsizetype bracket) const;

    QList<Call> calls_;
    // The calls whose tails hash to a slot (as bits of their places in calls_): a lookup costs
    // one multiplication, and the few calls of a slot whose tails differ are told apart by
    // comparing the names.
    std::array<quint64, 256> byTail_{};
};

template <typename Accept>
QString ReplaceInCode(const QString &text, const QString &search, const QString &replacement, Accept accept)
{
    const QList<qsizetype> found = IndexesOfNoCase(text, search);
    if (found.isEmpty())
        return text;
    const CodeLine code = ScanCodeLine(text);
    QString result;
    qsizetype from = 0; // the first character not copied yet
    for (const qsizetype at : found) {
        if (at < from || code.InLiteral(at) || !accept(at))
            continue;
        result += QStringView(text).sliced(from, at - from);
        result += replacement;
        from = at + search.size();
    }
    if (from == 0)
        return text;
    result += QStringView(text).sliced(from);
    return result;
}

} // namespace quarvel
