#include "model/log_messages.h"
#include "model/object_kind.h"
#include "pipeline/generation_driver.h"
#include "support/test_project.h"

#include <QTest>

using namespace quarvel;

class TestGenerationDriver : public QObject {
    Q_OBJECT
private slots:
    void noCommonFilesStopsBeforeWriting();
    void projectWithoutAFileIsNotRun();
    void wholeRunLogsEveryStep();
    void outputFormat_data();
    void outputFormat();
    void runEndsWithTheProjectSaved();
    void messageTexts_data();
    void messageTexts();
    void objectKindNames();
};

static const QStringList Step1Head{"Generate Code Step 1 ...", "- Check Main.pb", " -> Main.pb not found.",
                                   "- Load Files..."};

void TestGenerationDriver::noCommonFilesStopsBeforeWriting()
{
    TestProject dir;
    ProjectState project = dir.project({});
    GenerationRun run(project);
    QCOMPARE(run.run(), 0);
    QCOMPARE(run.frontEnd.log, Step1Head + QStringList({"None Files to Generate.", "Cancel.", ""}));
    QCOMPARE(QDir(dir.dir()).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot), QStringList());
    QCOMPARE(run.frontEnd.runStarted, 1);
    QCOMPARE(run.frontEnd.results.size(), 1);
    QCOMPARE(run.frontEnd.results.first().outcome, RunOutcome::Cancelled);
    QCOMPARE(run.frontEnd.results.first().reason, QStringLiteral("None Files to Generate."));
    QCOMPARE(run.frontEnd.entries.at(run.frontEnd.log.indexOf("Cancel.")).kind, LogKind::Cancel);
}

// The desktop program saves such a project before it starts a run; the engine only refuses it,
// and still tells the front-end that the run is over.
void TestGenerationDriver::projectWithoutAFileIsNotRun()
{
    TestProject dir;
    ProjectState project = dir.project({"W.pb"});
    project.ProjectNamed = false;
    GenerationRun run(project);
    QCOMPARE(run.run(), 0);
    QCOMPARE(run.frontEnd.log, QStringList({"Cancel.", ""}));
    QCOMPARE(run.frontEnd.results.size(), 1);
    QCOMPARE(run.frontEnd.results.first().outcome, RunOutcome::Cancelled);
    QCOMPARE(run.frontEnd.results.first().reason, QStringLiteral("The project has no file."));
}

void TestGenerationDriver::wholeRunLogsEveryStep()
{
    TestProject dir;
    dir.write("Main.pb", "\xEF\xBB\xBF"
                         "; main\n");
    dir.write("Window.pb", "Procedure Open_Window_0()\nEndProcedure\n");
    ProjectState project = dir.project({dir.path("Window.pb")});
    GenerationRun run(project);
    QCOMPARE(run.run(), 1);
    QStringList expected{
        "Generate Code Step 1 ...", "- Check Main.pb",          " -> UTF-8 BOM found.",     "- Load Files...",
        "- Interpret code...",      "Generate Code Step 2 ...", "- Check Constants...",     "Generate Code Step 3 ...",
        "- Make Backup...",         "- Update Prefix",          "- Update Procedure",       "- Update Constants",
        "- Update Open Window",     "- Update IncludeFiles",    "Generate Code Step 4 ...", "- Create new code..."};
    const int counts = int(run.frontEnd.log.indexOf(" -> Count Window: 0"));
    QVERIFY(counts > 0);
    QCOMPARE(run.frontEnd.log.mid(0, expected.size()), expected);
    QCOMPARE(
        run.frontEnd.log.mid(counts, 8),
        QStringList({" -> Count Window: 0", " -> Count MenuBar: 0", " -> Count MenuItem: 0", " -> Count StatusBar: 0",
                     " -> Count ToolBar: 0", " -> Count Gadget: 0", " -> Count Image: 0", "- Write Files..."}));
    QStringList tail;
    for (const char *name :
         {"Main.pb", "CommonFile.pb", "EventMain.pb", "EventMenu.pb", "EventGadget.pb", "EventWindow.pb"})
        tail << " -> Write File " + dir.path(name);
    tail << "Ready."
         << "";
    QCOMPARE(run.frontEnd.log.mid(counts + 8), tail);
    const LogEntry &written = run.frontEnd.entries.at(counts + 8);
    QCOMPARE(written.kind, LogKind::FileWritten);
    QCOMPARE(written.file, dir.path("Main.pb"));
    QCOMPARE(run.frontEnd.entries.at(counts + 14).kind, LogKind::Ready);
    QCOMPARE(run.frontEnd.results.size(), 1);
    const RunResult &result = run.frontEnd.results.first();
    QCOMPARE(result.outcome, RunOutcome::Ready);
    // Main.pb opens no window, so its text stays; the project file takes its place last.
    QCOMPARE(result.writtenFiles, (QStringList{"CommonFile.pb", "EventMain.pb", "EventMenu.pb", "EventGadget.pb",
                                               "EventWindow.pb", "Test.pbm"}));
    QCOMPARE(result.unchangedFiles, QStringList{"Main.pb"});
    const qsizetype warning = run.frontEnd.log.indexOf(
        " -> Warning: No window found, Main.pb not patched. No window source calls OpenWindow (Window.pb:1).");
    QCOMPARE(run.frontEnd.entries.at(warning).kind, LogKind::Warning);
    QCOMPARE(run.frontEnd.entries.at(warning).file, dir.path("Window.pb"));
    QCOMPARE(run.frontEnd.entries.at(warning).line, 1);
    QCOMPARE(result.warnings, 1);
    QCOMPARE(result.errors, 0);
}

void TestGenerationDriver::outputFormat_data()
{
    QTest::addColumn<QByteArray>("main");
    QTest::addColumn<int>("utf8Switch");
    QTest::addColumn<bool>("expectMark");
    QTest::newRow("UTF-8 main, switch off") << QByteArray("\xEF\xBB\xBF;\n") << 0 << true;
    QTest::newRow("plain main, switch off") << QByteArray(";\n") << 0 << false;
    QTest::newRow("plain main, switch on") << QByteArray(";\n") << 1 << true;
    QTest::newRow("UTF-16 main, switch off") << QByteArray("\xFF\xFE;\x00\n\x00", 6) << 0 << false;
}

void TestGenerationDriver::outputFormat()
{
    QFETCH(QByteArray, main);
    QFETCH(int, utf8Switch);
    QFETCH(bool, expectMark);
    TestProject dir;
    dir.write("Main.pb", main);
    dir.write("W.pb", "Procedure A()\nEndProcedure\n");
    Switches switches;
    switches.Utf8 = utf8Switch;
    ProjectState project = dir.project({dir.path("W.pb")}, switches);
    GenerationRun run(project);
    QCOMPARE(run.run(), 1);
    for (const char *name : {"EventMain.pb", "EventMenu.pb"})
        QCOMPARE(dir.read(name).startsWith("\xEF\xBB\xBF"), expectMark);
    QCOMPARE(dir.read("Main.pb"), main); // the run had nothing to change in it
}

void TestGenerationDriver::runEndsWithTheProjectSaved()
{
    TestProject dir;
    dir.write("W.pb", "Procedure A()\nEndProcedure\n");
    ProjectState project = dir.project({"W.pb"});
    project.Stored.Window = {"OldWindow"};
    project.ProjectSaved = false;
    GenerationRun run(project);
    run.frontEnd.answerBindDialog = [](const BindDialogRequest &) {
        return BindDialogAnswer{BindDialogEnd::Continue, {}};
    };
    QCOMPARE(run.run(), 1);
    QVERIFY(project.ProjectSaved);
    QVERIFY(project.Stored.Window.isEmpty()); // replaced by this run's (empty) names
    const QByteArray saved = dir.read("Test.pbm");
    QVERIFY(saved.startsWith("[FILES]\nW.pb\n\n[SWITCH]\nParend=1\n"));
    QVERIFY(saved.endsWith("[WINDOW]\n\n[MENU]\n\n[MENUITEM]\n\n[STATUSBAR]\n\n[TOOLBAR]\n\n[GADGET]\n\n"));
}

// Scripts read the log: the texts whose wording depends on their parameters, byte for byte.
void TestGenerationDriver::messageTexts_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    const QString interrupted = " -> Warning: The last run was interrupted while its files took their places; ";
    QTest::newRow("one file put in place")
        << InterruptedRunWarning(InterruptedWrite::Finished, 1) << interrupted + "finished now, 1 file put in place.";
    QTest::newRow("rolled back, two left alone")
        << InterruptedRunWarning(InterruptedWrite::RolledBack, 2, {"A.pb", "B.pb"})
        << interrupted
               + "a new text was lost, so 2 files got their old text back. Changed since and left as they"
                 " are: A.pb, B.pb.";
    QTest::newRow("dry run") << InterruptedRunWarning(InterruptedWrite::DryRun, 0)
                             << interrupted + "a run that writes will put them right.";
    QTest::newRow("procedure without a name")
        << UnclosedProcedureStopLine(u"", "EventMenu.pb", 7)
        << " -> Error: Procedure ... (EventMenu.pb:7) has no EndProcedure: the new procedures would be appended"
           " inside it. Stop!";
    QTest::newRow("no mark") << FormatFoundLine(TextFormat::Latin1) << " -> No BOM found.";
    QTest::newRow("no Main.pb") << FormatFoundLine(TextFormat::None) << " -> Main.pb not found.";
    QTest::newRow("rename clash")
        << RenameClashWarning("EventGadget_A", "EventGadget_B", "EventGadget.pb", 3, 9)
        << " -> Warning: EventGadget_A would be renamed EventGadget_B, which EventGadget.pb defines already"
           " (EventGadget.pb:3, EventGadget.pb:9); rename or remove one of them first.";
    QTest::newRow("computed status bar number")
        << ComputedNumberWarning(ObjectKindWords(ObjectKind::StatusBar), u"n + 1", "Form.pbf:4")
        << " -> Warning: the status bar number n + 1 is computed (Form.pbf:4); it may equal the number of a"
           " generated status bar.";
    QTest::newRow("cannot read") << CannotReadStopLine("/p/Main.pb", "Permission denied")
                                 << " -> Error: Cannot read /p/Main.pb (Permission denied). Stop!";
}

void TestGenerationDriver::messageTexts()
{
    QFETCH(QString, text);
    QFETCH(QString, expected);
    QCOMPARE(text, expected);
}

// The names the bind dialog, the log, the JSON report and the desktop's object list show: a
// toolbar button is a menu item to the first two and stands apart in the others.
void TestGenerationDriver::objectKindNames()
{
    const struct {
        ObjectKind kind;
        const char *named;
        const char *reported;
    } kinds[] = {
        {ObjectKind::Window, "Window", "window"},           {ObjectKind::Menu, "MenuBar", "menu"},
        {ObjectKind::MenuItem, "MenuItem", "menu-item"},    {ObjectKind::ToolBarButton, "MenuItem", "toolbar-button"},
        {ObjectKind::StatusBar, "StatusBar", "status-bar"}, {ObjectKind::ToolBar, "ToolBar", "toolbar"},
        {ObjectKind::Gadget, "Gadget", "gadget"},           {ObjectKind::Procedure, "", "procedure"},
    };
    for (const auto &k : kinds) {
        QCOMPARE(ObjectKindName(k.kind), QString(k.named));
        QCOMPARE(ObjectKindReportName(k.kind), QLatin1StringView(k.reported));
    }
}

QTEST_GUILESS_MAIN(TestGenerationDriver)
#include "tst_generation_driver.moc"
