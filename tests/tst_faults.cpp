// Whole generations over a project whose disk misbehaves: folders where files should be, a
// directory that takes no writes, files that vanish, a process killed while writing. Every run
// ends as the log says, and no file of the user is lost or left truncated.
#include "support/golden_runner.h"
#include "support/test_project.h"

#include "model/project_file.h"
#include "pipeline/generation_driver.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QMap>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <csignal>

using namespace quarvel;

namespace {

const QString DemoFolder = QStringLiteral("../../examples/demo");
const char *const KillAtVariable = "QUARVEL_FAULTS_KILL_AT";
const char *const ProjectVariable = "QUARVEL_FAULTS_PROJECT";

// A project opened from its file, as the program opens it.
ProjectState Open(const QString &projectFile)
{
    ProjectState project;
    if (!LoadProject(projectFile, project))
        qFatal("%s does not load", qPrintable(projectFile));
    project.ProjectFile = projectFile;
    return project;
}

// The demo project as a user keeps it, opened from its project file.
ProjectState LoadDemo(const TestProject &dir)
{
    dir.copyFrom(DemoFolder);
    return Open(dir.path(QStringLiteral("Demo.pbm")));
}

int CountOf(const QStringList &log, const QString &prefix)
{
    int count = 0;
    for (const QString &line : log)
        count += line.startsWith(prefix);
    return count;
}

// Child mode: one generation of the project in $QUARVEL_FAULTS_PROJECT that kills its own
// process, as a power cut or SIGKILL would, just before the N-th file is put in place.
int RunChildThatDies(const QString &projectFile, int killAt)
{
    ProjectState project = Open(projectFile);
    GenerationRun run(project);
    int commits = 0;
    run.context.writer.beforeCommit = [&](const QString &) {
        if (++commits == killAt)
            std::raise(SIGKILL);
        return true;
    };
    run.run();
    return 4; // not killed: fewer writes than expected
}

} // namespace

class TestFaults : public QObject {
    Q_OBJECT
private slots:
    void directoryRefusingEveryWriteKeepsAllFiles();
    void projectDirectoryBelowARegularFile();
    void outputFileThatIsAFolder();
    void backupPathThatIsAFile();
    void commonFileVanishingBeforeTheRead();
    void includeFileThatIsAFolder();
    void killedWhileWritingLeavesEveryFileOldOrNew();
    void killedGeneratorLeavesEveryFileOldOrNew();
};

void TestFaults::directoryRefusingEveryWriteKeepsAllFiles()
{
    TestProject dir;
    ProjectState project = LoadDemo(dir);
    dir.write("Main.pb", "; my own main file\nXIncludeFile \"Extra.pbi\"\n");
    dir.write("Extra.pbi", "; kept as it is\n");
    const FileTree before = ReadTree(dir.dir());

    GenerationRun run(project);
    run.context.writer.beforeCommit = [](const QString &) { return false; };
    QCOMPARE(run.run(), 1);

    const QStringList &log = run.frontEnd.log;
    QVERIFY(log.contains("- Error CopyDirectory"));
    for (const char *name : {"Main.pb", "CommonFile.pb", "EventMain.pb", "EventMenu.pb", "EventGadget.pb",
                             "EventWindow.pb", "LoadLanguage.pb", "Catalog"})
        QVERIFY2(log.contains(" -> Error File " + dir.path(name) + " / Errorcode: 1"), name);
    QCOMPARE(CountOf(log, " -> Write File "), 0);
    QCOMPARE(run.frontEnd.messages, QStringList{"Project: Errorcode: 1"}); // the project file was not saved
    QCOMPARE(log.mid(log.size() - 2), QStringList({"Ready.", ""}));

    // Not one byte changed, and no temporary file stays behind; Backup was made but is empty.
    QCOMPARE(ReadTree(dir.dir()), before);
    QVERIFY(QDir(dir.path("Backup")).isEmpty());
}

void TestFaults::projectDirectoryBelowARegularFile()
{
    // The common file is found by its absolute name; the project's own directory is a path
    // through a regular file, so nothing can be created there.
    TestProject dir;
    dir.copyFrom(DemoFolder);
    dir.write("Plain", "a regular file");
    const FileTree before = ReadTree(dir.dir());
    ProjectState project = dir.project({dir.path("AboutWindow.pb")});
    project.ProjectFile = dir.path("Plain/Demo.pbm");

    GenerationRun run(project);
    QCOMPARE(run.run(), 1);
    const QStringList &log = run.frontEnd.log;
    QVERIFY(log.contains(" -> Main.pb not found."));
    QVERIFY(log.contains("- Error CopyDirectory"));
    QCOMPARE(CountOf(log, " -> Error File " + dir.path("Plain/")), 6);
    QCOMPARE(CountOf(log, " -> Write File "), 0);
    QCOMPARE(run.frontEnd.messages, QStringList{"Project: Errorcode: 1"});
    QCOMPARE(ReadTree(dir.dir()), before);
}

void TestFaults::outputFileThatIsAFolder()
{
    TestProject dir;
    ProjectState project = LoadDemo(dir);
    dir.write("EventGadget.pb/Notes.txt", "the user's own file inside");

    GenerationRun run(project);
    QCOMPARE(run.run(), 1);
    const QStringList &log = run.frontEnd.log;
    QVERIFY(log.contains(" -> Error File " + dir.path("EventGadget.pb") + " / Errorcode: 1"));
    QCOMPARE(CountOf(log, " -> Write File "), 7);
    QCOMPARE(dir.read("EventGadget.pb/Notes.txt"), QByteArray("the user's own file inside"));
    QVERIFY(dir.read("CommonFile.pb").contains("Procedure Open_NotesWindow"));

    // The next run meets the same folder and says so again; its own files come out the same.
    const FileTree afterFirst = ReadTree(dir.dir());
    GenerationRun second(project);
    QCOMPARE(second.run(), 1);
    QVERIFY(second.frontEnd.log.contains(" -> Error File " + dir.path("EventGadget.pb") + " / Errorcode: 1"));
    const FileTree afterSecond = ReadTree(dir.dir());
    for (auto it = afterFirst.begin(); it != afterFirst.end(); ++it)
        if (!it.key().startsWith("Backup/"))
            QCOMPARE(afterSecond.value(it.key()), it.value());
}

void TestFaults::backupPathThatIsAFile()
{
    TestProject dir;
    ProjectState project = LoadDemo(dir);
    dir.write("Backup", "not a folder");

    GenerationRun run(project);
    QCOMPARE(run.run(), 1);
    const QStringList &log = run.frontEnd.log;
    const qsizetype backup = log.indexOf("- Make Backup...");
    QVERIFY(backup >= 0);
    QCOMPARE(log.at(backup + 1), "- Error CopyDirectory");
    QCOMPARE(log.at(backup + 2), "- Update Prefix");
    QCOMPARE(dir.read("Backup"), QByteArray("not a folder"));
    QCOMPARE(CountOf(log, " -> Write File "), 8);
    QCOMPARE(run.frontEnd.messages, QStringList());
}

void TestFaults::commonFileVanishingBeforeTheRead()
{
    TestProject dir;
    ProjectState project = LoadDemo(dir);
    QVERIFY(QFile::remove(dir.path("NotesWindow.pbf"))); // listed, then gone when the run reads

    GenerationRun run(project);
    QCOMPARE(run.run(), 1);
    const QStringList &log = run.frontEnd.log;
    QVERIFY(log.contains(" -> Error OpenFile NotesWindow.pbf / Errorcode: 1"));
    QVERIFY(log.contains(" -> Count Window: 1"));
    QVERIFY(dir.read("CommonFile.pb").contains("Procedure Open_AboutWindow"));
    QVERIFY(!dir.read("CommonFile.pb").contains("NotesWindow"));

    // The project still lists the file, so it is back in the next run once it returns.
    QCOMPARE(Open(dir.path("Demo.pbm")).CommonFiles, QStringList({"NotesWindow.pbf", "AboutWindow.pb"}));
    QVERIFY(!dir.exists("NotesWindow.pbf")); // and nothing was created in its place
}

void TestFaults::includeFileThatIsAFolder()
{
    TestProject dir;
    ProjectState project = LoadDemo(dir);
    dir.write("Main.pb", "XIncludeFile \"Helpers.pbi\"\n");
    dir.write("Helpers.pbi/Inside.pb", "; a file inside the folder\n");

    GenerationRun run(project);
    QCOMPARE(run.run(), 1);
    const QStringList &log = run.frontEnd.log;
    QVERIFY(log.contains(" -> Error OpenFile " + dir.path("Helpers.pbi") + " / Errorcode: 1"));
    QCOMPARE(log.mid(log.size() - 2), QStringList({"Ready.", ""}));
    QCOMPARE(dir.read("Helpers.pbi/Inside.pb"), QByteArray("; a file inside the folder\n"));
    QVERIFY(dir.read("Main.pb").contains("XIncludeFile \"Helpers.pbi\""));
}

namespace {

// A project generated once ("old"), then changed in a common file; its next run, finished in
// a copy of its own, gives the new files and the number of files that run puts in place.
struct InterruptedRun {
    InterruptedRun()
    {
        {
            ProjectState project = LoadDemo(oldDir);
            GenerationRun first(project);
            first.run();
        }
        QByteArray about = oldDir.read("AboutWindow.pb");
        about.replace("\"Close\"", "\"Close it\"");
        oldDir.write("AboutWindow.pb", about);
        oldFiles = ReadTree(oldDir.dir());

        TestProject newDir;
        copyOldInto(newDir);
        ProjectState project = Open(newDir.path("Demo.pbm"));
        GenerationRun second(project);
        second.context.writer.beforeCommit = [&](const QString &) { ++commits; return true; };
        second.run();
        newFiles = ReadTree(newDir.dir());
    }

    void copyOldInto(const TestProject &dir) const
    {
        for (auto it = oldFiles.begin(); it != oldFiles.end(); ++it)
            dir.write(it.key(), it.value());
    }

    // Every file as the last run left it or as the finished next run writes it; a
    // half-written temporary file may stay beside its target, never in its place. changed
    // counts the files already new.
    void verifyOldOrNew(const FileTree &after, const QString &moment, int &changed) const
    {
        changed = 0;
        for (auto it = after.begin(); it != after.end(); ++it) {
            const QString &name = it.key();
            if (!oldFiles.contains(name) && !newFiles.contains(name)) {
                const QString target = name.section(QLatin1Char('.'), 0, -2); // "<target>.<random>"
                QVERIFY2(newFiles.contains(target), qPrintable(name + " appeared " + moment));
                continue;
            }
            const bool isOld = oldFiles.contains(name) && it.value() == oldFiles.value(name);
            const bool isNew = newFiles.contains(name) && it.value() == newFiles.value(name);
            QVERIFY2(isOld || isNew, qPrintable(name + " torn " + moment));
            changed += !isOld;
        }
        for (auto it = oldFiles.begin(); it != oldFiles.end(); ++it)
            QVERIFY2(after.contains(it.key()), qPrintable(it.key() + " lost " + moment));
    }

    TestProject oldDir;
    FileTree oldFiles;
    FileTree newFiles;
    int commits = 0;
};

} // namespace

// The next run is killed just before each of its file commits in turn.
void TestFaults::killedWhileWritingLeavesEveryFileOldOrNew()
{
    const InterruptedRun run;
    QVERIFY(run.newFiles.value("CommonFile.pb") != run.oldFiles.value("CommonFile.pb"));
    QVERIFY(run.commits >= 9);

    for (int killAt = 1; killAt <= run.commits; ++killAt) {
        TestProject dir;
        run.copyOldInto(dir);
        QProcess child;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(KillAtVariable, QString::number(killAt));
        environment.insert(ProjectVariable, dir.path("Demo.pbm"));
        child.setProcessEnvironment(environment);
        child.start(QCoreApplication::applicationFilePath(), {});
        QVERIFY(child.waitForFinished(120000));
        QCOMPARE(child.exitStatus(), QProcess::CrashExit);

        int changed = 0;
        run.verifyOldOrNew(ReadTree(dir.dir()), QString("when killed at commit %1").arg(killAt), changed);
        QVERIFY(changed <= killAt - 1); // only the files committed before the kill
    }
}

// quarvel-gen itself, killed with SIGKILL at moments spread over its run.
void TestFaults::killedGeneratorLeavesEveryFileOldOrNew()
{
    const InterruptedRun run;
    QVERIFY(run.commits >= 9);
    QTemporaryDir settings;
    for (int delay : {0, 1, 2, 4, 8, 16, 32, 64}) {
        TestProject dir;
        run.copyOldInto(dir);
        QProcess generator;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("QUARVEL_CONFIG_DIR", settings.path());
        generator.setProcessEnvironment(environment);
        generator.start(QUARVEL_GEN, {dir.path("Demo.pbm")});
        QVERIFY(generator.waitForStarted());
        QThread::msleep(delay);
        generator.kill();
        QVERIFY(generator.waitForFinished(120000));

        int changed = 0;
        run.verifyOldOrNew(ReadTree(dir.dir()), QString("when killed after %1 ms").arg(delay), changed);
    }
}

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (qEnvironmentVariableIsSet(KillAtVariable))
        return RunChildThatDies(qEnvironmentVariable(ProjectVariable), qEnvironmentVariableIntValue(KillAtVariable));
    TestFaults test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_faults.moc"
