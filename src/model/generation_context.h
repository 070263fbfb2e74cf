// Everything one generation works on. The worker thread owns it for the length of a run; the
// project state and the name tables are borrowed from the application.
#pragma once

#include "base/directory_lock.h"
#include "base/file_writer.h"
#include "base/text_encoding.h"
#include "base/write_plan.h"
#include "model/catalog.h"
#include "model/design_model.h"
#include "model/front_end.h"
#include "model/log_entry.h"
#include "model/name_tables.h"
#include "model/project_state.h"

#include <QHash>
#include <QList>
#include <QSet>

#include <optional>

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
        static const QLatin1StringView lead(" -> ");
        QString kind = entry.text.section(QLatin1Char('('), 0, 0);
        if (kind.startsWith(lead))
            kind.remove(0, lead.size());
        if (warningCounts[kind]++ == 0)
            warningKinds.append(kind);
    }
};

struct GenerationContext {
    GenerationContext(ProjectState &project, const NameTables &nameTables, FrontEnd &frontEnd)
        : project(project),
          nameTables(nameTables),
          frontEnd(frontEnd)
    {}

    ProjectState &project;
    const NameTables &nameTables;
    FrontEnd &frontEnd;
    FileWriter writer;
    WritePlan plan{writer}; // every file of the run goes through here

    DesignModel model;
    OutputLines lines;
    BindingList bindings;
    // The objects of the last run whose window this run renames, bound to their new names:
    // worked out from the bindings once they are all known (update/code_updates.h).
    std::optional<BindingList> windowObjects;
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
    LogTally tally;
    QString stopReason;      // the line that stopped the run, or what the user declined
    bool reportInLog = true; // the project report as log lines after "Ready."
    // The run result lists every object with its facts, for the views that show them (the
    // desktop program, the JSON report); a run without them skips building that list.
    bool objectsWanted = true;

    const Switches &switches() const { return project.switches; }
    QString ProjectDirectory() const { return project.ProjectDirectory(); }
    void Log(const LogEntry &entry)
    {
        tally.Count(entry);
        frontEnd.AppendLogLine(entry);
    }
    void LogLine(const QString &text) { Log(LogEntry{text}); }
    // file and line: the place the line is about, when it names one.
    void LogWarning(const QString &text, const QString &file = QString(), int line = 0)
    {
        Log(LogEntry{text, LogKind::Warning, file, line});
    }
    // A warning about a line of a window source, which the text gives as "(Form.pb:12)".
    void LogWarning(const QString &text, SourceOrigin origin)
    {
        LogWarning(text, model.CommonFileList.value(origin.file), origin.line);
    }
    void LogWarningAtSourceLine(const QString &text, qsizetype commonSourceLine)
    {
        LogWarning(text, model.CommonSourceLines.origin(commonSourceLine));
    }
    void LogError(const QString &text, const QString &file = QString()) { Log(LogEntry{text, LogKind::Error, file}); }
    // The line that ends the run before anything is written: its text is the run's reason.
    void LogStop(const LogEntry &entry)
    {
        stopReason = entry.text;
        Log(entry);
    }
};

} // namespace quarvel
