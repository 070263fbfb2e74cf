#include "support/interpreter_fixture.h"
#include "support/output_capture.h"
#include "support/project_checker.h"

#include "interpreter/common_file_loading.h"
#include "interpreter/constant_declarations.h"
#include "interpreter/event_loop_reading.h"
#include "interpreter/include_scan.h"
#include "interpreter/language_strings.h"
#include "interpreter/object_names.h"
#include "interpreter/pb_any_objects.h"
#include "interpreter/procedure_images.h"
#include "interpreter/window_call_rewrites.h"
#include "interpreter/window_prefixes.h"
#include "pipeline/generation_driver.h"
#include "pipeline/load_project_sources.h"

#include <QElapsedTimer>
#include <QTest>

using namespace quarvel;

class TestInterpreterRuns : public QObject {
    Q_OBJECT

private slots:
    void designerAndHandWrittenProject();
    void designerNumbersBarsPerWindow();
    void passesKeepTheNumberOfLines();
    void twoRunsGiveTheSameModel();
    void largeCommonFile();
    void commandLineStops_data();
    void commandLineStops();
    void commandLineWarnings_data();
    void commandLineWarnings();
    void openedWindowTest_data();
    void openedWindowTest();
    void constantValues_data();
    void constantValues();
    void formEventAssignments();
    void numberedObjectsKeepTheirNumbers_data();
    void numberedObjectsKeepTheirNumbers();
    void eventLoopBodies_data();
    void eventLoopBodies();
    void eventLoopIntoAnEarlierProject();
};

namespace {

Switches AllRewrites()
{
    Switches s;
    s.Parend = 1;
    s.PB_Ignore = 1;
    s.Multilang = 1;
    s.Image_Null = 1;
    return s;
}

QStringList GadgetNamesAndTypes(const DesignModel &m)
{
    QStringList names;
    for (const GadgetRecord &gadget : m.GadgetList)
        names << gadget.name + QLatin1Char(' ') + gadget.type;
    return names;
}

} // namespace

// The form-designer file (given relative to the project) and a hand-written file (absolute)
// through the whole of step 1 with every window rewrite switched on.
void TestInterpreterRuns::designerAndHandWrittenProject()
{
    TestProject d;
    d.copyFrom("interpreter/mixed");
    ProjectState project = d.project({"Files.pbf", d.path("Tools.pb")}, AllRewrites());
    GenerationRun run(project);

    QVERIFY(LoadAndInterpret(run.context));
    // Step 1 reads and interprets: no generated line is written before step 4.
    const OutputLines &l = run.context.lines;
    QVERIFY(l.ConstantLines.isEmpty() && l.FontLines.isEmpty() && l.ImageLines.isEmpty());
    QVERIFY(l.CommonFileLines.isEmpty());
    const DesignModel &m = run.context.model;
    QCOMPARE(m.WindowList, (QStringList{"WindowMain", "Window_Tools"}));
    QCOMPARE(m.MenuList, (QStringList{"WindowMain_Menu", "Window_Tools_Popup"}));
    QCOMPARE(m.MenuItemList, (QStringList{"WindowMain_MenuOpen", "WindowMain_MenuSave", "WindowMain_MenuQuit",
                                          "Window_Tools_Popup_Copy", "Window_Tools_Popup_Paste"}));
    QCOMPARE(m.StatusBarList, QStringList{"WindowMain_StatusBar"});
    QCOMPARE(m.ToolBarList, QStringList{"WindowMain_ToolBar"});
    QCOMPARE(GadgetNamesAndTypes(m),
             (QStringList{"WindowMain_ButtonOk BUTTONGADGET", "WindowMain_ListFiles LISTVIEWGADGET",
                          "WindowMain_Text_0 TEXTGADGET", "WindowMain_Image_0 IMAGEGADGET",
                          "Window_Tools_Check_Auto CHECKBOXGADGET", "Window_Tools_Button_Run BUTTONGADGET",
                          "Window_Tools_String_Name STRINGGADGET", "Window_Tools_Track_0 TRACKBARGADGET",
                          "Window_Tools_Button_Left BUTTONGADGET", "Window_Tools_Button_Right BUTTONGADGET",
                          "Window_Tools_Splitter_0 SPLITTERGADGET", "Window_Tools_Image_Logo IMAGEGADGET"}));

    // The in-procedure load of the same file in other letter case reuses the global image.
    QCOMPARE(m.ImageList.size(), 1);
    QCOMPARE(m.ImageList.at(0).name, "#Img_WindowMain_0");
    QCOMPARE(m.ImageList.at(0).file, "images/Open.png");
    QCOMPARE(m.FontList.size(), 1);
    QCOMPARE(m.FontList.at(0).line, "LoadFont(#Font_WindowMain_0,\"DejaVu Sans\", 10, #PB_Font_Bold)");

    QCOMPARE(m.IncludeFileList, (QStringList{d.path("Helpers.pb"), "sub/Strings.pb", d.path("Missing.pb")}));
    const QStringList keys = m.Languages.keys();
    QVERIFY(keys.contains("Open a file"));
    QCOMPARE(keys.mid(keys.size() - 4), (QStringList{"Hello", "World", "From helper", "Grüße"}));

    QCOMPARE(
        run.frontEnd.log,
        (QStringList{"Generate Code Step 1 ...", "- Check Main.pb", " -> No BOM found.", "- Load Files...",
                     "- Interpret code...",
                     " -> Warning: Find duplicate MenuItemID(#WindowMain_MenuOpen) by ToolbarButton. (Files.pbf:43)",
                     " -> Error OpenFile " + d.path("Missing.pb") + " / Errorcode: 1"}));

    const QStringList &lines = m.CommonSourceLines.texts();
    const auto lineWith = [&lines](const QString &start) {
        for (const QString &line : lines) {
            if (line.trimmed().startsWith(start))
                return line.trimmed();
        }
        return QString();
    };
    QCOMPARE(lineWith("Procedure Open_WindowMain"),
             "Procedure Open_WindowMain(x = 0, y = 0, width = 480, height = 320)");
    QCOMPARE(lineWith("OpenWindow(#WindowMain"),
             "OpenWindow(#WindowMain, #PB_Ignore, #PB_Ignore, width, height, MyLanguage(\"Files\"), "
             "#PB_Window_SystemMenu | #PB_Window_SizeGadget)");
    QCOMPARE(lineWith("If OpenWindow(#Window_Tools"),
             "If OpenWindow(#Window_Tools, #PB_Ignore, #PB_Ignore, 300, 200, MyLanguage(\"Tools, options\"), "
             "#PB_Window_SystemMenu | #PB_Window_ScreenCentered, WindowID(#WindowMain))");
    QCOMPARE(lineWith("ToolBarToolTip"),
             "ToolBarToolTip(#WindowMain_ToolBar, #WindowMain_MenuOpen, MyLanguage(\"Open a file\"))");
    QCOMPARE(lineWith("menuitem(#Window_Tools_Popup_Copy"),
             "menuitem(#Window_Tools_Popup_Copy, MyLanguage(\"Copy\") + #TAB$ + \"Ctrl+C\")   ; lower-case command");
    QCOMPARE(lineWith("ResizeGadget"),
             "ResizeGadget(#WindowMain_ListFiles, 10, 40, FormWindowWidth - 20, FormWindowHeight - "
             "ToolBarHeight(#WindowMain_ToolBar) - StatusBarHeight(#WindowMain_StatusBar) - MenuHeight() - 50)");
    QCOMPARE(lineWith("SplitterGadget"),
             "SplitterGadget(#Window_Tools_Splitter_0, 10, 130, 280, 60, #Window_Tools_Button_Left, "
             "#Window_Tools_Button_Right, #PB_Splitter_Vertical)");
    QCOMPARE(lineWith("ImageGadget(#Window_Tools"), "ImageGadget(#Window_Tools_Image_Logo, 220, 10, 64, 64, 0)");
    QCOMPARE(lineWith("ImageGadget(#WindowMain"), "ImageGadget(#WindowMain_Image_0, 220, 70, 64, 64, 0)");
    // The form's declarations come first; its image and font members are the sections' own.
    QCOMPARE(lines.first(), "Enumeration FormWindow");
    QVERIFY(lines.indexOf("Enumeration FormImage")
            < lines.indexOf("Procedure Open_WindowMain(x = 0, y = 0, width = 480, height = 320)"));
    QCOMPARE(lines.mid(lines.indexOf("Enumeration FormImage"), 3),
             (QStringList{"Enumeration FormImage", "  ; #Img_WindowMain_0", "EndEnumeration"}));
    QVERIFY(lines.contains("Global ToolsVisible = #False"));
}

// A designer file with a byte-order mark and CR LF line ends, whose two windows each have a
// menu and a status bar numbered 0: converted and prefixed, every bar is its own constant.
void TestInterpreterRuns::designerNumbersBarsPerWindow()
{
    TestProject d;
    d.copyFrom("interpreter/two_windows");
    Switches off;
    off.Parend = off.PB_Ignore = 0;
    ProjectState project = d.project({"Dialogs.pbf"}, off);
    GenerationRun run(project);

    QVERIFY(LoadAndInterpret(run.context));
    const DesignModel &m = run.context.model;
    QCOMPARE(m.WindowList, (QStringList{"Dlg_Search", "Dlg_Result"}));
    QCOMPARE(m.MenuList, (QStringList{"Dlg_Search_Menu", "Dlg_Result_Menu"}));
    QCOMPARE(m.StatusBarList, (QStringList{"Dlg_Search_StatusBar", "Dlg_Result_StatusBar"}));
    QCOMPARE(m.ToolBarList, QStringList{"Dlg_Result_ToolBar"});
    QCOMPARE(m.MenuItemList, (QStringList{"Dlg_Search_Mnu_Close", "Dlg_Result_Mnu_Copy", "Dlg_Result_Tb_Stop"}));
    QCOMPARE(GadgetNamesAndTypes(m),
             (QStringList{"Dlg_Search_Str_Find STRINGGADGET", "Dlg_Search_Btn_Go BUTTONGADGET",
                          "Dlg_Result_List_Hits LISTICONGADGET", "Dlg_Result_Progress PROGRESSBARGADGET"}));
    QCOMPARE(run.frontEnd.log.mid(4), QStringList{"- Interpret code..."});

    const QStringList &lines = m.CommonSourceLines.texts();
    QCOMPARE(lines.first(), "Enumeration FormWindow");
    QVERIFY(lines.contains("Procedure Open_Dlg_Search(x = 0, y = 0, width = 320, height = 90)"));
    QVERIFY(lines.contains("  MenuItem(#Dlg_Search_Mnu_Close, \"Schließen\")"));
    QVERIFY(lines.contains("  AddStatusBarField(#PB_Ignore)"));
    QVERIFY(lines.contains("  StatusBarProgress(#Dlg_Result_StatusBar, 0, 0)"));
    QVERIFY(lines.contains(
        "  ResizeGadget(#Dlg_Result_List_Hits, 0, 0, FormWindowWidth, FormWindowHeight - "
        "StatusBarHeight(#Dlg_Result_StatusBar) - ToolBarHeight(#Dlg_Result_ToolBar) - MenuHeight() - 20)"));
}

// Every pass rewrites lines in place; the procedure text keeps its shape.
void TestInterpreterRuns::passesKeepTheNumberOfLines()
{
    TestProject d;
    d.copyFrom("interpreter/mixed");
    ProjectState project = d.project({"Files.pbf", "Tools.pb"}, AllRewrites());
    GenerationRun run(project);
    GenerationContext &g = run.context;
    const SourceFolder folder{d.dir(), g.outputFormat};
    g.model.CommonFileList = project.CommonFiles;
    LoadCommonFiles(g.model, folder, g.log);
    LoadProjectSources(g);
    ScanIncludes(g.model, folder, "Main.pb");
    const qsizetype count = g.model.CommonSourceLines.size();
    QCOMPARE(count, 95);

    DesignModel &m = g.model;
    const struct {
        const char *name;
        std::function<void()> pass;
    } passes[] = {
        {"InsertWindowPrefixes", [&] { QVERIFY(InsertWindowPrefixes(m, g.nameTables, g.log)); }},
        {"CollectObjectNames", [&] { QVERIFY(CollectObjectNames(m, g.nameTables, g.log)); }},
        {"SetParentWindow", [&] { SetParentWindow(m, WindowOpeningLines(m.CommonSourceLines)); }},
        {"SetAutoWindowPosition", [&] { SetAutoWindowPosition(m, WindowOpeningLines(m.CommonSourceLines)); }},
        {"SplitMenuItemTabs", [&] { SplitMenuItemTabs(m); }},
        {"WrapLanguageStrings", [&] { WrapLanguageStrings(m); }},
        {"CollectLanguageStrings", [&] { CollectLanguageStrings(m, g.lines, folder, g.log); }},
        {"ReplaceLoadImageCalls", [&] { ReplaceLoadImageCalls(m); }},
        {"ZeroImageGadgets", [&] { ZeroImageGadgets(m); }},
    };
    for (const auto &p : passes) {
        const QStringList before = g.model.CommonSourceLines.texts();
        p.pass();
        QVERIFY2(g.model.CommonSourceLines.size() == count, p.name);
        if (QByteArray(p.name) == "CollectObjectNames" || QByteArray(p.name) == "CollectLanguageStrings")
            QVERIFY2(g.model.CommonSourceLines.texts() == before, p.name);
        else
            QVERIFY2(g.model.CommonSourceLines.texts() != before, p.name); // each pass had work in this project
    }
}

void TestInterpreterRuns::twoRunsGiveTheSameModel()
{
    TestProject d;
    d.copyFrom("interpreter/mixed");
    ProjectState project = d.project({"Files.pbf", "Tools.pb"}, AllRewrites());
    GenerationRun run(project);
    QVERIFY(LoadAndInterpret(run.context));
    const DesignModel first = run.context.model;
    QVERIFY(LoadAndInterpret(run.context));
    const DesignModel &second = run.context.model;
    QCOMPARE(second.CommonSourceLines.texts(), first.CommonSourceLines.texts());
    QVERIFY(second.CommonSourceLines == first.CommonSourceLines); // the origins too
    QCOMPARE(second.WindowList, first.WindowList);
    QCOMPARE(second.MenuItemList, first.MenuItemList);
    QCOMPARE(GadgetNamesAndTypes(second), GadgetNamesAndTypes(first));
    QCOMPARE(second.ImageList.size(), first.ImageList.size());
    QCOMPARE(second.Languages.keys(), first.Languages.keys());
}

// 20,000 gadgets over 200 windows: every pass is one walk with hashed lookups. The time is
// printed for reading, never asserted.
void TestInterpreterRuns::largeCommonFile()
{
    QStringList file;
    for (int w = 0; w < 200; ++w) {
        file << QString("Procedure Open_Window_%1()").arg(w)
             << QString("\tIf OpenWindow(#Window_%1, 0, 0, 800, 600, \"Window %1\", #PB_Window_SystemMenu)").arg(w)
             << QString("\t\tCreateMenu(#Menu, WindowID(#Window_%1))").arg(w)
             << "\t\tMenuItem(#Item_Open, \"Open\\tCtrl+O\")";
        for (int i = 0; i < 100; ++i)
            file
                << QString("\t\tButtonGadget(#Button_%1, 10, %2, 80, 24, \"Button %1\") ; gadget %1").arg(i).arg(i * 30)
                << QString("\t\tImageGadget(#Image_%1, 100, %1, 16, 16, LoadImage(#PB_Any, \"icons/i%1.png\"))").arg(i);
        file << "\tEndIf"
             << "EndProcedure";
    }
    TestProject d;
    d.writeLines("Big.pb", file);
    ProjectState project = d.project({"Big.pb"}, AllRewrites());
    GenerationRun run(project);

    QElapsedTimer timer;
    timer.start();
    QVERIFY(LoadAndInterpret(run.context));
    qInfo("step 1 over %d lines: %lld ms", int(file.size()), timer.elapsed());

    const DesignModel &m = run.context.model;
    QCOMPARE(m.WindowList.size(), 200);
    QCOMPARE(m.MenuItemList.size(), 200);
    QCOMPARE(m.GadgetList.size(), 40000);
    QCOMPARE(m.GadgetList.last().name, "Window_199_Image_99");
    QCOMPARE(m.ImageList.size(), 100); // one per file, reused by every window
    QCOMPARE(m.CommonSourceLines.size(), file.size() + 3 * 200);
    QCOMPARE(m.CommonSourceLines.at(3), "\t\tMenuItem(#Window_0_Item_Open, MyLanguage(\"Open\") + #TAB$ + \"Ctrl+O\")");
}

void TestInterpreterRuns::commandLineStops_data()
{
    QTest::addColumn<QStringList>("source");
    QTest::addColumn<QString>("error");

    QTest::newRow("window by #PB_Any") << QStringList{
        "Procedure Open()", "  OpenWindow(#PB_Any, 0, 0, 100, 100, \"x\")",
        "EndProcedure"} << " -> Error: Find OpenWindow with '#PB_Any', Not supported. Stop! (Forms.pb:2)";
    QTest::newRow("duplicate window")
        << QStringList{"Procedure A()", "\tOpenWindow(#Main, 0, 0, 100, 100, \"a\")", "EndProcedure",
                       "Procedure B()", "\tOpenWindow(#MAIN, 0, 0, 100, 100, \"b\")", "EndProcedure"}
        << " -> Error: Find duplicate WindowID(#MAIN). Stop! (Forms.pb:5)";
}

void TestInterpreterRuns::commandLineStops()
{
    QFETCH(QStringList, source);
    QFETCH(QString, error);
    TestProject d;
    d.writeLines("Forms.pb", source);
    QCOMPARE(RunQuarvelGen({"--init", d.path("P.pbm"), d.path("Forms.pb")}, d.dir()).status, 0);

    const CapturedOutput gen = RunQuarvelGen({d.path("P.pbm")}, d.dir());
    QCOMPARE(gen.status, 1);
    QCOMPARE(gen.outLines(), (QStringList{"Generate Code Step 1 ...", "- Check Main.pb", " -> Main.pb not found.",
                                          "- Load Files...", "- Interpret code...", error, "Cancel.", ""}));
    QVERIFY(!d.exists("CommonFile.pb"));
}

void TestInterpreterRuns::commandLineWarnings_data()
{
    QTest::addColumn<QStringList>("source");
    QTest::addColumn<QStringList>("warnings");
    QTest::addColumn<QString>("commonFileLine");
    QTest::addColumn<QStringList>("mainLines"); // lines Main.pb holds; after "!", a line it must not hold

    QTest::newRow("first window needs an argument")
        << QStringList{"Procedure ShowMain(parent, x = 0)", "  OpenWindow(#Main, x, 0, 100, 100, \"m\")",
                       "EndProcedure"}
        << QStringList{" -> Warning: window #Main is opened in Procedure ShowMain(parent, x = 0) (Forms.pb:2), which"
                       " Main.pb cannot call: not every argument has a default. Add Procedure Open_Main() that calls "
                       "it."}
        << "Procedure ShowMain(parent, x = 0)" << QStringList{};
    QTest::newRow("one variable in two windows")
        << QStringList{"Procedure Open_A()",
                       "  A = OpenWindow(#PB_Any, 0, 0, 100, 100, \"a\")",
                       "  Label = TextGadget(#PB_Any, 0, 0, 50, 20, \"a\")",
                       "EndProcedure",
                       "Procedure Open_B()",
                       "  B = OpenWindow(#PB_Any, 0, 0, 100, 100, \"b\")",
                       "  Label = TextGadget(#PB_Any, 0, 0, 50, 20, \"b\")",
                       "EndProcedure"}
        << QStringList{" -> Warning: variable Label holds #B_Label too (Forms.pb:7); it keeps the number of its first "
                       "object."}
        << "  TextGadget(#B_Label, 0, 0, 50, 20, \"b\")" << QStringList{};
    QTest::newRow("one variable twice in a window")
        << QStringList{"Procedure Open_A()", "  A = OpenWindow(#PB_Any, 0, 0, 100, 100, \"a\")",
                       "  Label = TextGadget(#PB_Any, 0, 0, 50, 20, \"x\")",
                       "\tlabel = TextGadget(#PB_Any, 0, 30, 50, 20, \"y\") ; second", "EndProcedure"}
        << QStringList{" -> Warning: variable label is assigned a second object of its window (Forms.pb:3, Forms.pb:4);"
                       " each gets a constant and an event procedure of its own (#A_Label, #A_label_2), and label"
                       " holds the last."}
        << "\tTextGadget(#A_label_2, 0, 30, 50, 20, \"y\") ; second" << QStringList{"  Open_A()"};
    // The objects of a structure are taken over like variables: each field is given its
    // object's number where the object is created, and "Global *ui" stays as it is.
    QTest::newRow("window in a structure field")
        << QStringList{"Structure UI",
                       "  win.i",
                       "  btn.i",
                       "EndStructure",
                       "Global *ui.UI = AllocateStructure(UI)",
                       "Procedure OpenUI()",
                       "  *ui\\win = OpenWindow(#PB_Any, 0, 0, 100, 100, \"u\")",
                       "  HideWindow(*ui\\win, #True)",
                       "  *ui\\btn = ButtonGadget(#PB_Any, 0, 0, 50, 20, \"b\")",
                       "EndProcedure"}
        << QStringList{} << "  *ui\\btn = #win_btn : ButtonGadget(#win_btn, 0, 0, 50, 20, \"b\")"
        << QStringList{"  OpenUI()", "  If WindowID(#win)", "    HideWindow(#win, #False)"};
    // A top-level load whose file the program computes stays where it stands, as written, with
    // the assignment it reads; the generated image section cannot load it ahead of them.
    QTest::newRow("load of a computed file")
        << QStringList{"Enumeration",
                       "  #Img",
                       "EndEnumeration",
                       "#Sub$ = \"img/\"",
                       "Global Base$ = GetPathPart(ProgramFilename())",
                       "File$ = Base$ + #Sub$ + \"a.png\"",
                       "If FileSize(File$) < 0", // without its If, the assignment would not stay
                       "  File$ = \"none.png\"",
                       "EndIf",
                       "LoadImage(#Img, File$) ; the picture",
                       "Procedure Open_Main()",
                       "  OpenWindow(#Main, 0, 0, 100, 100, \"m\")",
                       "  ImageGadget(#Pic, 0, 0, 50, 50, ImageID(#Img))",
                       "EndProcedure"}
        << QStringList{" -> Warning: top-level code left out (Forms.pb:7-9); move what the program needs into a "
                       "procedure."}
        << "LoadImage(#Img, File$) ; the picture" << QStringList{"  Open_Main()"};
    QTest::newRow("the event loop taken over, a range of numbers kept as a comment")
        << QStringList{"Enumeration",
                       "  #Main",
                       "EndEnumeration",
                       "If OpenWindow(#Main, 0, 0, 200, 100, \"m\")",
                       "  ButtonGadget(#Ok, 0, 0, 50, 20, \"Ok\")",
                       "EndIf",
                       "Repeat",
                       "  Event = WaitWindowEvent()",
                       "  Select Event",
                       "    Case #PB_Event_Gadget",
                       "      Select EventGadget()",
                       "        Case #Ok : Quit = 1",
                       "        Case 10 To 12 : Debug \"range\"",
                       "      EndSelect",
                       "    Case #PB_Event_Timer : Debug \"tick\"",
                       "  EndSelect",
                       "Until Quit",
                       "End"}
        << QStringList{" -> Warning: the event loop's case of a range of numbers (Forms.pb:13) is not carried over; it"
                       " stays as a comment at the end of EventWindow.pb."}
        << "Procedure Open_Main()" << QStringList{"      EventEvery()"};
    QTest::newRow("the first window cannot open first")
        << QStringList{"Procedure ShowOptions(parent)",
                       "  OpenWindow(#Options, 0, 0, 100, 100, \"o\", #PB_Window_SystemMenu, WindowID(parent))",
                       "EndProcedure",
                       "Procedure Splash()",
                       "  OpenWindow(#Splash, 0, 0, 100, 100, \"s\", #PB_Window_BorderLess, WindowID(#Main))",
                       "EndProcedure",
                       "Procedure Open_Main()",
                       "  OpenWindow(#Main, 0, 0, 200, 100, \"m\")",
                       "EndProcedure"}
        << QStringList{" -> Warning: Main.pb opens window #Main first (Forms.pb:8): window #Options (Forms.pb:2) cannot"
                       " be opened by a call without arguments."}
        << "  OpenWindow(#Splash, #PB_Ignore, #PB_Ignore, 100, 100, \"s\", #PB_Window_BorderLess, WindowID(#Main))"
        << QStringList{"  Open_Main()", "  If WindowID(#Main)"};
    QTest::newRow("names the generated files define")
        << QStringList{"Global exitApplication, Count", // in any letter case
                       "Procedure MyEventGadget(Gadget, Type)",
                       "  Count + 1",
                       "EndProcedure",
                       "Procedure Main()",
                       "  If OpenWindow(#Main, 0, 0, 100, 100, \"m\", #PB_Window_Invisible)",
                       "    ButtonGadget(#Btn, 0, 0, 50, 20, \"b\")",
                       "    MyEventGadget(0, 0) : Debug \"MyEventGadget\"",
                       "  EndIf",
                       "EndProcedure"}
        << QStringList{" -> Warning: Procedure Main() (Forms.pb:5) has the name of Main.pb's main procedure; Main.pb"
                       " names its own MainProgram().",
                       " -> Warning: Procedure MyEventGadget() (Forms.pb:2) has the name of a procedure of "
                       "EventMain.pb;"
                       " CommonFile.pb names it MyEventGadget_1().",
                       " -> Warning: Global ExitApplication (Forms.pb:1) is declared by Main.pb; CommonFile.pb leaves"
                       " this declaration out."}
        << "    MyEventGadget_1(0, 0) : Debug \"MyEventGadget\""
        << QStringList{"Procedure MainProgram()", "  Main()", "    HideWindow(#Main, #False)",
                       "EndProcedure:MainProgram()"};
    // A first window hidden right after it opens, by 1 or #True in any letter case, is shown by
    // Main.pb; one its procedure shows again before it returns is not.
    QTest::newRow("first window hidden after it opens")
        << QStringList{"Procedure Open_Main()",
                       "  If OpenWindow(#Main, 0, 0, 100, 100, \"m\")",
                       "    HideWindow(#Main,1)",
                       "    ButtonGadget(#Btn, 0, 0, 50, 20, \"b\")",
                       "  EndIf",
                       "EndProcedure"}
        << QStringList{} << "    HideWindow(#Main,1)"
        << QStringList{"  If WindowID(#Main)", "    HideWindow(#Main, #False)"};
    QTest::newRow("first window hidden by #True")
        << QStringList{"Procedure ShowMain()",
                       "  OpenWindow(#Main, 0, 0, 100, 100, \"m\") : hidewindow( #MAIN , #true )",
                       "  ButtonGadget(#Btn, 0, 0, 50, 20, \"b\")", "EndProcedure"}
        << QStringList{} << "  ButtonGadget(#Main_Btn, 0, 0, 50, 20, \"b\")"
        << QStringList{"  ShowMain()", "    HideWindow(#Main, #False)"};
    QTest::newRow("first window hidden while it is filled")
        << QStringList{"Procedure Open_Main()",  "  OpenWindow(#Main, 0, 0, 100, 100, \"m\")",
                       "  HideWindow(#Main, 1)", "  ButtonGadget(#Btn, 0, 0, 50, 20, \"b\")",
                       "  HideWindow(#Main, 0)", "EndProcedure"}
        << QStringList{} << "  HideWindow(#Main, 0)"
        << QStringList{"  If WindowID(#Main)", "!    HideWindow(#Main, #False)"};
    // The sources' own enumerations lose the members Quarvel declares, and no value moves: the
    // project check compares every kept constant with the value the source gives it.
    const QStringList windows{"Procedure Open_Main()",
                              "  OpenWindow(#Main, 0, 0, 100, 100, \"m\")",
                              "  ButtonGadget(#Btn, 0, 0, 50, 20, \"b\")",
                              "EndProcedure",
                              "Procedure Open_About()",
                              "  OpenWindow(#About, 0, 0, 100, 100, \"a\")",
                              "EndProcedure"};
    const QStringList shown{"  If WindowID(#Main)"};
    QTest::newRow("kept members joined by a colon")
        << QStringList{"Enumeration", "  #Main : #Count : #About ; the windows", "EndEnumeration"} + windows
        << QStringList{} << "  #Count = 1 ; #Main : #About ; the windows" << shown;
    QTest::newRow("kept member after a dropped first one")
        << QStringList{"Enumeration 3", "  #Main", "  #Log", "  #Spare = 10", "EndEnumeration"} + windows
        << QStringList{} << "  #Log = 4" << shown;
    QTest::newRow("kept member with its own value after a dropped one")
        << QStringList{"Enumeration 3", "  #Main", "  #Log = 10", "  #Spare", "EndEnumeration"} + windows
        << QStringList{} << "  #Log = 10" << shown;
    QTest::newRow("dropped last member of a block counted on")
        << QStringList{"Enumeration Wins", "  #Log",   "  #About",      "EndEnumeration",
                       "Enumeration Wins", "  #Spare", "EndEnumeration"}
               + windows
        << QStringList{} << "  #Spare = 2" << shown;
    QTest::newRow("enumeration value after dropped last members")
        << QStringList{"Enumeration", "  #Log",         "  #Main",
                       "  #About",    "EndEnumeration", "#Windows = #PB_Compiler_EnumerationValue ; how many"}
               + windows
        << QStringList{} << "#Windows = 3 ; how many" << shown;
    QTest::newRow("kept member after one worked out of a constant")
        << QStringList{"#First = 5", "Enumeration #First", "  #About", "  #Log", "EndEnumeration"} + windows
        << QStringList{} << "  #Log = #First + 1" << shown;
    QTest::newRow("kept member after a dropped one, counted in steps")
        << QStringList{"Enumeration 0 Step 10", "  #Main", "  #Log", "EndEnumeration"} + windows << QStringList{}
        << "  #Log = 10" << shown;
    QTest::newRow("old gadget constant") << QStringList{"Enumeration", "  #Btn", "  #Spare", "EndEnumeration"} + windows
                                         << QStringList{} << "#Btn = #Main_Btn" << shown;
    // Numbers in a comment or a literal are no calls: only 3 is in use, and only k + 1 warns.
    QTest::newRow("numbers in code, a comment and a literal")
        << QStringList{"Procedure Open_Main()",
                       "  OpenWindow(#Main, 0, 0, 100, 100, \"m\")",
                       "  ButtonGadget(#Ok, 0, 0, 50, 20, \"ok\")",
                       "  ButtonGadget(3, 0, 30, 50, 20, \"3\") ; ButtonGadget(40, 0, 0, 1, 1, \"\")",
                       "  Debug \"ButtonGadget(k + 2, 0, 0, 1, 1)\"",
                       "  ButtonGadget(k + 1, 0, 60, 50, 20, \"k\")",
                       "EndProcedure"}
        << QStringList{" -> Warning: the gadget number k + 1 is computed (Forms.pb:6); it may equal the number of a"
                       " generated gadget."}
        << "  #Main_Ok = 4" << QStringList{};
    // A module is written out as it stands: the gadget its own constant makes keeps its number.
    QTest::newRow("number of a module's gadget")
        << QStringList{"DeclareModule Paint", "  #Canvas = 3",      "EndDeclareModule",
                       "Module Paint",        "  Procedure Draw()", "    CanvasGadget(#Canvas, 0, 0, 10, 10)",
                       "  EndProcedure",      "EndModule"}
               + windows
        << QStringList{} << "Enumeration 4" << QStringList{};
    QTest::newRow("no window to open")
        << QStringList{"OpenWindow(#PB_Any, 0, 0, 100, 100, \"a\")", "If OpenWindow(w, 0, 0, 100, 100, \"b\")", "EndIf"}
        << QStringList{" -> Warning: window #PB_Any is opened outside a procedure (Forms.pb:1) and not taken over: its"
                       " number is not kept; keep its number in a variable (hWnd = OpenWindow(#PB_Any, ...)) to "
                       "generate it.",
                       " -> Warning: window w is opened outside a procedure (Forms.pb:2) and not taken over: its number"
                       " is not a constant; give it a constant to generate it.",
                       " -> Warning: top-level code left out (Forms.pb:1-3); move what the program needs into a "
                       "procedure.",
                       " -> Warning: No window found, Main.pb not patched. The window opened at Forms.pb:1 is not "
                       "generated.",
                       " -> Warning: no window for Main.pb to open: window #PB_Any is opened outside a procedure and "
                       "not"
                       " taken over (Forms.pb:1)."}
        << "; Quarvel Commonfile (Do Not Edit - Allways Overwrite)"
        << QStringList{"  ; Open_WindowXY()", "  If #False ; If WindowID(#Window)"};
}

// The warnings of what the sources hold that cannot be carried as written, the line of
// CommonFile.pb they speak of, and what Main.pb makes of it.
void TestInterpreterRuns::commandLineWarnings()
{
    QFETCH(QStringList, source);
    QFETCH(QStringList, warnings);
    QFETCH(QString, commonFileLine);
    QFETCH(QStringList, mainLines);
    TestProject d;
    d.writeLines("Forms.pb", source);
    QCOMPARE(RunQuarvelGen({"--init", d.path("P.pbm"), d.path("Forms.pb")}, d.dir()).status, 0);

    const CapturedOutput gen = RunQuarvelGen({d.path("P.pbm")}, d.dir());
    QCOMPARE(gen.status, 0);
    QStringList logged;
    for (const QString &line : gen.outLines())
        if (line.startsWith(" -> Warning: "))
            logged << line;
    QCOMPARE(logged, warnings);
    QVERIFY(LinesOf(d.read("CommonFile.pb")).contains(commonFileLine));
    const QStringList main = LinesOf(d.read("Main.pb"));
    for (const QString &line : mainLines)
        QVERIFY2(line.startsWith(u'!') ? !main.contains(line.sliced(1)) : main.contains(line), qPrintable(line));
    if (!mainLines.isEmpty())
        QCOMPARE(CheckProject(d.dir()), QStringList());
}

void TestInterpreterRuns::openedWindowTest_data()
{
    QTest::addColumn<QString>("next");
    QTest::addColumn<QString>("converted");

    // clang-format off
    QTest::newRow("If") << "  If hWnd" << "  If IsWindow(hWnd)";
    QTest::newRow("If Not, other case, comment")
        << "  If Not HWND ; opened?" << "  If Not IsWindow(hWnd) ; opened?";
    QTest::newRow("= 0 without blanks") << "\tIf hWnd=0" << "\tIf IsWindow(hWnd)=0";
    QTest::newRow("<> 0") << "  If hWnd <> 0" << "  If IsWindow(hWnd) <> 0";
    QTest::newRow("more than the test") << "  If hWnd And Ready" << "  If hWnd And Ready";
    QTest::newRow("another variable") << "  If hWndOther" << "  If hWndOther";
    QTest::newRow("IsWindow already") << "  If IsWindow(hWnd)" << "  If IsWindow(hWnd)";
    // clang-format on
}

// "If hWnd" right after "hWnd = OpenWindow(#PB_Any, ...)" asks whether the window opened; the
// variable then holds the window's number, 0 for the first window, so IsWindow() asks it.
void TestInterpreterRuns::openedWindowTest()
{
    QFETCH(QString, next);
    QFETCH(QString, converted);
    InterpreterFixture f;
    f.withLines({"Procedure Open_Main()", "  hWnd = OpenWindow(#PB_Any, 0, 0, 100, 100, \"m\")", "", "  ; opened?",
                 next, "  b = ButtonGadget(#PB_Any, 0, 0, 50, 20, \"b\")", "  If b", "  EndIf", "  If hWnd", "  EndIf",
                 "EndProcedure"});
    f.model.CommonSourceLines.append("Global logo, HWND, Other"); // in any letter case
    f.model.ImageList = {{"#Logo", "logo.png", {}, "Logo"}};      // a global #PB_Any load
    ConvertPbAnyObjects(f.model, f.tables);
    QCOMPARE(f.lines().last(), "Global Other"); // both are declared with their numbers
    QCOMPARE(f.lines().at(4), converted);
    QCOMPARE(f.lines().mid(5, 4),
             (QStringList{"  ButtonGadget(#b, 0, 0, 50, 20, \"b\")", "  If b", "  EndIf", "  If hWnd"}));
}

void TestInterpreterRuns::constantValues_data()
{
    QTest::addColumn<QString>("lines");
    QTest::addColumn<QString>("values"); // each declaration as NAME=its value as code

    QTest::newRow("a value set counts on") << "Enumeration\n  #A\n  #B = 5\n  #C\nEndEnumeration"
                                           << "A=0 B=5 C=6";
    QTest::newRow("a named enumeration counts on") << "Enumeration W\n  #A\nEndEnumeration\nEnumeration W\n  #B"
                                                   << "A=0 B=1";
    QTest::newRow("statements joined by a colon") << "Enumeration $10\n  #A : #B ; #C\n#D = %11 : #E$ = \"a:b\""
                                                  << "A=16 B=17 D=3 E$=\"a:b\"";
    QTest::newRow("steps") << "Enumeration 10 Step 5\n  #A\n  #B\nEndEnumeration\nEnumeration 0 Step #S\n  #C\n  #D"
                           << "A=10 B=15 C=0 D=0 + 1 * #S";
    QTest::newRow("binary") << "EnumerationBinary\n  #A\n  #B\n  #C = 8\n  #D"
                            << "A=1 B=2 C=8 D=16";
    QTest::newRow("worked out of constants") << "Enumeration #First\n  #A\n  #B\n  #C = #A + 1\n  #D"
                                             << "A=#First B=#First + 1 C=#A + 1 D=(#A + 1) + 1";
}

// The value each declaration of the sources has, as a number where PureBasic's count gives one.
void TestInterpreterRuns::constantValues()
{
    QFETCH(QString, lines);
    QFETCH(QString, values);
    QStringList found;
    for (const ConstantDeclaration &d : ConstantDeclarations(Rows(lines))) {
        QCOMPARE(d.value.has_value(), d.valueText == QString::number(d.value.value_or(0)));
        found << d.key + QLatin1Char('=') + d.valueText;
    }
    QCOMPARE(found.join(QLatin1Char(' ')), values);
}

// A window's "_Events" procedure read as data: what each new event procedure calls, which
// assigned procedures no file defines, and the warnings for what cannot be carried over.
void TestInterpreterRuns::formEventAssignments()
{
    TestProject d;
    d.writeLines("Forms.pb",
                 {"Declare Helper()", "Declare.i OnList(EventType)", "Procedure Open_Main()",
                  "  OpenWindow(#Main, 0, 0, 200, 100, \"Main\")", "  CreateMenu(#Menu, WindowID(#Main))",
                  "  MenuItem(#Open, \"Open\")", "  ButtonGadget(#Ok, 0, 0, 50, 20, \"Ok\")",
                  "  ButtonGadget(#Cancel, 60, 0, 50, 20, \"Cancel\")", "  ListViewGadget(#List, 0, 30, 100, 60)",
                  "  TextGadget(#Label, 0, 0, 9, 9, \"\")", "EndProcedure", "Procedure Layout()", "EndProcedure",
                  "Procedure Main_Events(event)", "  Select event", "    Case #PB_Event_SizeWindow", "      Layout()",
                  "    Case #PB_Event_Timer", "      Tick() : Debug \"tick\"", "    Case #PB_Event_Menu",
                  "      Select EventMenu()", "        Case #Open : OnOpen(EventMenu())", "      EndSelect",
                  "    Case #PB_Event_Gadget", "      Select EventGadget()", "        Case #Ok, #Gone, #Label",
                  "          OnOk(EventType())", "        Case #Cancel", "          Helper()", "        Case #List",
                  "          OnList(EventType())", "      EndSelect", "  EndSelect", "  ProcedureReturn #True",
                  "EndProcedure",
                  // An event procedure the author's own loop calls stays.
                  "Procedure Loop()", "  Repeat : Until Other_Events(WaitWindowEvent()) = #False", "EndProcedure",
                  "Procedure Other_Events(e)", "  Select e", "    Case #PB_Event_CloseWindow",
                  "      ProcedureReturn #False", "  EndSelect", "EndProcedure"});
    d.writeLines("EventGadget.pb", {"Procedure EventGadget_Main_Cancel(EventType)", "EndProcedure",
                                    "Procedure OnOk(EventType)", "  Debug \"ok\"", "EndProcedure"});
    ProjectState project = d.project({"Forms.pb"}, Switches::AllOff());
    GenerationRun run(project);
    QVERIFY(LoadAndInterpret(run.context));

    const FormEvents &events = run.context.model.FormEventAssignments;
    const auto calls = [](const QHash<QString, EventCall> &calls) {
        QStringList list;
        for (auto it = calls.cbegin(); it != calls.cend(); ++it)
            list << it.key() + QStringLiteral(": ") + it->call;
        list.sort();
        return list;
    };
    QCOMPARE(calls(events.gadgetCalls),
             (QStringList{"Main_Cancel: Helper()", "Main_List: OnList(EventType)", "Main_Ok: OnOk(EventType)"}));
    QCOMPARE(calls(events.menuCalls), QStringList{"Main_Open: OnOpen(#Main_Open)"});
    QCOMPARE(calls(events.resizeCalls), QStringList{"Main: Layout()"});
    QStringList missing;
    for (const AssignedProcedure &procedure : events.missing)
        missing << procedure.head + (procedure.kind == AssignedEvent::Menu ? " (menu)" : " (gadget)");
    QCOMPARE(missing, (QStringList{"Procedure OnOpen(Event) (menu)", "Procedure Helper() (gadget)",
                                   "Procedure.i OnList(EventType) (gadget)"}));

    const QStringList &lines = run.context.model.CommonSourceLines.texts();
    QVERIFY(!lines.contains("Procedure Main_Events(event)"));
    QVERIFY(lines.contains("Procedure Other_Events(e)"));
    QCOMPARE(
        run.frontEnd.log.filter(" -> Warning: "),
        (QStringList{
            " -> Warning: Main_Events is left out, the generated event procedures take its place; its statement Tick()"
            " (Forms.pb:19) is not carried over.",
            " -> Warning: Main_Events is left out, the generated event procedures take its place; its statement"
            " Debug \"tick\" (Forms.pb:19) is not carried over.",
            " -> Warning: #Gone, to which the form assigns OnOk (Forms.pb:27), is no gadget with events of window Main;"
            " nothing calls OnOk for it.",
            " -> Warning: #Label, to which the form assigns OnOk (Forms.pb:27), is no gadget with events of window "
            "Main;"
            " nothing calls OnOk for it.",
            " -> Warning: EventGadget_Main_Cancel does not call Helper, which the form assigns to #Main_Cancel "
            "(Forms.pb:29);"
            " add the call there."}));
}

// An object the source numbers keeps its number as its constant's value unless an object of its
// kind has it already; the others of its kind are numbered above every number kept.
void TestInterpreterRuns::numberedObjectsKeepTheirNumbers_data()
{
    QTest::addColumn<QStringList>("source");
    QTest::addColumn<QStringList>("kept"); // name = value, sorted
    QTest::addColumn<qint64>("firstGadget");

    const QString window = QStringLiteral("OpenWindow(0, 0, 0, 200, 100, \"Main\")");
    QTest::newRow("kept, the named ones above")
        << QStringList{"Procedure Open()", "  " + window, "  ButtonGadget(#Ok, 0, 0, 9, 9, \"\")",
                       "  TextGadget(3, 0, 0, 9, 9, \"\")", "EndProcedure"}
        << QStringList{"Window_0 = 0", "Window_0_Text_3 = 3"} << qint64(4);
    QTest::newRow("one number, two kinds")
        << QStringList{"Procedure Open()",
                       "  " + window,
                       "  CreateMenu(0, WindowID(0))",
                       "  MenuItem(1, \"Go\")",
                       "  TextGadget(1, 0, 0, 9, 9, \"\")",
                       "EndProcedure"}
        << QStringList{"Window_0 = 0", "Window_0_MenuItem_1 = 1", "Window_0_Text_1 = 1"} << qint64(2);
    QTest::newRow("a constant of the source holds the number")
        << QStringList{"#Editor = 1",
                       "Procedure Open()",
                       "  " + window,
                       "  ScintillaGadget(#Editor, 0, 0, 9, 9, 0)",
                       "  ButtonGadget(1, 0, 0, 9, 9, \"\")",
                       "EndProcedure"}
        << QStringList{"Window_0 = 0"} << qint64(2);
    QTest::newRow("a constant of the source in another letter case, beside a longer name")
        << QStringList{"#Ed = 4",
                       "#Editor = 5",
                       "Procedure Open()",
                       "  " + window,
                       "  ScintillaGadget(#EDITOR , 0, 0, 9, 9, 0)",
                       "  FrameGadget(#Ed2, 0, 0, 9, 9, \"\")",
                       "  ButtonGadget(#Ok, 0, 0, 9, 9, \"\")",
                       "EndProcedure"}
        << QStringList{"Window_0 = 0"} << qint64(6);
    QTest::newRow("two windows, one gadget number")
        << QStringList{"Procedure Open()",
                       "  " + window,
                       "  ButtonGadget(1, 0, 0, 9, 9, \"\")",
                       "EndProcedure",
                       "Procedure Open1()",
                       "  OpenWindow(1, 0, 0, 200, 100, \"B\")",
                       "  ButtonGadget(1, 0, 0, 9, 9, \"\")",
                       "EndProcedure"}
        << QStringList{"Window_0 = 0", "Window_0_Button_1 = 1", "Window_1 = 1"} << qint64(2);
    QTest::newRow("a name the source has for something else")
        << QStringList{"#Text_3 = 9",     "Procedure Open()", "  " + window, "  TextGadget(3, 0, 0, 9, 9, \"\")",
                       "  Debug #Text_3", "EndProcedure"}
        << QStringList{"Window_0 = 0", "Window_0_Text_3_2 = 3"} << qint64(4);
    QTest::newRow("a number computed at run time")
        << QStringList{"Procedure Open()", "  " + window, "  For i = 0 To 2", "    ButtonGadget(i, 0, 0, 9, 9, \"\")",
                       "  Next",           "EndProcedure"}
        << QStringList{"Window_0 = 0"} << qint64(0);
}

void TestInterpreterRuns::numberedObjectsKeepTheirNumbers()
{
    QFETCH(QStringList, source);
    QFETCH(QStringList, kept);
    QFETCH(qint64, firstGadget);
    TestProject d;
    d.writeLines("Numbers.pb", source);
    ProjectState project = d.project({"Numbers.pb"}, Switches::AllOff());
    GenerationRun run(project);
    QVERIFY(LoadAndInterpret(run.context));

    const DesignModel &m = run.context.model;
    QStringList values;
    for (auto it = m.KeptNumbers.cbegin(); it != m.KeptNumbers.cend(); ++it)
        values << it.key() + QStringLiteral(" = ") + QString::number(*it);
    values.sort();
    QCOMPARE(values, kept);
    QCOMPARE(m.First.gadget, firstGadget);
}

void TestInterpreterRuns::eventLoopBodies_data()
{
    QTest::addColumn<QStringList>("loop");
    QTest::addColumn<QStringList>("locals"); // of the procedure the loop stands in; none: a top-level loop
    QTest::addColumn<QStringList>("bodies"); // kind, label: lines joined by "|"

    QTest::newRow("If chain, its EventType() test kept around the body")
        << QStringList{"Repeat",
                       "  ev = WaitWindowEvent()",
                       "  If ev = #PB_Event_Gadget",
                       "    If EventGadget() = #W_Plus : count + 1",
                       "    ElseIf EventGadget() = #W_Step And EventType() = #PB_EventType_Change",
                       "      Debug \"step\" ; changed",
                       "    EndIf",
                       "  ElseIf ev = #PB_Event_CloseWindow",
                       "    quit = 1",
                       "  EndIf",
                       "Until quit"}
        << QStringList{}
        << QStringList{"Gadget #W_Plus:   count + 1",
                       "Gadget #W_Step:   If EventType() = #PB_EventType_Change|    Debug \"step\" ; changed|  EndIf",
                       "Exit :   ExitApplication = 1"};
    QTest::newRow("Select through a variable, two labels, a Break of an inner loop")
        << QStringList{"Repeat",
                       "  Select WaitWindowEvent()",
                       "    Case #PB_Event_Gadget",
                       "      g = EventGadget()",
                       "      Select g",
                       "        Case #W_A, #W_B",
                       "          For i = 0 To 3",
                       "            If i = 2 : Break : EndIf",
                       "          Next",
                       "          Break",
                       "        Case 10 To 12",
                       "          Debug g",
                       "      EndSelect",
                       "    Case #PB_Event_Timer, #PB_Event_Repaint",
                       "      Tick()",
                       "  EndSelect",
                       "ForEver"}
        << QStringList{}
        << QStringList{"Gadget #W_A:   For i = 0 To 3|    If i = 2 : Break : EndIf|  Next|  ExitApplication = 1",
                       "Gadget #W_B:   For i = 0 To 3|    If i = 2 : Break : EndIf|  Next|  ExitApplication = 1",
                       "NotCarried case of a range of numbers:   Case 10 To 12|    Debug g",
                       "Other #PB_Event_Timer, #PB_Event_Repaint:   Tick()"};
    QTest::newRow("tests joined by Or split only when each dispatches; code for every event")
        << QStringList{"While #True",
                       "  Event = WaitWindowEvent() : Frames + 1",
                       "  If Event = #PB_Event_CloseWindow Or (Event = #PB_Event_Gadget And EventGadget() = #W_Close)",
                       "    End",
                       "  ElseIf Event = #PB_Event_Menu Or Frames > 100",
                       "    Debug \"menu\"",
                       "  EndIf",
                       "Wend"}
        << QStringList{}
        << QStringList{
               "Other :   Frames + 1", "Exit :   ExitApplication = 1", "Gadget #W_Close:   ExitApplication = 1",
               "NotCarried test joined by Or:   ElseIf Event = #PB_Event_Menu Or Frames > 100|    Debug \"menu\""};
    QTest::newRow("in a procedure: its locals, a ProcedureReturn that ends the loop")
        << QStringList{"Repeat",
                       "  Select WaitWindowEvent()",
                       "    Case #PB_Event_CloseWindow",
                       "      Select EventWindow()",
                       "        Case #Main",
                       "          If MessageRequester(\"Quit?\", \"\", #PB_MessageRequester_YesNo) = 6",
                       "            ProcedureReturn",
                       "          EndIf",
                       "      EndSelect",
                       "    Case #PB_Event_Menu",
                       "      If EventMenu() = #Main_Save : Save(path$, count) : EndIf",
                       "  EndSelect",
                       "ForEver"}
        << QStringList{"path$", "count.i", "unused.s"}
        << QStringList{"Exit :   Select EventWindow()|    Case #Main|      If MessageRequester(\"Quit?\", \"\", "
                       "#PB_MessageRequester_YesNo) = 6|        ExitApplication = 1|      EndIf|  EndSelect",
                       "Menu #Main_Save:   Protected path$, count.i|  Save(path$, count)"};
}

// A loop read into the bodies of the event procedures: which object or event each body
// serves, and its lines as the procedure holds them.
void TestInterpreterRuns::eventLoopBodies()
{
    QFETCH(QStringList, loop);
    QFETCH(QStringList, locals);
    QFETCH(QStringList, bodies);
    static const char *kinds[] = {"Gadget", "Menu", "Exit", "Size", "Other", "NotCarried"};
    QStringList read;
    for (const LoopBody &body : ReadEventLoop(loop, !locals.isEmpty(), locals).bodies)
        read << QString::fromLatin1(kinds[body.kind]) + QLatin1Char(' ') + body.label + QStringLiteral(": ")
                    + body.lines.join(QLatin1Char('|'));
    QCOMPARE(read, bodies);
}

// A project an earlier version generated holds its event procedures as skeletons: a body goes
// only into a new procedure, and one for a skeleton is kept as a comment, once.
void TestInterpreterRuns::eventLoopIntoAnEarlierProject()
{
    TestProject d;
    d.writeLines("Forms.pb", {"Procedure Open_Main()", "  OpenWindow(#Main, 0, 0, 100, 100, \"m\")",
                              "  ButtonGadget(#Ok, 0, 0, 50, 20, \"ok\")", "  ButtonGadget(#Go, 0, 30, 50, 20, \"go\")",
                              "EndProcedure", "Repeat", "  Select WaitWindowEvent()", "    Case #PB_Event_Gadget",
                              "      Select EventGadget()", "        Case #Ok : Debug \"ok\"",
                              "        Case #Go : Debug \"go\"", "      EndSelect", "  EndSelect", "Until Quit"});
    d.writeLines("EventGadget.pb", {"Procedure EventGadget_Main_Ok(EventType)", "  ", "  Select EventType",
                                    "    Case #PB_EventType_LeftClick", "      ", "  EndSelect", "  ", "EndProcedure"});
    QCOMPARE(RunQuarvelGen({"--init", d.path("P.pbm"), d.path("Forms.pb")}, d.dir()).status, 0);
    const QString warning = " -> Warning: the event loop's body for EventGadget_Main_Ok, which stands empty"
                            " (Forms.pb:10) is not carried over; it stays as a comment at the end of EventWindow.pb.";
    const CapturedOutput first = RunQuarvelGen({d.path("P.pbm")}, d.dir());
    QCOMPARE(first.status, 0);
    QCOMPARE(first.outLines().filter(" -> Warning: "), QStringList{warning});
    QVERIFY(first.outLines().contains(" -> Forms.pb:11 -> EventGadget_Main_Go"));
    const QStringList gadget = LinesOf(d.read("EventGadget.pb"));
    QCOMPARE(gadget.mid(0, 3), (QStringList{"Procedure EventGadget_Main_Ok(EventType)", "  ", "  Select EventType"}));
    QVERIFY(gadget.contains("  Debug \"go\""));
    const QStringList window = LinesOf(d.read("EventWindow.pb"));
    const qsizetype block = window.indexOf("; Forms.pb:10 (body for EventGadget_Main_Ok, which stands empty):");
    QVERIFY(block > 0);
    QCOMPARE(window.at(block + 1), ";     Debug \"ok\"");

    const QByteArray gadgetBytes = d.read("EventGadget.pb"), windowBytes = d.read("EventWindow.pb");
    const CapturedOutput second = RunQuarvelGen({d.path("P.pbm")}, d.dir());
    QCOMPARE(second.outLines().filter(" -> Warning: "), QStringList());
    QCOMPARE(d.read("EventGadget.pb"), gadgetBytes);
    QCOMPARE(d.read("EventWindow.pb"), windowBytes);
}

QTEST_GUILESS_MAIN(TestInterpreterRuns)
#include "tst_interpreter_runs.moc"
