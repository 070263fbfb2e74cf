// The values of the constants the sources declare themselves, by name in any letter case, and a
// first look at an argument that tells most names of other constants apart without a lookup.
#pragma once

#include "base/no_case_key.h"
#include "base/statement_scan.h"

#include <QHash>
#include <QStringView>
#include <QtAlgorithms>

#include <optional>

namespace quarvel {

class SourceConstantValues {
public:
    void reserve(qsizetype size) { values_.reserve(size); }
    bool isEmpty() const { return values_.isEmpty(); }
    void insert(const NoCaseKey &name, qint64 value);
    // The value of a constant named without "#"; nullopt for a name not held.
    std::optional<qint64> value(QStringView name) const;
    // Whether an argument is a constant ("#Name...") whose name is none of these. Inline: it is
    // asked at nearly every call of a creating command.
    bool namesNone(QStringView argument) const
    {
        if (!argument.startsWith(QLatin1Char('#')))
            return false;
        return values_.isEmpty() || !mayName(argument) || !holds(argument);
    }

private:
    // False when the name after the "#" has none of the lengths of the names held: only the
    // character at each such length and the one after it are looked at. Reading the name and
    // looking it up at every call cost an unchanged regeneration of 200 x 100
    // (bench/make_project.py) 13.0 M instructions for the calls of both scans for object
    // numbers, 6.8 M this way (callgrind).
    bool mayName(QStringView argument) const
    {
        if (lengths_ & (quint64(1) | quint64(1) << 63))
            return true;
        for (quint64 lengths = lengths_; lengths; lengths &= lengths - 1) {
            const qsizetype end = 1 + qCountTrailingZeroBits(lengths); // just after such a name
            if (end <= argument.size() && IsIdentifierChar(argument[end - 1])
                && (end == argument.size() || !IsIdentifierChar(argument[end])))
                return true;
        }
        return false;
    }
    // Whether the name of "#Name..." is held.
    bool holds(QStringView argument) const;

    QHash<NoCaseKey, qint64> values_;
    quint64 lengths_ = 0; // bit n: a name n long is held; bit 63 for any longer
};

} // namespace quarvel
