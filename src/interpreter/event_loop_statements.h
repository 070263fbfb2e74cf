// The statements of one event loop, read once from its lines as the naming passes left them,
// and how a range of them becomes the lines of a body as its event procedure holds them.
#pragma once

#include "base/line_lists.h"

#include <QHash>
#include <QList>
#include <QPair>
#include <QSet>
#include <QStringList>

#include <initializer_list>

namespace quarvel {

// What a call or a variable of the loop holds: the event, or the object or window it is for.
enum class Subject { None, Event, Gadget, Menu, Window };

struct Statement {
    qsizetype line = 0; // among the loop's lines
    qsizetype at = 0;   // its offset in the line
    qsizetype size = 0;
    QString word; // its first word, upper-cased
};

// The loop's statements in order; the reader of its dispatch walks them and notes the
// variables that hold a subject and the flags that end the loop.
class LoopStatements {
public:
    // locals: the declarations ("value.d") a body may use, each becoming Protected in it.
    LoopStatements(const QStringList &lines, bool inProcedure, const QStringList &locals);

protected:
    QStringView text(const Statement &s) const { return QStringView(lines_.at(s.line)).sliced(s.at, s.size); }
    QStringView code(const Statement &s) const { return QStringView(code_.at(s.line)).sliced(s.at, s.size); }

    // The index after the block that statement i opens; i + 1 when it opens none.
    qsizetype blockEnd(qsizetype i) const;

    // The branch heads of the block statement i opens (i itself first) and its end statement.
    QList<qsizetype> branches(qsizetype i, qsizetype end, std::initializer_list<QLatin1StringView> middles) const;

    // The lines of statements from..to as a procedure holds them, one step in; the empty and
    // comment lines between them come along. A line shared with statements outside keeps only
    // its own.
    SourceLineList lines(qsizetype from, qsizetype to, const QString &condition, QStringList *words) const;

    // The locals of the loop's procedure a body uses, declared Protected at its start.
    SourceLineList declareLocals(const QStringList &words) const;

    QList<Statement> s_;
    QHash<QString, Subject> aliases_; // upper-cased variable -> what it holds
    QSet<QString> quits_;             // the upper-cased variables the loop's Until tests

private:
    // A statement that ends the loop: setting its quit flag, End, or a Break or ProcedureReturn
    // that leaves it.
    bool quits(const Statement &s, int loops) const;

    // One step in, as the least indented line stands; inside "If condition" when one is given.
    static SourceLineList Indented(const SourceLineList &lines, const QString &condition);

    const QStringList &lines_;
    bool inProcedure_;
    QStringList code_;
    QList<QPair<QString, QString>> locals_; // upper-cased name, declaration
};

} // namespace quarvel
