#include "support/interpreter_fixture.h"

#include "base/no_case_search.h"
#include "interpreter/common_file_loading.h"
#include "interpreter/event_loop_takeover.h"
#include "interpreter/line_words.h"
#include "interpreter/window_call_rewrites.h"

#include <QDir>
#include <QStringEncoder>
#include <QTest>

using namespace quarvel;

class TestCommonFileLoading : public QObject {
    Q_OBJECT

private slots:
    void keepsProceduresWithSeparators();
    void takesOverTopLevelWindows_data();
    void takesOverTopLevelWindows();
    void includesFromASubfolder();
    void formDesignerConversion_data();
    void formDesignerConversion();
    void globalImagesAndFonts();
    void unreadableFilesAreLoggedAndReturned();
    void relativePathFromProjectDirectory();
    void decodesByOwnMark_data();
    void decodesByOwnMark();
    void setParentWindow_data();
    void setParentWindow();
    void setAutoWindowPosition_data();
    void setAutoWindowPosition();
    void parentAndPositionShareWindowLines();
    void zeroImageGadgets_data();
    void zeroImageGadgets();
    void lineWords_data();
    void lineWords();
};

namespace {

const QString Separator = QStringLiteral("; ") + QString(87, QLatin1Char('*'));

QStringList LoadOne(InterpreterFixture &f, const QString &name, const QStringList &fileLines)
{
    f.dir.writeLines(name, fileLines);
    f.model.CommonFileList = {f.dir.path(name)};
    LoadCommonFiles(f.model, f.folder(), f.log);
    return f.lines();
}

} // namespace

// The procedure text stays as the rule keeps it; the declarations left outside it go ahead of
// every procedure, with the comment right before them; other top-level code is left out.
void TestCommonFileLoading::keepsProceduresWithSeparators()
{
    InterpreterFixture f;
    const QStringList lines = LoadOne(f, "W.pb",
                                      {"; header comment", "EnableExplicit", "Global a = 1",
                                       "Procedure Open_Window_0()", "  OpenWindow(#Window_0, 0, 0, 10, 10, \"x\")",
                                       "EndProcedure", "Define b", "", "procedure.i Helper(x)", "  ProcedureReturn x",
                                       "endprocedure ; done", "Debug 1", "CompilerIf #PB_Compiler_OS = #PB_OS_Windows",
                                       "  #Sep = \"\\\"", "CompilerEndIf", "CompilerIf #PB_Compiler_IsMainFile",
                                       "  Debug \"test\"", "CompilerEndIf"});

    QCOMPARE(lines, (QStringList{"; header comment",
                                 "EnableExplicit",
                                 "Global a = 1",
                                 "Define b",
                                 "CompilerIf #PB_Compiler_OS = #PB_OS_Windows",
                                 "  #Sep = \"\\\"",
                                 "CompilerEndIf",
                                 "",
                                 Separator,
                                 "",
                                 "Procedure Open_Window_0()",
                                 "  OpenWindow(#Window_0, 0, 0, 10, 10, \"x\")",
                                 "EndProcedure",
                                 "",
                                 Separator,
                                 "",
                                 "procedure.i Helper(x)",
                                 "  ProcedureReturn x",
                                 "endprocedure ; done",
                                 "",
                                 Separator,
                                 ""}));
    QCOMPARE(f.log.texts, QStringList{" -> Warning: top-level code left out (W.pb:12, 16-18); move what the"
                                      " program needs into a procedure."});
}

void TestCommonFileLoading::takesOverTopLevelWindows_data()
{
    QTest::addColumn<QStringList>("file");
    QTest::addColumn<QStringList>("procedures"); // CommonSourceLines without separators
    QTest::addColumn<QStringList>("log");
    const QString leftOut =
        " -> Warning: top-level code left out (W.pb:%1); move what the program needs into a procedure.";

    QTest::newRow("statement, loop after it")
        << Rows("OpenWindow(#Main, 0, 0, 200, 100, \"m\")\nButtonGadget(#Ok, 10, 10, 80, 24, \"Ok\")\n"
                "While WaitWindowEvent() <> #PB_Event_CloseWindow : Wend")
        << Rows("Procedure Open_Main()\n  OpenWindow(#Main, 0, 0, 200, 100, \"m\")\n  ButtonGadget(#Ok, 10, 10, 80, "
                "24, \"Ok\")\n"
                "EndProcedure")
        << QStringList{};
    QTest::newRow("#PB_Any variable with no blank before the call, loop inside its test")
        << Rows("hWnd =OpenWindow(#PB_Any, 0, 0, 200, 100, \"m\")\nIf hWnd\n  ButtonGadget(#Ok, 10, 10, 80, 24, "
                "\"Ok\")\n"
                "  Repeat\n  Until WaitWindowEvent() = #PB_Event_CloseWindow\nEndIf\nEnd")
        << Rows("Procedure Open_hWnd()\n  hWnd =OpenWindow(#PB_Any, 0, 0, 200, 100, \"m\")\n  If hWnd\n"
                "    ButtonGadget(#Ok, 10, 10, 80, 24, \"Ok\")\n  EndIf\nEndProcedure")
        << QStringList{};
    QTest::newRow("Global #PB_Any window in kept text, loop in a procedure")
        << Rows("; the procedures\nGlobal Window_0 = OpenWindow(#PB_Any, 0, 0, 200, 100, \"m\")\n"
                "TextGadget(#PB_Any, 10, 10, 80, 20, \"Hi\")\nProcedure Loop()\n"
                "  Repeat : Until WaitWindowEvent() = #PB_Event_CloseWindow\nEndProcedure\nLoop()")
        << Rows("; the procedures\nProcedure Loop()\n"
                "EndProcedure\nProcedure Open_Window_0()\n  Window_0 = OpenWindow(#PB_Any, 0, 0, 200, 100, \"m\")\n"
                "  TextGadget(#PB_Any, 10, 10, 80, 20, \"Hi\")\nEndProcedure")
        << QStringList{};
    QTest::newRow("failure test, then gadgets")
        << Rows("If Not OpenWindow(#Main, 0, 0, 200, 100, \"m\")\n  End\nEndIf\n"
                "If CreateMenu(#Menu, WindowID(#Main)) : MenuItem(#Quit, \"Quit\") : EndIf\n"
                "Repeat\n  Select WaitWindowEvent()\n    Case #PB_Event_Menu : Break\n  EndSelect\nForEver")
        << Rows("Procedure Open_Main()\n  If Not OpenWindow(#Main, 0, 0, 200, 100, \"m\")\n    End\n  EndIf\n"
                "  If CreateMenu(#Menu, WindowID(#Main)) : MenuItem(#Quit, \"Quit\") : EndIf\nEndProcedure")
        << QStringList{};
    QTest::newRow("variables shared with the rest, in any letter case")
        << Rows("Define Count\nOpenWindow(#Main, 0, 0, 200, 100, \"m\")\ncount = 1\nlabel = 2\n"
                "Repeat : Until WaitWindowEvent() = #PB_Event_CloseWindow\nDebug LABEL")
        << Rows("Global Count\nGlobal label\nProcedure Open_Main()\n  OpenWindow(#Main, 0, 0, 200, 100, \"m\")\n"
                "  count = 1\n  label = 2\nEndProcedure")
        << QStringList{leftOut.arg("6")};
    QTest::newRow("not taken over: its number is not kept, Open_ is taken")
        << Rows("OpenWindow(#PB_Any, 0, 0, 200, 100, \"a\")\nProcedure Open_Main()\nEndProcedure\n"
                "OpenWindow(#Main, 0, 0, 200, 100, \"m\")")
        << Rows("Procedure Open_Main()\nEndProcedure")
        << QStringList{
               " -> Warning: window #PB_Any is opened outside a procedure (W.pb:1) and not taken over: its"
               " number is not kept; keep its number in a variable (hWnd = OpenWindow(#PB_Any, ...)) to generate it.",
               " -> Warning: window #Main is opened outside a procedure (W.pb:4) and not taken over: Procedure"
               " Open_Main() is defined already; open it in one place to generate it.",
               leftOut.arg("1, 4")};
}

// A window opened by top-level code becomes Procedure Open_<window>() up to its event loop,
// with the blocks the cut leaves open closed. The event loop goes into the event procedures
// (the bodies of these loops reach none), and so do an End and block ends after it; the rest
// of the program's run is left out.
void TestCommonFileLoading::takesOverTopLevelWindows()
{
    QFETCH(QStringList, file);
    QFETCH(QStringList, procedures);
    QFETCH(QStringList, log);
    InterpreterFixture f;
    LoadOne(f, "W.pb", file);
    TakeOverEventLoops(f.model, OutputLines(), f.log);
    QStringList lines = f.lines();
    lines.removeAll(Separator);
    lines.removeAll(QString());
    QCOMPARE(lines, procedures);
    QCOMPARE(f.log.texts, log);
}

// Includes name their files from the common file's folder (or its IncludePath); CommonFile.pb
// lies in the project folder. An include of a common file is in CommonFile.pb already.
void TestCommonFileLoading::includesFromASubfolder()
{
    InterpreterFixture f;
    f.dir.writeLines("Other.pb", {"Procedure Other()", "EndProcedure"});
    f.dir.writeLines("forms/Form.pb",
                     {"XIncludeFile \"Helpers.pb\" ; shared code", "XIncludeFile \"../Other.pb\"",
                      "IncludePath \"inc\"", "IncludeFile \"Tools.pb\"", "XIncludeFile \"/opt/lib/x.pb\"",
                      "DataSection", "  Logo: : IncludeBinary \"logo.png\"", "EndDataSection", "Procedure Form()",
                      "  XIncludeFile \"inner.pbi\"", "EndProcedure"});
    f.model.CommonFileList = {"forms/Form.pb", "Other.pb"};
    LoadCommonFiles(f.model, f.folder(), f.log);

    QCOMPARE(f.lines().mid(0, 11),
             (QStringList{"XIncludeFile \"forms/Helpers.pb\" ; shared code", "; XIncludeFile \"../Other.pb\"",
                          "; IncludePath \"inc\"", "IncludeFile \"forms/inc/Tools.pb\"",
                          "XIncludeFile \"/opt/lib/x.pb\"", "DataSection",
                          "  Logo: : IncludeBinary \"forms/inc/logo.png\"", "EndDataSection", "", Separator, ""}));
    QVERIFY(f.lines().contains("  XIncludeFile \"forms/inc/inner.pbi\""));
}

void TestCommonFileLoading::formDesignerConversion_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("converted");

    // clang-format off
    QTest::newRow("window procedure")
        << "Procedure OpenWindow_0(x = 0, y = 0, width = 600, height = 400)"
        << "Procedure Open_Window_0(x = 0, y = 0, width = 600, height = 400)";
    QTest::newRow("toolbar")
        << "  CreateToolBar(0, WindowID(#Window_0))" << "  CreateToolbar(#ToolBar, WindowID(#Window_0))";
    QTest::newRow("menu in lower case")
        << "  createmenu(0, WindowID(#Window_0))" << "  CreateMenu(#Menu, WindowID(#Window_0))";
    QTest::newRow("status bar text")
        << "  StatusBarText(0, 1, \"Ready\")" << "  StatusBarText(#StatusBar, 1, \"Ready\")";
    QTest::newRow("two heights on one line")
        << "  h = FormWindowHeight - ToolBarHeight(0) - StatusBarHeight(0)"
        << "  h = FormWindowHeight - ToolBarHeight(#ToolBar) - StatusBarHeight(#StatusBar)";
    QTest::newRow("tooltip and button states")
        << "  ToolBarToolTip(0, #Open, \"Open\") : SetToolBarButtonState(0, #Bold, 1) : x = GetToolBarButtonState(0, #Bold)"
        << "  ToolBarToolTip(#ToolBar, #Open, \"Open\") : SetToolBarButtonState(#ToolBar, #Bold, 1) : x = GetToolBarButtonState(#ToolBar, #Bold)";
    QTest::newRow("status bar image and progress")
        << "  StatusBarImage(0, 0, ImageID(#I)) : StatusBarProgress(0, 1, 50) : CreateStatusBar(0, WindowID(#W))"
        << "  StatusBarImage(#StatusBar, 0, ImageID(#I)) : StatusBarProgress(#StatusBar, 1, 50) : CreateStatusBar(#StatusBar, WindowID(#W))";
    QTest::newRow("other lines unchanged")
        << "  ButtonGadget(#Button_0, 10, 10, 80, 24, \"Open\")" << "  ButtonGadget(#Button_0, 10, 10, 80, 24, \"Open\")";
    // clang-format on
}

void TestCommonFileLoading::formDesignerConversion()
{
    QFETCH(QString, line);
    QFETCH(QString, converted);
    const QStringList file = {"Procedure X()", line, "EndProcedure"};

    InterpreterFixture designer;
    QCOMPARE(LoadOne(designer, "Form.PBF", file).mid(0, 3).at(1), converted);

    InterpreterFixture handWritten;
    QCOMPARE(LoadOne(handWritten, "Form.pb", file).mid(0, 3).at(1), line);
}

void TestCommonFileLoading::globalImagesAndFonts()
{
    InterpreterFixture f;
    const QStringList lines = LoadOne(
        f, "W.pb",
        {"LoadImage(#Image_0, \"logo.png\")", "UsePNGImageDecoder() : LoadImage( #Image_1 ,\"images/b.png\")",
         "; LoadFont(#Font_Old, \"Arial\", 8)", "LoadFont(#Font_0, \"DejaVu Sans\", 10, #PB_Font_Bold) ; titles",
         "LoadImage(0, File$)", "LoadFont(#Font_2, #Face$, 12)", "Procedure P()",
         "  LoadImage(#Image_2, \"inside.png\")", "  LoadFont(#Font_1, \"Mono\", 9)",
         "EndProcedure : LoadImage(#Image_3, \"after.png\")",
         // A #PB_Any image is named after its variable; one kept nowhere is not loaded at all.
         "Img_Var = LoadImage(#PB_Any, \"var.png\")", "LoadImage(#PB_Any, \"unused.png\")",
         "Global Img_Caught.i = CatchImage(#PB_Any, ?Img_Caught)",
         "CatchImage(#Img_Data, ?Data_2, ?Data_2_End - ?Data_2)", "CatchImage(#Img_Memory, *Buffer)", "DataSection",
         "  Img_Caught: : IncludeBinary \"caught.png\"", "  Data_2:", "  IncludeBinary \"data2.jpg\"",
         "  Data_2_End:", "EndDataSection"});

    QCOMPARE(f.model.ImageList.size(), 6);
    const QStringList expected[] = {{"#Image_0", "logo.png", "", ""},
                                    {" #Image_1 ", "images/b.png", "", ""},
                                    {"#Image_3", "after.png", "", ""},
                                    {"#Img_Var", "var.png", "", "Img_Var"},
                                    {"#Img_Caught", "caught.png", "Img_Caught", "Img_Caught"},
                                    {"#Img_Data", "data2.jpg", "Data_2", ""}};
    for (int i = 0; i < 6; ++i) {
        const ImageRecord &image = f.model.ImageList.at(i);
        QCOMPARE((QStringList{image.name, image.file, image.label, image.variable}), expected[i]);
    }
    QCOMPARE(f.model.FontList.size(), 1);
    QCOMPARE(f.model.FontList.at(0).name, "#Font_0");
    QCOMPARE(f.model.FontList.at(0).line, "LoadFont(#Font_0, \"DejaVu Sans\", 10, #PB_Font_Bold) ; titles");
    // Loads that read a variable or a constant of the sources stay in place, as written.
    QCOMPARE(lines.mid(lines.indexOf("LoadImage(0, File$)"), 2),
             (QStringList{"LoadImage(0, File$)", "LoadFont(#Font_2, #Face$, 12)"}));
    // The loads inside the procedure stay in its text for the in-procedure image pass.
    const qsizetype procedure = lines.indexOf("Procedure P()");
    QVERIFY(procedure > 0 && lines.at(procedure - 1).isEmpty()); // after the declarations
    QCOMPARE(lines.mid(procedure, 4),
             (QStringList{"Procedure P()", "  LoadImage(#Image_2, \"inside.png\")", "  LoadFont(#Font_1, \"Mono\", 9)",
                          "EndProcedure : LoadImage(#Image_3, \"after.png\")"}));
}

void TestCommonFileLoading::unreadableFilesAreLoggedAndReturned()
{
    InterpreterFixture f;
    f.dir.writeLines("Good.pb", {"Procedure A()", "EndProcedure"});
    f.dir.writeLines("Plain", {"x"});
    QDir(f.dir.dir()).mkdir("Folder.pb");
    f.model.CommonFileList = {f.dir.path("Missing.pb"), f.dir.path("Folder.pb"), "Plain/Inner.pb", "Good.pb"};

    const QList<FileResult> unread = LoadCommonFiles(f.model, f.folder(), f.log);
    QCOMPARE(unread.size(), 3); // the run stops on them
    QCOMPARE(unread.first().path, f.dir.path("Missing.pb"));
    QCOMPARE(unread.first().reason, QString("No such file or directory"));
    QCOMPARE(unread.last().path, f.dir.path("Plain/Inner.pb"));
    QCOMPARE(f.log.texts, (QStringList{" -> Error OpenFile " + f.dir.path("Missing.pb") + " / Errorcode: 1",
                                       " -> Error OpenFile " + f.dir.path("Folder.pb") + " / Errorcode: 1",
                                       " -> Error OpenFile Plain/Inner.pb / Errorcode: 1"}));
    QCOMPARE(f.lines().mid(0, 2), (QStringList{"Procedure A()", "EndProcedure"}));
    QCOMPARE(f.model.CommonFileList.size(), 4); // the list itself stays as the project has it
}

void TestCommonFileLoading::relativePathFromProjectDirectory()
{
    InterpreterFixture f;
    f.dir.writeLines("forms/Relative.pb", {"Procedure R()", "EndProcedure"});
    const QString before = QDir::currentPath();
    QDir::setCurrent(QDir::tempPath()); // the project directory is not the working directory
    f.model.CommonFileList = {"forms/Relative.pb"};
    LoadCommonFiles(f.model, f.folder(), f.log);
    QDir::setCurrent(before);

    QVERIFY(f.log.texts.isEmpty());
    QCOMPARE(f.lines().value(0), "Procedure R()");
    QCOMPARE(f.model.CommonFileList, QStringList{"forms/Relative.pb"});
}

void TestCommonFileLoading::decodesByOwnMark_data()
{
    QTest::addColumn<int>("encoding");
    QTest::newRow("UTF-8") << int(QStringConverter::Utf8);
    QTest::newRow("UTF-16 LE") << int(QStringConverter::Utf16LE);
    QTest::newRow("UTF-16 BE") << int(QStringConverter::Utf16BE);
    QTest::newRow("UTF-32 LE") << int(QStringConverter::Utf32LE);
    QTest::newRow("UTF-32 BE") << int(QStringConverter::Utf32BE);
}

void TestCommonFileLoading::decodesByOwnMark()
{
    QFETCH(int, encoding);
    QStringEncoder encoder(QStringConverter::Encoding(encoding), QStringConverter::Flag::WriteBom);
    const QString text = "Procedure Grüße()\r\n  TextGadget(#T, 1, 1, 1, 1, \"Größe €\")\r\nEndProcedure\r\n";
    InterpreterFixture f;
    f.dir.write("W.pb", encoder.encode(text));
    f.model.CommonFileList = {f.dir.path("W.pb")};
    LoadCommonFiles(f.model, f.folder(), f.log);

    QCOMPARE(f.lines().mid(0, 3),
             (QStringList{"Procedure Grüße()", "  TextGadget(#T, 1, 1, 1, 1, \"Größe €\")", "EndProcedure"}));
}

void TestCommonFileLoading::setParentWindow_data()
{
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("after");
    const QString first = "If OpenWindow(#Window_0 , 0, 0, 300, 200, \"Main\")";

    QTest::newRow("flags kept, parent added")
        << first + "\nOpenWindow(#Window_1, 0, 0, 200, 100, \"Main\", #PB_Window_SystemMenu)"
        << first + "\nOpenWindow(#Window_1, 0, 0, 200, 100, \"Main\", #PB_Window_SystemMenu, WindowID(#Window_0))";
    QTest::newRow("no flags gets the system menu")
        << first + "\nIf OpenWindow(#Window_1, 0, 0, 200, 100, \"Tools\") : Debug 1"
        << first
               + "\nIf OpenWindow(#Window_1, 0, 0, 200, 100, \"Tools\", #PB_Window_SystemMenu, WindowID(#Window_0)) : "
                 "Debug 1";
    QTest::newRow("comma in the title")
        << first + "\nOpenWindow(#Window_1, 0, 0, 200, 100, \"Save, then quit\", #PB_Window_Tool)"
        << first + "\nOpenWindow(#Window_1, 0, 0, 200, 100, \"Save, then quit\", #PB_Window_Tool, WindowID(#Window_0))";
    QTest::newRow("nested call in the size")
        << first + "\nOpenWindow(#Window_1, 0, 0, Max(200, w), 100, \"T\")"
        << first + "\nOpenWindow(#Window_1, 0, 0, Max(200, w), 100, \"T\", #PB_Window_SystemMenu, WindowID(#Window_0))";
    QTest::newRow("existing parent replaced")
        << first + "\nOpenWindow(#Window_1, 0, 0, 1, 1, \"T\", #PB_Window_SystemMenu, WindowID(#Other))"
        << first + "\nOpenWindow(#Window_1, 0, 0, 1, 1, \"T\", #PB_Window_SystemMenu, WindowID(#Window_0))";
    QTest::newRow("incomplete call left alone")
        << first + "\nOpenWindow(#Window_1, 0, 0," << first + "\nOpenWindow(#Window_1, 0, 0,";
    QTest::newRow("first window untouched") << first << first;
}

void TestCommonFileLoading::setParentWindow()
{
    QFETCH(QString, before);
    QFETCH(QString, after);
    InterpreterFixture f;
    f.withLines(Rows(before));
    SetParentWindow(f.model, WindowOpeningLines(f.model.CommonSourceLines));
    QCOMPARE(f.lines(), Rows(after));
}

void TestCommonFileLoading::setAutoWindowPosition_data()
{
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("after");
    // clang-format off
    QTest::newRow("first window too")
        << "OpenWindow(#Window_0, 10, 20, 300, 200, \"Main\")"
        << "OpenWindow(#Window_0, #PB_Ignore, #PB_Ignore, 300, 200, \"Main\")";
    QTest::newRow("after If, with flags")
        << "\tIf OpenWindow(#Window_1,x,y,300,200,\"a, b\",#PB_Window_SystemMenu)"
        << "\tIf OpenWindow(#Window_1, #PB_Ignore, #PB_Ignore,300,200,\"a, b\",#PB_Window_SystemMenu)";
    QTest::newRow("third comma ends the line")
        << "OpenWindow(#Window_0, 10, 20," << "OpenWindow(#Window_0, #PB_Ignore, #PB_Ignore,";
    QTest::newRow("too few arguments left alone")
        << "OpenWindow(#Window_0, 10)" << "OpenWindow(#Window_0, 10)";
    QTest::newRow("other lines untouched")
        << "ButtonGadget(#B, 1, 2, 3, 4, \"x\")" << "ButtonGadget(#B, 1, 2, 3, 4, \"x\")";
    // clang-format on
}

void TestCommonFileLoading::setAutoWindowPosition()
{
    QFETCH(QString, before);
    QFETCH(QString, after);
    InterpreterFixture f;
    f.withLines(Rows(before));
    SetAutoWindowPosition(f.model, WindowOpeningLines(f.model.CommonSourceLines));
    QCOMPARE(f.lines(), Rows(after));
}

// The window lines are found once, before the parent is set: the position is then replaced in
// the lines as the parent left them.
void TestCommonFileLoading::parentAndPositionShareWindowLines()
{
    InterpreterFixture f;
    f.withLines({"OpenWindow(#Window_0, 1, 2, 300, 200, \"Main\")", "Debug 1",
                 "If OpenWindow(#Window_1, 3, 4, 100, 50, \"Tool\") : Debug 2"});
    const QList<qsizetype> windowLines = WindowOpeningLines(f.model.CommonSourceLines);
    QCOMPARE(windowLines, QList<qsizetype>({0, 2}));
    SetParentWindow(f.model, windowLines);
    SetAutoWindowPosition(f.model, windowLines);
    QCOMPARE(f.lines(), QStringList({"OpenWindow(#Window_0, #PB_Ignore, #PB_Ignore, 300, 200, \"Main\")", "Debug 1",
                                     "If OpenWindow(#Window_1, #PB_Ignore, #PB_Ignore, 100, 50, \"Tool\", "
                                     "#PB_Window_SystemMenu, WindowID(#Window_0)) : Debug 2"}));
}

void TestCommonFileLoading::zeroImageGadgets_data()
{
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("after");
    // clang-format off
    QTest::newRow("image and flags dropped")
        << "  ImageGadget(#Window_0_Image_0, 10, 10, 100, 100, ImageID(#MyImage_0), #PB_Image_Border)"
        << "  ImageGadget(#Window_0_Image_0, 10, 10, 100, 100, 0)";
    QTest::newRow("no blank after the comma")
        << "ImageGadget(#I,1,1,1,1,ImageID(#Img))" << "ImageGadget(#I,1,1,1,1,0)";
    QTest::newRow("statement after the call kept")
        << "ImageGadget(#I, 1, 1, 1, 1, ImageID(#Img)) : GadgetToolTip(#I, \"Logo\")"
        << "ImageGadget(#I, 1, 1, 1, 1, 0) : GadgetToolTip(#I, \"Logo\")";
    QTest::newRow("lower case")
        << "If imagegadget(#I, 1, 1, 1, 1, ImageID(#Img))" << "If imagegadget(#I, 1, 1, 1, 1, 0)";
    QTest::newRow("unclosed call closed after blanks at the end")
        << "ImageGadget(#I, 1, 1, 1, 1,  " << "ImageGadget(#I, 1, 1, 1, 1,  0)";
    QTest::newRow("too few arguments left alone")
        << "ImageGadget(#I, 1, 1)" << "ImageGadget(#I, 1, 1)";
    // clang-format on
}

void TestCommonFileLoading::zeroImageGadgets()
{
    QFETCH(QString, before);
    QFETCH(QString, after);
    InterpreterFixture f;
    f.withLines(Rows(before));
    ZeroImageGadgets(f.model);
    QCOMPARE(f.lines(), Rows(after));
}

// The words of a line, found in one walk, are those a search for each word finds.
void TestCommonFileLoading::lineWords_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<int>("words");
    QTest::newRow("procedure head") << "Procedure Open_W()" << int(ProcedureWord);
    QTest::newRow("end in lower case, with a comment") << "  endprocedure ; done" << (ProcedureWord | EndProcedureWord);
    QTest::newRow("a word that holds it") << "  ProcedureReturn x" << int(ProcedureWord);
    QTest::newRow("module") << "DeclareModule Tools" << int(ModuleWord);
    QTest::newRow("in a comment and a string") << "x = \"inCLUDE\" ; a MoDuLe" << (ModuleWord | IncludeWord);
    QTest::newRow("include after a colon") << "a = 1 : XIncludeFile \"a.pb\"" << int(IncludeWord);
    QTest::newRow("dotless i upper-cases to I") << QString::fromUtf8("\xC4\xB1ncludeFile \"a.pb\"") << int(IncludeWord);
    QTest::newRow("d with stroke is no i") << QString::fromUtf8("\xC4\x91nclude") << 0;
    QTest::newRow("across a step of sixteen")
        << QString(13, QLatin1Char('x')) + "EndProcedure" << (ProcedureWord | EndProcedureWord);
    QTest::newRow("cut off at the end") << "x = Procedur" << 0;
    QTest::newRow("none") << "ButtonGadget(#B, 0, 0, 80, 24, \"Ok\")" << 0;
    QTest::newRow("empty") << "" << 0;
}

void TestCommonFileLoading::lineWords()
{
    QFETCH(QString, line);
    QFETCH(int, words);
    QCOMPARE(int(FindLineWords({line}).first()), words);
    const int searched = (IndexOfNoCase(line, u"PROCEDURE") >= 0 ? ProcedureWord : 0)
                         | (IndexOfNoCase(line, u"ENDPROCEDURE") >= 0 ? EndProcedureWord : 0)
                         | (IndexOfNoCase(line, u"MODULE") >= 0 ? ModuleWord : 0)
                         | (IndexOfNoCase(line, u"INCLUDE") >= 0 ? IncludeWord : 0);
    QCOMPARE(words, searched);
}

QTEST_GUILESS_MAIN(TestCommonFileLoading)
#include "tst_common_file_loading.moc"
