#include "model/design_model.h"
#include "model/project_state.h"
#include "update/binding_replacer.h"
#include "update/code_updates.h"
#include "update/include_file_updates.h"

#include <QRandomGenerator>
#include <QTest>

using namespace quarvel;

namespace {

// "Old>New:kind Old2>New2:kind ..." as a binding list; with the stored names and windows given,
// "@Name:kind" (a gadget without ":kind") is an object the last run stored and a word without
// ">" a window of the design.
BindingList ParseBindings(const QString &text, StoredConstants *stored = nullptr, QStringList *windows = nullptr)
{
    BindingList bindings;
    for (const QString &part : text.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        const qsizetype arrow = part.indexOf(QLatin1Char('>'));
        if (stored && part.startsWith(QLatin1Char('@'))) {
            const QString name = part.mid(1).section(QLatin1Char(':'), 0, 0);
            const int kind = part.contains(QLatin1Char(':')) ? part.section(QLatin1Char(':'), 1).toInt() : 6;
            StoredNamesOfKind(*stored, ObjectKind(kind)).append(name);
            continue;
        }
        if (arrow < 0 && windows) {
            windows->append(part);
            continue;
        }
        const qsizetype colon = part.lastIndexOf(QLatin1Char(':'));
        bindings.append(
            {part.left(arrow), part.mid(arrow + 1, colon - arrow - 1), ObjectKind(part.mid(colon + 1).toInt())});
    }
    return bindings;
}

struct Updates {
    SourceLineList &list(const QString &name)
    {
        OutputLines &l = output;
        if (name == QLatin1String("Main"))
            return l.MainLines;
        if (name == QLatin1String("EventMenu"))
            return l.EventMenuLines;
        if (name == QLatin1String("EventGadget"))
            return l.EventGadgetLines;
        return l.EventWindowLines;
    }

    void runStep3Updates()
    {
        renames.windowObjects = WindowObjectBindings(renames.bindings, stored, model.WindowList);
        UpdatePrefixes(renames, output);
        UpdateProcedureNames(renames, output);
        UpdateConstantNames(renames, model.VariableObjects, output);
        UpdateOpenWindowCalls(renames, output);
    }

    StoredConstants stored;
    DesignModel model;
    OutputLines output;
    Renames renames;
};

// The bindings applied the plain way: binding after binding, rule after rule, line after line.
int ApplyOneByOne(QStringList &lines, const BindingList &bindings, const QList<ReplacementRule> &rules)
{
    int changes = 0;
    for (const ConstantBinding &binding : bindings)
        for (const ReplacementRule &rule : rules) {
            if (!rule.Takes(binding))
                continue;
            for (QString &line : lines) {
                QString result = ApplyRule(line, rule, binding);
                if (result != line) {
                    line = result;
                    ++changes;
                }
            }
        }
    return changes;
}

} // namespace

class TestCodeUpdates : public QObject {
    Q_OBJECT

private slots:
    void bindingsReachTheUsersCode_data()
    {
        QTest::addColumn<QString>("bindings");
        QTest::addColumn<QString>("list");
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("expected");

        // A window's rename reaches the objects the last run knew as its own, and nothing else.
        const QString window = QStringLiteral("Window_0>Main:1 @Window_0_Button_1 @Window_0_Open:3");
        // clang-format off
        QTest::newRow("gadget procedure prefix") << window << "EventGadget"
            << "Procedure EventGadget_Window_0_Button_1(EventType)" << "Procedure EventGadget_Main_Button_1(EventType)";
        QTest::newRow("menu procedure prefix") << window << "EventMenu"
            << "Procedure EventMenu_Window_0_Open()" << "Procedure EventMenu_Main_Open()";
        // clang-format on
        for (const char *list : {"Main", "EventMenu", "EventGadget", "EventWindow"})
            QTest::addRow("object constant in %s", list) << window << list << "SetGadgetText(#Window_0_Button_1, \"\")"
                                                         << "SetGadgetText(#Main_Button_1, \"\")";
        // clang-format off
        QTest::newRow("size procedure") << window << "EventWindow" << "Procedure EventSize_Window_0()" << "Procedure EventSize_Main()";
        QTest::newRow("exit procedure") << window << "EventWindow" << "Procedure EventExit_Window_0()" << "Procedure EventExit_Main()";
        QTest::newRow("window constant") << window << "EventWindow" << "CloseWindow(#Window_0)" << "CloseWindow(#Main)";
        QTest::newRow("open call in Main") << window << "Main" << "Open_Window_0()" << "Open_Main()";
        QTest::newRow("open call in an event file") << window << "EventMenu" << "  Open_Window_0() : x = 1" << "  Open_Main() : x = 1";
        QTest::newRow("open call with arguments is no call of it") << window << "Main" << "Open_Window_0(1)" << "Open_Window_0(1)";
        QTest::newRow("size procedure name outside its file") << window << "Main" << "EventSize_Window_0()" << "EventSize_Window_0()";
        QTest::newRow("window name as a word part") << window << "Main" << "#Window_01 Window_0" << "#Window_01 Window_0";
        QTest::newRow("any letter case, new name as bound") << window << "Main" << "#window_0_Button_1" << "#Main_Button_1";
        QTest::newRow("the user's names that begin like the window's objects stay") << "Main>Start:1 @Main_Button_1" << "EventGadget"
            << "#Main_MaxItems + #Main_Extra + #Main_Button_1_x + EventGadget_Main_Helper() + EventExit_Main_Sub() + #Main_Button_1"
            << "#Main_MaxItems + #Main_Extra + #Main_Button_1_x + EventGadget_Main_Helper() + EventExit_Main_Sub() + #Start_Button_1";
        // clang-format on
        // The longest window name wins: with a window Main_Settings, its objects are not Main's.
        const QString settings = QStringLiteral("Main>Start:1 Main_Settings @Main_Settings_Save @Main_Ok");
        // clang-format off
        QTest::newRow("longer window's constants stay") << settings << "Main"
            << "#Main_Settings_Save + #Main_Ok + #Main_Settings + #main_settingsx_A"
            << "#Main_Settings_Save + #Start_Ok + #Main_Settings + #main_settingsx_A";
        QTest::newRow("longer window's procedures stay") << settings << "EventWindow"
            << "Procedure EventExit_Main_Settings() : EventSize_Main_Settings_X() : EventSize_Main()"
            << "Procedure EventExit_Main_Settings() : EventSize_Main_Settings_X() : EventSize_Start()";
        QTest::newRow("longer window's gadget procedure stays") << settings << "EventGadget"
            << "Procedure EventGadget_Main_Settings_Save(EventType)" << "Procedure EventGadget_Main_Settings_Save(EventType)";
        QTest::newRow("a new window name counts too") << "Other>Main_Other:1 Main>Start:1 @Other_Ok @Main_Ok" << "Main"
            << "#Other_Ok #Main_Ok" << "#Main_Other_Ok #Start_Ok";
        // clang-format on

        // No rename reaches a string literal, plain or escaped; comments follow it.
        // clang-format off
        QTest::newRow("window prefix not in literals") << window << "EventMenu"
            << "Debug \"#Window_0_Button_1\" + Str(#Window_0_Button_1) ; #Window_0_Button_1"
            << "Debug \"#Window_0_Button_1\" + Str(#Main_Button_1) ; #Main_Button_1";
        QTest::newRow("open call not in literals") << window << "Main"
            << "Debug \"Open_Window_0()\" : Open_Window_0()" << "Debug \"Open_Window_0()\" : Open_Main()";
        // clang-format on

        const QString gadget = QStringLiteral("Main_Button_1>Main_Ok:6");
        // clang-format off
        QTest::newRow("gadget procedure") << gadget << "EventGadget"
            << "Procedure EventGadget_Main_Button_1(EventType)" << "Procedure EventGadget_Main_Ok(EventType)";
        QTest::newRow("gadget constant") << gadget << "Main" << "#Main_Button_1" << "#Main_Ok";
        QTest::newRow("longer gadget constants stay") << gadget << "EventGadget"
            << "#Main_Button_10 + #Main_Button_1x" << "#Main_Button_10 + #Main_Button_1x";
        QTest::newRow("gadget procedure in the menu file stays") << gadget << "EventMenu"
            << "EventGadget_Main_Button_1(0)" << "EventGadget_Main_Button_1(0)";
        QTest::newRow("gadget binding makes no prefix") << gadget << "Main" << "#Main_Button_1_Sub" << "#Main_Button_1_Sub";
        // clang-format on

        const QString item = QStringLiteral("Main_Open>Main_Load:3");
        // clang-format off
        QTest::newRow("menu procedure") << item << "EventMenu" << "Procedure EventMenu_Main_Open()" << "Procedure EventMenu_Main_Load()";
        QTest::newRow("menu procedure called from Main keeps its name") << item << "Main" << "EventMenu_Main_Open()" << "EventMenu_Main_Open()";
        QTest::newRow("menu bar constant") << "Menu_0>Bar:2" << "Main" << "CreateMenu(#Menu_0, x)" << "CreateMenu(#Bar, x)";
        QTest::newRow("status bar constant") << "Status_0>Info:4" << "EventWindow" << "#Status_0" << "#Info";
        QTest::newRow("toolbar constant") << "Tools_0>Tools:5" << "EventMenu" << "#Tools_0 ;" << "#Tools ;";
        QTest::newRow("constant not in literals") << gadget << "Main"
            << "x$ = ~\"\\\"#Main_Button_1\\\" \" + \"#Main_Button_1\" + #Main_Button_1 ; \"#Main_Button_1\""
            << "x$ = ~\"\\\"#Main_Button_1\\\" \" + \"#Main_Button_1\" + #Main_Ok ; \"#Main_Ok\"";
        QTest::newRow("procedure not in literals") << gadget << "EventGadget"
            << "Procedure EventGadget_Main_Button_1(EventType) : Debug \"EventGadget_Main_Button_1\""
            << "Procedure EventGadget_Main_Ok(EventType) : Debug \"EventGadget_Main_Button_1\"";
        QTest::newRow("another module's constant") << gadget << "Main"
            << "Other::#Main_Button_1 + #Main_Button_1$ + #Main_Button_1" << "Other::#Main_Button_1 + #Main_Button_1$ + #Main_Ok";
        // clang-format on

        // clang-format off
        QTest::newRow("chain applies in order") << "A>B:6 B>C:6" << "Main" << "#A #B" << "#C #C";
        QTest::newRow("chain in reverse order") << "B>C:6 A>B:6" << "Main" << "#A #B" << "#B #C";
        QTest::newRow("swap applies in order") << "A>B:6 B>A:6" << "Main" << "#A + #B" << "#A + #A";
        QTest::newRow("window then gadget") << "Window_0>Main:1 @Window_0_Button_1 Main_Button_1>Main_Ok:6" << "EventGadget"
            << "EventGadget_Window_0_Button_1() : #Window_0_Button_1" << "EventGadget_Main_Ok() : #Main_Ok";
        QTest::newRow("new name holding the old one") << "X>X_X:6" << "Main" << "#X + #X" << "#X_X + #X_X";
        QTest::newRow("window new name holding the old one") << "W>W_W:1 @W_B" << "EventWindow"
            << "EventSize_W() #W_B #W" << "EventSize_W_W() #W_W_B #W_W";
        QTest::newRow("non-ASCII boundary") << "B_1>Ok:6" << "Main" << "ä#B_1ö" << "ä#Okö";
        // clang-format on
    }
    void bindingsReachTheUsersCode()
    {
        QFETCH(QString, bindings);
        QFETCH(QString, list);
        QFETCH(QString, line);
        QFETCH(QString, expected);
        Updates u;
        u.renames.bindings = ParseBindings(bindings, &u.stored, &u.model.WindowList);
        u.list(list) = {QStringLiteral("; untouched"), line};
        u.runStep3Updates();
        QCOMPARE(u.list(list), QStringList({"; untouched", expected}));
    }

    // A #PB_Any button kept in Button_1 and renamed to Button_Ok: only the variable changes.
    void variableRenameChangesOnlyTheVariable_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("expected");
        // clang-format off
        QTest::newRow("the variable in code") << "SetGadgetText(Button_1, x$) : DisableGadget(button_1, 1)"
                                              << "SetGadgetText(Button_Ok, x$) : DisableGadget(Button_Ok, 1)";
        QTest::newRow("address, field of it, type, multiplied") << "p = @Button_1 : Button_1\\x = 2*Button_1 : Button_1.i"
                                                                << "p = @Button_Ok : Button_Ok\\x = 2*Button_Ok : Button_Ok.i";
        QTest::newRow("comment follows") << "x = 1 ; Button_1 is Ok" << "x = 1 ; Button_Ok is Ok";
        QTest::newRow("string literals stay")
            << "Debug \"Button_1 pressed\" + ~\"\\\"Button_1\\\"\" + \"SELECT Button_1 FROM t;\" : Debug Button_1"
            << "Debug \"Button_1 pressed\" + ~\"\\\"Button_1\\\"\" + \"SELECT Button_1 FROM t;\" : Debug Button_Ok";
        QTest::newRow("field, string variable, constant, pointer")
            << "*state\\Button_1 = Button_1$ + #Button_1 + *Button_1 : Protected *Button_1"
            << "*state\\Button_1 = Button_1$ + #Button_1 + *Button_1 : Protected *Button_1";
        QTest::newRow("module, member, type, label, call")
            << "Other::Button_1 + Button_1::x + a.Button_1 + ?Button_1 + Button_1(1)"
            << "Other::Button_1 + Button_1::x + a.Button_1 + ?Button_1 + Button_1(1)";
        QTest::newRow("longer names") << "Button_10 + MyButton_1 + Button_1_Count" << "Button_10 + MyButton_1 + Button_1_Count";
        // clang-format on
        // A structure's field of the variable's name is another thing: its declaration and uses stay.
        QTest::newRow("structure field")
            << "Structure S\n  Button_1.i\n  List Button_1.s() : Other.i\nEndStructure\nst\\Button_1 = Button_1"
            << "Structure S\n  Button_1.i\n  List Button_1.s() : Other.i\nEndStructure\nst\\Button_1 = Button_Ok";
        QTest::newRow("structure named in a comment") << "; Structure S\nButton_1 = 1 ; EndStructure\nButton_1 = 2"
                                                      << "; Structure S\nButton_Ok = 1 ; EndStructure\nButton_Ok = 2";
    }
    void variableRenameChangesOnlyTheVariable()
    {
        QFETCH(QString, line);
        QFETCH(QString, expected);
        Updates u;
        u.model.VariableObjects = {{QStringLiteral("Button_Ok"), QStringLiteral("Window_0_Button_Ok"), 0}};
        u.renames.bindings = ParseBindings(QStringLiteral("Window_0_Button_1>Window_0_Button_Ok:6"));
        for (const char *list : {"Main", "EventMenu", "EventGadget", "EventWindow"})
            u.list(list) = line.split(QLatin1Char('\n'));
        u.runStep3Updates();
        for (const char *list : {"Main", "EventMenu", "EventGadget", "EventWindow"})
            QCOMPARE(u.list(list), expected.split(QLatin1Char('\n')));
    }

    void noBindingsChangeNothing()
    {
        Updates u;
        u.output.MainLines = {"#Window_0", "Open_Window_0()"};
        u.runStep3Updates();
        QCOMPARE(u.output.MainLines, QStringList({"#Window_0", "Open_Window_0()"}));
    }

    // The candidate lookup must give exactly what applying every binding to every line gives.
    void lookupMatchesThePlainWay()
    {
        const QStringList pieces = {
            "#",  "_", " ", "(", ")", "()", "Open_", "EventGadget_", "EventSize_", "A",  "a", "B", "W", "w_0", "W_0",
            "Ok", "1", "x", "ä", "ı", "ß",  "$",     "\"",           "~\"",        "\\", "'", ";", "*", "::",  "."};
        const QStringList names = {"A", "B", "W", "W_0", "A_B", "Ok", "W_0_A", "_A", "A_", "ı", "a$"};
        QRandomGenerator random(4711);
        const auto pick = [&](const QStringList &from) { return from.at(random.bounded(int(from.size()))); };
        const QList<QList<ReplacementRule>> ruleSets = {
            {{ReplacementRule::Word, "#", "", std::nullopt}},
            {{ReplacementRule::Word, "Open_", "()", ObjectKind::Window}},
            {{ReplacementRule::Variable, "", "", std::nullopt}},
            {{ReplacementRule::Word, "EventSize_", "", ObjectKind::Window},
             {ReplacementRule::Word, "EventGadget_", "", ObjectKind::Gadget}},
            // A rule whose old name may sit inside a name: every binding is tried.
            {{ReplacementRule::Word, "Event", "", std::nullopt}},
        };
        for (int round = 0; round < 300; ++round) {
            BindingList bindings;
            for (int i = random.bounded(1, 6); i > 0; --i)
                bindings.append(
                    {pick(names), pick(names), random.bounded(2) ? ObjectKind::Window : ObjectKind::Gadget});
            QStringList lines;
            for (int i = 0; i < 20; ++i) {
                QString line;
                for (int k = random.bounded(1, 12); k > 0; --k)
                    line += pick(pieces);
                lines.append(line);
            }
            for (const auto &rules : ruleSets) {
                QStringList plain = lines;
                QStringList indexed = lines;
                const int plainChanges = ApplyOneByOne(plain, bindings, rules);
                const int indexedChanges = BindingReplacer(bindings).Apply(indexed, rules);
                QCOMPARE(indexed, plain);
                QCOMPARE(indexedChanges, plainChanges);
            }
        }
    }
};

QTEST_GUILESS_MAIN(TestCodeUpdates)
#include "tst_code_updates.moc"
