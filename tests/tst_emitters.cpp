// The emitters one by one, each on a small design model.
#include "base/statement_scan.h"
#include "emit/common_file.h"
#include "emit/constants_section.h"
#include "emit/dispatcher.h"
#include "emit/event_procedures.h"
#include "emit/font_section.h"
#include "emit/image_section.h"
#include "emit/language_data.h"
#include "emit/main_window_patch.h"
#include "emit/templates.h"
#include "interpreter/language_strings.h"
#include "model/event_file_lines.h"
#include "pipeline/load_project_sources.h"
#include "support/test_project.h"

#include <algorithm>

#include <QRandomGenerator>
#include <QTest>

using namespace quarvel;

namespace {

const QString Separator87 = QStringLiteral("; ") + QString(87, QLatin1Char('*'));

struct Emitters {
    ProjectState project;
    DesignModel model;
    OutputLines output;
    RecordingLog log;
};

SourceLineList Template(const QString &text)
{
    SourceLineList lines;
    SplitTemplate(text, lines);
    return lines;
}

QStringList Separator()
{
    return {QString(), Separator87, QString()};
}

QStringList EventFileHeader(const char *title)
{
    return QStringList{QStringLiteral(";-TOP"), QString(), QLatin1String(title)} + Separator();
}

QStringList MenuSkeleton(const QString &name)
{
    return QStringList{QStringLiteral("Procedure EventMenu_") + name + QStringLiteral("()"), QStringLiteral("  "),
                       QStringLiteral("EndProcedure")}
           + Separator();
}

QStringList GadgetSkeleton(const QString &name)
{
    return QStringList{QStringLiteral("Procedure EventGadget_") + name + QStringLiteral("(EventType)"),
                       QStringLiteral("  "),
                       QStringLiteral("  Select EventType"),
                       QStringLiteral("    Case #PB_EventType_LeftClick"),
                       QStringLiteral("      "),
                       QStringLiteral("  EndSelect"),
                       QStringLiteral("  "),
                       QStringLiteral("EndProcedure")}
           + Separator();
}

// What a walk over an event file found (heads, lines with a ":", first constant uses), a line each.
QStringList WalkFound(const EventFileLines &walk)
{
    QStringList found;
    for (const HeadOfLine &head : walk.heads)
        found << QString::number(head.line) + QStringLiteral(" head ") + head.name.toString();
    for (const qsizetype line : walk.colonLines)
        found << QString::number(line) + QStringLiteral(" colon");
    for (const ConstantUse &use : walk.firstUses)
        found << QString::number(use.line) + QStringLiteral(" #") + use.name.toString();
    return found;
}

// The lines of list from the one equal to first, count lines long.
QStringList Slice(const QStringList &list, const QString &first, qsizetype count)
{
    const qsizetype at = list.indexOf(first);
    return at < 0 ? QStringList() : list.mid(at, count);
}

} // namespace

class TestEmitters : public QObject {
    Q_OBJECT

private slots:
    void constantsSectionLayout();
    void constantsSectionEmptyDesign();
    void fontSection();
    void imageSection_data();
    void imageSection();
    void languageDataOnTemplate();
    void languageDataKeepsUserLines();
    void languageDataWithoutMarkers_data();
    void languageDataWithoutMarkers();
    void patchMainOnTemplate();
    void patchMainExistingFile();
    void patchMainWithoutWindow();
    void commonFileLayout_data();
    void commonFileLayout();
    void dispatchSelect();
    void dispatchSelectEmptyDesign();
    void dispatchCallFast();
    void dispatchCallFastEmptyDesign();
    void numberedAndPureBasicObjects();
    void eventFileHeaderOnly();
    void eventMenuExistenceTest_data();
    void eventMenuExistenceTest();
    void eventWindowFreshFile();
    void eventExitFirstWindowAlreadyPresent();
    void eventGadgetSkipsTextAndFrame();
    void eventFilesAllPresentUnchanged();
    void procedureHeadsMatchSubstringTest();
};

void TestEmitters::constantsSectionLayout()
{
    Emitters e;
    DesignModel &m = e.model;
    m.WindowList = {QStringLiteral("Window_0"), QStringLiteral("Window_1")};
    m.MenuList = {QStringLiteral("Window_0_Menu")};
    m.MenuItemList = {QStringLiteral("Window_0_Open")};
    m.GadgetList = {{QStringLiteral("Window_0_Button_0"), QStringLiteral("BUTTONGADGET")}};
    m.StatusBarList = {QStringLiteral("Window_0_Status")};
    m.ToolBarList = {QStringLiteral("Window_0_Tools")};
    m.FontList = {{QStringLiteral("#Font_0"), QStringLiteral("LoadFont(#Font_0, \"Arial\", 10)")},
                  {QStringLiteral("1"), QStringLiteral("LoadFont(1, \"Arial\", 12)")}};
    // Identifiers loaded with a plain number have no constant to declare; one loaded twice is
    // declared once; the variable of a #PB_Any image holds its number.
    m.ImageList = {{QStringLiteral("#Image_0"), QStringLiteral("ok.png"), {}, {}},
                   {QStringLiteral("0"), QStringLiteral("a.png"), {}, {}},
                   {QStringLiteral("#MyImage_1"), QStringLiteral("b.png"), {}, {}},
                   {QStringLiteral("#IMAGE_0"), QStringLiteral("c.png"), {}, {}},
                   {QStringLiteral("#Img_Var"), QStringLiteral("v.png"), {}, QStringLiteral("Img_Var")}};
    EmitConstantsSection(e.model, e.output);

    auto block = [](const char *heading, const QStringList &members) {
        return QStringList{QLatin1String(heading), QStringLiteral(";"), QStringLiteral("Enumeration")} + members
               + QStringList{QStringLiteral("EndEnumeration"), QString()};
    };
    const QStringList expected = block(";- Window Constants", {"  #Window_0", "  #Window_1"})
                                 + block(";- Menubar Constants", {"  #Window_0_Menu"})
                                 + block(";- MenuItem Constants", {"  #Window_0_Open"})
                                 + block(";- Gadget Constants", {"  #Window_0_Button_0"})
                                 + block(";- StatusBar Constants", {"  #Window_0_Status"})
                                 + block(";- ToolBar Constants", {"  #Window_0_Tools"})
                                 + block(";- Font Constants", {"  #Font_0"})
                                 + block(";- Image Constants", {"  #Image_0", "  #MyImage_1", "  #Img_Var"})
                                 + QStringList{";- Object Variables", ";", "Global Img_Var = #Img_Var", ""};
    QCOMPARE(e.output.ConstantLines, expected);
}

void TestEmitters::constantsSectionEmptyDesign()
{
    Emitters e;
    EmitConstantsSection(e.model, e.output);
    const QStringList &lines = e.output.ConstantLines;
    QCOMPARE(lines.size(), 40);
    QCOMPARE(lines.mid(0, 5), (QStringList{";- Window Constants", ";", "Enumeration", "EndEnumeration", ""}));
    QCOMPARE(lines.mid(35, 5), (QStringList{";- Image Constants", ";", "Enumeration", "EndEnumeration", ""}));
    // Gadgets come fourth, before status bars and toolbars.
    QCOMPARE(lines[15], QStringLiteral(";- Gadget Constants"));
    QCOMPARE(lines[20], QStringLiteral(";- StatusBar Constants"));
}

void TestEmitters::fontSection()
{
    Emitters empty;
    EmitFontSection(empty.model, empty.output);
    QCOMPARE(empty.output.FontLines, (QStringList{";- Load Font", ""}));

    Emitters e;
    e.model.FontList = {{QStringLiteral("#Font_0"), QStringLiteral("  LoadFont(#Font_0, \"Arial\", 10)")},
                        {QStringLiteral("#Font_1"), QStringLiteral("LoadFont(#Font_1,\"Courier\",8) ; mono")}};
    EmitFontSection(e.model, e.output);
    QCOMPARE(e.output.FontLines, (QStringList{";- Load Font", "  LoadFont(#Font_0, \"Arial\", 10)",
                                              "LoadFont(#Font_1,\"Courier\",8) ; mono", ""}));
}

void TestEmitters::imageSection_data()
{
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<int>("include");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("no images, loaded") << QStringList() << QStringList() << 0
                                       << QStringList{";- Image Plugin", "", ";- Load Images", ""};
    QTest::newRow("no images, included") << QStringList() << QStringList() << 1
                                         << QStringList{";- Image Plugin", "",
                                                        ";- Catch Images", "",
                                                        ";- Images",       "DataSection",
                                                        "EndDataSection"};
    QTest::newRow("png and jpg, included")
        << QStringList{"#Image_0", "#Image_1"} << QStringList{"ok.png", "logo.jpg"} << 1
        << QStringList{";- Image Plugin",
                       "",
                       "UseJPEGImageDecoder()",
                       "UseJPEG2000ImageDecoder()",
                       "UsePNGImageDecoder()",
                       "",
                       ";- Catch Images",
                       "CatchImage(#Image_0, ?Image_0)",
                       "CatchImage(#Image_1, ?Image_1)",
                       "",
                       ";- Images",
                       "DataSection",
                       "  Image_0:",
                       "  IncludeBinary \"ok.png\"",
                       "  Image_1:",
                       "  IncludeBinary \"logo.jpg\"",
                       "EndDataSection"};
    QTest::newRow("png and jpg, loaded") << QStringList{"#Image_0", "#Image_1"} << QStringList{"ok.png", "logo.jpg"}
                                         << 0
                                         << QStringList{";- Image Plugin",
                                                        "",
                                                        "UseJPEGImageDecoder()",
                                                        "UseJPEG2000ImageDecoder()",
                                                        "UsePNGImageDecoder()",
                                                        "",
                                                        ";- Load Images",
                                                        "LoadImage(#Image_0, \"ok.png\")",
                                                        "LoadImage(#Image_1, \"logo.jpg\")",
                                                        ""};
    QTest::newRow("decoders in fixed order, each once")
        << QStringList{"#A", "#B", "#C", "#D", "#E", "#F"}
        << QStringList{"a.tga", "b.TIFF", "c.png", "d.PNG", "dir.v2/Photo.Jpeg", "noext"} << 0
        << QStringList{";- Image Plugin",
                       "",
                       "UseJPEGImageDecoder()",
                       "UseJPEG2000ImageDecoder()",
                       "UsePNGImageDecoder()",
                       "UseTIFFImageDecoder()",
                       "UseTGAImageDecoder()",
                       "",
                       ";- Load Images",
                       "LoadImage(#A, \"a.tga\")",
                       "LoadImage(#B, \"b.TIFF\")",
                       "LoadImage(#C, \"c.png\")",
                       "LoadImage(#D, \"d.PNG\")",
                       "LoadImage(#E, \"dir.v2/Photo.Jpeg\")",
                       "LoadImage(#F, \"noext\")",
                       ""};
    QTest::newRow("unknown formats add no decoder") << QStringList{"#A", "#B"} << QStringList{"a.bmp", "dir.png/file"}
                                                    << 0 << QStringList{";- Image Plugin",
                                                                        "",
                                                                        ";- Load Images",
                                                                        "LoadImage(#A, \"a.bmp\")",
                                                                        "LoadImage(#B, \"dir.png/file\")",
                                                                        ""};
    QTest::newRow("plain number, included") << QStringList{"0", "#Image_1"} << QStringList{"a.bmp", "b.bmp"} << 1
                                            << QStringList{";- Image Plugin",
                                                           "",
                                                           ";- Catch Images",
                                                           "CatchImage(0, ?MyImageData_0)",
                                                           "CatchImage(#Image_1, ?Image_1)",
                                                           "",
                                                           ";- Images",
                                                           "DataSection",
                                                           "  MyImageData_0:",
                                                           "  IncludeBinary \"a.bmp\"",
                                                           "  Image_1:",
                                                           "  IncludeBinary \"b.bmp\"",
                                                           "EndDataSection"};
    // "#Name ?Label": caught from a DataSection label of the sources, which holds its data.
    QTest::newRow("caught from the sources, loaded")
        << QStringList{"#Img_0 ?Img_0", "#Image_1"} << QStringList{"a.png", "b.bmp"} << 0
        << QStringList{";- Image Plugin",
                       "",
                       "UsePNGImageDecoder()",
                       "",
                       ";- Load Images",
                       "CatchImage(#Img_0, ?Img_0)",
                       "LoadImage(#Image_1, \"b.bmp\")",
                       ""};
    QTest::newRow("caught from the sources, included")
        << QStringList{"#Img_0 ?Data_0", "#Image_1"} << QStringList{"", "b.bmp"} << 1
        << QStringList{";- Image Plugin",
                       "",
                       ";- Catch Images",
                       "CatchImage(#Img_0, ?Data_0)",
                       "CatchImage(#Image_1, ?Image_1)",
                       "",
                       ";- Images",
                       "DataSection",
                       "  Image_1:",
                       "  IncludeBinary \"b.bmp\"",
                       "EndDataSection"};
    QTest::newRow("expression, included") << QStringList{"1+2"} << QStringList{"a.bmp"} << 1
                                          << QStringList{";- Image Plugin",
                                                         "",
                                                         ";- Catch Images",
                                                         "CatchImage(1+2, ?MyImageData_1_2)",
                                                         "",
                                                         ";- Images",
                                                         "DataSection",
                                                         "  MyImageData_1_2:",
                                                         "  IncludeBinary \"a.bmp\"",
                                                         "EndDataSection"};
}

void TestEmitters::imageSection()
{
    QFETCH(QStringList, names);
    QFETCH(QStringList, files);
    QFETCH(int, include);
    QFETCH(QStringList, expected);
    Emitters e;
    e.project.switches.Image_Include = include;
    for (qsizetype i = 0; i < names.size(); ++i)
        e.model.ImageList.append({names[i].section(" ?", 0, 0), files[i], names[i].section(" ?", 1), {}});
    EmitImageSection(e.model, e.project.switches, e.output);
    QCOMPARE(e.output.ImageLines, expected);
}

void TestEmitters::languageDataOnTemplate()
{
    Emitters e;
    e.output.LoadLanguageLines = Template(LoadLanguageTemplate());
    const SourceLineList before = e.output.LoadLanguageLines;
    e.model.Languages.insert(QStringLiteral("Open"), QStringLiteral("Open"));
    e.model.Languages.insert(QStringLiteral("Close"), QStringLiteral("Schliessen"));
    EmitLanguageData(e.model, e.output);

    const SourceLineList &after = e.output.LoadLanguageLines;
    QCOMPARE(after.size(), before.size() + 2);
    QVERIFY(!before.contains(QStringLiteral("#MaxLanguage = 2")));
    QCOMPARE(after[before.indexOf(QStringLiteral("#MaxLanguage = 0"))], QStringLiteral("#MaxLanguage = 2"));
    QCOMPARE(Slice(after, QStringLiteral("DataSection"), 8),
             (QStringList{"DataSection", "  ; Part Allways Overwrite", "  DefaultLanguage:", "  Data.s \"Open\"",
                          "  Data.s \"Close\"", "  EndDefaultLanguage:", "  ; End Part Allways Overwrite",
                          "EndDataSection"}));
    QVERIFY(e.log.texts.isEmpty());

    // Again with an empty map: the block is rebuilt, not added to.
    e.model.Languages.clear();
    EmitLanguageData(e.model, e.output);
    QCOMPARE(e.output.LoadLanguageLines, before);
}

void TestEmitters::languageDataKeepsUserLines()
{
    Emitters e;
    // Only the definition's value is the generator's: its comment, and every line that merely
    // tests or shows the constant, are the user's.
    const QStringList users{"If #MaxLanguage = 0 : Debug \"none\" : EndIf",
                            "  Debug \"#MaxLanguage = \" + Str(#MaxLanguage)", "#MaxLanguages = 2",
                            "x = #MaxLanguage = 3"};
    e.output.LoadLanguageLines =
        QStringList{"; my header", "#MaxLanguage = 7 ; keep me", "  #maxlanguage=0 : y = 1"} + users
        + QStringList{"Procedure LoadLanguage()", "  Debug \"mine\"", "EndProcedure",    "DataSection",
                      "  DefaultLanguage:",       "  Data.s \"Old\"", "  ; a user note", "  EndDefaultLanguage:",
                      "  #MaxLanguage = 9",       "EndDataSection",   "MyCode()"};
    e.model.Languages.insert(QStringLiteral("New"), QStringLiteral("New"));
    EmitLanguageData(e.model, e.output);
    // Lines after the start marker are not the #MaxLanguage line of the file.
    QCOMPARE(e.output.LoadLanguageLines,
             (QStringList{"; my header", "#MaxLanguage = 1 ; keep me", "  #maxlanguage=1 : y = 1"} + users
              + QStringList{"Procedure LoadLanguage()", "  Debug \"mine\"", "EndProcedure", "DataSection",
                            "  DefaultLanguage:", "  Data.s \"New\"", "  EndDefaultLanguage:", "  #MaxLanguage = 9",
                            "EndDataSection", "MyCode()"}));
}

void TestEmitters::languageDataWithoutMarkers_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QStringList>("expected");
    QTest::addColumn<QStringList>("log");
    const QStringList warning{" -> Warning: LoadLanguage.pb has no DefaultLanguage block, language data not updated."};

    QTest::newRow("no start marker") << QStringList{"#MaxLanguage = 3", "DataSection", "  Data.s \"A\"",
                                                    "EndDataSection"}
                                     << QStringList{"#MaxLanguage = 3", "DataSection", "  Data.s \"A\"",
                                                    "EndDataSection"}
                                     << warning;
    QTest::newRow("no end after the start")
        << QStringList{"EndDataSection", "#MaxLanguage = 3", "  DefaultLanguage:", "  Data.s \"A\"", "Code()"}
        << QStringList{"EndDataSection", "#MaxLanguage = 3", "  DefaultLanguage:", "  Data.s \"A\"", "Code()"}
        << warning;
    QTest::newRow("EndDataSection ends the block")
        << QStringList{"#MaxLanguage = 3", "DataSection", "  DefaultLanguage:", "  Data.s \"A\"", "EndDataSection"}
        << QStringList{"#MaxLanguage = 1", "DataSection", "  DefaultLanguage:", "  Data.s \"K\"", "EndDataSection"}
        << QStringList();
    QTest::newRow("only the end marker left")
        << QStringList{"DataSection", "  EndDefaultLanguage:", "  ; mine", "EndDataSection"}
        << QStringList{"DataSection", "  EndDefaultLanguage:", "  ; mine", "EndDataSection"} << warning;
    QTest::newRow("empty file") << QStringList() << QStringList() << warning;
}

void TestEmitters::languageDataWithoutMarkers()
{
    QFETCH(QStringList, lines);
    QFETCH(QStringList, expected);
    QFETCH(QStringList, log);
    Emitters e;
    e.output.LoadLanguageLines = lines;
    e.model.Languages.insert(QStringLiteral("K"), QStringLiteral("K"));
    CheckLanguageBlock(e.output.LoadLanguageLines, e.log);
    EmitLanguageData(e.model, e.output);
    QCOMPARE(e.output.LoadLanguageLines, expected);
    QCOMPARE(e.log.texts, log);
}

void TestEmitters::patchMainOnTemplate()
{
    Emitters e;
    e.model.WindowList = {QStringLiteral("Main_Window"), QStringLiteral("Child")};
    const SourceLineList before = Template(MainTemplate());
    e.output.MainLines = before;
    PatchMainOpenWindow(e.model, e.output, e.log);

    SourceLineList expected = before;
    expected[before.indexOf(QStringLiteral("  Open_WindowXY()"))] = QStringLiteral("  Open_Main_Window()");
    expected[before.indexOf(QStringLiteral("  If WindowID(#Window)"))] = QStringLiteral("  If WindowID(#Main_Window)");
    QCOMPARE(e.output.MainLines, expected);
    QVERIFY(e.log.texts.isEmpty());
}

void TestEmitters::patchMainExistingFile()
{
    Emitters e;
    e.model.WindowList = {QStringLiteral("Main")};
    e.output.MainLines = {"Open_WindowXY() : OPEN_WINDOWXY() ; open_windowxy()",
                          "; the test below reads If WindowID(#Old)", "    If WindowID(#OldMain) ; main window open",
                          "Open_WindowXY()"};
    PatchMainOpenWindow(e.model, e.output, e.log);
    // The first line with the placeholder has it replaced in any case; the comment line is
    // the first test line and takes the rewrite; nothing after it is looked at.
    QCOMPARE(e.output.MainLines, (QStringList{"Open_Main() : Open_Main() ; Open_Main()", "  If WindowID(#Main)",
                                              "    If WindowID(#OldMain) ; main window open", "Open_WindowXY()"}));

    Emitters lowerOnly;
    lowerOnly.model.WindowList = {QStringLiteral("Main")};
    lowerOnly.output.MainLines = {"open_windowxy()", "    If WindowID(#OldMain) ; main window open"};
    PatchMainOpenWindow(lowerOnly.model, lowerOnly.output, lowerOnly.log);
    QCOMPARE(lowerOnly.output.MainLines, (QStringList{"open_windowxy()", "  If WindowID(#Main)"}));

    // A Main.pb of an earlier run: its main procedure gives way to a Main() of the common
    // files, whose call inside stays; the line that shows an invisible window follows the
    // main window.
    Emitters earlier;
    earlier.model.WindowList = {QStringLiteral("Splash"), QStringLiteral("Main")};
    earlier.model.MainWindow = QStringLiteral("Main");
    earlier.model.FirstWindowInvisible = true;
    earlier.model.MainProcedure = QStringLiteral("MainProgram");
    earlier.output.MainLines = {"Procedure Main() ; Main", "  Main()",
                                "  If WindowID(#Splash)",  "    HideWindow(#Splash, #False)",
                                "EndProcedure:Main()",     "Debug \"Main()\""};
    PatchMainOpenWindow(earlier.model, earlier.output, earlier.log);
    QCOMPARE(earlier.output.MainLines,
             (QStringList{"Procedure MainProgram() ; Main", "  Main()", "  If WindowID(#Main)",
                          "    HideWindow(#Main, #False)", "EndProcedure:MainProgram()", "Debug \"Main()\""}));
}

void TestEmitters::patchMainWithoutWindow()
{
    // Without a window Main.pb calls nothing that does not exist and skips its loop; the log
    // names the window that is not generated.
    Emitters e;
    e.model.CommonFileList = {QStringLiteral("forms/Ask.pb")};
    e.model.CommonSourceLines.append(QStringLiteral("; OpenWindow(0, 0, 0, 1, 1, \"\")"), {0, 3});
    e.model.CommonSourceLines.append(QStringLiteral("  If OpenWindow(win, 0, 0, 1, 1, \"\")"), {0, 7});
    const SourceLineList before = Template(MainTemplate());
    e.output.MainLines = before;
    PatchMainOpenWindow(e.model, e.output, e.log);
    SourceLineList expected = before;
    expected[before.indexOf(QStringLiteral("  Open_WindowXY()"))] = QStringLiteral("  ; Open_WindowXY()");
    expected[before.indexOf(QStringLiteral("  If WindowID(#Window)"))] = QStringLiteral(
        "  If #False ; If WindowID(#Window)");
    QCOMPARE(e.output.MainLines, expected);
    QCOMPARE(e.log.texts, QStringList{" -> Warning: No window found, Main.pb not patched. The window opened at "
                                      "Ask.pb:7 is not generated."});
    QCOMPARE(e.log.entries.first().file, QStringLiteral("forms/Ask.pb"));
    QCOMPARE(e.log.entries.first().line, 7);

    // A second run without a window keeps those lines, and its main procedure gives way to a
    // Main() of the sources; a run with a window patches Main.pb as the template.
    Emitters again;
    again.model.CommonFileList = {QStringLiteral("Ask.pb")};
    again.model.MainProcedure = QStringLiteral("MainProgram");
    again.output.MainLines = expected;
    PatchMainOpenWindow(again.model, again.output, again.log);
    SourceLineList renamed = expected;
    renamed[before.indexOf(QStringLiteral("Procedure Main()"))] = QStringLiteral("Procedure MainProgram()");
    renamed[before.indexOf(QStringLiteral("EndProcedure:Main()"))] = QStringLiteral("EndProcedure:MainProgram()");
    QCOMPARE(again.output.MainLines, renamed);
    QCOMPARE(again.log.texts, QStringList{" -> Warning: No window found, Main.pb not patched. No window source "
                                          "calls OpenWindow (Ask.pb:1)."});
    Emitters window;
    window.model.WindowList = {QStringLiteral("Main")};
    window.output.MainLines = expected;
    PatchMainOpenWindow(window.model, window.output, window.log);
    Emitters fromTemplate;
    fromTemplate.model.WindowList = window.model.WindowList;
    fromTemplate.output.MainLines = before;
    PatchMainOpenWindow(fromTemplate.model, fromTemplate.output, fromTemplate.log);
    QCOMPARE(window.output.MainLines, fromTemplate.output.MainLines);
}

void TestEmitters::commonFileLayout_data()
{
    QTest::addColumn<int>("multilang");
    QTest::newRow("single language") << 0;
    QTest::newRow("multi language") << 1;
}

void TestEmitters::commonFileLayout()
{
    QFETCH(int, multilang);
    Emitters e;
    e.project.switches.Multilang = multilang;
    e.output.ConstantLines = {"C1", "C2"};
    e.output.FontLines = {"F1"};
    e.output.ImageLines = {"I1", "I2"};
    e.model.CommonSourceLines = SourceLines::WithoutOrigin({"Procedure Open_W()", "EndProcedure"});
    EmitCommonFile(e.model, e.project.switches, e.output);

    QStringList expected = QStringList{"; Quarvel Commonfile (Do Not Edit - Allways Overwrite)"} + Separator()
                           + QStringList{"C1", "C2"} + Separator() + QStringList{"F1", "I1", "I2"} + Separator();
    if (multilang)
        expected += QStringList{"IncludeFile \"LoadLanguage.pb\""} + Separator();
    expected += QStringList{"Procedure Open_W()", "EndProcedure"};
    QCOMPARE(e.output.CommonFileLines, expected);
    QVERIFY(e.output.ConstantLines.isEmpty() && e.output.FontLines.isEmpty() && e.output.ImageLines.isEmpty());
}

namespace {

void FillDispatchDesign(DesignModel &m)
{
    m.MenuItemList = {QStringLiteral("W_Open"), QStringLiteral("W_Save"), QStringLiteral("W_Save2")};
    m.GadgetList = {{QStringLiteral("W_Button_0"), QStringLiteral("BUTTONGADGET")},
                    {QStringLiteral("W_Text_0"), QStringLiteral("TEXTGADGET")},
                    {QStringLiteral("W_Frame_0"), QStringLiteral("FRAME3DGADGET")},
                    {QStringLiteral("W_Text_1"), QStringLiteral("textgadget")},
                    {QStringLiteral("C_List"), QStringLiteral("MYLISTGADGET")}};
    m.WindowList = {QStringLiteral("W"), QStringLiteral("C")};
}

} // namespace

void TestEmitters::dispatchSelect()
{
    Emitters e;
    FillDispatchDesign(e.model);
    e.output.EventMainLines = Template(EventMainSelectTemplate());
    const SourceLineList before = e.output.EventMainLines;
    EmitDispatchSelect(e.model, e.output);
    const SourceLineList &after = e.output.EventMainLines;

    QCOMPARE(Slice(after, QStringLiteral("Procedure MyEventMenu(MenuID)"), 6),
             (QStringList{"Procedure MyEventMenu(MenuID)", "  Select MenuID", "    Case #W_Open : EventMenu_W_Open()",
                          "    Case #W_Save : EventMenu_W_Save()", "    Case #W_Save2 : EventMenu_W_Save2()",
                          "  EndSelect"}));
    // The type compare is exact: a lower-case type is not a text gadget.
    QCOMPARE(Slice(after, QStringLiteral("Procedure MyEventGadget(GadgetID, EventType)"), 6),
             (QStringList{"Procedure MyEventGadget(GadgetID, EventType)", "  Select GadgetID",
                          "    Case #W_Button_0 : EventGadget_W_Button_0(EventType)",
                          "    Case #W_Text_1 : EventGadget_W_Text_1(EventType)",
                          "    Case #C_List : EventGadget_C_List(EventType)", "  EndSelect"}));
    QCOMPARE(Slice(after, QStringLiteral("Procedure MyEventSize(WindowID)"), 5),
             (QStringList{"Procedure MyEventSize(WindowID)", "  Select WindowID", "    Case #W : EventSize_W()",
                          "    Case #C : EventSize_C()", "  EndSelect"}));
    QCOMPARE(Slice(after, QStringLiteral("Procedure MyEventExit(WindowID)"), 6),
             (QStringList{"Procedure MyEventExit(WindowID)", "  Select WindowID", "    Case #W : EventExit_W()",
                          "    Case #C : EventExit_C()", "  EndSelect", "EndProcedure"}));
    QCOMPARE(after.size(), before.size() + 3 + 3 + 2 + 2);
    // Everything else stays in template order.
    QStringList rest = after;
    rest.removeIf([](const QString &line) { return line.startsWith(QStringLiteral("    Case #")); });
    QCOMPARE(rest, before);
}

void TestEmitters::dispatchSelectEmptyDesign()
{
    Emitters e;
    e.output.EventMainLines = Template(EventMainSelectTemplate());
    const SourceLineList before = e.output.EventMainLines;
    EmitDispatchSelect(e.model, e.output);
    QCOMPARE(e.output.EventMainLines, before);
    QCOMPARE(Slice(before, QStringLiteral("Procedure MyEventMenu(MenuID)"), 3),
             (QStringList{"Procedure MyEventMenu(MenuID)", "  Select MenuID", "  EndSelect"}));
}

void TestEmitters::dispatchCallFast()
{
    Emitters e;
    FillDispatchDesign(e.model);
    e.output.EventMainLines = Template(EventMainCallFastTemplate());
    const SourceLineList before = e.output.EventMainLines;
    EmitDispatchCallFast(e.model, e.output);
    const SourceLineList &after = e.output.EventMainLines;

    QCOMPARE(Slice(after, QStringLiteral("#CallEventMenuCount   = 3"), 3),
             (QStringList{"#CallEventMenuCount   = 3", "#CallEventGadgetCount = 5", "#CallEventWindowCount = 2"}));
    QCOMPARE(Slice(after, QStringLiteral("DataSection"), 18),
             (QStringList{"DataSection", "  CallEventMenu:", "    Data.i @EventMenu_W_Open()",
                          "    Data.i @EventMenu_W_Save()", "    Data.i @EventMenu_W_Save2()",
                          "  CallEventGadget:", "    Data.i @EventGadget_W_Button_0()", "    Data.i @MyEventDispatch()",
                          "    Data.i @MyEventDispatch()", "    Data.i @EventGadget_W_Text_1()",
                          "    Data.i @EventGadget_C_List()", "  CallEventSize:", "    Data.i @EventSize_W()",
                          "    Data.i @EventSize_C()", "  CallEventExit:", "    Data.i @EventExit_W()",
                          "    Data.i @EventExit_C()", "EndDataSection"}));
    QCOMPARE(after.size(), before.size() + 4 + 3 + 5 + 2 + 2);
    QCOMPARE(after.first(), before.first());
    QCOMPARE(after.last(), before.last());
}

void TestEmitters::dispatchCallFastEmptyDesign()
{
    Emitters e;
    e.output.EventMainLines = Template(EventMainCallFastTemplate());
    EmitDispatchCallFast(e.model, e.output);
    QCOMPARE(Slice(e.output.EventMainLines, QStringLiteral("#CallEventMenuCount   = 0"), 3),
             (QStringList{"#CallEventMenuCount   = 0", "#CallEventGadgetCount = 0", "#CallEventWindowCount = 0"}));
    QCOMPARE(Slice(e.output.EventMainLines, QStringLiteral("DataSection"), 6),
             (QStringList{"DataSection", "  CallEventMenu:", "  CallEventGadget:", "  CallEventSize:",
                          "  CallEventExit:", "EndDataSection"}));
}

// Objects that keep the source's number are declared with it and take its row of the jump
// table; an item made with a constant of PureBasic's is declared nowhere and tested by it.
void TestEmitters::numberedAndPureBasicObjects()
{
    Emitters e;
    DesignModel &m = e.model;
    m.WindowList = {QStringLiteral("W")};
    m.MenuItemList = {QStringLiteral("W_Open"), QStringLiteral("W_PB_Menu_Quit"), QStringLiteral("W_MenuItem_1")};
    m.GadgetList = {{QStringLiteral("W_Ok"), QStringLiteral("BUTTONGADGET")},
                    {QStringLiteral("W_Text_2"), QStringLiteral("TEXTGADGET")},
                    {QStringLiteral("W_Button_0"), QStringLiteral("BUTTONGADGET")}};
    m.KeptNumbers = {{"W_MenuItem_1", 1}, {"W_Text_2", 2}, {"W_Button_0", 0}};
    m.PureBasicConstants = {{"W_PB_Menu_Quit", "PB_Menu_Quit"}};
    m.First.menuItem = 2;
    m.First.gadget = 3;

    EmitConstantsSection(m, e.output);
    QCOMPARE(Slice(e.output.ConstantLines, QStringLiteral(";- MenuItem Constants"), 6),
             (QStringList{";- MenuItem Constants", ";", "Enumeration", "  #W_MenuItem_1 = 1", "  #W_Open = 2",
                          "EndEnumeration"}));
    QCOMPARE(Slice(e.output.ConstantLines, QStringLiteral(";- Gadget Constants"), 7),
             (QStringList{";- Gadget Constants", ";", "Enumeration", "  #W_Button_0 = 0", "  #W_Text_2 = 2",
                          "  #W_Ok = 3", "EndEnumeration"}));

    e.output.EventMainLines = Template(EventMainSelectTemplate());
    EmitDispatchSelect(m, e.output);
    QVERIFY(e.output.EventMainLines.contains(QStringLiteral("    Case #PB_Menu_Quit : EventMenu_W_PB_Menu_Quit()")));

    e.output.EventMainLines = Template(EventMainCallFastTemplate());
    EmitDispatchCallFast(m, e.output);
    const SourceLineList &fast = e.output.EventMainLines;
    QCOMPARE(Slice(fast, QStringLiteral("#CallEventMenuCount   = 3"), 2),
             (QStringList{"#CallEventMenuCount   = 3", "#CallEventGadgetCount = 4"}));
    QCOMPARE(
        Slice(fast, QStringLiteral("Procedure MyEventMenu(MenuID)"), 5),
        (QStringList{"Procedure MyEventMenu(MenuID)", "  If MenuID = #PB_Menu_Quit", "    EventMenu_W_PB_Menu_Quit()",
                     "  ElseIf MenuID >= 0 And MenuID < #CallEventMenuCount", "    *CallEventMenu\\Invoke[MenuID]()"}));
    QCOMPARE(Slice(fast, QStringLiteral("  CallEventMenu:"), 10),
             (QStringList{"  CallEventMenu:", "    Data.i @MyEventIgnore()", "    Data.i @EventMenu_W_MenuItem_1()",
                          "    Data.i @EventMenu_W_Open()",
                          "  CallEventGadget:", "    Data.i @EventGadget_W_Button_0()", "    Data.i @MyEventDispatch()",
                          "    Data.i @MyEventDispatch()", "    Data.i @EventGadget_W_Ok()", "  CallEventSize:"}));
}

void TestEmitters::eventFileHeaderOnly()
{
    Emitters e;
    EmitEventMenuProcedures(e.model, e.output);
    EmitEventSizeProcedures(e.model, e.output);
    EmitEventExitProcedures(e.model, e.output);
    EmitEventGadgetProcedures(e.model, e.output);
    QCOMPARE(e.output.EventMenuLines, EventFileHeader("; Quarvel Event Menu"));
    QCOMPARE(e.output.EventWindowLines, EventFileHeader("; Quarvel Event Window"));
    QCOMPARE(e.output.EventGadgetLines, EventFileHeader("; Quarvel Event Gadget"));
}

void TestEmitters::eventMenuExistenceTest_data()
{
    QTest::addColumn<QStringList>("existing");
    QTest::addColumn<QStringList>("items");
    QTest::addColumn<QStringList>("appended"); // items that get a skeleton

    const QStringList saves{"Save", "Save2"};
    QTest::newRow("Save present, Save2 missing")
        << QStringList{"Procedure EventMenu_Save()", "EndProcedure"} << saves << QStringList{"Save2"};
    QTest::newRow("Save2 present, Save missing")
        << QStringList{"Procedure EventMenu_Save2()", "EndProcedure"} << saves << QStringList{"Save"};
    QTest::newRow("head with a comment") << QStringList{"Procedure EventMenu_Save() ; my save", "EndProcedure"}
                                         << QStringList{"Save"} << QStringList();
    // A head of the procedure's name in any form is that procedure: a second would not compile.
    QTest::newRow("head in other letter case")
        << QStringList{"procedure EventMenu_Save()", "EndProcedure"} << QStringList{"Save"} << QStringList();
    QTest::newRow("name in other letter case")
        << QStringList{"Procedure EventMenu_save()", "EndProcedure"} << QStringList{"Save"} << QStringList();
    QTest::newRow("return type, tab and parameters")
        << QStringList{"  Procedure.i\tEventMenu_Save( x.i = 0 )"} << QStringList{"Save"} << QStringList();
    QTest::newRow("C and DLL procedures")
        << QStringList{"ProcedureC EventMenu_A()", "ProcedureDLL.s EventMenu_B ()", "procedurecdll  EventMenu_C()"}
        << QStringList{"A", "B", "C"} << QStringList();
    QTest::newRow("no head of that name")
        << QStringList{"Procedure EventMenu_SaveAs()", "ProcedureReturn EventMenu_Save()",
                       "ProcedureX EventMenu_Save()", "Debug EventMenu_Save()"}
        << QStringList{"Save"} << QStringList{"Save"};
    // Only a head in code declares the procedure.
    QTest::newRow("head in a comment or a text")
        << QStringList{"; Procedure EventMenu_Save()", "  Debug \"Procedure EventMenu_Open()\"",
                       "x = 1 ; : Procedure EventMenu_Close()", "Debug \":\" + \"Procedure EventMenu_New()\""}
        << QStringList{"Save", "Open", "Close", "New"} << QStringList{"Save", "Open", "Close", "New"};
    QTest::newRow("head inside a longer line")
        << QStringList{"x = 1 : Procedure EventMenu_Save() : y"} << QStringList{"Save"} << QStringList();
    QTest::newRow("two heads on one line")
        << QStringList{"Procedure EventMenu_A() : EndProcedure : Procedure EventMenu_B()"} << QStringList{"A", "B", "C"}
        << QStringList{"C"};
    QTest::newRow("hand-edited spacing") << QStringList{"Procedure  EventMenu_Save()", "Procedure EventMenu_Open ()"}
                                         << QStringList{"Save", "Open"} << QStringList();
    QTest::newRow("head of another file's kind")
        << QStringList{"Procedure EventGadget_Save()"} << QStringList{"Save"} << QStringList{"Save"};
    QTest::newRow("name listed twice") << QStringList{"; mine"} << QStringList{"Dup", "Dup"} << QStringList{"Dup"};
    QTest::newRow("constants in code, a text and a comment")
        << QStringList{"Procedure EventMenu_Save(x = #A)", "  y = #B : z = \"#C\" ; #D", "  y = #B + #A",
                       "EndProcedure"}
        << QStringList{"Save", "Open"} << QStringList{"Open"};
}

void TestEmitters::eventMenuExistenceTest()
{
    QFETCH(QStringList, existing);
    QFETCH(QStringList, items);
    QFETCH(QStringList, appended);
    Emitters e;
    e.output.EventMenuLines = existing;
    e.model.MenuItemList = items;
    EmitEventMenuProcedures(e.model, e.output);

    QStringList expected = existing;
    for (const QString &name : appended)
        expected += MenuSkeleton(name);
    QCOMPARE(e.output.EventMenuLines, expected);
    // The walk the emitter made, brought up to date, describes the file as it is written.
    const SourceLineList &lines = e.output.EventMenuLines;
    QCOMPARE(WalkFound(ReadEventFileLines(lines, e.output.EventMenuRead)),
             WalkFound(ReadEventFileLines(lines, EventFileLines())));
}

void TestEmitters::eventWindowFreshFile()
{
    Emitters e;
    e.model.WindowList = {QStringLiteral("Main"), QStringLiteral("Child")};
    EmitEventSizeProcedures(e.model, e.output);
    EmitEventExitProcedures(e.model, e.output);
    const QStringList expected = EventFileHeader("; Quarvel Event Window")
                                 + QStringList{"Procedure EventSize_Main()", "  ", "EndProcedure"} + Separator()
                                 + QStringList{"Procedure EventSize_Child()", "  ", "EndProcedure"} + Separator()
                                 + QStringList{"Procedure EventExit_Main()", "  ExitApplication = 1", "EndProcedure"}
                                 + Separator()
                                 + QStringList{"Procedure EventExit_Child()", "  CloseWindow(#Child)", "EndProcedure"}
                                 + Separator();
    QCOMPARE(e.output.EventWindowLines, expected);
}

void TestEmitters::eventExitFirstWindowAlreadyPresent()
{
    Emitters e;
    e.model.WindowList = {QStringLiteral("Main"), QStringLiteral("Child")};
    const QStringList existing{"Procedure EventSize_Main()",
                               "EndProcedure",
                               "Procedure EventSize_Child()",
                               "EndProcedure",
                               "Procedure EventExit_Main()",
                               "  End",
                               "EndProcedure"};
    e.output.EventWindowLines = existing;
    EmitEventSizeProcedures(e.model, e.output);
    EmitEventExitProcedures(e.model, e.output);
    const QStringList expected = existing
                                 + QStringList{"Procedure EventExit_Child()", "  CloseWindow(#Child)", "EndProcedure"}
                                 + Separator();
    QCOMPARE(e.output.EventWindowLines, expected);
}

void TestEmitters::eventGadgetSkipsTextAndFrame()
{
    Emitters e;
    e.model.GadgetList = {{QStringLiteral("B"), QStringLiteral("BUTTONGADGET")},
                          {QStringLiteral("T"), QStringLiteral("TEXTGADGET")},
                          {QStringLiteral("F"), QStringLiteral("FRAME3DGADGET")},
                          {QStringLiteral("U"), QStringLiteral("MYUSERGADGET")}};
    const QStringList existing{"Procedure EventGadget_T(EventType)", "  ; written by hand", "EndProcedure",
                               "Procedure EventGadget_U(Type)", "EndProcedure"};
    e.output.EventGadgetLines = existing;
    EmitEventGadgetProcedures(e.model, e.output);
    // The hand-edited head of U is its procedure: only B gets a skeleton.
    QCOMPARE(e.output.EventGadgetLines, existing + GadgetSkeleton(QStringLiteral("B")));
}

void TestEmitters::eventFilesAllPresentUnchanged()
{
    Emitters e;
    e.model.MenuItemList = {QStringLiteral("M")};
    e.model.WindowList = {QStringLiteral("W")};
    e.model.GadgetList = {{QStringLiteral("G"), QStringLiteral("BUTTONGADGET")}};
    const QStringList menu{"Procedure EventMenu_M()", "  Debug 1", "EndProcedure", "Procedure EventMenu_Gone()",
                           "EndProcedure"};
    const QStringList window{"Procedure EventExit_W()", "EndProcedure", "Procedure EventSize_W()", "EndProcedure"};
    const QStringList gadget{"Procedure EventGadget_G(EventType) ; clicks", "EndProcedure"};
    e.output.EventMenuLines = menu;
    e.output.EventWindowLines = window;
    e.output.EventGadgetLines = gadget;
    EmitEventMenuProcedures(e.model, e.output);
    EmitEventSizeProcedures(e.model, e.output);
    EmitEventExitProcedures(e.model, e.output);
    EmitEventGadgetProcedures(e.model, e.output);
    QCOMPARE(e.output.EventMenuLines, menu);
    QCOMPARE(e.output.EventWindowLines, window);
    QCOMPARE(e.output.EventGadgetLines, gadget);
}

// The one-walk head search must answer exactly like testing each head against the start of
// each statement of each line's code. Lines are built from fragments that make near-misses
// likely.
void TestEmitters::procedureHeadsMatchSubstringTest()
{
    const QStringList fragments{"Procedure EventMenu_",
                                "Procedure EventMenu_A",
                                "A",
                                "B",
                                "AB",
                                "()",
                                "(",
                                ")",
                                " ",
                                ";",
                                "Procedure ",
                                "EventMenu_",
                                "()()",
                                "A()",
                                " : ",
                                "\""};
    const QStringList names{"A", "B", "AB", "A()", "", "BA", "A()B", "A"};
    QRandomGenerator random(20261208);
    for (int round = 0; round < 300; ++round) {
        SourceLineList lines;
        for (int l = random.bounded(1, 4); l > 0; --l) {
            QString line;
            for (int f = random.bounded(0, 9); f > 0; --f)
                line += fragments[random.bounded(int(fragments.size()))];
            lines << line;
        }
        QList<bool> expected;
        for (const QString &name : names) {
            const QString head = QStringLiteral("Procedure EventMenu_") + name + QStringLiteral("()");
            expected << std::any_of(lines.cbegin(), lines.cend(), [&](const QString &line) {
                const QString code = BlankedCode(line);
                const QList<QStringView> statements = Statements(CodeOfLine(code));
                // The blanked code hides the texts; the head itself is read from the line.
                return std::any_of(statements.cbegin(), statements.cend(), [&](QStringView statement) {
                    return QStringView(line).sliced(statement.data() - code.data()).startsWith(head);
                });
            });
        }
        const QList<bool> found = FindProcedureHeads(lines, QStringLiteral("Procedure EventMenu_"),
                                                     QStringLiteral("()"), names);
        if (found != expected)
            QFAIL(qPrintable(lines.join(QStringLiteral(" | "))));
    }
}

QTEST_GUILESS_MAIN(TestEmitters)
#include "tst_emitters.moc"
