// Unified diffs of a file's bytes, as `git diff` prints them and `patch -p1` applies them.
#pragma once

#include <QByteArray>
#include <QString>

namespace quarvel {

// The diff of one file from before to after, under a/ and b/ + relativePath, with three lines
// of context; a created file comes from /dev/null after git's "new file" header. Lines are
// compared as bytes, so any encoding passes through unchanged. Names are quoted as git quotes
// them (a name with a blank, a quote or a byte beyond ASCII). Empty when the bytes are equal.
QByteArray UnifiedDiff(const QString &relativePath, const QByteArray &before, const QByteArray &after, bool created);

} // namespace quarvel
