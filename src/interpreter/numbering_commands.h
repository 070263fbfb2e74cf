// The commands whose first argument is the number of the object they create, and a first look
// at the word before a bracket that passes over the calls of other commands.
#pragma once

#include "model/object_kind.h"

#include <QHash>
#include <QString>
#include <QStringView>

#include <array>

namespace quarvel {

struct NameTables;

// Upper-cased command -> the kind of object it numbers; gadgets beyond these by the gadget
// creator table. A toolbar button is numbered as a menu item.
const QHash<QString, ObjectKind> &NumberingCommands();

// The kind an upper-cased command numbers; None for any other word.
ObjectKind KindOfNumberingCommand(const QString &upper, const NameTables &tables);

// The last two characters of the commands a scan looks for, in any letter case: most brackets
// follow a word that ends otherwise, and are passed over before the word is read. Scanning
// every bracket's word cost an unchanged regeneration of 200 x 100 (bench/make_project.py) 57 M
// instructions for both scans, 44 M with this look first (callgrind).
class WordEndings {
public:
    void add(QStringView upper)
    {
        if (upper.size() >= 2)
            seen_[slot(upper[upper.size() - 2], upper.back())] = true;
    }
    // False only when no command ends like the text before a bracket.
    bool mayEnd(QStringView before) const
    {
        if (before.size() < 2)
            return true;
        const QChar a = before[before.size() - 2], b = before.back();
        return a.unicode() >= 0x80 || b.unicode() >= 0x80 || seen_[slot(a, b)];
    }

private:
    // ASCII letters of either case share a slot; so do a few other pairs, which only costs a look.
    static unsigned slot(QChar a, QChar b) { return (a.unicode() & 31u) << 5 | (b.unicode() & 31u); }
    std::array<bool, 1024> seen_{};
};

} // namespace quarvel
