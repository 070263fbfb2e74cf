// The text primitives every interpreter pass and every updater shares. Positions are 1-based
// and 0 means "not found", so the passes read like the algorithms they implement.
#pragma once

#include <QList>
#include <QString>
#include <QVarLengthArray>

#include <array>
#include <optional>

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

// QString::toLower, with a quick path for the plain ASCII names nearly every project has.
QString LowerCase(const QString &text);

bool IsIdentifierChar(QChar c);

// The end of the run of identifier characters that begins at the 0-based from: from itself
// when there is none.
qsizetype IdentifierEnd(QStringView text, qsizetype from);

// The index of the next character at or after from that is one of a, b and c, -1 when there is
// none: QStringView::indexOf for up to three characters at once, without the set-up that
// costs more than a short line of source code does.
qsizetype IndexOfAny(QStringView text, qsizetype from, char16_t a, char16_t b, char16_t c);
qsizetype IndexOfChar(QStringView text, char16_t c, qsizetype from = 0);

// Whether text holds c.
inline bool HoldsChar(QStringView text, QChar c)
{
    return IndexOfChar(text, c.unicode()) >= 0;
}

// Case-sensitive search from a 1-based start; a start below 1 counts as 1; empty text,
// empty search or a start beyond the end give 0.
int FindString(const QString &text, const QString &search, int start = 1);
int FindString(const QString &text, QChar search, int start = 1);

QString Mid(const QString &text, int start, int length);
QString Mid(const QString &text, int start);
QStringView MidView(QStringView text, int start, int length);
QString Left(const QString &text, int n);

// Removes only the given character (space by default) at both ends.
QString Trim(const QString &text, QChar c = QLatin1Char(' '));
QStringView TrimView(QStringView text, QChar c = QLatin1Char(' '));

// Removes spaces and tabs at both ends, or at the start only (settings and preference values).
QString TrimBlanks(QStringView text);
QStringView TrimBlanksView(QStringView text);
QString TrimLeadingBlanks(QStringView text);
QStringView TrimLeadingBlanksView(QStringView text);

// The index-th field (1-based) between separators; past the last field the empty text.
QString StringField(const QString &text, int index, QChar separator);

// Every non-overlapping occurrence, left to right.
QString ReplaceString(const QString &text, const QString &find, const QString &replacement,
                      bool noCase = false);

// Decimal text with a leading "-" for negative numbers.
QString Str(qint64 number);

// First occurrence of search at or after start, both sides upper-cased.
int FindNoCase(const QString &text, const QString &search, int start = 1);

// Whether text begins with a non-empty search, both sides upper-cased: FindNoCase(...) == 1
// without scanning the rest of the line.
bool StartsNoCase(QStringView text, QStringView search);

// FindNoCase for a search that holds a "(", such as a call "OPENWINDOW(#": only the brackets
// of text are candidates, so a line is passed over at the speed of a character search.
int FindCallNoCase(const QString &text, QStringView search, int start = 1);

// A call of that very command: FindCallNoCase where the search is not the end of a longer
// name (IsWindow for OPENWINDOW(, DisableMenuItem for MENUITEM().
int FindCommandNoCase(const QString &text, QStringView search, int start = 1);

// Whether text ends with a non-empty suffix, both sides upper-cased.
bool EndsNoCase(QStringView text, QStringView suffix);

// The calls a pass looks for, each in upper case with its "(" and at least four characters
// before it ("SPLITTERGADGET(", "OPENWINDOW(#"); at most 64. One look at the brackets of a line
// tells which of them it holds, by the four characters before each bracket, so a pass searches
// a line only for the calls that are there.
class CallSet
{
public:
    explicit CallSet(std::initializer_list<QStringView> calls);
    const QString &call(int index) const { return calls_.at(index).text; }
    // Bit i set: FindCallNoCase(line, call(i)) finds the call.
    quint64 callsIn(QStringView line) const;

private:
    struct Call {
        QString text;
        qsizetype bracket;
    };
    QList<Call> calls_;
    // The calls whose tails hash to a slot: a lookup costs one multiplication, and the few
    // calls of a slot whose tails differ are told apart by comparing the names.
    std::array<quint64, 256> byTail_{};
};

// Last occurrence of search that begins at or before start (0 = from the end), case-sensitive.
int FindBackward(const QString &text, const QString &search, int start = 0);
int FindBackward(const QString &text, QChar search, int start = 0);

// Every whole-word occurrence of word, in any letter case, replaced. After a replacement the
// search resumes right after the inserted text, so a replacement containing the word cannot
// loop.
QString ReplaceWord(const QString &text, const QString &word, const QString &replacement);

// The left position characters, then insertion, then the rest from position + 1.
QString InsertAfter(const QString &text, int position, const QString &insertion);

// The code of a line: the text before its comment (the first ";" outside double quotes),
// without blanks at either end.
QStringView CodeOfLine(QStringView line);

// The statements of a line's code, split at each ":" outside double quotes that is not half
// of a module's "::"; each without blanks at either end, empty ones left out.
QList<QStringView> Statements(QStringView code);

// The word standing directly before position: the text after the last blank or tab in front
// of it, trimmed of spaces and tabs and upper-cased. "If ButtonGadget(#" gives BUTTONGADGET
// for the position of "(#"; "ButtonGadget (#" gives the empty word.
QString UpperWordBefore(const QString &text, int position);

// The word UpperWordBefore upper-cases, as written (null where UpperWordBefore is null).
QStringView WordBefore(const QString &text, int position);

// Where the literals and the comment of a line of code lie. A literal "…" ends at the next
// double quote; an escaped literal ~"…" at the next double quote that no backslash escapes
// (\" and \\ stand inside it); a character constant '…' at the next single quote. A ";"
// outside them starts the comment. A literal that is not closed runs to the end of the line.
struct CodeLiteral {
    enum Kind : quint8 { Plain, Escaped, Character };
    int open = 0;  // the opening quote; an escaped literal's "~" stands right before it
    int close = 0; // the closing quote, 0 when the line ends first
    Kind kind = Plain;

    bool IsString() const { return kind != Character; }
    // The literal's first character: its "~" or its opening quote.
    int Begin() const { return kind == Escaped ? open - 1 : open; }
};

struct CodeLine {
    QVarLengthArray<CodeLiteral, 4> literals; // left to right
    int comment = 0; // the ";" that starts the comment, 0 without one
    int size = 0;    // the line's length

    // Whether the position lies inside a literal, its "~" and quotes included.
    bool InLiteral(int position) const;
    // The first "…" or ~"…" literal of the code, if there is one.
    std::optional<CodeLiteral> FirstString() const;
};

CodeLine ScanCodeLine(QStringView line);

// The top-level commas of the call whose "(" stands at bracket, and its closing bracket (0 when
// the call is not closed on the line). Commas inside literals and nested brackets belong to an
// argument; the comment ends the search.
struct CallShape {
    QList<int> commas;
    int close = 0;
};

CallShape ShapeOfCall(const QString &line, int bracket);

// Replaces, left to right, each occurrence of search in any letter case that lies outside the
// line's literals and that accept(position) takes; the search resumes after an occurrence
// taken, so a replacement holding the search cannot loop. Every position is one of text.
template <typename Accept>
QString ReplaceInCode(const QString &text, const QString &search, const QString &replacement, Accept accept);

// The name a procedure head declares: a line of "Procedure", "ProcedureC", "ProcedureDLL" or
// "ProcedureCDLL" in any letter case, an optional ".type", the name and its "(", with any blanks
// and tabs between them. Empty for any other line.
QStringView ProcedureHeadName(QStringView line);

// The positions of search in text in any letter case, left to right, overlapping ones too.
QList<int> FindAllNoCase(const QString &text, const QString &search);

template <typename Accept>
QString ReplaceInCode(const QString &text, const QString &search, const QString &replacement, Accept accept)
{
    const QList<int> found = FindAllNoCase(text, search);
    if (found.isEmpty())
        return text;
    const CodeLine code = ScanCodeLine(text);
    QString result;
    int from = 1; // the first character not copied yet
    for (const int at : found) {
        if (at < from || code.InLiteral(at) || !accept(at))
            continue;
        result += MidView(text, from, at - from);
        result += replacement;
        from = at + int(search.size());
    }
    if (from == 1)
        return text;
    result += QStringView(text).sliced(from - 1);
    return result;
}

} // namespace quarvel
