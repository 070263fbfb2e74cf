#include "support/interpreter_fixture.h"

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
    void userGadgetIsACommand();
};

namespace {
const QString Window0 = QStringLiteral("If OpenWindow(#Window_0, 0, 0, 300, 200, \"Main\")");
}

void TestWindowPrefixes::rewritesObjectConstants_data()
{
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("after");

    QTest::newRow("gadget after window line")
        << Window0 + "\nButtonGadget(#Button_0, 10, 10, 80, 24, \"Ok\")"
        << Window0 + "\nButtonGadget(#Window_0_Button_0, 10, 10, 80, 24, \"Ok\")";
    QTest::newRow("window line itself unchanged")
        << "OpenWindow(#Window_0, 0, 0, 10, 10, \"A\")\nOpenWindow(#Window_1, 0, 0, 10, 10, \"B\")"
        << "OpenWindow(#Window_0, 0, 0, 10, 10, \"A\")\nOpenWindow(#Window_1, 0, 0, 10, 10, \"B\")";
    QTest::newRow("embedded toolbar height and first argument")
        << Window0 + "\nResizeGadget(#Editor_0, 0, ToolBarHeight(#ToolBar_0), 300, 200)"
        << Window0 + "\nResizeGadget(#Window_0_Editor_0, 0, ToolBarHeight(#Window_0_ToolBar_0), 300, 200)";
    QTest::newRow("status bar height once")
        << Window0 + "\nh = StatusBarHeight(#StatusBar_0)"
        << Window0 + "\nh = StatusBarHeight(#Window_0_StatusBar_0)";
    QTest::newRow("both heights on one line")
        << Window0 + "\nh = 300 - ToolBarHeight(#ToolBar_0) - StatusBarHeight(#StatusBar_0)"
        << Window0 + "\nh = 300 - ToolBarHeight(#Window_0_ToolBar_0) - StatusBarHeight(#Window_0_StatusBar_0)";
    QTest::newRow("numbered bar height untouched")
        << Window0 + "\nh = ToolBarHeight(0)"
        << Window0 + "\nh = ToolBarHeight(0)";
    QTest::newRow("status bar line sets the window")
        << Window0 + "\nCreateStatusBar(#StatusBar_0, WindowID(#Window_1))\nStatusBarText(#StatusBar_0, 0, \"x\")"
        << Window0 + "\nCreateStatusBar(#Window_1_StatusBar_0, WindowID(#Window_1))\nStatusBarText(#Window_1_StatusBar_0, 0, \"x\")";
    QTest::newRow("toolbar line sets the window")
        << Window0 + "\nIf CreateToolBar(#ToolBar_0, WindowID( #Window_2 ))"
        << Window0 + "\nIf CreateToolBar(#Window_2_ToolBar_0, WindowID( #Window_2 ))";
    QTest::newRow("toolbar created after another call")
        << Window0 + "\nSetActiveWindow(#Window_0) : CreateToolBar(#ToolBar_0, WindowID(#Window_4))\nToolBarToolTip(#ToolBar_0, #Open, \"x\")"
        << Window0 + "\nSetActiveWindow(#Window_0) : CreateToolBar(#ToolBar_0, WindowID(#Window_4))\nToolBarToolTip(#Window_4_ToolBar_0, #Window_4_Open, \"x\")";
    QTest::newRow("tooltip gets both constants")
        << Window0 + "\nToolBarToolTip(#ToolBar_0, #Button_2, \"Save\")"
        << Window0 + "\nToolBarToolTip(#Window_0_ToolBar_0, #Window_0_Button_2, \"Save\")";
    QTest::newRow("balloon tip only its second argument")
        << Window0 + "\nBalloonTip(#Gadget, #Other, \"x\")"
        << Window0 + "\nBalloonTip(#Gadget, #Window_0_Other, \"x\")";
    QTest::newRow("splitter children")
        << Window0 + "\nSplitterGadget(#Splitter_0, 0, 0, 300, 200, #Button_0, #Button_1)"
        << Window0 + "\nSplitterGadget(#Window_0_Splitter_0, 0, 0, 300, 200, #Window_0_Button_0, #Window_0_Button_1)";
    // Only a constant child takes the prefix; a child in a variable, a flag or a nested call's
    // argument does not, nor does the first argument twice.
    QTest::newRow("splitter child in a variable")
        << Window0 + "\nSplitterGadget(#Split, 0, 0, 300, 100, left, #B1)"
        << Window0 + "\nSplitterGadget(#Window_0_Split, 0, 0, 300, 100, left, #Window_0_B1)";
    QTest::newRow("splitter children both variables, flags stay")
        << Window0 + "\nSplitterGadget(#Split, 0, 0, Max(3, 4), 100,  a, b, #PB_Splitter_Vertical)"
        << Window0 + "\nSplitterGadget(#Window_0_Split, 0, 0, Max(3, 4), 100,  a, b, #PB_Splitter_Vertical)";
    QTest::newRow("MDI gadget with a variable sixth argument")
        << Window0 + "\nMDIGadget(#Mdi, 0, 0, 300, 100, sub, #Item_1)"
        << Window0 + "\nMDIGadget(#Window_0_Mdi, 0, 0, 300, 100, sub, #Window_0_Item_1)";
    QTest::newRow("use gadget list switches the window")
        << Window0 + "\nUseGadgetList(WindowID(#Window_3))\nTextGadget(#T, 1, 1, 1, 1, \"\")"
        << Window0 + "\nUseGadgetList(WindowID(#Window_3))\nTextGadget(#Window_3_T, 1, 1, 1, 1, \"\")";
    QTest::newRow("gadget list and status fields untouched")
        << Window0 + "\nCreateGadgetList(WindowID(#Window_0))\nAddStatusBarField(#Field)"
        << Window0 + "\nCreateGadgetList(WindowID(#Window_0))\nAddStatusBarField(#Field)";
    QTest::newRow("first semicolon at 9 is a comment")
        << Window0 + "\n        ;ButtonGadget(#B, 1, 1, 1, 1, \"\")"
        << Window0 + "\n        ;ButtonGadget(#B, 1, 1, 1, 1, \"\")";
    QTest::newRow("first semicolon at 10 is code")
        << Window0 + "\nButtonGadget(#B, 1, 1, 1, 1, \"\") ; ok"
        << Window0 + "\nButtonGadget(#Window_0_B, 1, 1, 1, 1, \"\") ; ok";
    QTest::newRow("space before bracket not a command")
        << Window0 + "\nButtonGadget (#B, 1, 1, 1, 1, \"\")"
        << Window0 + "\nButtonGadget (#B, 1, 1, 1, 1, \"\")";
    QTest::newRow("only the first object bracket")
        << Window0 + "\nSetGadgetText(#Text_0, GetGadgetText(#String_0))"
        << Window0 + "\nSetGadgetText(#Window_0_Text_0, GetGadgetText(#String_0))";
    QTest::newRow("command after If and tabs, any case")
        << Window0 + "\n\tIf buttongadget(#B, 1, 1, 1, 1, \"\")\n\t\tbuttongadget(#C, 1, 1, 1, 1, \"\")"
        << Window0 + "\n\tIf buttongadget(#Window_0_B, 1, 1, 1, 1, \"\")\n\t\tbuttongadget(#Window_0_C, 1, 1, 1, 1, \"\")";
    QTest::newRow("window commands not prefixed")
        << Window0 + "\nSetWindowTitle(#Window_0, \"x\")"
        << Window0 + "\nSetWindowTitle(#Window_0, \"x\")";
    QTest::newRow("objects before any window keep their names")
        << QString("ButtonGadget(#B, 1, 1, 1, 1, \"\")\n") + Window0
        << QString("ButtonGadget(#B, 1, 1, 1, 1, \"\")\n") + Window0;
    QTest::newRow("window opened after another statement")
        << Window0 + "\nSetActiveWindow(#Window_0) : OpenWindow(#Window_5, 0, 0, 10, 10, \"x\")\nTextGadget(#T, 1, 1, 1, 1, \"\")"
        << Window0 + "\nSetActiveWindow(#Window_0) : OpenWindow(#Window_5, 0, 0, 10, 10, \"x\")\nTextGadget(#Window_5_T, 1, 1, 1, 1, \"\")";
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

    QVERIFY(InsertWindowPrefixes(f.g));
    QCOMPARE(f.lines(), Rows(after));
    QVERIFY(f.frontEnd.log.isEmpty());
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

    QVERIFY(!InsertWindowPrefixes(f.g));
    QCOMPARE(f.frontEnd.log, QStringList{" -> Error: Find OpenWindow with '#PB_Any', Not supported. Stop!"});
    // Lines before the stop keep their prefixes, later lines stay as they were.
    QCOMPARE(f.lines().at(1), "ButtonGadget(#Window_0_B, 1, 1, 1, 1, \"\")");
    QCOMPARE(f.lines().at(3), "TextGadget(#T, 1, 1, 1, 1, \"\")");
}

void TestWindowPrefixes::userGadgetIsACommand()
{
    InterpreterFixture f({QStringLiteral("ColorPickerGadget")});
    f.withLines({Window0, "  colorpickergadget(#Picker, 1, 1, 1, 1)", "  OtherGadget(#X, 1)"});

    QVERIFY(InsertWindowPrefixes(f.g));
    QCOMPARE(f.lines().at(1), "  colorpickergadget(#Window_0_Picker, 1, 1, 1, 1)");
    QCOMPARE(f.lines().at(2), "  OtherGadget(#X, 1)");
}

QTEST_GUILESS_MAIN(TestWindowPrefixes)
#include "tst_window_prefixes.moc"
