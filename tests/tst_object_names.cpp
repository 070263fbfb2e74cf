#include "support/interpreter_fixture.h"

#include "interpreter/object_names.h"
#include "interpreter/window_prefixes.h"

#include <QTest>

using namespace quarvel;

class TestObjectNames : public QObject {
    Q_OBJECT

private slots:
    void workedExample();
    void duplicates_data();
    void duplicates();
    void gadgetLines_data();
    void gadgetLines();
    void menuItemCommandOnly();
    void commentedStatementsCreateNothing();
    void userGadgetType();
    void splitMenuItemTabs_data();
    void splitMenuItemTabs();
};

void TestObjectNames::workedExample()
{
    const QStringList loaded = {
        "Procedure Open_Window_0()",
        "  If OpenWindow(#Window_0, 216, 0, 400, 300, \"Main\", #PB_Window_SystemMenu)",
        "    If CreateMenu(#Menu_0, WindowID(#Window_0))",
        "      MenuTitle(\"File\")",
        "      MenuItem(#MenuItem_Open, \"Open\")",
        "    EndIf",
        "    If CreateToolBar(#ToolBar_0, WindowID(#Window_0))",
        "      ToolBarStandardButton(#MenuItem_Open, #PB_ToolBarIcon_Open)",
        "    EndIf",
        "    If CreateStatusBar(#StatusBar_0, WindowID(#Window_0))",
        "      AddStatusBarField(100)",
        "    EndIf",
        "    If CreateGadgetList(WindowID(#Window_0))",
        "      ButtonGadget(#Button_0, 10, 10, 80, 24, \"Ok\")",
        "      TextGadget(#Text_0, 10, 40, 80, 20, \"Name\")",
        "      ResizeGadget(#Button_0, 10, ToolBarHeight(#ToolBar_0), 80, 24)",
        "    EndIf",
        "  EndIf",
        "EndProcedure",
    };
    QStringList expected = loaded;
    expected[2] = "    If CreateMenu(#Window_0_Menu_0, WindowID(#Window_0))";
    expected[4] = "      MenuItem(#Window_0_MenuItem_Open, \"Open\")";
    expected[6] = "    If CreateToolBar(#Window_0_ToolBar_0, WindowID(#Window_0))";
    expected[7] = "      ToolBarStandardButton(#Window_0_MenuItem_Open, #PB_ToolBarIcon_Open)";
    expected[9] = "    If CreateStatusBar(#Window_0_StatusBar_0, WindowID(#Window_0))";
    expected[13] = "      ButtonGadget(#Window_0_Button_0, 10, 10, 80, 24, \"Ok\")";
    expected[14] = "      TextGadget(#Window_0_Text_0, 10, 40, 80, 20, \"Name\")";
    expected[15] = "      ResizeGadget(#Window_0_Button_0, 10, ToolBarHeight(#Window_0_ToolBar_0), 80, 24)";

    InterpreterFixture f;
    f.withLines(loaded);
    QVERIFY(InsertWindowPrefixes(f.model, f.tables, f.log));
    for (int i = 0; i < expected.size(); ++i)
        QCOMPARE(f.lines().at(i), expected.at(i));
    QCOMPARE(f.lines().size(), expected.size());

    QVERIFY(CollectObjectNames(f.model, f.tables, f.log));
    const DesignModel &m = f.model;
    QCOMPARE(m.WindowList, QStringList{"Window_0"});
    QCOMPARE(m.MenuList, QStringList{"Window_0_Menu_0"});
    QCOMPARE(m.MenuItemList, QStringList{"Window_0_MenuItem_Open"});
    QCOMPARE(m.ToolBarList, QStringList{"Window_0_ToolBar_0"});
    QCOMPARE(m.StatusBarList, QStringList{"Window_0_StatusBar_0"});
    QCOMPARE(m.GadgetList.size(), 2);
    QCOMPARE(m.GadgetList.at(0).name, "Window_0_Button_0");
    QCOMPARE(m.GadgetList.at(0).type, "BUTTONGADGET");
    QCOMPARE(m.GadgetList.at(1).name, "Window_0_Text_0");
    QCOMPARE(m.GadgetList.at(1).type, "TEXTGADGET");
    QCOMPARE(f.log.texts,
             QStringList{" -> Warning: Find duplicate MenuItemID(#Window_0_MenuItem_Open) by ToolbarButton."});
    QCOMPARE(f.lines(), expected); // collecting changes no line
}

void TestObjectNames::duplicates_data()
{
    QTest::addColumn<QString>("lines");
    QTest::addColumn<int>("result");
    QTest::addColumn<QStringList>("log");
    QTest::addColumn<QStringList>("collected"); // the list the rule fills, after the run

    QTest::newRow("window, other letter case")
        << "OpenWindow(#Window_0, 0, 0, 1, 1, \"a\")\nOpenWindow(#window_0, 0, 0, 1, 1, \"b\")\nOpenWindow(#Window_9, "
           "0, 0, 1, 1, \"c\")"
        << 0 << QStringList{" -> Error: Find duplicate WindowID(#window_0). Stop! (Form.pb:2)"}
        << QStringList{"Window_0"};
    QTest::newRow("menu and popup menu") << "CreateMenu(#M, WindowID(#W))\nCreatePopupMenu(#M)" << 0
                                         << QStringList{" -> Error: Find duplicate MenuID(#M). Stop! (Form.pb:2)"}
                                         << QStringList{"M"};
    QTest::newRow("image menus") << "CreateImageMenu(#M, WindowID(#W))\nCreatePopupImageMenu(#m )" << 0
                                 << QStringList{" -> Error: Find duplicate MenuID(#m). Stop! (Form.pb:2)"}
                                 << QStringList{"M"};
    QTest::newRow("popup menu without comma") << "CreatePopupMenu(#Menu_1)\nCreatePopupMenu(#Menu_2)" << 1
                                              << QStringList{} << QStringList{"Menu_1", "Menu_2"};
    QTest::newRow("popup menu followed by a call with commas")
        << "CreatePopupMenu(#Menu_1) : SetMenuTitleText(#Menu_1, 0, \"x\")" << 1 << QStringList{}
        << QStringList{"Menu_1"};
    QTest::newRow("status bar") << "CreateStatusBar(#S, WindowID(#W))\nCreateStatusBar(#S, WindowID(#W))" << 0
                                << QStringList{" -> Error: Find duplicate StatusBarID(#S). Stop! (Form.pb:2)"}
                                << QStringList{"S"};
    QTest::newRow("toolbar") << "CreateToolBar(#T, WindowID(#W))\ncreatetoolbar(#T, WindowID(#W))" << 0
                             << QStringList{" -> Error: Find duplicate ToolBarID(#T). Stop! (Form.pb:2)"}
                             << QStringList{"T"};
    QTest::newRow("menu item twice")
        << "MenuItem(#Open, \"Open\")\nMenuItem(#OPEN, \"Open again\")\nMenuItem(#Save, \"Save\")" << 1
        << QStringList{" -> Warning: Find duplicate MenuItemID(#OPEN) by MenuItem. (Form.pb:2)"}
        << QStringList{"Open", "Save"};
    QTest::newRow("toolbar button after menu item")
        << "MenuItem(#W_Open, \"Open\")\nToolBarStandardButton(#W_Open, "
           "#PB_ToolBarIcon_Open)\nToolBarImageButton(#W_New, ImageID(0))"
        << 1 << QStringList{" -> Warning: Find duplicate MenuItemID(#W_Open) by ToolbarButton. (Form.pb:2)"}
        << QStringList{"W_Open", "W_New"};
    QTest::newRow("gadget, other letter case")
        << "ButtonGadget(#W_B, 1, 1, 1, 1, \"x\")\nTextGadget(#w_b, 1, 1, 1, 1, \"y\")\nTextGadget(#W_T, 1, 1, 1, "
           "1, \"z\")"
        << 1 << QStringList{} << QStringList{"W_B", "W_T"};
}

static QStringList ListOfRow(const DesignModel &m, const QString &row)
{
    if (row.startsWith("gadget")) {
        QStringList names;
        for (const GadgetRecord &gadget : m.GadgetList)
            names << gadget.name;
        return names;
    }
    if (row.startsWith("window"))
        return m.WindowList;
    if (row.contains("menu item") || row.contains("button"))
        return m.MenuItemList;
    if (row.contains("menu"))
        return m.MenuList;
    if (row.startsWith("status"))
        return m.StatusBarList;
    return m.ToolBarList;
}

void TestObjectNames::duplicates()
{
    QFETCH(QString, lines);
    QFETCH(int, result);
    QFETCH(QStringList, log);
    QFETCH(QStringList, collected);
    InterpreterFixture f;
    f.withFileLines("Form.pb", Rows(lines)); // the log names the second line

    QCOMPARE(CollectObjectNames(f.model, f.tables, f.log), bool(result));
    QCOMPARE(f.log.texts, log);
    QCOMPARE(ListOfRow(f.model, QTest::currentDataTag()), collected);
}

void TestObjectNames::gadgetLines_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("name"); // empty: no gadget
    QTest::addColumn<QString>("type");

    // clang-format off
    QTest::newRow("plain") << "ButtonGadget(#W_B, 1, 1, 1, 1, \"x\")" << "W_B" << "BUTTONGADGET";
    QTest::newRow("tab indented") << "\tTextGadget(#W_T, 1, 1, 1, 1, \"x\")" << "W_T" << "TEXTGADGET";
    QTest::newRow("tab then spaces") << "\t  TextGadget(#W_T, 1, 1, 1, 1, \"x\")" << "W_T" << "TEXTGADGET";
    QTest::newRow("after If") << "  If ButtonGadget(#W_B, 1, 1, 1, 1, \"x\")" << "W_B" << "BUTTONGADGET";
    QTest::newRow("after colon and blank") << "x = 1 : stringgadget(#W_S , 1, 1, 1, 1, \"\")" << "W_S" << "STRINGGADGET";
    QTest::newRow("not a creator") << "ResizeGadget(#W_B, 1, 1, 1, 1)" << "" << "";
    QTest::newRow("blank before bracket") << "ButtonGadget (#W_B, 1, 1, 1, 1, \"x\")" << "" << "";
    QTest::newRow("no object constant") << "ButtonGadget(0, 1, 1, 1, 1, \"x\")" << "" << "";
    QTest::newRow("number computed in a loop") << "  ButtonGadget(#W_Btn_0 + i, 1, 1, 1, 1, \"x\")" << "W_Btn_0" << "BUTTONGADGET";
    // Of two gadget words, the first declares.
    QTest::newRow("gadget with an image") << "ButtonImageGadget(#W_B, 1, 1, 1, 1, ImageID(#Img_B))" << "W_B" << "BUTTONIMAGEGADGET";
    // clang-format on
}

void TestObjectNames::gadgetLines()
{
    QFETCH(QString, line);
    QFETCH(QString, name);
    QFETCH(QString, type);
    InterpreterFixture f;
    f.withLines({line});

    QVERIFY(CollectObjectNames(f.model, f.tables, f.log));
    if (name.isEmpty()) {
        QVERIFY(f.model.GadgetList.isEmpty());
        return;
    }
    QCOMPARE(f.model.GadgetList.size(), 1);
    QCOMPARE(f.model.GadgetList.at(0).name, name);
    QCOMPARE(f.model.GadgetList.at(0).type, type);
}

// DisableMenuItem and SetMenuItemState name a menu first; only MenuItem itself declares an item.
void TestObjectNames::menuItemCommandOnly()
{
    InterpreterFixture f;
    f.withLines({"CreateMenu(#W_Menu, WindowID(#W))", "MenuItem(#W_Copy, \"Copy\")",
                 "DisableMenuItem(#W_Menu, #W_Copy, 1)", "SetMenuItemState(#W_Menu, #W_Copy, 1)",
                 "MenuTitle(\"x\") : MenuItem(#W_Paste, \"Paste\")", "ButtonGadget(#W_B, 1, 1, 1, 1, \"\")",
                 "ButtonGadget(#w_b, 1, 1, 1, 1, \"\")",
                 "ToolBarImageButton(#W_New, ImageID(#Img_New))"}); // a toolbar button wins over any gadget word

    QVERIFY(CollectObjectNames(f.model, f.tables, f.log));
    QCOMPARE(f.model.MenuItemList, (QStringList{"W_Copy", "W_Paste", "W_New"}));
    QCOMPARE(f.model.MenuList, QStringList{"W_Menu"});
    QCOMPARE(f.model.GadgetList.size(), 1); // the second spelling is the same gadget, silently
    QVERIFY(f.log.texts.isEmpty());
}

void TestObjectNames::commentedStatementsCreateNothing()
{
    // Code left in as a comment, or quoted in a string, creates no object; the code before a
    // comment still does.
    InterpreterFixture f;
    f.withLines({";ButtonGadget(#W_Old, 1, 1, 1, 1, \"\")", "; OpenWindow(#Window_Old, 0, 0, 1, 1, \"\")",
                 "  Debug \"ButtonGadget(#W_Quoted, 1, 1, 1, 1)\"",
                 "  TextGadget(#W_Kept, 1, 1, 1, 1, \"a;b\") ; was ButtonGadget(#W_Gone, 1, 1, 1, 1, \"\")"});

    QVERIFY(CollectObjectNames(f.model, f.tables, f.log));
    QVERIFY(f.model.WindowList.isEmpty());
    QCOMPARE(f.model.GadgetList.size(), 1);
    QCOMPARE(f.model.GadgetList.at(0).name, "W_Kept");
}

void TestObjectNames::userGadgetType()
{
    InterpreterFixture f({QStringLiteral("ColorPickerGadget")});
    f.withLines({"  colorpickergadget(#W_Picker, 1, 1, 1, 1)"});

    QVERIFY(CollectObjectNames(f.model, f.tables, f.log));
    QCOMPARE(f.model.GadgetList.size(), 1);
    QCOMPARE(f.model.GadgetList.at(0).type, "COLORPICKERGADGET");
}

void TestObjectNames::splitMenuItemTabs_data()
{
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("after");

    // clang-format off
    QTest::newRow("caption with shortcut")
        << "MenuItem(#W_Open, \"Open\\tCtrl+O\")" << "MenuItem(#W_Open, \"Open\" + #TAB$ + \"Ctrl+O\")";
    QTest::newRow("upper-case escape, lower-case command")
        << "\tmenuitem(#W_Open, \"Open\\TCtrl+O\")" << "\tmenuitem(#W_Open, \"Open\" + #TAB$ + \"Ctrl+O\")";
    QTest::newRow("no escape") << "MenuItem(#W_Open, \"Open\")" << "MenuItem(#W_Open, \"Open\")";
    QTest::newRow("not a menu item") << "TextGadget(#W_T, 1, 1, 1, 1, \"a\\tb\")" << "TextGadget(#W_T, 1, 1, 1, 1, \"a\\tb\")";
    // clang-format on
}

void TestObjectNames::splitMenuItemTabs()
{
    QFETCH(QString, before);
    QFETCH(QString, after);
    InterpreterFixture f;
    f.withLines({before});
    SplitMenuItemTabs(f.model);
    QCOMPARE(f.lines(), QStringList{after});
}

QTEST_GUILESS_MAIN(TestObjectNames)
#include "tst_object_names.moc"
