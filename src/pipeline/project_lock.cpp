#include "pipeline/project_lock.h"

#include "model/log_messages.h"
#include "pipeline/generation_context.h"

namespace quarvel {

namespace {

const int ProjectLockWaitMilliseconds = 5000;

// The journal of the files a run is putting in place, in the project folder while they do.
const QLatin1StringView JournalName(".quarvel-journal");

// A run killed while its files took their places left a set of old and new files and its
// journal: the set is finished, or rolled back where a new text is lost, before anything
// else, and one line says so. A dry run only says that a run will.
void RecoverInterruptedRun(GenerationContext &run)
{
    const QString journal = run.writer.journalPath;
    if (run.plan.dryRun) {
        if (FileWriter::HasJournal(journal)) {
            run.faults.interruptedRun = true;
            run.log.Warning(InterruptedRunWarning(InterruptedWrite::DryRun, 0), journal);
        }
        return;
    }
    const FileWriter::Recovery recovery = FileWriter::RecoverInterruptedWrite(journal);
    InterruptedWrite what = InterruptedWrite::Unreadable;
    switch (recovery.kind) {
    case FileWriter::Recovery::None: return;
    case FileWriter::Recovery::Finished: what = InterruptedWrite::Finished; break;
    case FileWriter::Recovery::RolledBack: what = InterruptedWrite::RolledBack; break;
    case FileWriter::Recovery::Unreadable: break;
    }
    run.faults.interruptedRun = true;
    run.log.Warning(InterruptedRunWarning(what, recovery.files, recovery.leftAlone), journal);
}

} // namespace

bool LockProject(GenerationContext &run)
{
    const QString dir = run.ProjectDirectory();
    switch (run.projectLock.Acquire(dir, ProjectLockWaitMilliseconds)) {
    case DirectoryLock::Result::Busy: run.log.Stop({ProjectBusyStopLine(dir), LogKind::Error}); return false;
    case DirectoryLock::Result::Refused:
        run.log.Stop({CannotLockStopLine(dir, run.projectLock.Reason()), LogKind::Error});
        return false;
    case DirectoryLock::Result::Held:
    case DirectoryLock::Result::NoFolder: // nothing can be written there; each file says so
        break;
    }
    run.writer.journalPath = dir + JournalName;
    RecoverInterruptedRun(run);
    if (run.plan.dryRun)
        return true; // a dry run leaves the folder exactly as it is
    FileWriter::RemoveStaleTemporaryFiles(dir);
    FileWriter::RemoveStaleTemporaryFiles(dir + QStringLiteral("Backup"), true);
    return true;
}

} // namespace quarvel
