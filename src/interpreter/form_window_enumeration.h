// The form designer's "Enumeration FormWindow" blocks, kept in the common file, declare window
// constants that Quarvel's own window enumeration declares too; both must give them one value.
#pragma once

#include "model/design_model.h"

#include <QList>
#include <QString>

namespace quarvel {

// A constant the windows' code declares with a known value: an enumeration member or a
// "#Name = 5" line.
struct EnumerationMember {
    QString key; // upper-cased, without "#"
    qint64 value = 0;
    qsizetype line = 0;
    QString block; // the enumeration's name upper-cased (FORMGADGET, ...), empty for others
};

// Every constant of the lines whose value PureBasic gives as a plain number: the members of
// the enumerations, named ones counting on from block to block, and "#Name = 5". Those whose
// value is worked out of other constants are left out.
QList<EnumerationMember> DeclaredConstants(const SourceLineList &lines);

// A named enumeration goes on counting from block to block, while Quarvel numbers every window
// in the order it is opened. A window without a FormWindow entry (one held in a variable, one
// of a hand-written file) opened before a block's window would leave the block's count behind,
// so it gets an entry in that block, in front of the window it precedes. Projects whose counts
// already agree are left exactly as they are.
void AlignFormWindowEnumeration(DesignModel &model);

} // namespace quarvel
