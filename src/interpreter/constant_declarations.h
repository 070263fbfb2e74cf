// The constants the windows' code declares, statement by statement: the members of its
// enumerations and its "#Name = ..." statements, each with the value PureBasic gives it.
#pragma once

#include "base/line_lists.h"

#include <QList>
#include <QString>

#include <optional>

namespace quarvel {

struct ConstantDeclaration {
    qsizetype line = 0;
    qsizetype at = 0; // the index of the statement's "#" in its line
    QString key;      // the name upper-cased, without "#"
    // The value as a plain number, when PureBasic can give it without other constants.
    std::optional<qint64> value;
    // The value as code: the number, or an expression of the constants it is worked out from
    // ("#First + 2"). Empty for a statement that is no enumeration member and holds no "=".
    QString valueText;
    bool assigned = false;      // written with "= value"
    bool member = false;        // a member of an Enumeration or EnumerationBinary block
    QString block;              // the enumeration's name upper-cased; empty for an unnamed one
    qsizetype enumeration = -1; // a member's block, counted from 0 in the order written
    // For a "#Name = ..." that names #PB_Compiler_EnumerationValue after a block: the value
    // it stands for, as code; enumeration and block then name that block.
    QString enumerationValue;
};

// Every declaration in the order written; statements joined by ":" count as lines of their
// own. A named enumeration counts on from its earlier block, as PureBasic does.
QList<ConstantDeclaration> ConstantDeclarations(const SourceLineList &lines);

} // namespace quarvel
