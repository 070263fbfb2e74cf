// Everything one generation works on. The worker thread owns it for the length of a run; the
// project state and the name tables are borrowed from the application.
#pragma once

#include "base/file_writer.h"
#include "base/text_encoding.h"
#include "model/catalog.h"
#include "model/design_model.h"
#include "model/front_end.h"
#include "model/log_entry.h"
#include "model/log_messages.h"
#include "model/log_sink.h"
#include "model/name_tables.h"
#include "model/project_state.h"
#include "model/renames.h"
#include "pipeline/directory_lock.h"
#include "pipeline/write_plan.h"

#include <QHash>
#include <QList>
#include <QSet>

namespace quarvel {

// What went wrong on disk in a run that still goes on to "Ready.", each already in the log.
// Files that could not be written are counted by the write plan.
struct RunFaults {
    int unread = 0; // files that could not be read
    bool backupFailed = false;
    bool interruptedRun = false; // the last run's files were found half in place
};

// An include that step 3 staged with its new text; the log reports it once the run's files
// are written.
struct StagedInclude {
    QString path;   // as Main.pb names it
    int handle = 0; // in the write plan
};

// The run's error and warning lines, counted by their kind, and its warnings by what they
// say (the text after " -> " up to the first "(", or the whole line) in the order each first
// appeared, so the report can sum up a warning logged many times.
struct LogTally {
    int errors = 0;
    int warnings = 0;
    QStringList warningKinds;
    QHash<QString, int> warningCounts;

    void Count(const LogEntry &entry)
    {
        if (entry.kind == LogKind::Error)
            ++errors;
        if (entry.kind != LogKind::Warning)
            return;
        ++warnings;
        QString kind = entry.text.section(QLatin1Char('('), 0, 0);
        if (kind.startsWith(MessageLead))
            kind.remove(0, MessageLead.size());
        if (warningCounts[kind]++ == 0)
            warningKinds.append(kind);
    }
};

// The run's log: each line counted, then handed to the front-end. The line that stops the run
// is kept as the reason it stopped.
class RunLog final : public LogSink {
public:
    explicit RunLog(FrontEnd &frontEnd) : frontEnd_(frontEnd) {}

    void Log(const LogEntry &entry) override
    {
        tally.Count(entry);
        frontEnd_.AppendLogLine(entry);
    }
    void Stop(const LogEntry &entry) override
    {
        stopReason = entry.text;
        Log(entry);
    }

    LogTally tally;
    QString stopReason; // the line that stopped the run, or what the user declined

private:
    FrontEnd &frontEnd_;
};

struct GenerationContext {
    GenerationContext(ProjectState &project, const NameTables &nameTables, FrontEnd &frontEnd)
        : project(project),
          nameTables(nameTables),
          frontEnd(frontEnd),
          log(frontEnd)
    {}

    ProjectState &project;
    const NameTables &nameTables;
    FrontEnd &frontEnd;
    RunLog log;
    FileWriter writer;
    WritePlan plan{writer}; // every file of the run goes through here

    DesignModel model;
    OutputLines lines;
    Renames renames;
    TextFormat outputFormat = TextFormat::Utf8;
    // The user's files this run read and may write back (Main.pb, the event files,
    // LoadLanguage.pb, the Catalog), with their bytes, by path: a file keeps its format, mark
    // and line ends, and the bytes of every line the run leaves alone.
    QHash<QString, TextFile> userFiles;
    QList<StagedInclude> stagedIncludes;
    RunFaults faults;
    DirectoryLock projectLock;      // held from the start of step 1 to the end of the run
    CatalogRead catalog;            // the Catalog as read, its lines kept
    QSet<QString> languageKeysUsed; // every key the sources and includes look up
    bool reportInLog = true;        // the project report as log lines after "Ready."
    // The run result lists every object with its facts, for the views that show them (the
    // desktop program, the JSON report); a run without them skips building that list.
    bool objectsWanted = true;

    const Switches &switches() const { return project.switches; }
    QString ProjectDirectory() const { return project.ProjectDirectory(); }
};

} // namespace quarvel
