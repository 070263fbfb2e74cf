// The project checker on broken projects, and generated projects run through it.
#include "pipeline/load_project_sources.h"
#include "pipeline/write_output_files.h"
#include "support/output_capture.h"
#include "support/project_checker.h"
#include "support/test_project.h"

#include <QDir>
#include <QTest>

using namespace quarvel;

namespace {

// A design as the interpreter would leave it: two windows with menus, a toolbar button,
// gadgets of several kinds, images of several formats, a font and language strings.
void FillDesign(DesignModel &m)
{
    m.WindowList = {QStringLiteral("Main_Window"), QStringLiteral("Child")};
    m.MenuList = {QStringLiteral("Main_Window_Menu")};
    m.MenuItemList = {QStringLiteral("Main_Window_Open"), QStringLiteral("Main_Window_Save"),
                      QStringLiteral("Main_Window_Save2"), QStringLiteral("Main_Window_ToolOpen")};
    m.StatusBarList = {QStringLiteral("Main_Window_Status")};
    m.ToolBarList = {QStringLiteral("Main_Window_Tools")};
    m.GadgetList = {{QStringLiteral("Main_Window_Button_0"), QStringLiteral("BUTTONGADGET")},
                    {QStringLiteral("Main_Window_Text_0"), QStringLiteral("TEXTGADGET")},
                    {QStringLiteral("Main_Window_Frame_0"), QStringLiteral("FRAME3DGADGET")},
                    {QStringLiteral("Main_Window_Image_0"), QStringLiteral("IMAGEGADGET")},
                    {QStringLiteral("Child_String_0"), QStringLiteral("STRINGGADGET")}};
    m.ImageList = {{QStringLiteral("#Image_0"), QStringLiteral("ok.png"), {}, {}},
                   {QStringLiteral("#MyImage_1"), QStringLiteral("logo.Jpeg"), {}, {}},
                   {QStringLiteral("0"), QStringLiteral("plain.tga"), {}, {}}};
    m.FontList = {{QStringLiteral("#Font_0"), QStringLiteral("LoadFont(#Font_0, \"Arial\", 10)")}};
    m.Languages.insert(QStringLiteral("Open"), QStringLiteral("Open"));
    m.Languages.insert(QStringLiteral("Close"), QStringLiteral("Schliessen"));
    for (const QString &window : m.WindowList) {
        m.CommonSourceLines << QStringLiteral("Procedure Open_") + window + QStringLiteral("()")
                            << QStringLiteral("  If OpenWindow(#") + window
                                   + QStringLiteral(", 0, 0, 200, 100, \"Title\")")
                            << QStringLiteral("  EndIf") << QStringLiteral("EndProcedure");
    }
}

// The emitters of one generation in the driver's order, over the files in the project
// directory, and the files written back.
void Generate(TestProject &dir, const Switches &switches, void (*fill)(DesignModel &) = FillDesign)
{
    ProjectState project = dir.project({QStringLiteral("Window.pb")}, switches);
    GenerationRun run(project);
    GenerationContext &g = run.context;
    g.outputFormat = switches.Utf8 ? TextFormat::Utf8 : TextFormat::Latin1;
    LoadProjectSources(g);
    fill(g.model);
    EmitAndWrite(g);
}

Switches FastSwitches(int useCallFast = 1)
{
    Switches s = Switches::AllOff();
    s.UseCallFast = useCallFast;
    return s;
}

void Replace(TestProject &dir, const QString &file, const QByteArray &before, const QByteArray &after)
{
    QByteArray text = dir.read(file);
    QVERIFY2(text.contains(before), qPrintable(file + QStringLiteral(" lacks ") + QString::fromUtf8(before)));
    text.replace(before, after);
    dir.write(file, text);
}

// 1-based number of the first line of a file that contains text.
int LineOf(TestProject &dir, const QString &file, const QByteArray &text)
{
    const QList<QByteArray> lines = dir.read(file).split('\n');
    for (int i = 0; i < lines.size(); ++i) {
        if (lines[i].contains(text))
            return i + 1;
    }
    return 0;
}

QString At(const char *file, int line, const QString &text)
{
    return QLatin1String(file) + QLatin1Char(':') + QString::number(line) + QStringLiteral(": ") + text;
}

} // namespace

class TestProjectChecker : public QObject {
    Q_OBJECT

private slots:
    void windowSourcesGenerate_data();
    void windowSourcesGenerate();
    void generatedProjectsAreConsistent_data();
    void generatedProjectsAreConsistent();
    void generatedProjectWithoutObjects();
    void regenerationKeepsUserCode();
    void catchesUndefinedProcedures();
    void catchesUndeclaredConstants();
    void catchesNumberInEnumeration();
    void catchesSharedNumbers();
    void catchesVariableObjectFaults();
    void catchesTableFaults();
    void catchesUnbalancedBlocks_data();
    void catchesUnbalancedBlocks();
    void catchesMeaningLost_data();
    void catchesMeaningLost();
    void catchesMissingIncludes();
    void ignoresCommentsAndStrings();
};

// Window sources in the shapes PureBasic users write (tests/data/shapes, one folder each:
// its .pb and .pbf files are the common files, anything else lies beside them) generated with
// every switch on. What the consistency check still finds is listed in the folder's faults.txt;
// QUARVEL_UPDATE_GOLDEN=1 rewrites it. The check reads the folder's expect.txt (the texts the
// generated files must hold); a folder with a P.pbm is a project an earlier version left, run
// as it stands.
void TestProjectChecker::windowSourcesGenerate_data()
{
    QTest::addColumn<QString>("shape");
    const QString root = QStringLiteral(QUARVEL_TEST_DATA "/shapes");
    for (const QString &shape : QDir(root).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name))
        QTest::newRow(qPrintable(shape)) << shape;
}

void TestProjectChecker::windowSourcesGenerate()
{
    QFETCH(QString, shape);
    TestProject dir;
    dir.copyFrom(QStringLiteral("shapes/") + shape);
    // A shape with a P.pbm of its own is a project an earlier version made: it runs as it stands.
    if (!dir.exists(QStringLiteral("P.pbm"))) {
        QStringList init{QStringLiteral("--init"), dir.path(QStringLiteral("P.pbm"))};
        for (const QString &file :
             QDir(dir.dir()).entryList({QStringLiteral("*.pb"), QStringLiteral("*.pbf")}, QDir::Files, QDir::Name))
            init << dir.path(file);
        QCOMPARE(RunQuarvelGen(init, dir.dir()).status, 0);
    }
    QStringList run;
    for (const char *name : {"Parend", "PB_Ignore", "Multilang", "Image_Include", "Image_Null", "UseCallFast", "Utf8"})
        run << QStringLiteral("--set") << QLatin1String(name) + QStringLiteral("=1");
    const CapturedOutput gen = RunQuarvelGen(run << dir.path(QStringLiteral("P.pbm")), dir.dir());
    QVERIFY2(gen.status == 0 || gen.status == 1 || gen.status == 3, gen.out.constData());

    const QString expected = QStringLiteral(QUARVEL_TEST_DATA "/shapes/") + shape + QStringLiteral("/faults.txt");
    QStringList faults = CheckProject(dir.dir());
    // A stopped run ("Cancel.") writes nothing, so the project is checked as it was: the stop is a fault itself.
    if (gen.status == 1) {
        const QStringList log = gen.outLines();
        const QString why = !gen.err.isEmpty() ? gen.errText().section(QLatin1Char('\n'), 0, 0)
                                               : log.value(log.lastIndexOf(QStringLiteral("Cancel.")) - 1);
        faults.prepend(QStringLiteral("P.pbm:0: the run stopped: ") + why.trimmed());
    } else {
        // What a run carried over stays where it went: a second run changes no generated file.
        const QStringList generated{QStringLiteral("Main.pb"),        QStringLiteral("CommonFile.pb"),
                                    QStringLiteral("EventMain.pb"),   QStringLiteral("EventMenu.pb"),
                                    QStringLiteral("EventGadget.pb"), QStringLiteral("EventWindow.pb")};
        QList<QByteArray> first;
        for (const QString &name : generated)
            first << dir.read(name);
        QCOMPARE(RunQuarvelGen({dir.path(QStringLiteral("P.pbm"))}, dir.dir()).status, gen.status);
        for (qsizetype i = 0; i < generated.size(); ++i)
            if (dir.read(generated[i]) != first[i])
                faults << generated[i] + QStringLiteral(":0: a second run changes it");
    }
    if (qEnvironmentVariableIsSet("QUARVEL_UPDATE_GOLDEN")) {
        QFile::remove(expected);
        QFile out(expected);
        if (!faults.isEmpty() && out.open(QIODevice::WriteOnly))
            out.write((faults.join(QLatin1Char('\n')) + QLatin1Char('\n')).toUtf8());
    }
    QFile file(expected);
    const QStringList known = file.open(QIODevice::ReadOnly)
                                  ? QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts)
                                  : QStringList();
    QCOMPARE(faults, known);
}

void TestProjectChecker::generatedProjectsAreConsistent_data()
{
    QTest::addColumn<Switches>("switches");
    for (int bits = 0; bits < 16; ++bits) {
        Switches s = Switches::AllOff();
        s.UseCallFast = bits & 1;
        s.Multilang = (bits >> 1) & 1;
        s.Image_Include = (bits >> 2) & 1;
        s.Utf8 = (bits >> 3) & 1;
        const QString name = QStringLiteral("CallFast %1 Multilang %2 ImageInclude %3 Utf8 %4")
                                 .arg(s.UseCallFast)
                                 .arg(s.Multilang)
                                 .arg(s.Image_Include)
                                 .arg(s.Utf8);
        QTest::newRow(qPrintable(name)) << s;
    }
}

void TestProjectChecker::generatedProjectsAreConsistent()
{
    QFETCH(Switches, switches);
    TestProject dir;
    Generate(dir, switches);
    QCOMPARE(CheckProject(dir.dir()), QStringList());
    QCOMPARE(dir.exists(QStringLiteral("LoadLanguage.pb")), bool(switches.Multilang));
    QCOMPARE(dir.read(QStringLiteral("Main.pb")).startsWith("\xEF\xBB\xBF"), bool(switches.Utf8));

    // A second run over its own output changes nothing.
    const QByteArray firstMenu = dir.read(QStringLiteral("EventMenu.pb"));
    const QByteArray firstMain = dir.read(QStringLiteral("Main.pb"));
    Generate(dir, switches);
    QCOMPARE(dir.read(QStringLiteral("EventMenu.pb")), firstMenu);
    QCOMPARE(dir.read(QStringLiteral("Main.pb")), firstMain);
    QCOMPARE(CheckProject(dir.dir()), QStringList());
}

void TestProjectChecker::generatedProjectWithoutObjects()
{
    const auto oneWindow = [](DesignModel &m) {
        m.WindowList = {QStringLiteral("Only")};
        m.CommonSourceLines = SourceLines::WithoutOrigin(
            {QStringLiteral("Procedure Open_Only()"), QStringLiteral("  OpenWindow(#Only, 0, 0, 200, 100, \"Only\")"),
             QStringLiteral("EndProcedure")});
    };
    TestProject fast;
    Generate(fast, FastSwitches(), oneWindow);
    QCOMPARE(CheckProject(fast.dir()), QStringList());
    TestProject select;
    Generate(select, FastSwitches(0), oneWindow);
    QCOMPARE(CheckProject(select.dir()), QStringList());
}

void TestProjectChecker::regenerationKeepsUserCode()
{
    TestProject dir;
    Generate(dir, FastSwitches());
    Replace(dir, QStringLiteral("EventGadget.pb"), "Procedure EventGadget_Main_Window_Button_0(EventType)\n  \n",
            "Procedure EventGadget_Main_Window_Button_0(EventType)\n  Debug \"clicked\" ; mine\n");
    Replace(dir, QStringLiteral("EventMenu.pb"), "Procedure EventMenu_Main_Window_Save()\n  \n",
            "Procedure EventMenu_Main_Window_Save()\n  SaveAll()\n");
    const QByteArray gadgetsBefore = dir.read(QStringLiteral("EventGadget.pb"));
    const QByteArray menusBefore = dir.read(QStringLiteral("EventMenu.pb"));

    // The image gadget is removed from the design and a check box added.
    Generate(dir, FastSwitches(), [](DesignModel &m) {
        FillDesign(m);
        m.GadgetList.removeAt(3);
        m.GadgetList.append({QStringLiteral("Child_Check_0"), QStringLiteral("CHECKBOXGADGET")});
    });
    QCOMPARE(CheckProject(dir.dir()), QStringList());
    QCOMPARE(dir.read(QStringLiteral("EventMenu.pb")), menusBefore);
    const QByteArray gadgets = dir.read(QStringLiteral("EventGadget.pb"));
    QVERIFY(gadgets.startsWith(gadgetsBefore));
    QCOMPARE(gadgets.count("Procedure EventGadget_Child_Check_0(EventType)"), 1);
    QCOMPARE(gadgets.count("Procedure "), gadgetsBefore.count("Procedure ") + 1);
    QVERIFY(gadgets.contains("Procedure EventGadget_Main_Window_Image_0(EventType)"));
}

void TestProjectChecker::catchesUndefinedProcedures()
{
    TestProject dir;
    Generate(dir, FastSwitches(0));
    Replace(dir, QStringLiteral("EventMenu.pb"), "Procedure EventMenu_Main_Window_Open()",
            "Procedure EventMenu_Main_Window_Opened()");
    Replace(dir, QStringLiteral("CommonFile.pb"), "Procedure Open_Main_Window()", "Procedure Open_Main()");
    Replace(dir, QStringLiteral("EventWindow.pb"), "Procedure EventSize_Child()", "Procedure EventSize_Main_Window()");
    const int openCase = LineOf(dir, QStringLiteral("EventMain.pb"), "EventMenu_Main_Window_Open()");
    const int sizeCase = LineOf(dir, QStringLiteral("EventMain.pb"), "EventSize_Child()");
    const int mainCall = LineOf(dir, QStringLiteral("Main.pb"), "Open_Main_Window()");
    const int duplicate = LineOf(dir, QStringLiteral("EventWindow.pb"), "Procedure EventSize_Main_Window()");
    QCOMPARE(CheckProject(dir.dir()),
             (QStringList{At("EventWindow.pb", duplicate + 6,
                             "procedure EventSize_Main_Window is defined again (first at EventWindow.pb:"
                                 + QString::number(duplicate) + ")"),
                          At("EventMain.pb", openCase, "EventMenu_Main_Window_Open() names no procedure"),
                          At("EventMain.pb", sizeCase, "EventSize_Child() names no procedure"),
                          At("Main.pb", mainCall, "Open_Main_Window() names no procedure")}));

    TestProject fast;
    Generate(fast, FastSwitches());
    Replace(fast, QStringLiteral("EventGadget.pb"), "Procedure EventGadget_Child_String_0(",
            "Procedure EventGadget_Child_String(");
    const int row = LineOf(fast, QStringLiteral("EventMain.pb"), "@EventGadget_Child_String_0()");
    QCOMPARE(CheckProject(fast.dir()),
             QStringList{At("EventMain.pb", row, "@EventGadget_Child_String_0() names no procedure")});
}

void TestProjectChecker::catchesUndeclaredConstants()
{
    TestProject dir;
    Generate(dir, FastSwitches(0));
    Replace(dir, QStringLiteral("CommonFile.pb"), "  #Main_Window_Save2\n", "");
    Replace(dir, QStringLiteral("EventWindow.pb"), "CloseWindow(#Child)",
            "CloseWindow(#Child) : SetGadgetText(#Gone_Text, \"x\") : x = #True + #PB_Any");
    const int caseLine = LineOf(dir, QStringLiteral("EventMain.pb"), "Case #Main_Window_Save2");
    const int closeLine = LineOf(dir, QStringLiteral("EventWindow.pb"), "#Gone_Text");
    QCOMPARE(CheckProject(dir.dir()),
             (QStringList{At("EventMain.pb", caseLine, "constant #Main_Window_Save2 is not declared"),
                          At("EventWindow.pb", closeLine, "constant #Gone_Text is not declared"),
                          At("EventWindow.pb", closeLine, "gadget #Gone_Text is used but never created")}));
}

void TestProjectChecker::catchesNumberInEnumeration()
{
    TestProject dir;
    Generate(dir, FastSwitches());
    Replace(dir, QStringLiteral("CommonFile.pb"), "  #MyImage_1\n", "  #MyImage_1\n  0\n");
    const int line = LineOf(dir, QStringLiteral("CommonFile.pb"), "  #MyImage_1") + 1;
    QCOMPARE(CheckProject(dir.dir()), QStringList{At("CommonFile.pb", line, "enumeration member 0 is not a constant")});
}

// Window code that creates a window or menu item with a number of a generated constant.
void TestProjectChecker::catchesSharedNumbers()
{
    TestProject dir;
    Generate(dir, FastSwitches(0));
    Replace(dir, QStringLiteral("CommonFile.pb"), "  If OpenWindow(#Child, 0, 0, 200, 100, \"Title\")\n",
            "  If OpenWindow(#Child, 0, 0, 200, 100, \"Title\")\n    MenuItem(1, \"x\") : MenuItem(#Child, \"y\")"
            " : MenuItem(7, \"z\") : SetGadgetText(1, \"\")\n    OpenWindow(0, 0, 0, 9, 9, \"\")\n");
    const int line = LineOf(dir, QStringLiteral("CommonFile.pb"), "MenuItem(1");
    QCOMPARE(CheckProject(dir.dir()),
             (QStringList{At("CommonFile.pb", line, "MenuItem(1) creates the number of #Main_Window_Save"),
                          At("CommonFile.pb", line, "MenuItem(#Child) creates the number of #Main_Window_Save"),
                          At("CommonFile.pb", line + 1, "OpenWindow(0) creates the number of #Main_Window")}));
}

// What a project with objects created by #PB_Any can get wrong: a kept form enumeration that
// numbers a window otherwise (so two windows open with one number), a #PB_Any turned constant,
// a Case on a variable that is not Global or declared Global only after it, and a first-window
// call of a procedure that does not exist.
void TestProjectChecker::catchesVariableObjectFaults()
{
    TestProject dir;
    Generate(dir, FastSwitches(0));
    Replace(dir, QStringLiteral("CommonFile.pb"), "  #MyImage_1\n",
            "  #MyImage_1\n  #Child_PB_Any\nEndEnumeration\nEnumeration FormWindow\n  #Child\n");
    Replace(dir, QStringLiteral("EventMain.pb"), "Case #Main_Window_Save2", "Case Button_Save, #PB_Any, Text_0");
    Replace(dir, QStringLiteral("Main.pb"), "Open_Main_Window()", "ShowMain()\nGlobal Text_0");
    const int pbAny = LineOf(dir, QStringLiteral("CommonFile.pb"), "#Child_PB_Any");
    const int caseLine = LineOf(dir, QStringLiteral("EventMain.pb"), "Button_Save");
    const int call = LineOf(dir, QStringLiteral("Main.pb"), "ShowMain()");
    const int opens = LineOf(dir, QStringLiteral("CommonFile.pb"), "OpenWindow(#Child");
    const int first = LineOf(dir, QStringLiteral("CommonFile.pb"), "OpenWindow(#Main_Window");
    QCOMPARE(
        CheckProject(dir.dir()),
        (QStringList{At("Main.pb", call, "ShowMain() names no procedure"),
                     At("CommonFile.pb", pbAny, "#PB_Any became the constant #Child_PB_Any"),
                     At("EventMain.pb", caseLine, "variable Button_Save is not declared Global"),
                     At("CommonFile.pb", pbAny + 3, "constant #Child is declared again with another value (1, then 0)"),
                     At("EventMain.pb", caseLine, "variable Text_0 is used before its Global declaration"),
                     At("CommonFile.pb", opens,
                        "OpenWindow(#Child) creates the number of #Main_Window (CommonFile.pb:" + QString::number(first)
                            + ")")}));
}

void TestProjectChecker::catchesTableFaults()
{
    TestProject rows;
    Generate(rows, FastSwitches());
    Replace(rows, QStringLiteral("EventMain.pb"), "#CallEventMenuCount   = 4", "#CallEventMenuCount   = 5");
    const int label = LineOf(rows, QStringLiteral("EventMain.pb"), "CallEventMenu:");
    QCOMPARE(CheckProject(rows.dir()),
             QStringList{At("EventMain.pb", label, "table CallEventMenu has 4 rows, #CallEventMenuCount is 5")});

    // Two rows swapped: each calls the procedure of the other's constant.
    TestProject order;
    Generate(order, FastSwitches());
    Replace(order, QStringLiteral("EventMain.pb"),
            "    Data.i @EventSize_Main_Window()\n    Data.i @EventSize_Child()\n",
            "    Data.i @EventSize_Child()\n    Data.i @EventSize_Main_Window()\n");
    const int first = LineOf(order, QStringLiteral("EventMain.pb"), "@EventSize_Child()");
    QCOMPARE(CheckProject(order.dir()),
             (QStringList{
                 At("EventMain.pb", first, "row 0 of CallEventSize calls EventSize_Child, but #Child has the value 1"),
                 At("EventMain.pb", first + 1,
                    "row 1 of CallEventSize calls EventSize_Main_Window, but #Main_Window has the value 0")}));

    // A text gadget's row dropped: count and rows agree, yet the later rows slid up.
    TestProject slid;
    Generate(slid, FastSwitches());
    Replace(slid, QStringLiteral("EventMain.pb"), "    Data.i @MyEventDispatch()\n    Data.i @MyEventDispatch()\n",
            "    Data.i @MyEventDispatch()\n");
    Replace(slid, QStringLiteral("EventMain.pb"), "#CallEventGadgetCount = 5", "#CallEventGadgetCount = 4");
    const int image = LineOf(slid, QStringLiteral("EventMain.pb"), "@EventGadget_Main_Window_Image_0()");
    const int gadgetLabel = LineOf(slid, QStringLiteral("EventMain.pb"), "CallEventGadget:");
    QCOMPARE(CheckProject(slid.dir()),
             (QStringList{
                 At("EventMain.pb", image,
                    "row 2 of CallEventGadget calls EventGadget_Main_Window_Image_0, but #Main_Window_Image_0 has the "
                    "value 3"),
                 At("EventMain.pb", image + 1,
                    "row 3 of CallEventGadget calls EventGadget_Child_String_0, but #Child_String_0 has the value 4"),
                 At("EventMain.pb", gadgetLabel, "table CallEventGadget has 4 rows, its enumeration 5 values")}));

    TestProject missing;
    Generate(missing, FastSwitches());
    Replace(missing, QStringLiteral("EventMain.pb"),
            "  CallEventExit:\n    Data.i @EventExit_Main_Window()\n    Data.i @EventExit_Child()\n", "");
    const int jump = LineOf(missing, QStringLiteral("EventMain.pb"), "?CallEventExit");
    QCOMPARE(CheckProject(missing.dir()),
             (QStringList{QStringLiteral("EventMain.pb:0: table CallEventExit is missing"),
                          At("EventMain.pb", jump, "label CallEventExit is defined nowhere")}));
}

void TestProjectChecker::catchesUnbalancedBlocks_data()
{
    // The exit procedure of the main window is edited: `before` becomes `after`. The fault stands on the line holding
    // faultAt; %1 in it is the line holding openerAt.
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QByteArray>("after");
    QTest::addColumn<QByteArray>("faultAt");
    QTest::addColumn<QString>("fault");
    QTest::addColumn<QByteArray>("openerAt");

    const QByteArray body("  ExitApplication = 1\n");
    QTest::newRow("EndProcedure missing") << body + "EndProcedure\n"
                                          << body << QByteArray("Procedure EventExit_Child()")
                                          << QStringLiteral("Procedure inside a Procedure") << QByteArray();
    QTest::newRow("If without EndIf") << body + "EndProcedure\n"
                                      << QByteArray("  If ExitApplication = 1\nEndProcedure ; 1\n")
                                      << QByteArray("EndProcedure ; 1")
                                      << QStringLiteral("EndProcedure closes the If of line %1")
                                      << QByteArray("If ExitApplication");
    QTest::newRow("EndIf without If") << body << QByteArray("  ExitApplication = 1 : EndIf\n") << QByteArray(": EndIf")
                                      << QStringLiteral("EndIf without If") << QByteArray();
}

void TestProjectChecker::catchesUnbalancedBlocks()
{
    QFETCH(QByteArray, before);
    QFETCH(QByteArray, after);
    QFETCH(QByteArray, faultAt);
    QFETCH(QString, fault);
    QFETCH(QByteArray, openerAt);
    TestProject dir;
    Generate(dir, FastSwitches());
    Replace(dir, QStringLiteral("EventWindow.pb"), before, after);
    const QString window = QStringLiteral("EventWindow.pb");
    if (!openerAt.isEmpty())
        fault = fault.arg(LineOf(dir, window, openerAt));
    QCOMPARE(CheckProject(dir.dir()), QStringList{At("EventWindow.pb", LineOf(dir, window, faultAt), fault)});
}

namespace {

// A window source as the project lists it: its own event loop and declarations.
QStringList Source(const QByteArray &text)
{
    return {QStringLiteral("Test.pbm"),  QString(), QStringLiteral("[FILES]\nWindow.pb\n"),
            QStringLiteral("Window.pb"), QString(), QString::fromUtf8(text)};
}

// Rows of catchesMeaningLost: declarations in the order the compiler reads them.
void ProgramRows()
{
    const QString common = QStringLiteral("CommonFile.pb");
    const QString topLevel = QStringLiteral("Procedure Open_Main_Window()\n");
    QTest::newRow("a constant given two values on one line")
        << QStringList{QStringLiteral("Main.pb"), QStringLiteral("  Open_Main_Window()\n"),
                       QStringLiteral("  #Limit = 1 : #Limit = 2\n  Open_Main_Window()\n")}
        << QStringLiteral("Main.pb") << QByteArray("#Limit = 1")
        << QStringLiteral("constant #Limit is declared again with another value (1, then 2)") << QByteArray();
    const QStringList laterGlobal{QStringLiteral("EventWindow.pb"), QStringLiteral("Procedure EventSize_Child()"),
                                  QStringLiteral("Global Tries\nProcedure EventSize_Child()")};
    QTest::newRow("a local of a later Global's name")
        << laterGlobal + QStringList{common, topLevel, topLevel + QStringLiteral("  Protected Tries\n  Tries + 1\n")}
        << common << QByteArray() << QString() << QByteArray();
}

// Rows of catchesMeaningLost: objects sharing a number.
void NumberRows()
{
    const QString common = QStringLiteral("CommonFile.pb");
    const QString openChild = QStringLiteral("  If OpenWindow(#Child, 0, 0, 200, 100, \"Title\")\n");
    QTest::newRow("two menu items of one window with one number")
        << QStringList{common, openChild,
                       openChild
                           + QStringLiteral("    #Other = 20\n    CreatePopupMenu(9) : MenuItem(20, \"a\") : "
                                            "MenuItem(#Other, \"b\")\n")}
        << common << QByteArray("MenuItem(20")
        << QStringLiteral("MenuItem(#Other) creates the number of 20 (CommonFile.pb:%1)") << QByteArray("MenuItem(20");
    QTest::newRow("two generated constants with one number")
        << QStringList{common, QStringLiteral("  #Main_Window_Save2\n"), QStringLiteral("  #Main_Window_Save2 = 1\n")}
        << common << QByteArray("#Main_Window_Save2 = 1")
        << QStringLiteral("constant #Main_Window_Save2 has the number 1 of #Main_Window_Save (MenuItem Constants)")
        << QByteArray();
}

// Rows of catchesMeaningLost: the windows and their objects.
void WindowRows()
{
    const QString common = QStringLiteral("CommonFile.pb");
    const QString openMain = QStringLiteral("  If OpenWindow(#Main_Window, 0, 0, 200, 100, \"Title\")\n");
    const QString topLevel = QStringLiteral("Procedure Open_Main_Window()\n");
    QTest::newRow("the first window hidden as it opens")
        << QStringList{common, openMain, openMain + QStringLiteral("    HideWindow(#Main_Window, #True)\n")} << common
        << QByteArray("HideWindow(#Main_Window") << QStringLiteral("the first window is hidden and never shown")
        << QByteArray();
    QTest::newRow("the first window hidden, then shown")
        << QStringList{common, openMain,
                       openMain + QStringLiteral("    HideWindow(#Main_Window, 1) : HideWindow(#Main_Window, 0)\n")}
        << common << QByteArray() << QString() << QByteArray();
    const QString pick = QStringLiteral("    Pick = ButtonGadget(#PB_Any, 0, 0, 9, 9, \"\")\n");
    QTest::newRow("a gadget left to #PB_Any")
        << QStringList{common, openMain, openMain + pick} << common << QByteArray("Pick =")
        << QStringLiteral("the gadget in Pick (ButtonGadget(#PB_Any)) reaches no event procedure") << QByteArray();
    QTest::newRow("a gadget of a dialog with its own loop")
        << QStringList{common, openMain,
                       openMain + pick + QStringLiteral("    Repeat : Until WaitWindowEvent() = 16\n")}
        << common << QByteArray() << QString() << QByteArray();
    QTest::newRow("an empty window procedure")
        << QStringList{common, topLevel, QStringLiteral("Procedure Open_Gone()\n\nEndProcedure\n") + topLevel} << common
        << QByteArray("Open_Gone") << QStringLiteral("procedure Open_Gone is empty") << QByteArray();
    QTest::newRow("a gadget created before any window")
        << QStringList{common, topLevel,
                       QStringLiteral("Global Late = ButtonGadget(#PB_Any, 0, 0, 9, 9, \"\")\n") + topLevel}
        << common << QByteArray("Global Late")
        << QStringLiteral("a gadget is created when CommonFile.pb is included, before any window") << QByteArray();
    QTest::newRow("an image of no file")
        << QStringList{common, topLevel,
                       QStringLiteral("DataSection\n  Nothing:\n  IncludeBinary \"\"\nEndDataSection\n") + topLevel}
        << common << QByteArray("IncludeBinary") << QStringLiteral("IncludeBinary names no file") << QByteArray();
    QTest::newRow("a gadget created only in a comment")
        << QStringList{common, topLevel,
                       topLevel + QStringLiteral("  ; ButtonGadget(#Button_0, 0, 0, 9, 9, \"Old\")\n")}
        << common << QByteArray("#Main_Window_Button_0")
        << QStringLiteral("gadget #Main_Window_Button_0 is created only in a comment (CommonFile.pb:%1)")
        << QByteArray("; ButtonGadget(#Button_0");
}

// Rows of catchesMeaningLost: what the window source meant.
void SourceRows()
{
    const QString common = QStringLiteral("CommonFile.pb");
    const QString topLevel = QStringLiteral("Procedure Open_Main_Window()\n");
    QTest::newRow("a kept constant with another value")
        << Source("#Limit = 5\n") + QStringList{common, topLevel, QStringLiteral("#Limit = 6\n") + topLevel} << common
        << QByteArray("#Limit = 6") << QStringLiteral("constant #Limit has the value 6, Window.pb:1 gives it 5")
        << QByteArray();
    QTest::newRow("an old constant naming another object")
        << Source("Enumeration\n  #Open\nEndEnumeration\nMenuItem(#Open, \"Open\")\n")
               + QStringList{common,
                             topLevel,
                             QStringLiteral("#Open = 1\n") + topLevel,
                             QStringLiteral("EventWindow.pb"),
                             QStringLiteral("  ExitApplication = 1\n"),
                             QStringLiteral("  ExitApplication = #Open\n")}
        << common << QByteArray("#Open = 1")
        << QStringLiteral("constant #Open has the value 1, but its object is now #Main_Window_Open (0)")
        << QByteArray();
    const QByteArray loop(
        "MenuItem(#Save, \"Save\")\nRepeat\n  Select WaitWindowEvent()\n    Case #PB_Event_Menu\n"
        "      Select EventMenu()\n        Case #Save : SaveAll(#True)\n      EndSelect\n  EndSelect\n"
        "Until Quit\n");
    QTest::newRow("a Case body left behind")
        << Source(loop) << QStringLiteral("Window.pb") << QByteArray("Case #Save")
        << QStringLiteral("EventMenu_Main_Window_Save lacks what the event loop does for #Save (line 6)")
        << QByteArray();
    QTest::newRow("a Case body carried over")
        << Source(loop)
               + QStringList{QStringLiteral("EventMenu.pb"),
                             QStringLiteral("Procedure EventMenu_Main_Window_Save()\n  \n"),
                             QStringLiteral("Procedure EventMenu_Main_Window_Save()\n  SaveAll(#Main_Window_Save)\n")}
        << QString() << QByteArray() << QString() << QByteArray();
    QTest::newRow("a close left behind") << Source(
        "Repeat\n  Event = WaitWindowEvent()\n  If Event = #PB_Event_CloseWindow\n    If Ask() : Quit = 1 : EndIf\n"
        "  EndIf\nUntil Quit\n") << QStringLiteral("Window.pb")
                                         << QByteArray("If Event")
                                         << QStringLiteral("no EventExit procedure does what the event loop does when "
                                                           "a window closes (line 4)")
                                         << QByteArray();
    QTest::newRow("a gadget of the loop without a procedure")
        << Source("ButtonGadget(#Nothing, 0, 0, 9, 9, \"\")\nRepeat\n  If WaitWindowEvent() = #PB_Event_Gadget And "
                  "EventGadget() = #Nothing\n    Debug 1\n  EndIf\nForEver\n")
        << QStringLiteral("Window.pb") << QByteArray("EventGadget() = #Nothing")
        << QStringLiteral("the event loop's gadget #Nothing reaches no event procedure") << QByteArray();
    QTest::newRow("a text the project lost")
        << QStringList{QStringLiteral("expect.txt"), QString(), QStringLiteral("text \"Schlie\u00dfen\"\n")}
        << QStringLiteral("expect.txt") << QByteArray("text")
        << QStringLiteral("the text \"Schlie\u00dfen\" is in no generated file") << QByteArray();
}

} // namespace

void TestProjectChecker::catchesMeaningLost_data()
{
    // Each row edits the generated project (file, text before, text after; no text before
    // writes the file whole) and expects one fault on the line of faultFile holding faultAt,
    // %1 in it the line holding otherAt; or none, when the fault is empty.
    QTest::addColumn<QStringList>("edits");
    QTest::addColumn<QString>("faultFile");
    QTest::addColumn<QByteArray>("faultAt");
    QTest::addColumn<QString>("fault");
    QTest::addColumn<QByteArray>("otherAt");

    ProgramRows();
    NumberRows();
    WindowRows();
    SourceRows();
}

void TestProjectChecker::catchesMeaningLost()
{
    QFETCH(QStringList, edits);
    QFETCH(QString, faultFile);
    QFETCH(QByteArray, faultAt);
    QFETCH(QString, fault);
    QFETCH(QByteArray, otherAt);
    TestProject dir;
    Generate(dir, FastSwitches(0));
    for (qsizetype i = 0; i + 2 < edits.size(); i += 3) {
        if (edits[i + 1].isEmpty())
            dir.write(edits[i], edits[i + 2].toUtf8());
        else
            Replace(dir, edits[i], edits[i + 1].toUtf8(), edits[i + 2].toUtf8());
    }
    if (!otherAt.isEmpty())
        fault = fault.arg(LineOf(dir, faultFile, otherAt));
    const QStringList expected = fault.isEmpty() ? QStringList()
                                                 : QStringList{faultFile + QLatin1Char(':')
                                                               + QString::number(LineOf(dir, faultFile, faultAt))
                                                               + QStringLiteral(": ") + fault};
    QCOMPARE(CheckProject(dir.dir()), expected);
}

void TestProjectChecker::catchesMissingIncludes()
{
    TestProject dir;
    Switches s = FastSwitches();
    s.Multilang = 1;
    Generate(dir, s);
    QVERIFY(QFile::remove(dir.path(QStringLiteral("LoadLanguage.pb"))));
    Replace(dir, QStringLiteral("Main.pb"), ";IncludeFile \"???.pb\"", "IncludeFile \"Tools.pb\" ; helpers");
    const int tools = LineOf(dir, QStringLiteral("Main.pb"), "Tools.pb");
    const int language = LineOf(dir, QStringLiteral("CommonFile.pb"), "LoadLanguage.pb");
    QCOMPARE(CheckProject(dir.dir()),
             (QStringList{At("Main.pb", tools, "IncludeFile \"Tools.pb\" does not exist"),
                          At("CommonFile.pb", language, "IncludeFile \"LoadLanguage.pb\" does not exist")}));
    // A user file is read along: what it defines counts, and its blocks are checked.
    dir.writeLines(QStringLiteral("Tools.pb"), {QStringLiteral("#Limit = 3"), QStringLiteral("Procedure Open_Helper()"),
                                                QStringLiteral("  If #Limit")});
    Replace(dir, QStringLiteral("Main.pb"), "  Open_Main_Window()\n",
            "  Open_Main_Window() : Open_Helper() : x = #Limit\n");
    QVERIFY(QDir(dir.dir()).mkdir(QStringLiteral("LoadLanguage.pb"))); // a folder is not a file
    QCOMPARE(CheckProject(dir.dir()),
             (QStringList{At("Tools.pb", 2, "Procedure is never closed"), At("Tools.pb", 3, "If is never closed"),
                          At("CommonFile.pb", language, "IncludeFile \"LoadLanguage.pb\" does not exist")}));
}

void TestProjectChecker::ignoresCommentsAndStrings()
{
    TestProject dir;
    Generate(dir, FastSwitches(0));
    Replace(dir, QStringLiteral("EventWindow.pb"), "  ExitApplication = 1\n",
            "  ExitApplication = 1 ; If EndProcedure #Nothing Missing()\n"
            "  Debug \"If Select #NotAConstant ; EndIf\" + ~\"a \\\" EndSelect\"\n"
            "  If #True : EndIf\n");
    QCOMPARE(CheckProject(dir.dir()), QStringList());
}

QTEST_GUILESS_MAIN(TestProjectChecker)
#include "tst_project_checker.moc"
