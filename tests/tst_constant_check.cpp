#include "pipeline/generation_context.h"
#include "pipeline/generation_driver.h"
#include "support/recording_front_end.h"
#include "update/constant_check.h"

#include <QTest>

using namespace quarvel;

namespace {

// One step 2 over a project whose stored names and current design a test sets up.
struct Check {
    Check() : context(project, tables, frontEnd) {}

    // Answers every dialog with Continue and the given bindings, one list per dialog.
    void answerWith(const QList<QList<NamePair>> &todos)
    {
        frontEnd.answerBindDialog = [this, todos](const BindDialogRequest &) {
            const int n = int(frontEnd.bindRequests.size()) - 1;
            return BindDialogAnswer{BindDialogEnd::Continue, todos.value(n)};
        };
    }

    void setGadgets(const QStringList &names)
    {
        context.model.GadgetList.clear();
        for (const QString &name : names)
            context.model.GadgetList.append(GadgetRecord{name, QStringLiteral("BUTTONGADGET")});
    }

    // The check of one kind, or of all of them, with the bindings the context holds so far.
    bool check(ObjectKind kind)
    {
        return CheckConstants({context.model, project.Stored, frontEnd}, kind, context.renames.bindings, stopReason);
    }
    bool checkAll()
    {
        return CheckRenames({context.model, project.Stored, frontEnd}, context.renames.bindings, stopReason);
    }

    ProjectState project;
    NameTables tables;
    RecordingFrontEnd frontEnd;
    GenerationContext context;
    QString stopReason;
};

QString BindingsText(const BindingList &bindings)
{
    QStringList parts;
    for (const ConstantBinding &b : bindings)
        parts.append(b.oldName + QLatin1Char('>') + b.newName + QLatin1Char(':') + QString::number(int(b.kind)));
    return parts.join(QLatin1Char(' '));
}

} // namespace

class TestConstantCheck : public QObject {
    Q_OBJECT

private slots:
    void firstGenerationOpensNoDialog()
    {
        Check c;
        c.context.model.WindowList = {"Window_0"};
        c.setGadgets({"Window_0_Button_1"});
        QVERIFY(CheckNames(c.context));
        QVERIFY(c.frontEnd.bindRequests.isEmpty());
        QVERIFY(c.context.renames.bindings.isEmpty());
        QCOMPARE(c.frontEnd.log, QStringList({"Generate Code Step 2 ...", "- Check Constants..."}));
    }

    void addedObjectsNeedNoBinding()
    {
        Check c;
        c.project.Stored.Window = {"Window_0"};
        c.project.Stored.Gadget = {"Window_0_Button_1"};
        c.context.model.WindowList = {"Window_0", "Window_1"};
        c.setGadgets({"Window_0_Button_1", "Window_0_Button_2", "Window_1_Text_0"});
        QVERIFY(CheckNames(c.context));
        QVERIFY(c.frontEnd.bindRequests.isEmpty());
    }

    void aRemovedGadgetIsOfferedAlone()
    {
        Check c;
        c.project.Stored.Gadget = {"Window_0_Button_1", "Window_0_Button_2"};
        c.setGadgets({"Window_0_Button_1"});
        c.answerWith({{}});
        QVERIFY(CheckNames(c.context));
        QCOMPARE(c.frontEnd.bindRequests.size(), 1);
        QCOMPARE(c.frontEnd.bindRequests[0].kind, ObjectKind::Gadget);
        QCOMPARE(c.frontEnd.bindRequests[0].unboundOld, QStringList({"Window_0_Button_2"}));
        QVERIFY(c.frontEnd.bindRequests[0].unboundNew.isEmpty());
        QCOMPARE(c.frontEnd.bindDialogsClosed, 1);
        QVERIFY(c.context.renames.bindings.isEmpty());
    }

    void eachKindComparesItsOwnLists_data()
    {
        QTest::addColumn<int>("kind");
        QTest::newRow("window") << 1;
        QTest::newRow("menu bar") << 2;
        QTest::newRow("menu item") << 3;
        QTest::newRow("status bar") << 4;
        QTest::newRow("toolbar") << 5;
        QTest::newRow("gadget") << 6;
    }
    void eachKindComparesItsOwnLists()
    {
        QFETCH(int, kind);
        Check c;
        StoredConstants &s = c.project.Stored;
        DesignModel &m = c.context.model;
        QStringList *stored[] = {&s.Window, &s.Menu, &s.MenuItem, &s.StatusBar, &s.ToolBar, &s.Gadget};
        QStringList *current[] = {&m.WindowList, &m.MenuList, &m.MenuItemList, &m.StatusBarList, &m.ToolBarList};
        *stored[kind - 1] = {"Kept", "Old_1", "Old_2"};
        if (kind == 6)
            c.setGadgets({"New_1", "Kept"});
        else
            *current[kind - 1] = {"New_1", "Kept"};
        c.answerWith({{{"Old_2", "New_1"}}});
        QVERIFY(CheckNames(c.context));
        QCOMPARE(c.frontEnd.bindRequests.size(), 1);
        QCOMPARE(c.frontEnd.bindRequests[0].kind, ObjectKind(kind));
        QCOMPARE(c.frontEnd.bindRequests[0].unboundOld, QStringList({"Old_1", "Old_2"}));
        QCOMPARE(c.frontEnd.bindRequests[0].unboundNew, QStringList({"New_1"}));
        QCOMPARE(BindingsText(c.context.renames.bindings), QStringLiteral("Old_2>New_1:%1").arg(kind));
    }

    void letterCaseMakesADifferentName()
    {
        Check c;
        c.project.Stored.Gadget = {"Button_1"};
        c.setGadgets({"BUTTON_1"});
        c.answerWith({{}});
        QVERIFY(CheckNames(c.context));
        QCOMPARE(c.frontEnd.bindRequests.size(), 1);
        QCOMPARE(c.frontEnd.bindRequests[0].unboundOld, QStringList({"Button_1"}));
        QCOMPARE(c.frontEnd.bindRequests[0].unboundNew, QStringList({"BUTTON_1"}));
    }

    void aWindowRenameCarriesIntoTheNamesOfItsObjects()
    {
        Check c;
        c.project.Stored.Window = {"Window_0"};
        c.project.Stored.Gadget = {"Window_0_Button_1", "Window_0_Button_2", "Window_0x_Text"};
        c.project.Stored.MenuItem = {"Window_0_Menu_Open"};
        c.context.model.WindowList = {"Main"};
        c.context.model.MenuItemList = {"Main_Menu_Open"};
        c.setGadgets({"Main_Button_1", "Main_Ok", "Window_0x_Text"});
        c.answerWith({{{"Window_0", "Main"}}, {{"Main_Button_2", "Main_Ok"}}});
        QVERIFY(CheckNames(c.context));
        QCOMPARE(c.frontEnd.bindRequests.size(), 2);
        QCOMPARE(c.frontEnd.bindRequests[0].unboundOld, QStringList({"Window_0"}));
        QCOMPARE(c.frontEnd.bindRequests[0].unboundNew, QStringList({"Main"}));
        // The unchanged button and menu item need no binding; the renamed one is offered
        // under the window's new name; a name merely starting with "Window_0" stays.
        QCOMPARE(c.frontEnd.bindRequests[1].kind, ObjectKind::Gadget);
        QCOMPARE(c.frontEnd.bindRequests[1].unboundOld, QStringList({"Main_Button_2"}));
        QCOMPARE(c.frontEnd.bindRequests[1].unboundNew, QStringList({"Main_Ok"}));
        QCOMPARE(BindingsText(c.context.renames.bindings), QStringLiteral("Window_0>Main:1 Main_Button_2>Main_Ok:6"));
        QCOMPARE(c.frontEnd.bindDialogsClosed, 2);
    }

    void laterWindowRenamesSeeEarlierOnes()
    {
        Check c;
        c.context.renames.bindings = {
            {"A", "B", ObjectKind::Window}, {"B", "C", ObjectKind::Window}, {"C_X", "Ignored", ObjectKind::Gadget}};
        c.project.Stored.Gadget = {"A_Button", "B_Text", "AB_Frame"};
        c.setGadgets({"C_Button", "C_Text", "AB_Frame"});
        QVERIFY(c.check(ObjectKind::Gadget));
        QVERIFY(c.frontEnd.bindRequests.isEmpty());
    }

    void windowRenamesCarryInBindingOrder_data()
    {
        QTest::addColumn<QStringList>("windowBindings"); // "old>new", in binding order
        QTest::addColumn<QStringList>("stored");
        QTest::addColumn<QStringList>("carried");
        QTest::addColumn<QStringList>("windows"); // stored windows besides the bound ones
        QTest::newRow("swap") << QStringList{"A>B", "B>A"} << QStringList{"A_1", "B_2"} << QStringList{"A_1", "A_2"}
                              << QStringList();
        QTest::newRow("chain backwards") << QStringList{"B>C", "A>B"} << QStringList{"A_1", "B_2"}
                                         << QStringList{"B_1", "C_2"} << QStringList();
        // The longest window name a name begins with is its window.
        QTest::newRow("names with underscores")
            << QStringList{"Win>W", "Win_0>Form", "W_0>X"} << QStringList{"Win_0_Button", "Win_0x_Text", "Win_1"}
            << QStringList{"Form_Button", "W_0x_Text", "W_1"} << QStringList();
        QTest::newRow("new name opens a longer prefix")
            << QStringList{"A>A_B", "A_B_C>D"} << QStringList{"A_C_1", "A_1"} << QStringList{"D_1", "A_B_1"}
            << QStringList();
        QTest::newRow("same old name twice") << QStringList{"A>B", "A>C", "B>A"} << QStringList{"A_1", "AB_1", "_A_1"}
                                             << QStringList{"A_1", "AB_1", "_A_1"} << QStringList();
        QTest::newRow("case matters") << QStringList{"win>Form"} << QStringList{"Win_1", "win_1"}
                                      << QStringList{"Win_1", "Form_1"} << QStringList();
        QTest::newRow("another window's objects stay")
            << QStringList{"Main>Start"} << QStringList{"Main_Settings_Save", "Main_Ok", "Main_Settingsx_A"}
            << QStringList{"Main_Settings_Save", "Start_Ok", "Start_Settingsx_A"} << QStringList{"Main_Settings"};
    }

    // The carried names are offered as the old entries when no current gadget matches them.
    void windowRenamesCarryInBindingOrder()
    {
        QFETCH(QStringList, windowBindings);
        QFETCH(QStringList, stored);
        QFETCH(QStringList, carried);
        QFETCH(QStringList, windows);
        Check c;
        c.project.Stored.Window = windows;
        for (const QString &binding : windowBindings)
            c.context.renames.bindings.append(
                {binding.section('>', 0, 0), binding.section('>', 1), ObjectKind::Window});
        c.project.Stored.Gadget = stored;
        c.answerWith({{}});
        QVERIFY(c.check(ObjectKind::Gadget));
        QCOMPARE(c.frontEnd.bindRequests.size(), 1);
        QCOMPARE(c.frontEnd.bindRequests[0].unboundOld, carried);
    }

    // A name that differs from its stored one only by a naming rule of Quarvel's is bound
    // without a question; what is left is offered as before.
    void namingRuleRenamesAreBoundWithoutAQuestion_data()
    {
        QTest::addColumn<QStringList>("storedStatusBars");
        QTest::addColumn<QStringList>("statusBars");
        QTest::addColumn<QString>("bound");       // BindingsText of the rule's bindings
        QTest::addColumn<QStringList>("offered"); // the old names the dialog offers; "-": no dialog
        QTest::newRow("an earlier version's status bar")
            << QStringList{"Status"} << QStringList{"Main_Status"} << "Status>Main_Status:4" << QStringList{"-"};
        QTest::newRow("a user's rename beside it still asks")
            << QStringList{"Status", "Info"} << QStringList{"Main_Hint", "Main_Status"} << "Status>Main_Status:4"
            << QStringList{"Info"};
        QTest::newRow("two windows claim one old name")
            << QStringList{"Status"} << QStringList{"Main_Status", "Shop_Status"} << "" << QStringList{"Status"};
        QTest::newRow("the longest window is the name's window")
            << QStringList{"Bar", "Shop_Bar"} << QStringList{"Main_Shop_Bar"} << "Bar>Main_Shop_Bar:4"
            << QStringList{"Shop_Bar"};
    }
    void namingRuleRenamesAreBoundWithoutAQuestion()
    {
        QFETCH(QStringList, storedStatusBars);
        QFETCH(QStringList, statusBars);
        QFETCH(QString, bound);
        QFETCH(QStringList, offered);
        Check c;
        c.project.Stored.Window = {"Main", "Shop", "Main_Shop"};
        c.project.Stored.StatusBar = storedStatusBars;
        c.context.model.WindowList = {"Main", "Shop", "Main_Shop"};
        c.context.model.StatusBarList = statusBars;
        c.answerWith({{}});
        QVERIFY(CheckNames(c.context));
        QCOMPARE(BindingsText(c.context.renames.bindings), bound);
        for (const ConstantBinding &binding : c.context.renames.bindings)
            QVERIFY(binding.byRule);
        QCOMPARE(c.frontEnd.bindRequests.isEmpty() ? QStringList{"-"} : c.frontEnd.bindRequests[0].unboundOld, offered);
    }

    void theCheckStartsAFreshBindingList()
    {
        Check c;
        c.context.renames.bindings = {{"Left", "Over", ObjectKind::Gadget}};
        QVERIFY(c.checkAll());
        QVERIFY(c.context.renames.bindings.isEmpty());
    }

    void todoEntriesBecomeBindingsInTheirOrder()
    {
        Check c;
        c.project.Stored.MenuItem = {"M_1", "M_2", "M_3"};
        c.context.model.MenuItemList = {"N_1", "N_2", "N_3"};
        c.answerWith({{{"M_3", "N_1"}, {"M_1", "N_3"}, {"M_2", ""}, {"", "N_2"}}});
        QVERIFY(CheckNames(c.context));
        // Entries without both names cannot come from the dialog and are not bound.
        QCOMPARE(BindingsText(c.context.renames.bindings), QStringLiteral("M_3>N_1:3 M_1>N_3:3"));
    }

    void cancelEndsTheCheckAndClosesTheDialog()
    {
        Check c;
        c.project.Stored.Window = {"Window_0"};
        c.project.Stored.Gadget = {"Gone"};
        c.frontEnd.answerBindDialog = [](const BindDialogRequest &) {
            return BindDialogAnswer{BindDialogEnd::Cancel, {{"Window_0", "Main"}}};
        };
        c.context.model.WindowList = {"Main"};
        QVERIFY(!CheckNames(c.context));
        QCOMPARE(c.frontEnd.bindRequests.size(), 1);
        QCOMPARE(c.frontEnd.bindDialogsClosed, 1);
        QVERIFY(c.context.renames.bindings.isEmpty());
    }

    void continueGoesOn()
    {
        Check c;
        c.project.Stored.Gadget = {"Gone"};
        c.frontEnd.answerBindDialog = [](const BindDialogRequest &) {
            return BindDialogAnswer{BindDialogEnd::Continue, {}};
        };
        QVERIFY(c.check(ObjectKind::Gadget));
        QCOMPARE(c.frontEnd.bindDialogsClosed, 1);
    }
};

QTEST_GUILESS_MAIN(TestConstantCheck)
#include "tst_constant_check.moc"
