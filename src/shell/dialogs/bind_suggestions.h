// Likely pairs for the bind dialog: an old name and a new one that are probably the same
// object renamed. Only offered; the user binds them.
#pragma once

#include <QList>
#include <QStringList>

namespace quarvel {

struct SuggestedPair {
    int oldRow;
    int newRow;
};

// The number of single-character edits that turn a into b (any case).
int EditDistance(const QString &a, const QString &b);

// One pair at most per name, found in time linear in the names. Within a window (the part
// before the first "_") that lost as many names as it gained, names pair by their position;
// names that differ only in their window part pair next (a renamed window); the others pair
// with the nearest name of their window by edit distance (past the window part), when at most
// half of the longer one differs. Ordered by old row.
QList<SuggestedPair> SuggestPairs(const QStringList &oldNames, const QStringList &newNames);

} // namespace quarvel
