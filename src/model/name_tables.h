// The two sets the interpreter consults: commands whose first argument is an object constant
// (for the window prefix pass) and commands that create a gadget (for the name collection).
// Both hold upper-cased names: the built-in ones and the user's own gadget procedures.
#pragma once

#include <QSet>
#include <QString>
#include <QStringList>

namespace quarvel {

const QStringList &BuiltInCommandNames();   // 124 names, in stored order
const QStringList &BuiltInGadgetCreators(); // 32 names, in stored order

struct NameTables {
    QSet<QString> CommandNames;
    QSet<QString> GadgetCreators;

    bool isCommand(const QString &upperName) const { return CommandNames.contains(upperName); }
    bool isGadgetCreator(const QString &upperName) const { return GadgetCreators.contains(upperName); }
};

// Built-in names followed by the user gadget names, each upper-cased.
NameTables BuildNameTables(const QStringList &userGadgetNames = {});

} // namespace quarvel
