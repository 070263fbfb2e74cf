#include "support/interpreter_fixture.h"

#include "interpreter/numbered_objects.h"
#include "interpreter/object_names.h"
#include "interpreter/pb_any_objects.h"
#include "interpreter/window_prefixes.h"

#include <QTest>

using namespace quarvel;

class TestWindowPrefixes : public QObject {
    Q_OBJECT

private slots:
    void rewritesObjectConstants_data();
    void rewritesObjectConstants();
    void pbAnyWindowStops_data();
    void pbAnyWindowStops();
    void twoObjectsWithOneConstantStop_data();
    void twoObjectsWithOneConstantStop();
    void userGadgetIsACommand();
    void namesOfSeveralObjects();
    void numberedObjectsGetConstants_data();
    void numberedObjectsGetConstants();
};

namespace {
const QString Window0 = QStringLiteral("If OpenWindow(#Window_0, 0, 0, 300, 200, \"Main\")");
// Objects of Window_0, as the window creates them and after the pass.
const QString Objects = QStringLiteral(
    "\nEditorGadget(#Editor_0, 0, 0, 1, 1)\nCreateToolBar(#ToolBar_0, WindowID(#Window_0))"
    "\nCreateStatusBar(#StatusBar_0, WindowID(#Window_0))\nButtonGadget(#Button_0, 0, 0, 1, 1, \"\")"
    "\nToolBarStandardButton(#Button_2, 0)\nTextGadget(#Text_0, 0, 0, 1, 1, \"\")");
const QString Objects0 = QStringLiteral(
    "\nEditorGadget(#Window_0_Editor_0, 0, 0, 1, 1)\nCreateToolBar(#Window_0_ToolBar_0, WindowID(#Window_0))"
    "\nCreateStatusBar(#Window_0_StatusBar_0, WindowID(#Window_0))\nButtonGadget(#Window_0_Button_0, 0, 0, 1, 1, \"\")"
    "\nToolBarStandardButton(#Window_0_Button_2, 0)\nTextGadget(#Window_0_Text_0, 0, 0, 1, 1, \"\")");
const QString Window1 = QStringLiteral("Procedure Open_Window_1()\n  OpenWindow(#Window_1, 0, 0, 9, 9, \"B\")");
} // namespace

void TestWindowPrefixes::rewritesObjectConstants_data()
{
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("after");

    QTest::newRow("gadget after window line") << Window0 + "\nButtonGadget(#Button_0, 10, 10, 80, 24, \"Ok\")"
                                              << Window0 + "\nButtonGadget(#Window_0_Button_0, 10, 10, 80, 24, \"Ok\")";
    QTest::newRow("window line itself unchanged")
        << "OpenWindow(#Window_0, 0, 0, 10, 10, \"A\")\nOpenWindow(#Window_1, 0, 0, 10, 10, \"B\")"
        << "OpenWindow(#Window_0, 0, 0, 10, 10, \"A\")\nOpenWindow(#Window_1, 0, 0, 10, 10, \"B\")";
    QTest::newRow("embedded toolbar height and first argument")
        << Window0 + Objects + "\nResizeGadget(#Editor_0, 0, ToolBarHeight(#ToolBar_0), 300, 200)"
        << Window0 + Objects0 + "\nResizeGadget(#Window_0_Editor_0, 0, ToolBarHeight(#Window_0_ToolBar_0), 300, 200)";
    QTest::newRow("status bar height once") << Window0 + Objects + "\nh = StatusBarHeight(#StatusBar_0)"
                                            << Window0 + Objects0 + "\nh = StatusBarHeight(#Window_0_StatusBar_0)";
    QTest::newRow("both heights on one line")
        << Window0 + Objects + "\nh = 300 - ToolBarHeight(#ToolBar_0) - StatusBarHeight(#StatusBar_0)"
        << Window0 + Objects0
               + "\nh = 300 - ToolBarHeight(#Window_0_ToolBar_0) - StatusBarHeight(#Window_0_StatusBar_0)";
    QTest::newRow("numbered bar height untouched")
        << Window0 + "\nh = ToolBarHeight(0)" << Window0 + "\nh = ToolBarHeight(0)";
    QTest::newRow("status bar line sets the window")
        << Window0 + "\nCreateStatusBar(#StatusBar_0, WindowID(#Window_1))\nStatusBarText(#StatusBar_0, 0, \"x\")"
        << Window0
               + "\nCreateStatusBar(#Window_1_StatusBar_0, WindowID(#Window_1))\nStatusBarText(#Window_1_StatusBar_0, "
                 "0, \"x\")";
    QTest::newRow("toolbar line sets the window")
        << Window0 + "\nIf CreateToolBar(#ToolBar_0, WindowID( #Window_2 ))"
        << Window0 + "\nIf CreateToolBar(#Window_2_ToolBar_0, WindowID( #Window_2 ))";
    QTest::newRow("toolbar created after another call")
        << Window0
               + "\nSetActiveWindow(#Window_0) : CreateToolBar(#ToolBar_0, "
                 "WindowID(#Window_4))\nToolBarStandardButton(#Open, 0)\nToolBarToolTip(#ToolBar_0, #Open, \"x\")"
        << Window0
               + "\nSetActiveWindow(#Window_0) : CreateToolBar(#Window_4_ToolBar_0, "
                 "WindowID(#Window_4))\nToolBarStandardButton(#Window_4_Open, 0)\nToolBarToolTip(#Window_4_ToolBar_0, "
                 "#Window_4_Open, \"x\")";
    QTest::newRow("tooltip gets both constants")
        << Window0 + Objects + "\nToolBarToolTip(#ToolBar_0, #Button_2, \"Save\")"
        << Window0 + Objects0 + "\nToolBarToolTip(#Window_0_ToolBar_0, #Window_0_Button_2, \"Save\")";
    QTest::newRow("balloon tip, objects and a user constant")
        << Window0 + Objects + "\nBalloonTip(#Text_0, #Button_0, #Tip)"
        << Window0 + Objects0 + "\nBalloonTip(#Window_0_Text_0, #Window_0_Button_0, #Tip)";
    QTest::newRow("splitter children")
        << Window0 + Objects + "\nSplitterGadget(#Splitter_0, 0, 0, 300, 200, #Button_0, #Editor_0)"
        << Window0 + Objects0
               + "\nSplitterGadget(#Window_0_Splitter_0, 0, 0, 300, 200, #Window_0_Button_0, #Window_0_Editor_0)";
    // Only a constant child takes the prefix; a child in a variable, a flag or a nested call's
    // argument does not, nor does the first argument twice, nor a constant that names no object.
    QTest::newRow("splitter child in a variable")
        << Window0 + "\nButtonGadget(#B1, 0, 0, 1, 1, \"\")\nSplitterGadget(#Split, 0, 0, 300, 100, left, #B1)"
        << Window0
               + "\nButtonGadget(#Window_0_B1, 0, 0, 1, 1, \"\")\nSplitterGadget(#Window_0_Split, 0, 0, 300, 100, "
                 "left, #Window_0_B1)";
    QTest::newRow("splitter children both variables, flags stay")
        << Window0 + "\nSplitterGadget(#Split, 0, 0, Max(3, 4), 100,  a, b, #PB_Splitter_Vertical)"
        << Window0 + "\nSplitterGadget(#Window_0_Split, 0, 0, Max(3, 4), 100,  a, b, #PB_Splitter_Vertical)";
    QTest::newRow("MDI gadget's menu item of the user's")
        << Window0 + "\nMDIGadget(#Mdi, 0, 0, 300, 100, sub, #Item_1)"
        << Window0 + "\nMDIGadget(#Window_0_Mdi, 0, 0, 300, 100, sub, #Item_1)";
    QTest::newRow("use gadget list switches the window")
        << Window0 + "\nUseGadgetList(WindowID(#Window_3))\nTextGadget(#T, 1, 1, 1, 1, \"\")"
        << Window0 + "\nUseGadgetList(WindowID(#Window_3))\nTextGadget(#Window_3_T, 1, 1, 1, 1, \"\")";
    QTest::newRow("gadget list and status fields untouched")
        << Window0 + "\nCreateGadgetList(WindowID(#Window_0))\nAddStatusBarField(#Field)"
        << Window0 + "\nCreateGadgetList(WindowID(#Window_0))\nAddStatusBarField(#Field)";
    QTest::newRow("first semicolon at 9 is a comment") << Window0 + "\n        ;ButtonGadget(#B, 1, 1, 1, 1, \"\")"
                                                       << Window0 + "\n        ;ButtonGadget(#B, 1, 1, 1, 1, \"\")";
    QTest::newRow("first semicolon at 10 is code") << Window0 + "\nButtonGadget(#B, 1, 1, 1, 1, \"\") ; ok"
                                                   << Window0 + "\nButtonGadget(#Window_0_B, 1, 1, 1, 1, \"\") ; ok";
    QTest::newRow("space before bracket not a command")
        << Window0 + "\nButtonGadget (#B, 1, 1, 1, 1, \"\")" << Window0 + "\nButtonGadget (#B, 1, 1, 1, 1, \"\")";
    QTest::newRow("every object of the line")
        << Window0 + Objects
               + "\nSetGadgetText(#Text_0, GetGadgetText(#Editor_0)) : SendMessage_(GadgetID(#Button_0), 0, 0, 0)"
        << Window0 + Objects0
               + "\nSetGadgetText(#Window_0_Text_0, GetGadgetText(#Window_0_Editor_0)) : "
                 "SendMessage_(GadgetID(#Window_0_Button_0), 0, 0, 0)";
    QTest::newRow("constants that name no object")
        << Window0 + "\nSetGadgetText(#Text_9, #Title$) : HideWindow(#Window_0, #True) : x = #PB_Any"
        << Window0 + "\nSetGadgetText(#Text_9, #Title$) : HideWindow(#Window_0, #True) : x = #PB_Any";
    QTest::newRow("strings, comments and declarations keep their texts")
        << "Enumeration\n  #Text_0\nEndEnumeration\n#Editor_0 = 5\n" + Window0 + Objects
               + "\nx = \"#Text_0\" + #Text_0 ; #Text_0"
        << "Enumeration\n  #Text_0\nEndEnumeration\n#Editor_0 = 5\n" + Window0 + Objects0
               + "\nx = \"#Text_0\" + #Window_0_Text_0 ; #Text_0";
    QTest::newRow("declarations joined by a colon keep their names")
        << "Enumeration\n  #Text_0 : #Editor_0\nEndEnumeration\n#Button_0 = 5 : #Button_2 = 6\n" + Window0 + Objects
        << "Enumeration\n  #Text_0 : #Editor_0\nEndEnumeration\n#Button_0 = 5 : #Button_2 = 6\n" + Window0 + Objects0;
    QTest::newRow("later procedures use the window that creates the object")
        << Window0 + Objects + "\nEndProcedure\n" + Window1
               + "\n  ListViewGadget(#List, 0, 0, 9, 9)\nEndProcedure"
                 "\nProcedure Fill()\n  SetGadgetState(#List, 0) : SetGadgetText(#Text_0, \"\")\n  BindMenuEvent(0, "
                 "#Button_2, @Fill())\nEndProcedure"
        << Window0 + Objects0 + "\nEndProcedure\n" + Window1
               + "\n  ListViewGadget(#Window_1_List, 0, 0, 9, 9)\nEndProcedure"
                 "\nProcedure Fill()\n  SetGadgetState(#Window_1_List, 0) : SetGadgetText(#Window_0_Text_0, \"\")\n  "
                 "BindMenuEvent(0, #Window_0_Button_2, @Fill())\nEndProcedure";
    QTest::newRow("a use before the window that creates the object")
        << "Procedure Fill()\n  ClearGadgetItems(#List)\nEndProcedure\n" + Window1
               + "\n  ListViewGadget(#list, 0, 0, 9, 9)"
        << "Procedure Fill()\n  ClearGadgetItems(#Window_1_List)\nEndProcedure\n" + Window1
               + "\n  ListViewGadget(#Window_1_list, 0, 0, 9, 9)";
    QTest::newRow("gadget list of a panel stays with the window")
        << Window0
               + "\nPanelGadget(#Panel, 0, 0, 9, 9)\nUseGadgetList(GadgetID(#Panel))\nTextGadget(#T, 1, 1, 1, 1, \"\")"
        << Window0
               + "\nPanelGadget(#Window_0_Panel, 0, 0, 9, "
                 "9)\nUseGadgetList(GadgetID(#Window_0_Panel))\nTextGadget(#Window_0_T, 1, 1, 1, 1, \"\")";
    QTest::newRow("gadgets created in a loop")
        << Window0
               + "\nFor i = 0 To 3 : ButtonGadget(#Btn_0 + i, 0, i * 20, 80, 20, \"\") : Next\nDisableGadget(#Btn_0 + "
                 "2, 1)"
        << Window0
               + "\nFor i = 0 To 3 : ButtonGadget(#Window_0_Btn_0 + i, 0, i * 20, 80, 20, \"\") : "
                 "Next\nDisableGadget(#Window_0_Btn_0 + 2, 1)";
    QTest::newRow("command after If and tabs, any case")
        << Window0 + "\n\tIf buttongadget(#B, 1, 1, 1, 1, \"\")\n\t\tbuttongadget(#C, 1, 1, 1, 1, \"\")"
        << Window0
               + "\n\tIf buttongadget(#Window_0_B, 1, 1, 1, 1, \"\")\n\t\tbuttongadget(#Window_0_C, 1, 1, 1, 1, \"\")";
    QTest::newRow("window commands not prefixed")
        << Window0 + "\nSetWindowTitle(#Window_0, \"x\")" << Window0 + "\nSetWindowTitle(#Window_0, \"x\")";
    QTest::newRow("objects before any window keep their names")
        << QString("ButtonGadget(#B, 1, 1, 1, 1, \"\")\n") + Window0
        << QString("ButtonGadget(#B, 1, 1, 1, 1, \"\")\n") + Window0;
    QTest::newRow("window opened after another statement")
        << Window0
               + "\nSetActiveWindow(#Window_0) : OpenWindow(#Window_5, 0, 0, 10, 10, \"x\")\nTextGadget(#T, 1, 1, 1, "
                 "1, \"\")"
        << Window0
               + "\nSetActiveWindow(#Window_0) : OpenWindow(#Window_5, 0, 0, 10, 10, \"x\")\nTextGadget(#Window_5_T, "
                 "1, 1, 1, 1, \"\")";
    QTest::newRow("name given in front of a declaring bracket")
        << Window0 + Objects + "\nDisableGadget(#Button_0, 0) : CreateMenu(#Menu_0, WindowID(#Window_0))"
        << Window0 + Objects0
               + "\nDisableGadget(#Window_0_Button_0, 0) : CreateMenu(#Window_0_Menu_0, WindowID(#Window_0))";
    QTest::newRow("window named with a bracket")
        << "OpenWindow(#W(#X), 0, 0, 10, 10, \"x\")\nCreateMenu(#M, WindowID(#W(#X)))\nTextGadget(#T, 1, 1, 1, 1, \"\")"
        << "OpenWindow(#W(#X), 0, 0, 10, 10, \"x\")\nCreateMenu(#W(#X)_M, WindowID(#W(#X)))\nTextGadget(#W(#X)_T, 1, "
           "1, 1, "
           "1, \"\")";
    QTest::newRow("an object of two windows, used in each")
        << Window0 + "\nButtonGadget(#Ok, 1, 1, 1, 1, \"\")\nDisableGadget(#Ok, 1)\nEndProcedure\n" + Window1
               + "\n  ButtonGadget(#OK, 1, 1, 1, 1, \"\")\n  DisableGadget(#ok, 0)\nEndProcedure\n" + Window0
               + "\nHideGadget(#Ok, 1)"
        << Window0 + "\nButtonGadget(#Window_0_Ok, 1, 1, 1, 1, \"\")\nDisableGadget(#Window_0_Ok, 1)\nEndProcedure\n"
               + Window1
               + "\n  ButtonGadget(#Window_1_OK, 1, 1, 1, 1, \"\")\n  DisableGadget(#Window_1_ok, 0)\nEndProcedure\n"
               + Window0 + "\nHideGadget(#Window_0_Ok, 1)";
    // Names of 63 characters and more share one length in the sieve that passes over constants.
    QTest::newRow("names of any length") << Window0 + "\nButtonGadget(#" + QString(70, u'L')
                                                + ", 1, 1, 1, 1, \"\")\nHideGadget(#" + QString(64, u'L')
                                                + ", 1) : HideGadget(#" + QString(70, u'l') + ", 1)"
                                         << Window0 + "\nButtonGadget(#Window_0_" + QString(70, u'L')
                                                + ", 1, 1, 1, 1, \"\")\nHideGadget(#" + QString(64, u'L')
                                                + ", 1) : HideGadget(#Window_0_" + QString(70, u'l') + ", 1)";
    QTest::newRow("number window is not a window line")
        << Window0 + "\nOpenWindow(0, 0, 0, 10, 10, \"x\")\nTextGadget(#T, 1, 1, 1, 1, \"\")"
        << Window0 + "\nOpenWindow(0, 0, 0, 10, 10, \"x\")\nTextGadget(#Window_0_T, 1, 1, 1, 1, \"\")";
}

void TestWindowPrefixes::rewritesObjectConstants()
{
    QFETCH(QString, before);
    QFETCH(QString, after);
    InterpreterFixture f;
    f.withLines(Rows(before));

    DeclaringLines declaring;
    QVERIFY(InsertWindowPrefixes(f.model, f.tables, f.log, &declaring));
    QCOMPARE(f.lines(), Rows(after));
    QVERIFY(f.log.texts.isEmpty());
    // The declarations handed to the name collection are those of the lines as they now stand.
    QCOMPARE(declaring, FindDeclaringLines(f.lines(), f.tables));
}

void TestWindowPrefixes::pbAnyWindowStops_data()
{
    QTest::addColumn<QString>("window");
    QTest::newRow("upper") << "OpenWindow(#PB_Any, 0, 0, 10, 10, \"x\")";
    QTest::newRow("lower with blanks") << "  w = openwindow(# pb_any , 0, 0, 10, 10, \"x\")";
}

void TestWindowPrefixes::pbAnyWindowStops()
{
    QFETCH(QString, window);
    InterpreterFixture f;
    f.withLines({Window0, "ButtonGadget(#B, 1, 1, 1, 1, \"\")", window, "TextGadget(#T, 1, 1, 1, 1, \"\")"});

    QVERIFY(!InsertWindowPrefixes(f.model, f.tables, f.log));
    QCOMPARE(f.log.texts, QStringList{" -> Error: Find OpenWindow with '#PB_Any', Not supported. Stop!"});
    // Lines before the stop keep their prefixes, later lines stay as they were.
    QCOMPARE(f.lines().at(1), "ButtonGadget(#Window_0_B, 1, 1, 1, 1, \"\")");
    QCOMPARE(f.lines().at(3), "TextGadget(#T, 1, 1, 1, 1, \"\")");
}

// Objects of two windows whose prefixed constants are one name (in any letter case) would be
// merged into one: the run stops and names both, each with its file and line.
void TestWindowPrefixes::twoObjectsWithOneConstantStop_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QString>("error");
    const QString main = QStringLiteral("OpenWindow(#Main, 0, 0, 10, 10, \"A\")");
    const QString settings = QStringLiteral("OpenWindow(#Main_Settings, 0, 0, 10, 10, \"B\")");
    QTest::newRow("gadgets") << QStringList{main, "ButtonGadget(#Settings_Save, 1, 1, 1, 1, \"\")", settings,
                                            "ButtonGadget(#Save, 1, 1, 1, 1, \"\")"}
                             << " -> Error: Two objects get the constant #Main_Settings_Save: Settings_Save of window "
                                "Main (Forms.pb:2) and Save of window Main_Settings (Forms.pb:4); rename one of "
                                "them. Stop!";
    QTest::newRow("letter case")
        << QStringList{main, "ButtonGadget(#settings_save, 1, 1, 1, 1, \"\")", settings,
                       "ButtonGadget(#SAVE, 1, 1, 1, 1, \"\")"}
        << " -> Error: Two objects get the constant #Main_Settings_SAVE: settings_save of window Main "
           "(Forms.pb:2) and SAVE of window Main_Settings (Forms.pb:4); rename one of them. "
           "Stop!";
    QTest::newRow("windows named in two letter cases")
        << QStringList{main, "ButtonGadget(#Settings_Save, 1, 1, 1, 1, \"\")",
                       "OpenWindow(#MAIN_settings, 0, 0, 10, 10, \"B\")", "ButtonGadget(#Save, 1, 1, 1, 1, \"\")"}
        << " -> Error: Two objects get the constant #MAIN_settings_Save: Settings_Save of window Main (Forms.pb:2) "
           "and Save of window MAIN_settings (Forms.pb:4); rename one of them. Stop!";
    QTest::newRow("a window and a gadget")
        << QStringList{main, "ButtonGadget(#Settings, 1, 1, 1, 1, \"\")", settings}
        << " -> Error: Two objects get the constant #Main_Settings: window Main_Settings (Forms.pb:3) and Settings of "
           "window Main (Forms.pb:2); rename one of them. Stop!";
}

void TestWindowPrefixes::twoObjectsWithOneConstantStop()
{
    QFETCH(QStringList, lines);
    QFETCH(QString, error);
    InterpreterFixture f;
    f.withFileLines(QStringLiteral("Forms.pb"), lines);
    QVERIFY(!InsertWindowPrefixes(f.model, f.tables, f.log));
    QCOMPARE(f.log.texts, QStringList{error});
    QCOMPARE(f.log.stopReason, error);

    // A gadget made twice in one window is one object.
    InterpreterFixture twice;
    twice.withFileLines(QStringLiteral("Forms.pb"), {lines.first(), "ButtonGadget(#Ok, 1, 1, 1, 1, \"\")",
                                                     "If x : ButtonGadget(#OK, 1, 1, 1, 1, \"\") : EndIf"});
    QVERIFY(InsertWindowPrefixes(twice.model, twice.tables, twice.log));
    QVERIFY(twice.log.texts.isEmpty());
}

void TestWindowPrefixes::userGadgetIsACommand()
{
    InterpreterFixture f({QStringLiteral("ColorPickerGadget")});
    f.withLines({Window0, "  colorpickergadget(#Picker, 1, 1, 1, 1)", "  OtherGadget(#X, 1)"});

    QVERIFY(InsertWindowPrefixes(f.model, f.tables, f.log));
    QCOMPARE(f.lines().at(1), "  colorpickergadget(#Window_0_Picker, 1, 1, 1, 1)");
    QCOMPARE(f.lines().at(2), "  OtherGadget(#X, 1)");
}

// A variable's object and a constant of its window share a name in another letter case; a use
// in a window that creates no such object goes to the nearest window that does.
void TestWindowPrefixes::namesOfSeveralObjects()
{
    InterpreterFixture f;
    f.withFileLines("Form.pb", {Window0, "  Squares = TextGadget(#PB_Any, 0, 0, 9, 9, \"\")",
                                "  ButtonGadget(#squares, 0, 0, 9, 9, \"\")", "  ButtonGadget(#Ok, 0, 0, 9, 9, \"\")",
                                "OpenWindow(#Window_1, 0, 0, 9, 9, \"\")", "  ButtonGadget(#Ok, 0, 0, 9, 9, \"\")",
                                "OpenWindow(#Window_2, 0, 0, 9, 9, \"\")",
                                "  DisableGadget(#OK, 1) : SetGadgetText(#squares, \"\")"});
    ConvertPbAnyObjects(f.model, f.tables);
    QVERIFY(InsertWindowPrefixes(f.model, f.tables, f.log));
    QVERIFY(CollectObjectNames(f.model, f.tables, f.log));
    ResolveVariableObjects(f.model, f.log);

    QCOMPARE(f.lines().at(1), "  TextGadget(#Window_0_Squares_2, 0, 0, 9, 9, \"\")");
    QCOMPARE(f.lines().at(7), "  DisableGadget(#Window_1_OK, 1) : SetGadgetText(#Window_0_squares, \"\")");
    QCOMPARE(f.model.GadgetList.size(), 4);
    QCOMPARE(f.model.VariableObjects.first().constant, "Window_0_Squares_2");
    QCOMPARE(
        f.log.texts,
        (QStringList{" -> Warning: variable Squares and #Window_0_squares name two objects of one window (Form.pb:2, "
                     "Form.pb:3); the variable's object is #Window_0_Squares_2.",
                     " -> Warning: #OK names objects of the windows Window_0, Window_1 (Form.pb:8); taken as "
                     "#Window_1_OK."}));
}

QTEST_GUILESS_MAIN(TestWindowPrefixes)
#include "tst_window_prefixes.moc"

// A number becomes the constant of the object it names only where the code uses it for that
// kind of object; the prefix pass then names it after its window as any other constant.
void TestWindowPrefixes::numberedObjectsGetConstants_data()
{
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("after");

    QTest::newRow("creations and uses")
        << "OpenWindow(0, 0, 0, 300, 200, \"Quiz\")\nCreateMenu(0, WindowID(0))\nMenuItem(101, \"New\")"
           "\nButtonGadget(1, 0, 0, 80, 22, \"1\") ; gadget 1\nSetMenuItemState(0, 101, 1)"
           "\nIf GetGadgetText(1) And EventGadget() = 1 : SetGadgetText(1, GetGadgetText(1)) : EndIf"
           "\nSelect EventMenu()\n  Case 101, 102 : Debug 101\nEndSelect"
        << "OpenWindow(#Window_0, 0, 0, 300, 200, \"Quiz\")\nCreateMenu(0, WindowID(#Window_0))"
           "\nMenuItem(#Window_0_MenuItem_101, \"New\")"
           "\nButtonGadget(#Window_0_Button_1, 0, 0, 80, 22, \"1\") ; gadget 1"
           "\nSetMenuItemState(0, #Window_0_MenuItem_101, 1)"
           "\nIf GetGadgetText(#Window_0_Button_1) And EventGadget() = #Window_0_Button_1 : "
           "SetGadgetText(#Window_0_Button_1, "
           "GetGadgetText(#Window_0_Button_1)) : EndIf"
           "\nSelect EventMenu()\n  Case #Window_0_MenuItem_101, 102 : Debug 101\nEndSelect";
    QTest::newRow("one number, two kinds")
        << "OpenWindow(0, 0, 0, 9, 9, \"\")\nCreateMenu(0, WindowID(0)) : MenuItem(1, \"Go\")"
           "\nTextGadget(1, 0, 0, 9, 9, \"\")\nSelect EventGadget()\n  Case 1\n    Select EventMenu()"
           "\n      Case 1\n    EndSelect\nEndSelect"
        << "OpenWindow(#Window_0, 0, 0, 9, 9, \"\")\nCreateMenu(0, WindowID(#Window_0)) : "
           "MenuItem(#Window_0_MenuItem_1, \"Go\")\nTextGadget(#Window_0_Text_1, 0, 0, 9, 9, \"\")"
           "\nSelect EventGadget()\n  Case #Window_0_Text_1\n    Select EventMenu()"
           "\n      Case #Window_0_MenuItem_1\n    EndSelect\nEndSelect";
    QTest::newRow("through a variable, in its procedure")
        << "Procedure Loop()\n  OpenWindow(0, 0, 0, 9, 9, \"\")\n  ButtonGadget(2, 0, 0, 9, 9, \"\")"
           "\n  g = EventGadget()\n  Select g\n    Case 2\n  EndSelect\n  If g = 2 Or g <> 2 : g = 2 : EndIf"
           "\nEndProcedure\nProcedure Other()\n  If g = 2 : EndIf\nEndProcedure"
        << "Procedure Loop()\n  OpenWindow(#Window_0, 0, 0, 9, 9, \"\")\n  ButtonGadget(#Window_0_Button_2, 0, 0, 9, "
           "9, "
           "\"\")\n  g = EventGadget()\n  Select g\n    Case #Window_0_Button_2\n  EndSelect"
           "\n  If g = #Window_0_Button_2 Or g <> #Window_0_Button_2 : g = 2 : EndIf"
           "\nEndProcedure\nProcedure Other()\n  If g = 2 : EndIf\nEndProcedure";
    QTest::newRow("numbers computed at run time stay")
        << "OpenWindow(#Main, 0, 0, 9, 9, \"\")\nFor i = 10 To 12 : ButtonGadget(i, 0, 0, 9, 9, \"\") : Next"
           "\nButtonGadget(10 + 3, 0, 0, 9, 9, \"\")\nSelect EventGadget()\n  Case 10 To 13\nEndSelect"
        << "OpenWindow(#Main, 0, 0, 9, 9, \"\")\nFor i = 10 To 12 : ButtonGadget(i, 0, 0, 9, 9, \"\") : Next"
           "\nButtonGadget(10 + 3, 0, 0, 9, 9, \"\")\nSelect EventGadget()\n  Case 10 To 13\nEndSelect";
    QTest::newRow("numbers used but none created stay")
        << "OpenWindow(#Main, 0, 0, 9, 9, \"\")\nDisableGadget(1, 1)\nSelect EventGadget()\n  Case 1\nEndSelect"
        << "OpenWindow(#Main, 0, 0, 9, 9, \"\")\nDisableGadget(1, 1)\nSelect EventGadget()\n  Case 1\nEndSelect";
    QTest::newRow("a frame's number is no other gadget's")
        << "OpenWindow(#Main, 0, 0, 9, 9, \"\")\nFrameGadget(1, 0, 0, 9, 9, \"\")\nCheckBoxGadget(1, 0, 0, 9, 9, \"\")"
        << "OpenWindow(#Main, 0, 0, 9, 9, \"\")\nFrameGadget(1, 0, 0, 9, 9, \"\")"
           "\nCheckBoxGadget(#Main_CheckBox_1, 0, 0, 9, 9, \"\")";
    QTest::newRow("each window's code, a named window's too")
        << "OpenWindow(#Main, 0, 0, 9, 9, \"\")\nButtonGadget(1, 0, 0, 9, 9, \"\")\nOpenWindow(1, 0, 0, 9, 9, \"\")"
           "\nStringGadget(1, 0, 0, 9, 9, \"\")\nUseGadgetList(WindowID(#Main))\nDisableGadget(1, 1)"
        << "OpenWindow(#Main, 0, 0, 9, 9, \"\")\nButtonGadget(#Main_Button_1, 0, 0, 9, 9, \"\")"
           "\nOpenWindow(#Window_1, 0, 0, 9, 9, \"\")\nStringGadget(#Window_1_String_1, 0, 0, 9, 9, \"\")"
           "\nUseGadgetList(WindowID(#Main))\nDisableGadget(#Main_Button_1, 1)";
    QTest::newRow("other commands' numbers, a creator in any letter case")
        << "OpenWindow(#Main, 0, 0, 9, 9, \"\")\nLoadImage(4, \"a.png\") : StatusBarText(0, 0, \"\")"
           "\nbuttongadget(3, 0, 0, 9, 9, \"\")"
        << "OpenWindow(#Main, 0, 0, 9, 9, \"\")\nLoadImage(4, \"a.png\") : StatusBarText(0, 0, \"\")"
           "\nbuttongadget(#Main_Button_3, 0, 0, 9, 9, \"\")";
}

void TestWindowPrefixes::numberedObjectsGetConstants()
{
    QFETCH(QString, before);
    QFETCH(QString, after);
    InterpreterFixture f;
    const QStringList read = Rows(before);
    QStringList lines = read;
    NameNumberedObjects(f.model, lines, 0, {}, {});
    // Loading walks only the files the quick test picks: no file it passes over may change.
    if (!CreatesNumberedObjects(read))
        QCOMPARE(lines, read);
    f.withLines(lines);

    QVERIFY(InsertWindowPrefixes(f.model, f.tables, f.log));
    QCOMPARE(f.lines(), Rows(after));
}
