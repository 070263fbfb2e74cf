// What the Changes view shows of a run, read away from the GUI thread: the files the run wrote,
// each beside its copy in Backup/ (made before the run), their differences, and how often each
// rename bound in the bind dialog went out of them.
#pragma once

#include "base/line_diff.h"
#include "model/front_end.h"

#include <QList>
#include <QStringList>

namespace quarvel {

// What the shell gathers while a run goes on.
struct RunChanges {
    QString projectDirectory; // ends with "/"
    QStringList writtenFiles; // relative to the project folder, as the run result gives them
    QList<NamePair> renames;  // bound in the bind dialog, then those a naming rule bound

    void Clear() { *this = RunChanges(); }
};

struct ChangedFile {
    QString path;       // absolute
    bool isNew = false; // no copy in Backup/ (the run created it): all lines are added
    QStringList before;
    QStringList after;
};

// The file a run wrote beside its backup copy, both read in their own format.
ChangedFile LoadChangedFile(const QString &projectDirectory, const QString &written);

// For each rename, how often its old name (a whole word, any case, with or without "#") went
// out of the files. One pass over the files' words, however many renames there are.
QList<int> ReplacedCounts(const QList<NamePair> &renames, const QList<ChangedFile> &files);

// Everything the view shows of a run.
struct LoadedChanges {
    QList<ChangedFile> files;
    QList<QList<DiffLine>> differences; // each file's, as UnifiedDiff gives it
    QList<int> replaced;                // per rename
};
LoadedChanges LoadChanges(const RunChanges &changes);

} // namespace quarvel
