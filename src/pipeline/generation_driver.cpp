#include "pipeline/generation_driver.h"

#include "base/file_error_line.h"
#include "base/procedure_head.h"
#include "emit/common_file.h"
#include "emit/constants_section.h"
#include "emit/dispatcher.h"
#include "emit/event_procedures.h"
#include "emit/font_section.h"
#include "emit/image_section.h"
#include "emit/language_data.h"
#include "emit/main_window_patch.h"
#include "interpreter/common_file_loading.h"
#include "interpreter/form_event_assignments.h"
#include "interpreter/form_window_enumeration.h"
#include "interpreter/generated_constants.h"
#include "interpreter/include_scan.h"
#include "interpreter/language_strings.h"
#include "interpreter/object_names.h"
#include "interpreter/object_numbers.h"
#include "interpreter/opening_procedure.h"
#include "interpreter/pb_any_objects.h"
#include "interpreter/procedure_images.h"
#include "interpreter/template_names.h"
#include "interpreter/window_prefixes.h"
#include "model/event_files.h"
#include "model/generation_context.h"
#include "model/project_file.h"
#include "pipeline/backup.h"
#include "pipeline/load_project_sources.h"
#include "pipeline/project_report.h"
#include "pipeline/report_output.h"
#include "pipeline/write_output_files.h"
#include "update/code_updates.h"
#include "update/constant_check.h"
#include "update/include_file_updates.h"

namespace quarvel {

namespace {

const int ProjectLockWaitMilliseconds = 5000;

// The journal of the files a run is putting in place, in the project folder while they do.
const QLatin1StringView JournalName(".quarvel-journal");

FileWriter::Content ContentOf(const QString &path)
{
    FileBytes file = ReadRegularFile(path);
    return {file.status == FileBytes::Read, std::move(file.bytes)};
}

QString MainFormatLogLine(TextFormat format)
{
    switch (format) {
    case TextFormat::None: return QStringLiteral(" -> Main.pb not found.");
    case TextFormat::Utf8: return QStringLiteral(" -> UTF-8 BOM found.");
    case TextFormat::Utf16LE: return QStringLiteral(" -> UTF-16 (Little Endian) BOM found.");
    case TextFormat::Utf16BE: return QStringLiteral(" -> UTF-16 (Big Endian) BOM found.");
    case TextFormat::Utf32LE: return QStringLiteral(" -> UTF-32 (Little Endian) BOM found.");
    case TextFormat::Utf32BE: return QStringLiteral(" -> UTF-32 (Big Endian) BOM found.");
    case TextFormat::Latin1: break;
    }
    return QStringLiteral(" -> No BOM found.");
}

// The current names become the stored names that the next run compares with.
void ReplaceStoredConstants(GenerationContext &g)
{
    for (const ObjectKind kind : AllObjectKinds)
        StoredNamesOfKind(g.project.Stored, kind) = NamesOfKind(g.model, kind);
}

void LogCounts(GenerationContext &g)
{
    const auto logCount = [&g](const QString &what, qsizetype count) {
        g.LogLine(QStringLiteral(" -> Count ") + what + QStringLiteral(": ") + QString::number(count));
    };
    for (const ObjectKind kind : AllObjectKinds)
        logCount(ObjectKindName(kind), NamesOfKind(g.model, kind).size());
    logCount(QStringLiteral("Image"), g.model.ImageList.size());
}

// Main.pb's byte-order mark (or the Utf8 switch) decides the format of the generated files.
void CheckMainFile(GenerationContext &g)
{
    g.LogLine(QStringLiteral("- Check Main.pb"));
    const TextFormat mainFormat = DetectMainFormat(g.ProjectDirectory());
    g.LogLine(MainFormatLogLine(mainFormat));
    g.outputFormat = (mainFormat == TextFormat::Utf8 || g.switches().Utf8) ? TextFormat::Utf8 : TextFormat::Latin1;
}

// The common files, the project's sources and Main.pb's includes. False when the project has
// no common file to generate, or when one of them cannot be read.
bool LoadFiles(GenerationContext &g)
{
    g.LogLine(QStringLiteral("- Load Files..."));
    ResetDesignModel(g.model, g.lines);
    // A file the project lists twice (a project written before that was caught) is read once.
    g.model.CommonFileList = NewCommonFiles(g.ProjectDirectory(), {}, g.project.CommonFiles);
    if (const QList<UnreadCommonFile> unread = LoadCommonFiles(g); !unread.isEmpty()) {
        g.LogStop(
            {CannotReadStopLine(unread.first().path, unread.first().reason), LogKind::Error, unread.first().path});
        return false;
    }
    if (!LoadProjectSources(g))
        return false;
    if (g.model.CommonFileList.isEmpty()) {
        g.LogStop({QStringLiteral("None Files to Generate.")});
        return false;
    }
    ScanIncludes(g, QStringLiteral("Main.pb"));
    return true;
}

// The window prefixes and the object names. False when the code cannot be generated from.
bool InterpretCode(GenerationContext &g)
{
    g.LogLine(QStringLiteral("- Interpret code..."));
    ConvertPbAnyObjects(g);
    if (!InsertWindowPrefixes(g) || !CollectObjectNames(g))
        return false;
    ResolveVariableObjects(g);
    ResolveFormEventAssignments(g);
    AvoidTemplateNames(g);
    ChooseMainWindow(g);
    FindFirstObjectNumbers(g);
    AlignFormWindowEnumeration(g);
    DropGeneratedConstants(g);
    return true;
}

// The rewrites of the windows' code that the switches ask for.
void RewriteWindowCode(GenerationContext &g)
{
    if (g.switches().Parend)
        SetParentWindow(g);
    if (g.switches().PB_Ignore)
        SetAutoWindowPosition(g);
    SplitMenuItemTabs(g);
}

void BuildLanguageData(GenerationContext &g)
{
    if (!g.switches().Multilang)
        return;
    WrapLanguageStrings(g);
    CollectLanguageStrings(g);
    EmitLanguageData(g);
}

// The sections of the common file built from what was interpreted.
void BuildSections(GenerationContext &g)
{
    BuildLanguageData(g);
    EmitFontSection(g);
    ReplaceLoadImageCalls(g);
    EmitImageSection(g);
    if (g.switches().Image_Null)
        ZeroImageGadgets(g);
    FindFirstImageAndFontNumbers(g);
    EmitConstantsSection(g);
}

QString CountOf(int files)
{
    return QString::number(files) + (files == 1 ? QStringLiteral(" file") : QStringLiteral(" files"));
}

// A run killed while its files took their places left a set of old and new files and its
// journal: the set is finished, or rolled back where a new text is lost, before anything
// else, and one line says so. A dry run only says that a run will.
void RecoverInterruptedRun(GenerationContext &g)
{
    const QString journal = g.writer.journalPath;
    const QString lead = QStringLiteral(
        " -> Warning: The last run was interrupted while its files took their places; ");
    if (g.plan.dryRun) {
        if (FileWriter::HasJournal(journal)) {
            g.faults.interruptedRun = true;
            g.LogWarning(lead + QStringLiteral("a run that writes will put them right."), journal);
        }
        return;
    }
    const FileWriter::Recovery recovery = FileWriter::RecoverInterruptedWrite(journal);
    if (recovery.kind == FileWriter::Recovery::None)
        return;
    g.faults.interruptedRun = true;
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
    g.LogWarning(line, journal);
}

// One run per project: a second one waits a few seconds for the first, then stops; a folder
// that cannot be locked stops the run too. Temporary files found once the lock is held were
// left by a run that was killed: the set it was putting in place is put right first.
bool LockProject(GenerationContext &g)
{
    const QString dir = g.ProjectDirectory();
    switch (g.projectLock.Acquire(dir, ProjectLockWaitMilliseconds)) {
    case DirectoryLock::Result::Busy:
        g.LogStop({QStringLiteral(" -> Error: Another run is working on ") + dir + QStringLiteral(". Stop!"),
                   LogKind::Error});
        return false;
    case DirectoryLock::Result::Refused:
        g.LogStop({QStringLiteral(" -> Error: Cannot lock ") + dir + QStringLiteral(" against other runs (")
                       + g.projectLock.Reason() + QStringLiteral("). Stop!"),
                   LogKind::Error});
        return false;
    case DirectoryLock::Result::Held:
    case DirectoryLock::Result::NoFolder: // nothing can be written there; each file says so
        break;
    }
    g.writer.journalPath = dir + JournalName;
    RecoverInterruptedRun(g);
    if (g.plan.dryRun)
        return true; // a dry run leaves the folder exactly as it is
    FileWriter::RemoveStaleTemporaryFiles(dir);
    FileWriter::RemoveStaleTemporaryFiles(dir + QStringLiteral("Backup"), true);
    return true;
}

// Renames that would give a procedure of an event file the name of another one there: the
// file would not compile. The run stops in the rename check, before anything is written.
bool RenamesKeepProceduresApart(GenerationContext &g)
{
    const QList<ProcedureClash> clashes = ProcedureRenameClashes(g);
    for (const ProcedureClash &clash : clashes) {
        const QString place = clash.file + QLatin1Char(':');
        const QString text = QStringLiteral(" -> Warning: ") + clash.oldName + QStringLiteral(" would be renamed ")
                             + clash.newName + QStringLiteral(", which ") + clash.file
                             + QStringLiteral(" defines already (") + place + QString::number(clash.line)
                             + QStringLiteral(", ") + place + QString::number(clash.otherLine)
                             + QStringLiteral("); rename or remove one of them first.");
        g.LogWarning(text, g.ProjectDirectory() + clash.file, clash.line);
        if (g.stopReason.isEmpty())
            g.stopReason = text;
    }
    return clashes.isEmpty();
}

// For each event file, the line of its last procedure that no EndProcedure closes, -1 for none.
struct EventFileEnds {
    qsizetype menu = -1;
    qsizetype gadget = -1;
    qsizetype window = -1;
    qsizetype menuLines = 0, gadgetLines = 0, windowLines = 0; // the lines before step 4
};

EventFileEnds OpenProcedures(const OutputLines &l)
{
    return {UnclosedLastProcedure(l.EventMenuLines),
            UnclosedLastProcedure(l.EventGadgetLines),
            UnclosedLastProcedure(l.EventWindowLines),
            l.EventMenuLines.size(),
            l.EventGadgetLines.size(),
            l.EventWindowLines.size()};
}

// Procedures appended to a file whose last procedure is not closed would become part of it:
// the run stops and names the place, and the user's file stays as it is.
bool AppendsAfterClosedProcedures(GenerationContext &g, const EventFileEnds &ends)
{
    const struct {
        const char *file;
        qsizetype open;
        qsizetype before;
        const SourceLineList &lines;
    } files[] = {
        {MenuEvents.name, ends.menu, ends.menuLines, g.lines.EventMenuLines},
        {GadgetEvents.name, ends.gadget, ends.gadgetLines, g.lines.EventGadgetLines},
        {SizeEvents.name, ends.window, ends.windowLines, g.lines.EventWindowLines},
    };
    for (const auto &file : files) {
        if (file.open < 0 || file.lines.size() == file.before)
            continue;
        const QString path = g.ProjectDirectory() + QLatin1String(file.file);
        const QStringView name = ProcedureHeadName(file.lines.at(file.open));
        g.LogStop({QStringLiteral(" -> Error: Procedure ") + (name.isEmpty() ? QStringLiteral("...") : name.toString())
                       + QStringLiteral(" (") + QLatin1String(file.file) + QLatin1Char(':')
                       + QString::number(file.open + 1)
                       + QStringLiteral(") has no EndProcedure: the new procedures would be appended inside it."
                                        " Stop!"),
                   LogKind::Error, path, int(file.open + 1)});
        return false;
    }
    return true;
}

// A file saved by someone else while the run was working (an editor) is not overwritten: the
// run wrote nothing, and stops.
bool StopIfChangedMeanwhile(GenerationContext &g)
{
    const QStringList changed = g.plan.PathsWith(WritePlan::Outcome::Changed);
    for (const QString &path : changed) {
        const LogEntry line{QStringLiteral(" -> Error: ") + path
                                + QStringLiteral(" changed while the run was working. Stop!"),
                            LogKind::Error, path};
        if (path == changed.first())
            g.LogStop(line);
        else
            g.Log(line);
    }
    return changed.isEmpty();
}

// The report follows the run's own log, as a block of its own ended by an empty line.
void LogProjectReport(GenerationContext &g, const RunResult &result)
{
    if (!g.reportInLog)
        return;
    for (const LogEntry &entry : ReportLogEntries(result))
        g.Log(entry);
    g.LogLine(QString());
}

// The steps up to "Ready." or "Cancel.", and how the run ended.
RunResult RunSteps(GenerationContext &g)
{
    const bool interpreted = GenerateStep1(g);
    if (!interpreted || !GenerateStep2(g) || !GenerateStep3(g) || !GenerateStep4(g)) {
        g.projectLock.Release();
        g.Log({QStringLiteral("Cancel."), LogKind::Cancel});
        g.LogLine(QString());
        return BuildRunResult(g, RunOutcome::Cancelled, interpreted);
    }
    const RunResult result = BuildRunResult(g, RunOutcome::Ready);
    LogProjectReport(g, result);
    return result;
}

} // namespace

bool GenerateStep1(GenerationContext &g)
{
    // The desktop program saves a project without a file before it starts a run.
    if (!g.project.ProjectNamed) {
        g.stopReason = QStringLiteral("The project has no file.");
        return false;
    }
    g.LogLine(QStringLiteral("Generate Code Step 1 ..."));
    if (!LockProject(g))
        return false;
    // The run writes the project file last, and only while it holds what it holds now.
    g.plan.NoteRead(g.project.ProjectFile, ContentOf(g.project.ProjectFile));
    CheckMainFile(g);
    if (!LoadFiles(g) || !InterpretCode(g))
        return false;
    RewriteWindowCode(g);
    BuildSections(g);
    return true;
}

bool GenerateStep2(GenerationContext &g)
{
    g.LogLine(QStringLiteral("Generate Code Step 2 ..."));
    g.LogLine(QStringLiteral("- Check Constants..."));
    return CheckWindowConstants(g) && CheckMenuConstants(g) && CheckMenuItemConstants(g) && CheckStatusBarConstants(g)
           && CheckToolBarConstants(g) && CheckGadgetConstants(g) && RenamesKeepProceduresApart(g);
}

bool GenerateStep3(GenerationContext &g)
{
    const struct {
        const char *line;
        void (*operation)(GenerationContext &);
    } stages[] = {
        {"- Make Backup...", MakeBackup},
        {"- Update Prefix", UpdatePrefixes},
        {"- Update Procedure", UpdateProcedureNames},
        {"- Update Constants", UpdateConstantNames},
        {"- Update Open Window", UpdateOpenWindowCalls},
        {"- Update IncludeFiles", UpdateIncludeFiles},
    };
    g.LogLine(QStringLiteral("Generate Code Step 3 ..."));
    for (const auto &stage : stages) {
        g.LogLine(QLatin1String(stage.line));
        stage.operation(g);
        // Without the copies nothing may change: a file could not be had back.
        if (g.faults.backupFailed) {
            g.LogStop({QStringLiteral(" -> Error: The backup into ") + g.ProjectDirectory()
                           + QStringLiteral("Backup failed, so no file is changed. Stop!"),
                       LogKind::Error});
            return false;
        }
    }
    return true;
}

void CreateNewCode(GenerationContext &g)
{
    PatchMainOpenWindow(g);
    EmitCommonFile(g);
    if (g.switches().UseCallFast)
        EmitDispatchCallFast(g);
    else
        EmitDispatchSelect(g);
    EmitEventMenuProcedures(g);
    EmitEventSizeProcedures(g);
    EmitEventExitProcedures(g);
    EmitEventGadgetProcedures(g);
}

bool GenerateStep4(GenerationContext &g)
{
    g.LogLine(QStringLiteral("Generate Code Step 4 ..."));
    g.LogLine(QStringLiteral("- Create new code..."));
    const EventFileEnds ends = OpenProcedures(g.lines);
    CreateNewCode(g);
    if (!AppendsAfterClosedProcedures(g, ends))
        return false;
    LogCounts(g);

    g.LogLine(QStringLiteral("- Write Files..."));
    // The project file, with this run's names, takes its place after the code that uses them,
    // so that no interrupted run stores names the code does not have yet. When the files
    // cannot be written, the code keeps the old names, and so do the names the next run
    // compares with.
    const int projectFile = g.plan.Stage(g.project.ProjectFile, ProjectFileText(g.project, &g.model),
                                         WritePlan::Order::Last);
    if (WriteOutputFiles(g))
        ReplaceStoredConstants(g);
    if (!StopIfChangedMeanwhile(g))
        return false;
    ReportFailure(g.frontEnd, FinishProjectSave(g.project, g.plan.IsCurrent(projectFile)));
    g.Log({QStringLiteral("Ready."), LogKind::Ready});
    g.LogLine(QString());
    return true;
}

RunResult GenerationWorker(GenerationContext &g)
{
    g.frontEnd.RunStarted();
    const RunResult result = RunSteps(g);
    g.projectLock.Release();
    g.frontEnd.RunFinished(result);
    return result;
}

} // namespace quarvel
