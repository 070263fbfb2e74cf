// The head line of a procedure, read in one place for every pass: "Procedure", "ProcedureC",
// "ProcedureDLL" or "ProcedureCDLL" in any letter case, an optional ".type", at least one blank
// or tab, then the name and, as a rule, its arguments in brackets.
#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

#include <optional>

namespace quarvel {

// The parts of a head, views of the line read.
struct ProcedureHead {
    QStringView text;       // what follows keyword and type, "Name(arguments)", without outer blanks
    QStringView name;       // up to the first blank or "("
    bool bracketed = false; // the name is followed, after blanks, by "("
};

// The head a line (or a statement) begins with; nullopt for any other line, such as
// "ProcedureReturn" or a bare keyword.
std::optional<ProcedureHead> ReadProcedureHead(QStringView line);

// The name of a head with its brackets: "EventGadget_Ok" of "Procedure.i EventGadget_Ok (x)";
// empty for any other line.
QStringView ProcedureHeadName(QStringView line);

// The arguments of a head's text, split at the commas outside brackets and strings: what stands
// between its first "(" and its last ")".
QStringList HeadArguments(QStringView headText);

// Whether a line ends a procedure.
bool IsProcedureEnd(QStringView line);

// The 0-based line of the last procedure head of lines whose procedure no EndProcedure closes,
// heads and ends counted in the code of every statement; -1 when there is none.
qsizetype UnclosedLastProcedure(const QStringList &lines);

} // namespace quarvel
