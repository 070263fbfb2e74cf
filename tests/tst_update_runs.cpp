#include "cli/cli_front_end.h"
#include "cli/run_command_line.h"
#include "model/project_file.h"
#include "pipeline/generation_driver.h"
#include "pipeline/load_project_sources.h"
#include "pipeline/report_output.h"
#include "support/golden_runner.h"
#include "support/output_capture.h"
#include "support/test_project.h"
#include "update/bind_dialog_model.h"
#include "update/code_updates.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTest>

using namespace quarvel;

namespace {

// The answer's bindings as the Todo List shows them.
QStringList TodoTexts(const BindDialogAnswer &answer)
{
    QStringList texts;
    for (const NamePair &pair : answer.bindings)
        texts << TodoEntryText(pair);
    return texts;
}

// A project generated before with a window and two gadgets, whose design now holds nothing
// the interpreter would name: every stored name has lost its match.
ProjectState PreviouslyGenerated(const TestProject &dir)
{
    dir.writeLines("Form.pb", {"; the window was removed"});
    dir.writeLines("Main.pb", {"XIncludeFile \"CommonFile.pb\"", "Open_Window_0()"});
    dir.writeLines("EventGadget.pb", {"Procedure EventGadget_Window_0_Button_1(EventType)", "EndProcedure"});
    ProjectState project = dir.project({dir.path("Form.pb")});
    project.Stored.Window = {"Window_0"};
    project.Stored.Gadget = {"Window_0_Button_1", "Window_0_Text_0"};
    return project;
}

// The same with its project file written, as quarvel-gen and the cancel test read it.
ProjectState SavedPreviouslyGenerated(const TestProject &dir)
{
    ProjectState project = PreviouslyGenerated(dir);
    if (!SaveProject(project.ProjectFile, project, FileWriter()))
        qFatal("cannot save %s", qPrintable(project.ProjectFile));
    return project;
}

} // namespace

class TestUpdateRuns : public QObject {
    Q_OBJECT

private slots:
    // The generator run in process keeps its settings in a folder of this test's own, not beside
    // the test program, where the other tests would find them.
    void initTestCase() { qputenv("QUARVEL_CONFIG_DIR", settings_.path().toUtf8()); }

    void theWindowCheckOffersTheStoredWindows()
    {
        TestProject dir;
        ProjectState project = PreviouslyGenerated(dir);
        GenerationRun run(project);
        run.frontEnd.answerBindDialog = [](const BindDialogRequest &) {
            return BindDialogAnswer{BindDialogEnd::Continue, {}};
        };
        QCOMPARE(run.run(), 1);
        QCOMPARE(run.frontEnd.bindRequests.size(), 2);
        QCOMPARE(run.frontEnd.bindRequests[0].kind, ObjectKind::Window);
        QCOMPARE(run.frontEnd.bindRequests[0].unboundOld, QStringList({"Window_0"}));
        QVERIFY(run.frontEnd.bindRequests[0].unboundNew.isEmpty());
        QCOMPARE(run.frontEnd.bindRequests[1].kind, ObjectKind::Gadget);
        QCOMPARE(run.frontEnd.bindRequests[1].unboundOld, QStringList({"Window_0_Button_1", "Window_0_Text_0"}));
        QCOMPARE(run.frontEnd.bindDialogsClosed, 2);
        const QStringList &log = run.frontEnd.log;
        const qsizetype step3 = log.indexOf("Generate Code Step 3 ...");
        QVERIFY(step3 > 0);
        QCOMPARE(log.mid(step3, 7),
                 QStringList({"Generate Code Step 3 ...", "- Make Backup...", "- Update Prefix", "- Update Procedure",
                              "- Update Constants", "- Update Open Window", "- Update IncludeFiles"}));
        QCOMPARE(log.mid(log.indexOf("Ready."), 2), QStringList({"Ready.", ""}));
        QCOMPARE(dir.read("Backup/EventGadget.pb"),
                 QByteArray("Procedure EventGadget_Window_0_Button_1(EventType)\nEndProcedure\n"));
    }

    void aCancelledCheckLeavesEveryFileUntouched()
    {
        TestProject dir;
        ProjectState project = SavedPreviouslyGenerated(dir);
        const FileTree before = ReadTree(dir.dir());
        GenerationRun run(project);
        run.frontEnd.answerBindDialog = [](const BindDialogRequest &) {
            return BindDialogAnswer{BindDialogEnd::Cancel, {{"Window_0", "X"}}};
        };
        QCOMPARE(run.run(), 0);
        QCOMPARE(run.frontEnd.bindRequests.size(), 1);
        QCOMPARE(run.frontEnd.bindDialogsClosed, 1);
        const QStringList &log = run.frontEnd.log;
        QCOMPARE(log.mid(log.size() - 4),
                 QStringList({"Generate Code Step 2 ...", "- Check Constants...", "Cancel.", ""}));
        QCOMPARE(ReadTree(dir.dir()), before);
        QVERIFY(!dir.exists("Backup"));
        QCOMPARE(project.Stored.Window, QStringList({"Window_0"}));
    }

    // A project an earlier version generated stored its status bar without its window's name:
    // the run binds it itself, carries it into the code and says so once, after "Ready.".
    void aNamingRuleRenameIsBoundWithoutAQuestion()
    {
        TestProject dir;
        dir.writeLines("Form.pb", {"Procedure OpenMain()", "  OpenWindow(#Main, 0, 0, 200, 100, \"Main\")",
                                   "  CreateStatusBar(#Status, WindowID(#Main))", "EndProcedure"});
        dir.writeLines("EventWindow.pb",
                       {"Procedure EventExit_Main()", "  StatusBarText(#Status, 0, \"Bye\")", "EndProcedure"});
        ProjectState project = dir.project({dir.path("Form.pb")});
        project.Stored.Window = {"Main"};
        project.Stored.StatusBar = {"Status"};
        GenerationRun run(project);
        run.context.reportInLog = true;
        QCOMPARE(run.run(), 1);
        QVERIFY(run.frontEnd.bindRequests.isEmpty());
        const QStringList &log = run.frontEnd.log;
        QCOMPARE(log.filter("Bound without a question"),
                 QStringList{" -> Bound without a question, as only Quarvel's naming rules renamed them: "
                             "Status=Main_Status."});
        QVERIFY(log.indexOf("Ready.") < log.indexOf(log.filter("Bound without a question").value(0)));
        QVERIFY(dir.read("EventWindow.pb").contains("StatusBarText(#Main_Status, 0, \"Bye\")"));
        const QJsonArray json =
            QJsonDocument::fromJson(RunResultJson(run.frontEnd.results.value(0)))["boundByRule"].toArray();
        QCOMPARE(json, QJsonArray({QJsonObject{{"kind", "status-bar"}, {"old", "Status"}, {"new", "Main_Status"}}}));
    }

    // A window renamed from Window_0 to Main and its button from Button_1 to Ok, bound in step 2.
    void step3CarriesTheRenamesIntoTheUsersCode()
    {
        TestProject dir;
        dir.copyFrom("update/renamed_window/input");
        ProjectState project = dir.project({dir.path("Form.pbf")});
        RecordingFrontEnd frontEnd;
        const NameTables tables;
        GenerationContext g(project, tables, frontEnd);
        LoadProjectSources(g);
        for (const char *include : {"Tools.pbi", "Legacy.pbi", "Unchanged.pbi", "Missing.pbi"})
            g.model.IncludeFileList.append(dir.path(include));
        project.Stored.Window = {"Window_0"};
        project.Stored.MenuItem = {"Window_0_Reload"};
        project.Stored.Gadget = {"Window_0_Button_1", "Window_0_Text_0", "Window_0_Button_10"};
        g.renames.bindings = {{"Window_0", "Main", ObjectKind::Window},
                              {"Main_Button_1", "Main_Ok", ObjectKind::Gadget}};
        g.renames.windowObjects = WindowObjectBindings(g.renames.bindings, project.Stored, g.model.WindowList);
        const QByteArray unchanged = dir.read("Unchanged.pbi");

        CarryRenames(g);
        QVERIFY(g.plan.WriteStaged()); // as step 4 does

        QCOMPARE(frontEnd.log,
                 QStringList({"Generate Code Step 3 ...", "- Make Backup...", "- Update Prefix", "- Update Procedure",
                              "- Update Constants", "- Update Open Window", "- Update IncludeFiles",
                              " -> Update Includefile " + dir.path("Tools.pbi") + " / Count Change: 3",
                              " -> Update Includefile " + dir.path("Legacy.pbi") + " / Count Change: 1",
                              " -> Error OpenFile " + dir.path("Missing.pbi") + " / Errorcode: 1"}));
        // The generated files as step 4 would write them, the include files as step 3 changed them.
        const FileTree updated{{"Main.pb", TextOf(g.lines.MainLines)},
                               {"EventMenu.pb", TextOf(g.lines.EventMenuLines)},
                               {"EventGadget.pb", TextOf(g.lines.EventGadgetLines)},
                               {"EventWindow.pb", TextOf(g.lines.EventWindowLines)},
                               {"Tools.pbi", dir.read("Tools.pbi")},
                               {"Legacy.pbi", dir.read("Legacy.pbi")}};
        QUARVEL_COMPARE_TREE(updated, "update/renamed_window/expected");
        QCOMPARE(dir.read("Unchanged.pbi"), unchanged);
        QVERIFY(!dir.exists("Missing.pbi"));
        // The backup holds the sources as they were before the run.
        for (const char *name :
             {"Main.pb", "EventGadget.pb", "EventWindow.pb", "EventMenu.pb", "Tools.pbi", "Legacy.pbi"})
            QCOMPARE(dir.read(QStringLiteral("Backup/") + name),
                     ReadTestData(QStringLiteral("update/renamed_window/input/") + name));
    }

    void commandLineBinding_data()
    {
        QTest::addColumn<QStringList>("binds"); // "OLD=NEW"
        QTest::addColumn<bool>("keepUnbound");
        QTest::addColumn<QStringList>("unboundOld");
        QTest::addColumn<QStringList>("unboundNew");
        QTest::addColumn<bool>("cancels");
        QTest::addColumn<QStringList>("todo");
        QTest::addColumn<QString>("stderrText");

        QTest::newRow("all bound") << QStringList{"B=Y", "A=X"} << false << QStringList{"A", "B"}
                                   << QStringList{"X", "Y"} << false << QStringList{"B > Y", "A > X"} << "";
        QTest::newRow("binds for names not on offer are reported and ignored")
            << QStringList{"A=Z", "Q=X", "A=X", "#a=X"} << false << QStringList{"A"} << QStringList{"X"} << false
            << QStringList{"A > X"}
            << "quarvel-gen: --bind A=Z does not fit the Gadget names on offer:\n"
               "quarvel-gen:   old: A\nquarvel-gen:   new: X\n"
               "quarvel-gen: --bind Q=X does not fit the Gadget names on offer:\n"
               "quarvel-gen:   old: A\nquarvel-gen:   new: X\n"
               "quarvel-gen: --bind #a=X does not fit the Gadget names on offer:\n"
               "quarvel-gen:   old: A\nquarvel-gen:   new: X\n";
        QTest::newRow("a name binds once") << QStringList{"A=X", "A=Y"} << true << QStringList{"A"}
                                           << QStringList{"X", "Y"} << false << QStringList{"A > X"} << "";
        QTest::newRow("left unbound, kept")
            << QStringList{} << true << QStringList{"A"} << QStringList{} << false << QStringList{} << "";
        QTest::newRow("left unbound, cancelled")
            << QStringList{"A=X"} << false << QStringList{"A", "B"} << QStringList{"X", "Y"} << true
            << QStringList{"A > X"}
            << "quarvel-gen: Gadget names without a binding:\n"
               "quarvel-gen:   old: B\n"
               "quarvel-gen:   new: Y\n"
               "quarvel-gen: bind them with --bind OLD=NEW, or go on with --keep-unbound.\n";
    }
    void commandLineBinding()
    {
        QFETCH(QStringList, binds);
        QFETCH(bool, keepUnbound);
        QFETCH(QStringList, unboundOld);
        QFETCH(QStringList, unboundNew);
        QFETCH(bool, cancels);
        QFETCH(QStringList, todo);
        QFETCH(QString, stderrText);
        QList<BindOption> options;
        for (const QString &bind : binds)
            options.append({bind.section('=', 0, 0), bind.section('=', 1)});
        CapturedStream out, err;
        CliFrontEnd frontEnd(options, keepUnbound, out.file(), err.file());
        const BindDialogAnswer answer = frontEnd.OpenBindDialog(
            BindDialogRequest{ObjectKind::Gadget, unboundOld, unboundNew});
        QCOMPARE(answer.end, cancels ? BindDialogEnd::Cancel : BindDialogEnd::Continue);
        QCOMPARE(TodoTexts(answer), todo);
        QCOMPARE(err.text(), stderrText);
        QCOMPARE(out.text(), QString());
    }

    // A rename onto a procedure the user already wrote would define that name twice: the bind
    // step names both procedures and the run stops before anything is written.
    void renameOntoAnExistingProcedureStops_data()
    {
        QTest::addColumn<QStringList>("storedWindows");
        QTest::addColumn<QStringList>("storedGadgets");
        QTest::addColumn<QStringList>("binds"); // "OLD=NEW"
        QTest::addColumn<QString>("eventFile");
        QTest::addColumn<QStringList>("eventLines");
        QTest::addColumn<QString>("warning");
        const QStringList heads{"Procedure EventGadget_Main_Ok(EventType)", "EndProcedure",
                                "Procedure.i eventgadget_main_go(Type)", "EndProcedure"};
        QTest::newRow("gadget renamed") << QStringList{"Main"} << QStringList{"Main_Ok"}
                                        << QStringList{"Main_Ok=Main_Go"} << "EventGadget.pb" << heads
                                        << " -> Warning: EventGadget_Main_Ok would be renamed EventGadget_Main_Go, "
                                           "which EventGadget.pb defines already (EventGadget.pb:1, "
                                           "EventGadget.pb:3); rename or remove one of them first.";
        QTest::newRow("window renamed") << QStringList{"Start"} << QStringList{"Start_Go"} << QStringList{"Start=Main"}
                                        << "EventWindow.pb"
                                        << QStringList{"Procedure EventSize_Main()", "EndProcedure",
                                                       "Procedure EventSize_Start()", "EndProcedure"}
                                        << " -> Warning: EventSize_Start would be renamed EventSize_Main, which "
                                           "EventWindow.pb defines already (EventWindow.pb:3, EventWindow.pb:1); "
                                           "rename or remove one of them first.";
    }
    void renameOntoAnExistingProcedureStops()
    {
        QFETCH(QStringList, storedWindows);
        QFETCH(QStringList, storedGadgets);
        QFETCH(QStringList, binds);
        QFETCH(QString, eventFile);
        QFETCH(QStringList, eventLines);
        QFETCH(QString, warning);
        TestProject dir;
        dir.writeLines("Form.pb", {"Procedure OpenMain()", "  OpenWindow(#Main, 0, 0, 200, 100, \"Main\")",
                                   "  ButtonGadget(#Go, 10, 10, 80, 24, \"Go\")", "EndProcedure"});
        dir.writeLines(eventFile, eventLines);
        ProjectState project = dir.project({dir.path("Form.pb")});
        project.Stored.Window = storedWindows;
        project.Stored.Gadget = storedGadgets;
        const FileTree before = ReadTree(dir.dir());
        GenerationRun run(project);
        run.frontEnd.answerBindDialog = [&](const BindDialogRequest &request) {
            BindDialogAnswer answer{BindDialogEnd::Continue, {}};
            for (const QString &bind : binds)
                if (request.unboundOld.contains(bind.section('=', 0, 0)))
                    answer.bindings.append({bind.section('=', 0, 0), bind.section('=', 1)});
            return answer;
        };
        QCOMPARE(run.run(), 0);
        const QStringList &log = run.frontEnd.log;
        QCOMPARE(log.mid(log.size() - 3), QStringList({warning, "Cancel.", ""}));
        QCOMPARE(run.frontEnd.entries.at(log.size() - 3).line, warning.contains("Size") ? 3 : 1);
        QCOMPARE(ReadTree(dir.dir()), before);
        QCOMPARE(run.frontEnd.results.value(0).reason, warning);
    }

    void quarvelGenStopsOnUnboundNames()
    {
        TestProject dir;
        ProjectState project = SavedPreviouslyGenerated(dir);
        CommandLineOptions options;
        options.projectPath = project.ProjectFile;
        options.binds = {{"Window_0", "Main"}}; // Main is no current window: not on offer
        const CapturedOutput output = RunCommandLineCaptured(options);
        QCOMPARE(output.status, 1);
        QVERIFY(output.out.endsWith("Generate Code Step 2 ...\n- Check Constants...\nCancel.\n\n"));
        QCOMPARE(output.errText(),
                 QStringLiteral("quarvel-gen: --bind Window_0=Main does not fit the Window names on offer:\n"
                                "quarvel-gen:   old: Window_0\n"
                                "quarvel-gen:   new: (none)\n"
                                "quarvel-gen: Window names without a binding:\n"
                                "quarvel-gen:   old: Window_0\n"
                                "quarvel-gen: bind them with --bind OLD=NEW, or go on with --keep-unbound.\n"));
        QVERIFY(!dir.exists("Backup"));
    }

    void quarvelGenKeepUnboundGoesOn()
    {
        TestProject dir;
        ProjectState project = SavedPreviouslyGenerated(dir);
        CommandLineOptions options;
        options.projectPath = project.ProjectFile;
        options.keepUnbound = true;
        const CapturedOutput output = RunCommandLineCaptured(options);
        QCOMPARE(output.status, 0);
        QVERIFY(output.out.contains("- Make Backup...\n- Update Prefix\n"));
        QVERIFY(output.out.contains("\nReady.\n\n"));
        QCOMPARE(output.errText(), QString());
        QVERIFY(dir.exists("Backup/Main.pb"));
        // The run stored this run's names, so the next run offers nothing.
        ProjectState reloaded;
        QVERIFY(LoadProject(project.ProjectFile, reloaded));
        QVERIFY(reloaded.Stored.Window.isEmpty());
        QVERIFY(reloaded.Stored.Gadget.isEmpty());
    }

private:
    QTemporaryDir settings_;
};

QTEST_GUILESS_MAIN(TestUpdateRuns)
#include "tst_update_runs.moc"
