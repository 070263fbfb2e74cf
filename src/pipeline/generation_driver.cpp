#include "pipeline/generation_driver.h"

#include "base/procedure_head.h"
#include "emit/carried_loop_code.h"
#include "emit/common_file.h"
#include "emit/constants_section.h"
#include "emit/dispatcher.h"
#include "emit/event_procedures.h"
#include "emit/font_section.h"
#include "emit/image_section.h"
#include "emit/language_data.h"
#include "emit/main_window_patch.h"
#include "interpreter/common_file_loading.h"
#include "interpreter/event_loop_takeover.h"
#include "interpreter/form_event_calls.h"
#include "interpreter/form_window_enumeration.h"
#include "interpreter/generated_constants.h"
#include "interpreter/include_scan.h"
#include "interpreter/language_strings.h"
#include "interpreter/object_names.h"
#include "interpreter/object_numbers.h"
#include "interpreter/opening_procedure.h"
#include "interpreter/pb_any_objects.h"
#include "interpreter/procedure_images.h"
#include "interpreter/pure_basic_constants.h"
#include "interpreter/template_names.h"
#include "interpreter/window_call_rewrites.h"
#include "interpreter/window_prefixes.h"
#include "model/event_files.h"
#include "model/generated_files.h"
#include "model/log_messages.h"
#include "model/project_file.h"
#include "model/source_folder.h"
#include "pipeline/backup.h"
#include "pipeline/generation_context.h"
#include "pipeline/load_project_sources.h"
#include "pipeline/project_lock.h"
#include "pipeline/project_report.h"
#include "pipeline/report_output.h"
#include "pipeline/write_output_files.h"
#include "update/code_updates.h"
#include "update/constant_check.h"
#include "update/include_file_updates.h"

namespace quarvel {

namespace {

FileWriter::Content ContentOf(const QString &path)
{
    FileBytes file = ReadRegularFile(path);
    return {bool(file), std::move(file.bytes)};
}

// Where the passes read the files the sources name.
SourceFolder SourceFolderOf(const GenerationContext &run)
{
    return {run.ProjectDirectory(), run.outputFormat};
}

// How many names of a kind the model holds; the gadgets are counted without a list of their
// names, which cost an unchanged regeneration of 200 x 100 (bench/make_project.py) 0.4 M
// instructions (callgrind).
qsizetype NameCount(const DesignModel &model, ObjectKind kind)
{
    return NamedKind(kind) == ObjectKind::Gadget ? model.GadgetList.size() : NamesOfKind(model, kind).size();
}

void LogCounts(GenerationContext &run)
{
    for (const ObjectKind kind : AllObjectKinds)
        run.log.Line(CountLine(ObjectKindName(kind), NameCount(run.model, kind)));
    run.log.Line(CountLine(QStringLiteral("Image"), run.model.ImageList.size()));
}

// Main.pb's byte-order mark (or the Utf8 switch) decides the format of the generated files.
void CheckMainFile(GenerationContext &run)
{
    run.log.Line(QStringLiteral("- Check Main.pb"));
    const TextFormat mainFormat = DetectMainFormat(run.ProjectDirectory());
    run.log.Line(FormatFoundLine(mainFormat));
    run.outputFormat = (mainFormat == TextFormat::Utf8 || run.switches().Utf8) ? TextFormat::Utf8 : TextFormat::Latin1;
}

// The common files, the project's sources and Main.pb's includes. False when the project has
// no common file to generate, or when one of them cannot be read.
bool LoadFiles(GenerationContext &run)
{
    run.log.Line(QStringLiteral("- Load Files..."));
    ResetDesignModel(run.model, run.lines);
    // A file the project lists twice (a project written before that was caught) is read once.
    run.model.CommonFileList = NewCommonFiles(run.ProjectDirectory(), {}, run.project.CommonFiles);
    if (const QList<FileResult> unread = LoadCommonFiles(run.model, SourceFolderOf(run), run.log); !unread.isEmpty()) {
        run.log.Stop(
            {CannotReadStopLine(unread.first().path, unread.first().reason), LogKind::Error, unread.first().path});
        return false;
    }
    if (!LoadProjectSources(run))
        return false;
    if (run.model.CommonFileList.isEmpty()) {
        run.log.Stop({QStringLiteral("None Files to Generate.")});
        return false;
    }
    ScanIncludes(run.model, SourceFolderOf(run), FileName(GeneratedFileId::Main));
    return true;
}

// The window prefixes and the object names. False when the code cannot be generated from.
bool InterpretCode(GenerationContext &run)
{
    run.log.Line(QStringLiteral("- Interpret code..."));
    DesignModel &model = run.model;
    ConvertPbAnyObjects(model, run.nameTables);
    DeclaringLines declaring;
    if (!InsertWindowPrefixes(model, run.nameTables, run.log, &declaring))
        return false;
    NumberRepeatedConstants(model, declaring);
    // The prefixes rewrote nearly every line: the lines left in the files' buffers are packed,
    // so that the buffers go. Kept, they took the peak of an unchanged 1000 x 100 regeneration
    // (bench/make_project.py) to 189,900 KiB, against 175,120 KiB (maximum resident set size).
    model.CommonSourceLines.packSparseTexts();
    if (!CollectObjectNames(model, run.nameTables, run.log, declaring))
        return false;
    KeepPureBasicConstants(model);
    ResolveVariableObjects(model, run.log);
    ResolveFormEventAssignments(model, run.lines, SourceFolderOf(run), run.log);
    AvoidTemplateNames(model, run.lines.MainLines, run.switches(), run.log);
    TakeOverEventLoops(model, run.lines, run.log);
    ChooseMainWindow(model, run.log);
    FindFirstObjectNumbers(model, run.nameTables, run.log);
    AlignFormWindowEnumeration(model);
    DropGeneratedConstants(model);
    return true;
}

// The rewrites of the windows' code that the switches ask for.
void RewriteWindowCode(GenerationContext &run)
{
    if (run.switches().Parend || run.switches().PB_Ignore) {
        const QList<qsizetype> windowLines = WindowOpeningLines(run.model.CommonSourceLines);
        if (run.switches().Parend)
            SetParentWindow(run.model, windowLines);
        if (run.switches().PB_Ignore)
            SetAutoWindowPosition(run.model, windowLines);
    }
    SplitMenuItemTabs(run.model);
}

// The texts the windows show, looked up by key in the Catalog's languages.
void InterpretLanguageStrings(GenerationContext &run)
{
    if (!run.switches().Multilang)
        return;
    WrapLanguageStrings(run.model);
    const LanguageKeysUsed used = CollectLanguageStrings(run.model, run.lines, SourceFolderOf(run), run.log);
    run.languageKeysUsed.unite(used.keys);
    run.faults.unread += used.unreadIncludes;
    CheckLanguageBlock(run.lines.LoadLanguageLines, run.log);
}

// The languages, images and fonts the common file's sections declare.
void InterpretResources(GenerationContext &run)
{
    InterpretLanguageStrings(run);
    ReplaceLoadImageCalls(run.model);
    if (run.switches().Image_Null)
        ZeroImageGadgets(run.model);
    FindFirstImageAndFontNumbers(run.model, run.nameTables, run.log);
}

// Renames that would give a procedure of an event file the name of another one there: the
// file would not compile. The run stops in the rename check, before anything is written.
bool RenamesKeepProceduresApart(GenerationContext &run)
{
    const QList<ProcedureClash> clashes = ProcedureRenameClashes(run.renames, run.lines);
    for (const ProcedureClash &clash : clashes) {
        const QString text = RenameClashWarning(clash.oldName, clash.newName, clash.file, clash.line, clash.otherLine);
        run.log.Warning(text, run.ProjectDirectory() + clash.file, clash.line);
        if (run.log.stopReason.isEmpty())
            run.log.stopReason = text;
    }
    return clashes.isEmpty();
}

// For each event file, in EventFileIds' order: the line of its last procedure that no
// EndProcedure closes (-1 for none), and its lines before step 4.
struct EventFileEnd {
    qsizetype open = -1;
    qsizetype lines = 0;
};
using EventFileEnds = std::array<EventFileEnd, std::size(EventFileIds)>;

EventFileEnds OpenProcedures(const OutputLines &l)
{
    EventFileEnds ends;
    for (size_t f = 0; f < ends.size(); ++f) {
        const SourceLineList &lines = l.*FileOf(EventFileIds[f]).lines;
        ends[f] = {UnclosedLastProcedure(lines), lines.size()};
    }
    return ends;
}

// Procedures appended to a file whose last procedure is not closed would become part of it:
// the run stops and names the place, and the user's file stays as it is.
bool AppendsAfterClosedProcedures(GenerationContext &run, const EventFileEnds &ends)
{
    for (size_t f = 0; f < ends.size(); ++f) {
        const GeneratedFile &file = FileOf(EventFileIds[f]);
        const SourceLineList &lines = run.lines.*file.lines;
        const qsizetype open = ends[f].open;
        if (open < 0 || lines.size() == ends[f].lines)
            continue;
        const QString path = run.ProjectDirectory() + QLatin1String(file.name);
        const QStringView name = ProcedureHeadName(lines.at(open));
        run.log.Stop({UnclosedProcedureStopLine(name, QLatin1String(file.name), int(open + 1)), LogKind::Error, path,
                      int(open + 1)});
        return false;
    }
    return true;
}

// A file saved by someone else while the run was working (an editor) is not overwritten: the
// run wrote nothing, and stops.
bool StopIfChangedMeanwhile(GenerationContext &run)
{
    const QStringList changed = run.plan.PathsWith(WritePlan::Outcome::Changed);
    for (const QString &path : changed) {
        const LogEntry line{ChangedMeanwhileStopLine(path), LogKind::Error, path};
        if (path == changed.first())
            run.log.Stop(line);
        else
            run.log.Log(line);
    }
    return changed.isEmpty();
}

// The report follows the run's own log, as a block of its own ended by an empty line.
void LogProjectReport(GenerationContext &run, const RunResult &result)
{
    if (!run.reportInLog)
        return;
    for (const LogEntry &entry : ReportLogEntries(result))
        run.log.Log(entry);
    run.log.Line(QString());
}

// The steps up to "Ready." or "Cancel.", and how the run ended.
RunResult RunSteps(GenerationContext &run)
{
    const bool interpreted = LoadAndInterpret(run);
    if (!interpreted || !CheckNames(run) || !CarryRenames(run) || !WriteFiles(run)) {
        run.projectLock.Release();
        run.log.Log({QStringLiteral("Cancel."), LogKind::Cancel});
        run.log.Line(QString());
        return BuildRunResult(run, RunOutcome::Cancelled, interpreted);
    }
    const RunResult result = BuildRunResult(run, RunOutcome::Ready);
    LogProjectReport(run, result);
    return result;
}

} // namespace

bool LoadAndInterpret(GenerationContext &run)
{
    // The desktop program saves a project without a file before it starts a run.
    if (!run.project.ProjectNamed) {
        run.log.stopReason = QStringLiteral("The project has no file.");
        return false;
    }
    run.log.Line(QStringLiteral("Generate Code Step 1 ..."));
    if (!LockProject(run))
        return false;
    // The run writes the project file last, and only while it holds what it holds now.
    run.plan.NoteRead(run.project.ProjectFile, ContentOf(run.project.ProjectFile));
    CheckMainFile(run);
    if (!LoadFiles(run) || !InterpretCode(run))
        return false;
    RewriteWindowCode(run);
    InterpretResources(run);
    return true;
}

bool CheckNames(GenerationContext &run)
{
    run.log.Line(QStringLiteral("Generate Code Step 2 ..."));
    run.log.Line(QStringLiteral("- Check Constants..."));
    Renames &renames = run.renames;
    renames.windowObjects.clear();
    if (!CheckRenames({run.model, run.project.Stored, run.frontEnd}, renames.bindings, run.log.stopReason))
        return false;
    renames.windowObjects = WindowObjectBindings(renames.bindings, run.project.Stored, run.model.WindowList);
    return RenamesKeepProceduresApart(run);
}

bool CarryRenames(GenerationContext &run)
{
    const struct {
        const char *line;
        void (*operation)(GenerationContext &);
    } stages[] = {
        {"- Make Backup...", MakeBackup},
        {"- Update Prefix", [](GenerationContext &run) { UpdatePrefixes(run.renames, run.lines); }},
        {"- Update Procedure", [](GenerationContext &run) { UpdateProcedureNames(run.renames, run.lines); }},
        {"- Update Constants",
         [](GenerationContext &run) { UpdateConstantNames(run.renames, run.model.VariableObjects, run.lines); }},
        {"- Update Open Window", [](GenerationContext &run) { UpdateOpenWindowCalls(run.renames, run.lines); }},
        {"- Update IncludeFiles", StageIncludeUpdates},
    };
    run.log.Line(QStringLiteral("Generate Code Step 3 ..."));
    for (const auto &stage : stages) {
        run.log.Line(QLatin1String(stage.line));
        stage.operation(run);
        // Without the copies nothing may change: a file could not be had back.
        if (run.faults.backupFailed) {
            run.log.Stop({BackupFailedStopLine(run.ProjectDirectory()), LogKind::Error});
            return false;
        }
    }
    return true;
}

void CreateNewCode(DesignModel &model, const Switches &switches, OutputLines &output, LogSink &log)
{
    if (switches.Multilang)
        EmitLanguageData(model, output);
    EmitFontSection(model, output);
    EmitImageSection(model, switches, output);
    EmitConstantsSection(model, output);
    PatchMainOpenWindow(model, output, log);
    EmitCommonFile(model, switches, output);
    if (switches.UseCallFast)
        EmitDispatchCallFast(model, output);
    else
        EmitDispatchSelect(model, output);
    EmitEventMenuProcedures(model, output);
    EmitEventSizeProcedures(model, output);
    EmitEventExitProcedures(model, output);
    EmitEventGadgetProcedures(model, output);
    EmitCarriedLoopCode(model, output, log);
}

bool WriteFiles(GenerationContext &run)
{
    run.log.Line(QStringLiteral("Generate Code Step 4 ..."));
    run.log.Line(QStringLiteral("- Create new code..."));
    const EventFileEnds ends = OpenProcedures(run.lines);
    CreateNewCode(run.model, run.switches(), run.lines, run.log);
    if (!AppendsAfterClosedProcedures(run, ends))
        return false;
    LogCounts(run);

    run.log.Line(QStringLiteral("- Write Files..."));
    // The project file, with this run's names, takes its place after the code that uses them,
    // so that no interrupted run stores names the code does not have yet. When the files
    // cannot be written, the code keeps the old names, and so do the names the next run
    // compares with.
    // The names are listed once, for the file and for the next run: listed for each, they cost
    // an unchanged regeneration of 200 x 100 (bench/make_project.py) 0.5 M instructions more.
    ProjectState next = run.project;
    next.Stored = CurrentNames(run.model);
    const int projectFile = run.plan.Stage(run.project.ProjectFile, ProjectFileText(next), WritePlan::Order::Last);
    if (WriteOutputFiles(run))
        run.project.Stored = std::move(next.Stored);
    if (!StopIfChangedMeanwhile(run))
        return false;
    ReportFailure(run.frontEnd, FinishProjectSave(run.project, run.plan.ResultOf(projectFile)));
    run.log.Log({QStringLiteral("Ready."), LogKind::Ready});
    run.log.Line(QString());
    return true;
}

RunResult GenerationWorker(GenerationContext &run)
{
    run.frontEnd.RunStarted();
    const RunResult result = RunSteps(run);
    run.projectLock.Release();
    run.frontEnd.RunFinished(result);
    return result;
}

} // namespace quarvel
