// How a run ended, as one value: the front-ends render the status bar, the Changes view, the
// text report and the JSON report from it, never from the log's text.
#pragma once

#include <QLatin1StringView>
#include <QList>
#include <QString>
#include <QStringList>

namespace quarvel {

enum class RunOutcome { Ready, Cancelled };

// What a report finding is about.
enum class FindingKind {
    EventCall,          // a new event procedure calls what the form assigned
    AssignedProcedure,  // a procedure the form assigned got a skeleton
    OrphanedProcedure,  // an event procedure whose object is gone
    EditedHead,         // an event procedure whose head is not the standard one
    ObsoleteKey,        // a Catalog key no source uses any more
    NewKey,             // a key this run added to an existing Catalog
    MissingInclude,     // an include of Main.pb that does not exist
    UndeclaredConstant, // an object constant no enumeration declares
};

// The kind's name in the JSON report: "event-call", "assigned-procedure", ...
QLatin1StringView FindingKindName(FindingKind kind);

struct ReportFinding {
    FindingKind kind = FindingKind::EventCall;
    QString file;    // relative to the project folder
    int line = 0;    // 1-based
    QString message; // what the log line says after "file:line: "
};

// A kind of warning logged more than once.
struct RepeatedWarning {
    QString warning; // the warning's text after " -> ", up to its first "("
    int count = 0;
};

// A file of the run that could not be written.
struct FailedFile {
    QString file;   // relative to the project folder
    QString reason; // as "Permission denied"
};

struct RunResult {
    RunOutcome outcome = RunOutcome::Cancelled;
    // A cancelled run: the text of the line that stopped it, or what the user declined.
    QString reason;
    bool dryRun = false;
    // The project's files, relative to the project folder.
    QStringList writtenFiles;   // changed or created (in a dry run: would be)
    QStringList unchangedFiles; // the bytes on disk were already the new bytes
    QList<FailedFile> failedFiles;
    QStringList heldBackFiles; // not written because another file of the run could not be
    int unreadFiles = 0;       // sources and includes that could not be read
    bool backupFailed = false; // the sources could not all be copied into Backup/
    QList<ReportFinding> findings;
    QList<RepeatedWarning> repeatedWarnings;
    int errors = 0;   // error lines of the log
    int warnings = 0; // warning lines of the log

    // A run that reached "Ready." but could not read or write a file, or back up the sources.
    bool HasFileFaults() const { return unreadFiles > 0 || !failedFiles.isEmpty() || backupFailed; }
};

} // namespace quarvel
