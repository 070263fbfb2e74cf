// The difference between two texts line by line (the shortest edit script), and its unified
// form with a few lines of context: what the desktop's Changes view shows and what
// quarvel-gen --diff prints.
#pragma once

#include <QList>
#include <QStringList>

namespace quarvel {

struct DiffLine {
    enum Kind { Same, Removed, Added, Gap };
    Kind kind;
    QString text; // for a Gap: the "@@ -a,b +c,d @@" header of the next hunk
};

// Every line of before and after, in order, each marked as kept, removed or added.
QList<DiffLine> DiffLines(const QStringList &before, const QStringList &after);

// Only the changed lines with context lines around them, each hunk under its header; empty
// when the texts are the same.
QList<DiffLine> UnifiedDiff(const QStringList &before, const QStringList &after, int context = 3);

} // namespace quarvel
