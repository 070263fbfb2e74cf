#include "model/project_file.h"
#include "project/project_commands.h"
#include "support/recording_front_end.h"
#include "support/scripted_requesters.h"
#include "support/test_project.h"

#include <QTest>

using namespace quarvel;

class TestProjectCommands : public QObject {
    Q_OBJECT

    struct Fixture {
        TestProject dir;
        ProjectState project;
        ScriptedRequesters ask;
        RecordingFrontEnd frontEnd;
        ProjectCommands commands{project, ask, frontEnd};
        QStringList shownFiles;
        Fixture()
        {
            commands.showProjectFile = [this](const QString &file) { shownFiles << file; };
        }
    };

private slots:
    void askSaveChanges_data();
    void askSaveChanges();
    void failedSaveInThePromptKeepsTheProgramRunning();
    void saveAsAddsExtensionOnlyWithoutOne_data();
    void saveAsAddsExtensionOnlyWithoutOne();
    void saveAsAsksBeforeOverwritingEvenAnEmptyFile();
    void saveAsTreatsADirectoryAsNoFile();
    void saveAsFailureKeepsProjectFileAndLastPath();
    void saveAsIntoAnotherFolderRebasesTheCommonFiles();
    void saveOfNamedProjectWritesWithoutAsking();
    void newProjectEmptiesListsButKeepsSwitches();
    void openProjectReadsFileAndRemembersDirectory();
    void openProjectOfUnreadableFileLeavesEmptyUnnamedProject();
    void openProjectCancelledChangesNothing();
    void quitCommand_data();
    void quitCommand();
    void generationGuard();
};

// Each row: the project's state, the scripted answers, and what AskSaveChanges gives.
void TestProjectCommands::askSaveChanges_data()
{
    QTest::addColumn<bool>("saved");
    QTest::addColumn<bool>("named");
    QTest::addColumn<bool>("hasFiles");
    QTest::addColumn<int>("answer");
    QTest::addColumn<QString>("saveAsPath");
    QTest::addColumn<bool>("goesOn");
    QTest::addColumn<bool>("fileWritten");
    QTest::addColumn<int>("questions");

    QTest::newRow("unchanged asks nothing") << true << true << true << int(Answer::Yes) << "" << true << false << 0;
    QTest::newRow("No goes on without saving") << false << true << true << int(Answer::No) << "" << true << false << 1;
    QTest::newRow("Cancel goes back with nothing lost")
        << false << true << true << int(Answer::Cancel) << "" << false << false << 1;
    QTest::newRow("Yes saves a named project") << false << true << true << int(Answer::Yes) << "" << true << true << 1;
    QTest::newRow("Yes on unnamed, dialog cancelled")
        << false << false << true << int(Answer::Yes) << "" << false << false << 1;
    QTest::newRow("Yes on unnamed, saved as")
        << false << false << true << int(Answer::Yes) << "Named.pbm" << true << true << 1;
    QTest::newRow("Yes on named without files")
        << false << true << false << int(Answer::Yes) << "" << true << false << 1;
    QTest::newRow("Yes on unnamed without files")
        << false << false << false << int(Answer::Yes) << "Named.pbm" << false << false << 1;
}

void TestProjectCommands::askSaveChanges()
{
    QFETCH(bool, saved);
    QFETCH(bool, named);
    QFETCH(bool, hasFiles);
    QFETCH(int, answer);
    QFETCH(QString, saveAsPath);
    QFETCH(bool, goesOn);
    QFETCH(bool, fileWritten);
    QFETCH(int, questions);

    Fixture f;
    f.project = f.dir.project(hasFiles ? QStringList{QStringLiteral("Form.pbf")} : QStringList());
    f.project.ProjectFile = named ? f.dir.path(QStringLiteral("Named.pbm")) : UnnamedProjectFile;
    f.project.ProjectNamed = named;
    f.project.ProjectSaved = saved;
    f.ask.answers.enqueue(Answer(answer));
    if (!saveAsPath.isEmpty())
        f.ask.saveAnswers.enqueue(f.dir.path(saveAsPath));

    QCOMPARE(f.commands.AskSaveChanges(), goesOn);
    QCOMPARE(f.dir.exists(QStringLiteral("Named.pbm")), fileWritten);
    QCOMPARE(f.ask.calls.filter(QStringLiteral("Question")).size(), questions);
    if (questions)
        QCOMPARE(f.ask.calls.first(), QStringLiteral("Question Frage: Aktuelles Projekt speichern?"));
    QVERIFY(f.frontEnd.messages.isEmpty()); // a Save As with nothing to write fails silently
}

// Leaving after a failed save would throw the unsaved changes away.
void TestProjectCommands::failedSaveInThePromptKeepsTheProgramRunning()
{
    Fixture f;
    f.project = f.dir.project({QStringLiteral("Form.pbf")});
    QDir(f.dir.dir()).mkdir(QStringLiteral("Test.pbm")); // a folder where the file should be
    f.project.ProjectSaved = false;
    f.ask.answers << Answer::Yes;
    f.commands.QuitCommand();
    QVERIFY(!f.commands.QuitRequested);
    QCOMPARE(f.frontEnd.messages, QStringList{QStringLiteral("Project: Errorcode: 1")});
    QVERIFY(!f.project.ProjectSaved);
}

void TestProjectCommands::saveAsAddsExtensionOnlyWithoutOne_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("stored");
    // clang-format off
    QTest::newRow("no extension") << "demo" << "demo.pbm";
    QTest::newRow("other extension kept") << "demo.txt" << "demo.txt";
    QTest::newRow("project extension") << "demo.pbm" << "demo.pbm";
    QTest::newRow("dot only in directory") << "sub.d/demo" << "sub.d/demo.pbm";
    // clang-format on
}

void TestProjectCommands::saveAsAddsExtensionOnlyWithoutOne()
{
    QFETCH(QString, typed);
    QFETCH(QString, stored);
    Fixture f;
    QDir(f.dir.dir()).mkpath(QStringLiteral("sub.d"));
    f.project = f.dir.project({QStringLiteral("Form.pbf")});
    f.project.ProjectFile = UnnamedProjectFile;
    f.project.ProjectNamed = false;
    f.project.LastPath = f.dir.dir();
    f.ask.saveAnswers.enqueue(f.dir.path(typed));

    QVERIFY(f.commands.SaveProjectAs());
    QCOMPARE(f.ask.calls, QStringList{QStringLiteral("Save Save project: ") + f.dir.dir()
                                      + QStringLiteral("Unbekannt.pbm [Project (*.pbm)|*.pbm]")});
    QVERIFY(f.dir.exists(stored));
    QCOMPARE(f.project.ProjectFile, f.dir.path(stored));
    QCOMPARE(f.project.LastPath, QFileInfo(f.dir.path(stored)).path() + QLatin1Char('/'));
    QCOMPARE(f.shownFiles, QStringList{f.dir.path(stored)});
    QVERIFY(f.project.ProjectNamed);
    QVERIFY(f.project.ProjectSaved);
}

void TestProjectCommands::saveAsAsksBeforeOverwritingEvenAnEmptyFile()
{
    Fixture f;
    f.project = f.dir.project({QStringLiteral("Form.pbf")});
    f.dir.write(QStringLiteral("Old.pbm"), QByteArray());
    f.ask.saveAnswers << f.dir.path(QStringLiteral("Old.pbm")) << f.dir.path(QStringLiteral("Old.pbm"));
    f.ask.answers << Answer::No << Answer::Yes;

    QVERIFY(!f.commands.SaveProjectAs());
    QCOMPARE(f.ask.calls.last(), QStringLiteral("Question Frage: Datei überschreiben?"));
    QCOMPARE(f.dir.read(QStringLiteral("Old.pbm")), QByteArray());
    QCOMPARE(f.project.ProjectFile, f.dir.path(QStringLiteral("Test.pbm")));

    QVERIFY(f.commands.SaveProjectAs());
    QVERIFY(f.dir.read(QStringLiteral("Old.pbm")).startsWith("[FILES]\nForm.pbf\n"));
}

void TestProjectCommands::saveAsTreatsADirectoryAsNoFile()
{
    Fixture f;
    f.project = f.dir.project({QStringLiteral("Form.pbf")});
    QDir(f.dir.dir()).mkdir(QStringLiteral("Taken.pbm"));
    f.ask.saveAnswers << f.dir.path(QStringLiteral("Taken.pbm"));

    QVERIFY(!f.commands.SaveProjectAs()); // no question, and the write fails with its box
    QVERIFY(f.ask.calls.filter(QStringLiteral("Question")).isEmpty());
    QCOMPARE(f.frontEnd.messages, QStringList{QStringLiteral("Project: Errorcode: 1")});
}

void TestProjectCommands::saveAsFailureKeepsProjectFileAndLastPath()
{
    Fixture f;
    f.project = f.dir.project({QStringLiteral("Form.pbf")});
    f.project.LastPath = QStringLiteral("/somewhere/");
    f.dir.write(QStringLiteral("plain"), "x");
    f.ask.saveAnswers << f.dir.path(QStringLiteral("plain/inside.pbm")); // a path through a file

    QVERIFY(!f.commands.SaveProjectAs());
    QCOMPARE(f.project.ProjectFile, f.dir.path(QStringLiteral("Test.pbm")));
    QCOMPARE(f.project.LastPath, QStringLiteral("/somewhere/"));
    QVERIFY(f.shownFiles.isEmpty());
}

// Relative paths still name the same files from the new folder; a file below the project's
// folder is kept relative to it, so that the project can move with its files.
void TestProjectCommands::saveAsIntoAnotherFolderRebasesTheCommonFiles()
{
    Fixture f;
    f.project = f.dir.project({"Form.pbf", "forms/Dialog.pbf", f.dir.path("moved/Tool.pb"), "/elsewhere/Lib.pb"});
    QVERIFY(QDir().mkpath(f.dir.path("moved")));
    f.ask.saveAnswers << f.dir.path("moved/Test.pbm") << f.dir.path("Back.pbm");

    QVERIFY(f.commands.SaveProjectAs());
    const QStringList moved{f.dir.path("Form.pbf"), f.dir.path("forms/Dialog.pbf"), "Tool.pb", "/elsewhere/Lib.pb"};
    QCOMPARE(f.project.CommonFiles, moved);
    QVERIFY(f.dir.read("moved/Test.pbm").startsWith("[FILES]\n" + moved.join('\n').toUtf8() + "\n\n"));
    QVERIFY(f.commands.SaveProjectAs());
    QCOMPARE(f.project.CommonFiles,
             QStringList({"Form.pbf", "forms/Dialog.pbf", "moved/Tool.pb", "/elsewhere/Lib.pb"}));
}

void TestProjectCommands::saveOfNamedProjectWritesWithoutAsking()
{
    Fixture f;
    f.project = f.dir.project({QStringLiteral("Form.pbf")});
    f.dir.write(QStringLiteral("Test.pbm"), "stale");
    f.commands.SaveProjectCommand();
    QVERIFY(f.ask.calls.isEmpty());
    QVERIFY(f.dir.read(QStringLiteral("Test.pbm")).startsWith("[FILES]\nForm.pbf\n"));
}

void TestProjectCommands::newProjectEmptiesListsButKeepsSwitches()
{
    Fixture f;
    f.project = f.dir.project({QStringLiteral("Form.pbf")}, Switches::AllOff());
    f.project.Stored.Window << QStringLiteral("Window_0");
    f.project.LastPath = QStringLiteral("/last/");
    f.frontEnd.log << QStringLiteral("Ready.");

    f.commands.NewProject();
    QVERIFY(f.project.CommonFiles.isEmpty());
    QVERIFY(f.project.Stored.Window.isEmpty());
    QVERIFY(f.frontEnd.log.isEmpty());
    QCOMPARE(f.project.ProjectFile, QStringLiteral("Unbekannt.pbm"));
    QVERIFY(!f.project.ProjectNamed);
    QVERIFY(f.project.ProjectSaved);
    QCOMPARE(f.project.switches, Switches::AllOff());
    QCOMPARE(f.project.LastPath, QStringLiteral("/last/"));
    QCOMPARE(f.shownFiles, QStringList{QStringLiteral("Unbekannt.pbm")});
}

void TestProjectCommands::openProjectReadsFileAndRemembersDirectory()
{
    Fixture f;
    f.dir.copyFrom(QStringLiteral("desktop/demo"));
    f.project.LastPath = f.dir.dir();
    f.ask.openAnswers << QStringList{f.dir.path(QStringLiteral("Demo.pbm"))};

    f.commands.OpenProject();
    QCOMPARE(f.ask.calls, QStringList{QStringLiteral("Open Load project: ") + f.dir.dir()
                                      + QStringLiteral(" [Project (*.pbm)|*.pbm]")});
    QCOMPARE(f.project.CommonFiles, QStringList{QStringLiteral("Form.pbf")});
    QCOMPARE(f.project.ProjectFile, f.dir.path(QStringLiteral("Demo.pbm")));
    QCOMPARE(f.project.LastPath, f.dir.dir());
    QCOMPARE(f.shownFiles, QStringList{f.dir.path(QStringLiteral("Demo.pbm"))});
}

void TestProjectCommands::openProjectOfUnreadableFileLeavesEmptyUnnamedProject()
{
    Fixture f;
    f.project = f.dir.project({QStringLiteral("Form.pbf")});
    f.project.LastPath = QStringLiteral("/last/");
    QDir(f.dir.dir()).mkdir(QStringLiteral("Folder.pbm"));
    f.ask.openAnswers << QStringList{f.dir.path(QStringLiteral("Folder.pbm"))};
    f.frontEnd.log << QStringLiteral("Ready.");

    f.commands.OpenProject();
    QCOMPARE(f.frontEnd.messages, QStringList{QStringLiteral("Project: Errorcode: 1")});
    QVERIFY(f.frontEnd.log.isEmpty());
    QVERIFY(f.project.CommonFiles.isEmpty());
    QVERIFY(!f.project.ProjectNamed);
    QVERIFY(f.project.ProjectSaved);
    QCOMPARE(f.project.ProjectFile, f.dir.path(QStringLiteral("Test.pbm")));
    QCOMPARE(f.project.LastPath, QStringLiteral("/last/"));
}

void TestProjectCommands::openProjectCancelledChangesNothing()
{
    Fixture f;
    f.project = f.dir.project({QStringLiteral("Form.pbf")});
    f.project.ProjectSaved = false;
    f.ask.answers << Answer::No;
    f.commands.OpenProject();
    QCOMPARE(f.project.CommonFiles, QStringList{QStringLiteral("Form.pbf")});
    QVERIFY(!f.project.ProjectSaved);
}

void TestProjectCommands::quitCommand_data()
{
    QTest::addColumn<bool>("named");
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("quits");
    QTest::addColumn<bool>("written");
    QTest::newRow("No") << true << int(Answer::No) << true << false;
    QTest::newRow("Yes, named") << true << int(Answer::Yes) << true << true;
    QTest::newRow("Yes, unnamed, save dialog cancelled") << false << int(Answer::Yes) << false << false;
}

void TestProjectCommands::quitCommand()
{
    QFETCH(bool, named);
    QFETCH(int, answer);
    QFETCH(bool, quits);
    QFETCH(bool, written);
    Fixture f;
    f.project = f.dir.project({QStringLiteral("Form.pbf")});
    f.project.ProjectNamed = named;
    f.project.ProjectSaved = false;
    f.ask.answers << Answer(answer);
    f.commands.QuitCommand();
    QCOMPARE(f.commands.QuitRequested, quits);
    QCOMPARE(f.dir.exists(QStringLiteral("Test.pbm")), written);
}

void TestProjectCommands::generationGuard()
{
    Fixture f;
    f.project = f.dir.project({QStringLiteral("Form.pbf")});
    QVERIFY(f.commands.GenerationGuard());
    QVERIFY(f.ask.calls.isEmpty());

    f.project.ProjectNamed = false;
    QVERIFY(!f.commands.GenerationGuard()); // Save As cancelled
    f.ask.saveAnswers << f.dir.path(QStringLiteral("Guarded"));
    QVERIFY(f.commands.GenerationGuard());
    QCOMPARE(f.project.ProjectFile, f.dir.path(QStringLiteral("Guarded.pbm")));
}

QTEST_GUILESS_MAIN(TestProjectCommands)
#include "tst_project_commands.moc"
