// The parts of an object's creating statement that a window preview draws from, as written.
#pragma once

#include "model/run_result.h"

namespace quarvel {

struct ObjectParts {
    QStringView command;             // "ButtonGadget"
    QStringView x, y, width, height; // windows and gadgets: "10", "#Margin + 20"
    QStringView text;                // inside the quotes of a text argument that is one string
};

// Command(#Id, x, y, width, height, "Text", ...) for windows and gadgets, MenuItem(#Id, "Text")
// for menu items; the command alone for the other kinds. Views of fact.statement.
ObjectParts PartsOf(const ObjectFact &fact);

// The command whose "(" stands at the index bracket: the identifier right before it.
QStringView CommandBefore(const QString &statement, qsizetype bracket);

// The arguments of the call whose "(" stands at the index open, each trimmed.
QList<QStringView> CallArguments(const QString &statement, qsizetype open);

// The inside of an argument that is one plain string literal; empty for anything else.
QStringView StringInside(QStringView argument);

} // namespace quarvel
