// How a run ended, as one value: the front-ends render the status bar, the Changes view, the
// text report and the JSON report from it, never from the log's text.
#pragma once

#include "model/event_files.h"
#include "model/object_kind.h"
#include "model/renames.h"

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
    CarriedOver,        // a body of a source's event loop now in a new procedure
};

// The kind's name in the JSON report: "event-call", "assigned-procedure", ...
QLatin1StringView FindingKindName(FindingKind kind);

struct ReportFinding {
    FindingKind kind = FindingKind::EventCall;
    QString file;     // relative to the project folder
    int line = 0;     // 1-based
    QString message;  // what the log line says after "file:line: "; a carried-over body's procedure
    int lastLine = 0; // a carried-over body's last line
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

// Where an object's event procedure stands.
enum class ProcedureState {
    None,       // the object gets no event procedure (text and frame gadgets, menus, ...)
    Present,    // the event file holds its standard head
    Appended,   // this run appended it
    EditedHead, // only a head other than the standard one stands for it
    Missing,    // none yet: a run that stopped before writing would have appended it
    Orphaned,   // a procedure whose object is gone
};

// The state's name in the JSON report: "none", "present", "appended", "edited-head", ...
QLatin1StringView ProcedureStateName(ProcedureState state);

// An object's event procedure; its name is the event file's prefix and the object's name.
struct ProcedureFact {
    ProcedureState state = ProcedureState::None;
    const EventFile *events = nullptr; // the kind of procedure and its file; nullptr for None
    int line = 0;                      // 1-based line of its head in the event file; 0 while it has none
    int userLines = 0;                 // lines of the user's code in its body, but for Appended and Missing

    // "EventGadget.pb"
    QString File() const { return events ? QLatin1String(events->name) : QString(); }
};

// One object of the window sources as a front-end shows it (a project view, a window
// preview), or an event procedure that belongs to no object. The creating statement is kept
// whole and its parts (command, position, size, text) are read from it when shown
// (model/object_parts.h), so that a run with many objects pays for no part it does not show.
struct ObjectFact {
    ObjectKind kind = ObjectKind::Gadget;
    QString window;              // the window it belongs to; a window's own name; empty when unknown
    QString name;                // the constant without "#", as the design model holds it
    QString file;                // the window source, relative to the project folder
    int line = 0;                // 1-based line of the creating statement there
    QString statement;           // the creating statement, as the prefix pass left it
    qsizetype bracket = -1;      // the index of the "(" of its creating command
    QStringList tabs;            // a panel's tab titles, in AddGadgetItem order
    ProcedureFact procedure;     // a window's size procedure
    ProcedureFact exitProcedure; // a window's close procedure; None for other kinds

    // "EventGadget_Main_Ok", built when shown: most runs show none. A procedure without an
    // object has its whole name in name.
    QString ProcedureName(const ProcedureFact &of) const
    {
        if (!of.events)
            return QString();
        return kind == ObjectKind::Procedure ? name : QLatin1String(of.events->prefix) + name;
    }

    // "#Main_Ok": the constant as the generated code writes it.
    QString Constant() const { return name.isEmpty() ? QString() : QLatin1Char('#') + name; }
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
    bool backupFailed = false; // the sources could not all be copied into Backup/: the run stopped
    // Files that changed on disk while the run was working (saved by an editor): the run wrote
    // nothing and stopped, and a front-end that runs on saves starts one new run.
    QStringList changedWhileRunning;
    // The last run was killed while its files took their places: this run finished or rolled
    // back that set before anything else (a dry run found it and left it).
    bool interruptedRun = false;
    QList<ReportFinding> findings;
    QList<RepeatedWarning> repeatedWarnings;
    // The renames bound without a question: names an earlier version gave that only a naming
    // rule of Quarvel's has changed since.
    BindingList boundByRule;
    // Every object of the window sources in source order, then the event procedures that
    // belong to none. Known in every run that read and interpreted the sources, a dry run and
    // a run that stopped at the rename check included.
    QList<ObjectFact> objects;
    int errors = 0;   // error lines of the log
    int warnings = 0; // warning lines of the log

    // A run that reached "Ready." but could not read or write a file, or back up the sources.
    bool HasFileFaults() const { return unreadFiles > 0 || !failedFiles.isEmpty() || backupFailed; }
};

} // namespace quarvel
