#include "cli/run_command_line.h"

#include "base/file_reader.h"
#include "base/file_writer.h"
#include "base/unified_diff.h"
#include "base/version.h"
#include "cli/watch_project.h"
#include "model/name_tables.h"
#include "model/project_file.h"
#include "pipeline/generation_context.h"
#include "pipeline/generation_driver.h"
#include "pipeline/report_output.h"
#include "project/settings.h"
#include "project/user_gadget_list.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <memory>

namespace quarvel {

namespace {

// The project file is created exclusively before it is written, so of several --init runs
// on one name exactly one succeeds; an existing file is never touched.
ExitStatus InitProject(const CommandLineOptions &options, FILE *out, FILE *err)
{
    QFile reserved(options.projectPath);
    if (!reserved.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
        PrintCommandLineError(err, QFileInfo::exists(options.projectPath)
                                       ? options.projectPath
                                             + QStringLiteral(" exists already; --init never overwrites a file.")
                                       : QStringLiteral("cannot create ") + options.projectPath + QStringLiteral(" (")
                                             + reserved.errorString() + QLatin1Char(')'));
        return ExitUsage;
    }
    reserved.close();
    ProjectState project;
    project.switches = Switches(); // the defaults of a new project
    // A file named twice (through ".", ".." or a link too) is listed once: a run would find
    // each of its windows twice.
    const QString folder = QFileInfo(options.projectPath).path();
    QStringList entries;
    for (const QString &file : options.initCommonFiles)
        entries.append(ProjectFilePath(folder, file));
    project.CommonFiles = NewCommonFiles(folder, {}, entries);
    CliFrontEnd frontEnd({}, false, out, err);
    if (ReportFailure(frontEnd, SaveProject(options.projectPath, project, FileWriter())))
        return ExitReady;
    reserved.remove();
    return ExitUsage;
}

// "1 file could not be written, 7 kept as they were, see the log": what went wrong in a run
// that reached "Ready.".
QString FaultSummary(const RunResult &result)
{
    const auto files = [](int count, const char *what) {
        return QString::number(count)
               + (count == 1 ? QStringLiteral(" file could not be ") : QStringLiteral(" files could not be "))
               + QLatin1String(what);
    };
    QStringList parts;
    if (result.unreadFiles > 0)
        parts.append(files(result.unreadFiles, "read"));
    if (!result.failedFiles.isEmpty())
        parts.append(files(int(result.failedFiles.size()), "written"));
    if (!result.heldBackFiles.isEmpty())
        parts.append(QString::number(result.heldBackFiles.size()) + QStringLiteral(" kept as they were"));
    if (result.backupFailed)
        parts.append(QStringLiteral("the backup failed"));
    return parts.join(QStringLiteral(", ")) + QStringLiteral(", see the log");
}

void WarnOfConfigFile(FILE *err)
{
    const QString configDir = qEnvironmentVariable("QUARVEL_CONFIG_DIR");
    if (!configDir.isEmpty() && QFileInfo::exists(configDir) && !QFileInfo(configDir).isDir())
        PrintCommandLineError(err, QStringLiteral("QUARVEL_CONFIG_DIR names a file, not a folder: ") + configDir);
}

void PrintText(FILE *stream, const QByteArray &bytes)
{
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stream);
    std::fflush(stream);
}

// The deepest folder that holds the project folder and every changed file: the project
// folder, unless a changed include lies outside it.
QString DiffBase(const GenerationContext &run)
{
    QString base = QDir::cleanPath(run.ProjectDirectory());
    const auto holds = [&base](const QString &path) {
        return base == QLatin1String("/") || path.startsWith(base + QLatin1Char('/'));
    };
    for (const WritePlan::Change &change : run.plan.Changes())
        while (!holds(QDir::cleanPath(change.path)))
            base = QFileInfo(base).path();
    return base;
}

// After the log: the diff of every file the run changed or would change, paths relative to
// the project folder, or to the folder that holds them all when an include lies outside it
// (patch and git apply refuse a path that leads out of the folder they work in); stderr
// then says where the diff applies.
void PrintDiff(const GenerationContext &run, FILE *out, FILE *err)
{
    const QString base = DiffBase(run);
    if (base != QDir::cleanPath(run.ProjectDirectory()))
        PrintCommandLineError(
            err, QStringLiteral("the diff's paths are relative to ") + base
                     + QStringLiteral(", as it changes files outside the project folder: apply it there."));
    const QDir folder(base);
    for (const WritePlan::Change &change : run.plan.Changes())
        PrintText(out, UnifiedDiff(folder.relativeFilePath(change.path), change.before, change.after, change.created));
}

// --check: the files named on stderr when a run would change any; a set of files an
// interrupted run left half in place is a change a run would make too.
ExitStatus CheckResult(const RunResult &result, FILE *err)
{
    if (result.interruptedRun)
        PrintCommandLineError(err, QStringLiteral("the last run was interrupted while its files took their places; "
                                                  "a run puts them right"));
    for (const QString &file : result.writtenFiles)
        PrintCommandLineError(err, QStringLiteral("would change ") + file);
    return result.writtenFiles.isEmpty() && !result.interruptedRun ? ExitReady : ExitWouldChange;
}

// The project file with the --set overrides; false, with the reason on err, when it cannot
// be read.
bool LoadProjectForRun(const CommandLineOptions &options, ProjectState &project, CliFrontEnd &frontEnd, FILE *err)
{
    project.switches = Switches::AllOff(); // a switch the project file does not name is 0
    if (!ReportFailure(frontEnd, LoadProject(options.projectPath, project))) {
        PrintCommandLineError(err, QStringLiteral("cannot read the project file ") + options.projectPath
                                       + QStringLiteral(" (") + ReadRegularFile(options.projectPath).reason
                                       + QLatin1Char(')'));
        return false;
    }
    project.ProjectFile = options.projectPath;
    for (const auto &set : options.sets)
        *project.switches.find(set.first) = SwitchFromNumber(set.second);
    return true;
}

// What follows a run: the diff, the JSON report, and the exit status. A cancelled run has
// only its JSON report.
ExitStatus FinishRun(const CommandLineOptions &options, const GenerationContext &context, const RunResult &result,
                     FILE *out, FILE *err)
{
    const bool ready = result.outcome == RunOutcome::Ready;
    if (options.diff && ready)
        PrintDiff(context, out, err);
    if (options.reportJson)
        PrintText(out, RunResultJson(result));
    if (!ready && result.backupFailed) {
        PrintCommandLineError(err, FaultSummary(result));
        return ExitFileFault; // stopped for a file fault, not by the user or the input
    }
    if (!ready)
        return ExitCancelled;
    // --check names the files either way; a file that could not be read or written outranks
    // its answer, since the check could not see the whole project.
    const ExitStatus checked = options.check ? CheckResult(result, err) : ExitReady;
    if (result.HasFileFaults()) {
        PrintCommandLineError(err, FaultSummary(result));
        return ExitFileFault;
    }
    return checked;
}

// The project file and its common files, as absolute paths.
QStringList SourcePaths(const ProjectState &project)
{
    QStringList paths{project.ProjectFile};
    for (const QString &file : project.CommonFiles)
        paths.append(QDir::cleanPath(ProjectRelativePath(project.ProjectDirectory(), file)));
    return paths;
}

QStringList WrittenPaths(const GenerationContext &run)
{
    QStringList paths;
    for (const WritePlan::Change &change : run.plan.Changes())
        paths.append(QDir::cleanPath(QFileInfo(change.path).absoluteFilePath()));
    return paths;
}

} // namespace

CommandLineRun RunGeneration(const CommandLineOptions &options, FILE *out, FILE *err)
{
    CliFrontEnd frontEnd(options.binds, options.keepUnbound, out, err);
    frontEnd.SetLog(options.reportJson ? err : out, options.quiet);
    ProjectState project;
    if (!LoadProjectForRun(options, project, frontEnd, err))
        return {ExitUsage, {}, {}};

    // The user's own gadget procedures count as gadget commands; without the list the run
    // goes on with the built-in names.
    ProgramSettings settings;
    WarnOfConfigFile(err);
    ReportFailure(frontEnd, LoadUserGadgets(settings));
    const NameTables nameTables = BuildNameTables(settings.UserGadgetList);
    auto context = std::make_unique<GenerationContext>(project, nameTables, frontEnd);
    context->plan.dryRun = options.dryRun || options.check;
    context->reportInLog = !options.reportJson;
    context->objectsWanted = options.reportJson;
    auto result = std::make_unique<RunResult>(GenerationWorker(*context));
    frontEnd.ReportUnmatchedBinds();
    CommandLineRun run{FinishRun(options, *context, *result, out, err), SourcePaths(project), WrittenPaths(*context),
                       !result->changedWhileRunning.isEmpty()};
    if (options.processEndsAfterRun && !options.watch) {
        // Still reachable, so no leak checker reports them.
        [[maybe_unused]] static GenerationContext *keptToExit;
        [[maybe_unused]] static RunResult *resultKeptToExit;
        keptToExit = context.release();
        resultKeptToExit = result.release();
    }
    return run;
}

ExitStatus RunCommandLine(const CommandLineOptions &options, FILE *out, FILE *err)
{
    if (options.help || options.version) {
        PrintText(out,
                  (options.help ? CommandLineHelp()
                                : QStringLiteral("quarvel-gen ") + QLatin1String(ProgramVersion) + QLatin1Char('\n'))
                      .toUtf8());
        return ExitReady;
    }
    if (options.init)
        return InitProject(options, out, err);
    if (options.watch)
        return WatchProject(options, out, err);
    return RunGeneration(options, out, err).status;
}

} // namespace quarvel
