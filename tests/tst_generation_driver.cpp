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
    const qsizetype warning = run.frontEnd.log.indexOf(" -> Warning: No window found, Main.pb not patched.");
    QCOMPARE(run.frontEnd.entries.at(warning).kind, LogKind::Warning);
    QCOMPARE(run.frontEnd.entries.at(warning).file, QStringLiteral("Main.pb"));
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

QTEST_GUILESS_MAIN(TestGenerationDriver)
#include "tst_generation_driver.moc"
