#include "pipeline/generation_driver.h"

#include "base/file_error_line.h"
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
    g.model.CommonFileList = g.project.CommonFiles;
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

// One run per project: a second one waits a few seconds for the first, then stops; a folder
// that cannot be locked stops the run too. Temporary files found once the lock is held were
// left by a run that was killed.
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
    if (g.plan.dryRun)
        return true; // a dry run leaves the folder exactly as it is
    FileWriter::RemoveStaleTemporaryFiles(dir);
    FileWriter::RemoveStaleTemporaryFiles(dir + QStringLiteral("Backup"), true);
    return true;
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
    if (!interpreted || !GenerateStep2(g)) {
        g.projectLock.Release();
        g.Log({QStringLiteral("Cancel."), LogKind::Cancel});
        g.LogLine(QString());
        return BuildRunResult(g, RunOutcome::Cancelled, interpreted);
    }
    GenerateStep3(g);
    GenerateStep4(g);
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
           && CheckToolBarConstants(g) && CheckGadgetConstants(g);
}

void GenerateStep3(GenerationContext &g)
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
    }
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

void GenerateStep4(GenerationContext &g)
{
    g.LogLine(QStringLiteral("Generate Code Step 4 ..."));
    g.LogLine(QStringLiteral("- Create new code..."));
    CreateNewCode(g);
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
    ReportFailure(g.frontEnd, FinishProjectSave(g.project, g.plan.IsCurrent(projectFile)));
    g.Log({QStringLiteral("Ready."), LogKind::Ready});
    g.LogLine(QString());
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
