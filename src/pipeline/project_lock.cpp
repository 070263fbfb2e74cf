#include "pipeline/project_lock.h"

#include "pipeline/generation_context.h"

namespace quarvel {

namespace {

const int ProjectLockWaitMilliseconds = 5000;

// The journal of the files a run is putting in place, in the project folder while they do.
const QLatin1StringView JournalName(".quarvel-journal");

QString CountOf(int files)
{
    return QString::number(files) + (files == 1 ? QStringLiteral(" file") : QStringLiteral(" files"));
}

// A run killed while its files took their places left a set of old and new files and its
// journal: the set is finished, or rolled back where a new text is lost, before anything
// else, and one line says so. A dry run only says that a run will.
void RecoverInterruptedRun(GenerationContext &run)
{
    const QString journal = run.writer.journalPath;
    const QString lead = QStringLiteral(
        " -> Warning: The last run was interrupted while its files took their places; ");
    if (run.plan.dryRun) {
        if (FileWriter::HasJournal(journal)) {
            run.faults.interruptedRun = true;
            run.log.Warning(lead + QStringLiteral("a run that writes will put them right."), journal);
        }
        return;
    }
    const FileWriter::Recovery recovery = FileWriter::RecoverInterruptedWrite(journal);
    if (recovery.kind == FileWriter::Recovery::None)
        return;
    run.faults.interruptedRun = true;
    QString line;
    switch (recovery.kind) {
    case FileWriter::Recovery::Finished:
        line = lead + QStringLiteral("finished now, ") + CountOf(recovery.files) + QStringLiteral(" put in place.");
        break;
    case FileWriter::Recovery::RolledBack:
        line = lead + QStringLiteral("a new text was lost, so ") + CountOf(recovery.files)
               + QStringLiteral(" got their old text back.");
        break;
    case FileWriter::Recovery::Unreadable:
        line = lead + QStringLiteral("its journal could not be read and is removed.");
        break;
    case FileWriter::Recovery::None: break;
    }
    if (!recovery.leftAlone.isEmpty())
        line += QStringLiteral(" Changed since and left as they are: ") + recovery.leftAlone.join(QStringLiteral(", "))
                + QLatin1Char('.');
    run.log.Warning(line, journal);
}

} // namespace

bool LockProject(GenerationContext &run)
{
    const QString dir = run.ProjectDirectory();
    switch (run.projectLock.Acquire(dir, ProjectLockWaitMilliseconds)) {
    case DirectoryLock::Result::Busy:
        run.log.Stop({QStringLiteral(" -> Error: Another run is working on ") + dir + QStringLiteral(". Stop!"),
                      LogKind::Error});
        return false;
    case DirectoryLock::Result::Refused:
        run.log.Stop({QStringLiteral(" -> Error: Cannot lock ") + dir + QStringLiteral(" against other runs (")
                          + run.projectLock.Reason() + QStringLiteral("). Stop!"),
                      LogKind::Error});
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
