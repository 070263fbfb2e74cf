#include "pipeline/generation_driver.h"

#include "emit/common_file.h"
#include "emit/constants_section.h"
#include "emit/dispatcher.h"
#include "emit/event_procedures.h"
#include "emit/font_section.h"
#include "emit/image_section.h"
#include "emit/language_data.h"
#include "emit/main_window_patch.h"
#include "interpreter/common_file_loading.h"
#include "interpreter/include_scan.h"
#include "interpreter/language_strings.h"
#include "interpreter/object_names.h"
#include "interpreter/procedure_images.h"
#include "interpreter/window_prefixes.h"
#include "model/generation_context.h"
#include "model/project_file.h"
#include "pipeline/backup.h"
#include "pipeline/load_project_sources.h"
#include "pipeline/write_output_files.h"
#include "update/code_updates.h"
#include "update/constant_check.h"
#include "update/include_file_updates.h"

namespace quarvel {

namespace {

QString MainFormatLogLine(TextFormat format)
{
    switch (format) {
    case FormatNone: return QStringLiteral(" -> Main.pb not found.");
    case FormatUtf8: return QStringLiteral(" -> UTF-8 BOM found.");
    case FormatUtf16LE: return QStringLiteral(" -> UTF-16 (Little Endian) BOM found.");
    case FormatUtf16BE: return QStringLiteral(" -> UTF-16 (Big Endian) BOM found.");
    case FormatUtf32LE: return QStringLiteral(" -> UTF-32 (Little Endian) BOM found.");
    case FormatUtf32BE: return QStringLiteral(" -> UTF-32 (Big Endian) BOM found.");
    case FormatLatin1: break;
    }
    return QStringLiteral(" -> No BOM found.");
}

// The current names become the stored names that the next run compares with.
void ReplaceStoredConstants(GenerationContext &g)
{
    StoredConstants &stored = g.project.Stored;
    const DesignModel &m = g.model;
    stored.Window = m.WindowList;
    stored.Menu = m.MenuList;
    stored.MenuItem = m.MenuItemList;
    stored.StatusBar = m.StatusBarList;
    stored.ToolBar = m.ToolBarList;
    stored.Gadget.clear();
    stored.Gadget.reserve(m.GadgetList.size());
    for (const GadgetRecord &gadget : m.GadgetList)
        stored.Gadget.append(gadget.name);
}

void LogCounts(GenerationContext &g)
{
    const DesignModel &m = g.model;
    const struct { const char *label; qsizetype count; } counts[] = {
        {" -> Count Window: ", m.WindowList.size()},
        {" -> Count MenuBar: ", m.MenuList.size()},
        {" -> Count MenuItem: ", m.MenuItemList.size()},
        {" -> Count StatusBar: ", m.StatusBarList.size()},
        {" -> Count ToolBar: ", m.ToolBarList.size()},
        {" -> Count Gadget: ", m.GadgetList.size()},
        {" -> Count Image: ", m.ImageList.size()},
    };
    for (const auto &c : counts)
        g.LogLine(QLatin1String(c.label) + QString::number(c.count));
}

int StopRun(GenerationContext &g)
{
    g.frontEnd.EnableMainWindow();
    return 0;
}

} // namespace

int GenerateStep1(GenerationContext &g)
{
    if (!g.project.ProjectNamed && !g.frontEnd.SaveProjectAs())
        return 0;

    g.LogLine(QStringLiteral("Generate Code Step 1 ..."));
    g.LogLine(QStringLiteral("- Check Main.pb"));
    const TextFormat mainFormat = DetectMainFormat(g.ProjectDirectory());
    g.LogLine(MainFormatLogLine(mainFormat));
    g.OutputFormat = (mainFormat == FormatUtf8 || g.switches().Utf8) ? FormatUtf8 : FormatLatin1;

    g.LogLine(QStringLiteral("- Load Files..."));
    ResetDesignModel(g.model, g.lines);
    g.model.CommonFileList = g.project.CommonFiles;
    LoadCommonFiles(g);
    LoadProjectSources(g);
    if (g.model.CommonFileList.isEmpty()) {
        g.LogLine(QStringLiteral("None Files to Generate."));
        return StopRun(g);
    }
    ScanIncludes(g, QStringLiteral("Main.pb"));

    g.LogLine(QStringLiteral("- Interpret code..."));
    if (!InsertWindowPrefixes(g) || !CollectObjectNames(g))
        return StopRun(g);

    const Switches &s = g.switches();
    if (s.Parend)
        SetParentWindow(g);
    if (s.PB_Ignore)
        SetAutoWindowPosition(g);
    SplitMenuItemTabs(g);
    if (s.Multilang) {
        WrapLanguageStrings(g);
        CollectLanguageStrings(g);
        EmitLanguageData(g);
    }
    EmitFontSection(g);
    ReplaceLoadImageCalls(g);
    EmitImageSection(g);
    if (s.Image_Null)
        ZeroImageGadgets(g);
    EmitConstantsSection(g);
    return 1;
}

int GenerateStep2(GenerationContext &g)
{
    g.LogLine(QStringLiteral("Generate Code Step 2 ..."));
    g.LogLine(QStringLiteral("- Check Constants..."));
    return CheckWindowConstants(g) && CheckMenuConstants(g) && CheckMenuItemConstants(g)
           && CheckStatusBarConstants(g) && CheckToolBarConstants(g) && CheckGadgetConstants(g);
}

void GenerateStep3(GenerationContext &g)
{
    const struct { const char *line; void (*operation)(GenerationContext &); } stages[] = {
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
    WriteOutputFiles(g);
    ReportFailure(g.frontEnd, SaveProject(g.project.ProjectFile, g.project, g.writer, &g.model));
    ReplaceStoredConstants(g);
    g.LogLine(QStringLiteral("Ready."));
    g.LogLine(QString());
    g.frontEnd.EnableMainWindow();
}

int GenerationWorker(GenerationContext &g)
{
    g.frontEnd.RunStarted();
    if (!GenerateStep1(g) || !GenerateStep2(g)) {
        g.LogLine(QStringLiteral("Cancel."));
        g.LogLine(QString());
        g.frontEnd.EnableMainWindow();
        return 0;
    }
    GenerateStep3(g);
    GenerateStep4(g);
    return 1;
}

} // namespace quarvel
