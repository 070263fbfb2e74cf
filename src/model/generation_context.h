// Everything one generation works on. The worker thread owns it for the length of a run; the
// project state and the name tables are borrowed from the application.
#pragma once

#include "base/directory_lock.h"
#include "base/file_writer.h"
#include "base/text_encoding.h"
#include "base/write_plan.h"
#include "model/design_model.h"
#include "model/front_end.h"
#include "model/name_tables.h"
#include "model/project_state.h"

#include <QHash>
#include <QList>
#include <QSet>

namespace quarvel {

// One rename bound in step 2 and carried through the user's code in step 3.
struct ConstantBinding {
    QString oldName; // without "#"
    QString newName; // without "#"
    ObjectKind kind = ObjectKind::Window;
};

using BindingList = QList<ConstantBinding>;

// What went wrong on disk in a run that still goes on to "Ready.", each already in the log.
// Files that could not be written are counted by the write plan.
struct RunFaults {
    int unread = 0; // files that could not be read
    bool backupFailed = false;
};

// An include that step 3 staged with its new text; the log reports it once the run's files
// are written.
struct StagedInclude {
    QString path; // as Main.pb names it
    int handle = 0; // in the write plan
};

// The run's warnings by kind (the text before the first "(", or the whole line), in the order
// each kind first appeared, so the report can sum up a kind logged many times.
struct WarningTally {
    QStringList kinds;
    QHash<QString, int> counts;

    void Count(const QString &logLine)
    {
        if (!logLine.startsWith(QLatin1String(" -> Warning: ")))
            return;
        const QString kind = logLine.section(QLatin1Char('('), 0, 0);
        if (counts[kind]++ == 0)
            kinds.append(kind);
    }
};

struct GenerationContext {
    GenerationContext(ProjectState &project, const NameTables &nameTables, FrontEnd &frontEnd)
        : project(project), nameTables(nameTables), frontEnd(frontEnd) {}

    ProjectState &project;
    const NameTables &nameTables;
    FrontEnd &frontEnd;
    FileWriter writer;
    WritePlan plan{writer}; // every file of the run goes through here

    DesignModel model;
    OutputLines lines;
    BindingList bindings;
    TextFormat outputFormat = TextFormat::Utf8;
    QHash<QString, LineEnds> userLineEnds; // how the user's files read by this run end their lines, by path
    QList<StagedInclude> stagedIncludes;
    RunFaults faults;
    DirectoryLock projectLock; // held from the start of step 1 to the end of the run
    qsizetype catalogKeysLoaded = 0; // the Catalog's entries before this run's strings joined
    QSet<QString> languageKeysUsed;  // every key the sources and includes look up
    WarningTally warnings;
    bool reportInLog = true; // the project report as log lines after "Ready."

    // A run that reached "Ready." but could not read or write a file, or back up the sources.
    bool HasFileFaults() const { return faults.unread > 0 || plan.FailedCount() > 0 || faults.backupFailed; }

    const Switches &switches() const { return project.switches; }
    QString ProjectDirectory() const { return project.ProjectDirectory(); }
    void LogLine(const QString &text)
    {
        warnings.Count(text);
        frontEnd.AppendLogLine(text);
    }
};

} // namespace quarvel
