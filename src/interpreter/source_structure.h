// The block structure of one common file, read once for the passes that sort its top-level
// code: which lines stand inside a procedure, the code of every other line without its texts
// and comment, and how many blocks (If, Repeat, Enumeration, CompilerIf, ...) are open around it.
#pragma once

#include "base/no_case_key.h"

#include <QHash>
#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>

#include <algorithm>

namespace quarvel {

// The blocks of PureBasic code. The body of an opaque block (an Enumeration, a Structure, a
// Macro, a DataSection, ...) is not read as statements: only its own end closes it.
enum class BlockKind : quint8 {
    None,
    Control,  // If, Select, For, ForEach, While, Repeat, With
    Compiler, // CompilerIf, CompilerSelect
    Module,   // Module, DeclareModule
    Opaque,
};

// The kind of block a statement's first word opens; None when it opens none.
BlockKind OpenedBlock(const QString &firstWord);

// Whether a statement's first word ends a block (EndIf, Next, Until, EndEnumeration, ...).
bool ClosesBlock(const QString &firstWord);

// The blocks open at a point of the code, innermost last.
class BlockStack {
public:
    // One statement, by its upper-cased first word, opens or ends a block; indentation is that
    // of the line it stands on.
    void Step(const QString &word, const QString &indentation = QString());
    qsizetype Depth() const { return open_.size(); }
    BlockKind Innermost() const { return open_.isEmpty() ? BlockKind::None : open_.last().kind; }
    bool Holds(BlockKind kind) const
    {
        return std::any_of(open_.cbegin(), open_.cend(), [kind](const Open &o) { return o.kind == kind; });
    }
    // The statements that end the open blocks, innermost first, each indented like its block.
    QStringList Ends() const;

private:
    struct Open {
        BlockKind kind;
        QString endWord; // upper-cased first word of the statement that ends it
        QString end;     // that statement as written, with the indentation of the block
    };
    QList<Open> open_;
};

struct FileStructure {
    QList<bool> inProcedure;              // a line of a procedure, its head and end included
    QStringList code;                     // BlankedCode of a top-level line; empty inside procedures
    QList<QList<QStringView>> statements; // the statements of code, views into it, read once
    QList<qint32> depthBefore;            // blocks open before a top-level line
    QList<qint32> depthAfter;             // blocks open after it
    QList<BlockKind> enclosing;           // the innermost block open before a top-level line
    QList<bool> inModule;                 // a top-level line inside a Module or DeclareModule block
    QList<qint32> topLevel;               // the indexes of the top-level lines, in order
    QHash<NoCaseKey, qint32> procedures;  // procedure name -> its head line
    QSet<QString> waitingProcedures;      // upper-cased names of procedures that wait for an event
    QSet<NoCaseKey> windowsInProcedures;  // window constants opened in procedures
    QList<qint32> sharedLines;            // the lines of procedures that begin with Shared

    bool HasCode(qint32 line) const { return !inProcedure.at(line) && !Statements(line).isEmpty(); }
    QList<QStringView> Statements(qint32 line) const { return statements.at(line); }
};

// words, when given: the words of each line (FindLineWords), which tell the lines that cannot
// end a procedure, those without ENDPROCEDURE, at no cost.
FileStructure ReadFileStructure(const QStringList &lines, const QList<quint8> &words = {});

// A declaration statement "Global.i a, *b = 1, c.s": the offset where its items begin (after
// the keyword and its type) and the items, split at the commas outside brackets and strings.
struct Declaration {
    qsizetype itemsAt = 0;
    QStringList items;
};
Declaration ReadDeclaration(QStringView statement);

// The name an item of a declaration declares, as written: "*b.i = 1" gives b, "List.s()" List.
// Compare it as a NoCaseKey.
QStringView DeclaredName(QStringView item);

// Whether a blanked line waits for the next event (WaitWindowEvent()), or takes whatever event
// is there (WaitWindowEvent() or WindowEvent()).
bool WaitsForEvent(const QString &code);
bool TakesEvents(const QString &code);

} // namespace quarvel
