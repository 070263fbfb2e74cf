// How a line of PureBasic code is built: identifiers, string and character literals, the
// comment, statements and the arguments of a call. Positions are 0-based indexes, -1 for none.
#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QVarLengthArray>

#include <optional>

namespace quarvel {

bool IsIdentifierChar(QChar c);

// The end of the run of identifier characters that begins at the 0-based from: from itself
// when there is none.
qsizetype IdentifierEnd(QStringView text, qsizetype from);

// A run of identifier characters: [start, end). start is the text's size when there is none.
struct WordSpan {
    qsizetype start = 0;
    qsizetype end = 0;
};
// The first word at or after from. Walk a text's words with
// for (WordSpan w = NextWord(text, 0); w.start < text.size(); w = NextWord(text, w.end)).
WordSpan NextWord(QStringView text, qsizetype from);

// Whether statement begins with upperWord as a whole word, in any letter case: "CASE" for
// "Case 1", not for "CaseX = 1".
bool BeginsWithWord(QStringView statement, QStringView upperWord);

// The upper-cased word a statement begins with: "IF" for "If x = 1", "DEFINE" for "Define.i a".
QString FirstWord(QStringView statement);

// The word standing directly before the index at: the text after the last blank or tab in
// front of it. "If ButtonGadget(#" gives ButtonGadget for the index of "(#"; "ButtonGadget (#"
// gives the empty word; an index outside the text gives null.
QStringView WordBefore(QStringView text, qsizetype at);

// Where the literals and the comment of a line of code lie. A literal "…" ends at the next
// double quote; an escaped literal ~"…" at the next double quote that no backslash escapes
// (\" and \\ stand inside it); a character constant '…' at the next single quote. A ";"
// outside them starts the comment. A literal that is not closed runs to the end of the line.
struct CodeLiteral {
    enum Kind : quint8 { Plain, Escaped, Character };
    int open = -1;  // the opening quote; an escaped literal's "~" stands right before it
    int close = -1; // the closing quote, -1 when the line ends first
    Kind kind = Plain;

    bool IsString() const { return kind != Character; }
    // The literal's first character: its "~" or its opening quote.
    int Begin() const { return kind == Escaped ? open - 1 : open; }
    // The text between the quotes of a closed literal of line.
    QStringView TextIn(QStringView line) const { return line.sliced(open + 1, close - open - 1); }
};

struct CodeLine {
    QVarLengthArray<CodeLiteral, 4> literals; // left to right
    int comment = -1;                         // the ";" that starts the comment, -1 without one
    int size = 0;                             // the line's length

    // Whether the index lies inside a literal, its "~" and quotes included.
    bool InLiteral(qsizetype at) const;
    // The index after the code: the comment's ";", or the line's end.
    qsizetype CodeEnd() const { return comment >= 0 ? comment : size; }
    // The first "…" or ~"…" literal of the code, if there is one.
    std::optional<CodeLiteral> FirstString() const;
};

CodeLine ScanCodeLine(QStringView line);

// The line with the text of its string and character literals and its comment blanked out
// (the quotes stay), so that a search for code finds no word of a text or a comment. Of the
// same length as line, so positions carry over. ~"..." strings know the escape \".
QString BlankedCode(QStringView line);

// The code of a line: the text before its comment (the first ";" outside literals), without
// blanks at either end.
QStringView CodeOfLine(QStringView line);

// The statements of a line's code (or of its blanked code), split at each ":" outside
// literals that is not half of a module's "::"; each without blanks at either end, empty ones
// left out.
QList<QStringView> Statements(QStringView code);

// The fields of text between the separators that stand outside strings and brackets, each
// trimmed of blanks: "a, f(b, c), \"d, e\"" gives a, f(b, c) and "d, e". Empty text, no field.
QStringList SplitOutsideBrackets(QStringView text, QChar separator = QLatin1Char(','));

// The indexes of the top-level commas of the call whose "(" stands at index open, and of its
// closing bracket (-1 when the call is not closed on the line). Commas inside literals and
// nested brackets belong to an argument; the comment ends the search. The commas of most calls
// fit without an allocation: in a list, they cost an unchanged regeneration of 200 x 100
// (bench/make_project.py) 343.8 M instructions, against 341.4 M (callgrind).
struct CallShape {
    QVarLengthArray<qsizetype, 8> commas;
    qsizetype close = -1;
};

CallShape CallShapeAt(QStringView text, qsizetype open);

// The text from index from up to the first "," or ")" after it, untrimmed: the first argument
// of a call whose argument holds no call of its own. Null when neither follows.
QStringView TextBeforeCommaOrClose(QStringView line, qsizetype from);

} // namespace quarvel
