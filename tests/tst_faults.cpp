// Whole generations over a project whose disk misbehaves: folders where files should be, a
// directory that takes no writes, files that vanish, a process killed while writing. Every run
// ends as the log says, and no file of the user is lost or left truncated.
#include "support/golden_runner.h"
#include "support/output_capture.h"
#include "support/test_project.h"

#include "base/file_writer.h"
#include "model/project_file.h"
#include "pipeline/generation_driver.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QProcess>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <memory>
#include <vector>

#include <csignal>

#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

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

// Puts a folder, a FIFO or a sparse file of 65 MiB at path.
void MakeSpecialFile(const QString &path, const QString &kind)
{
    QFile::remove(path);
    if (kind == "folder")
        QVERIFY(QDir().mkpath(path + "/Inside"));
    else if (kind == "fifo")
        QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0644), 0);
    else
        QVERIFY(QFile(path).open(QIODevice::WriteOnly));
    if (kind == "huge")
        QCOMPARE(::truncate(QFile::encodeName(path).constData(), (qint64(65) << 20)), 0);
}

// The writer's temporary files anywhere below root.
QStringList TemporaryFilesIn(const QString &root)
{
    QStringList found;
    QDirIterator it(root, {".quarvel-*"}, QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
    while (it.hasNext())
        found.append(it.next());
    return found;
}

// quarvel-gen under a file-size limit set in the started process alone, SIGXFSZ at its
// default: the program itself must see to it that a write past the limit fails with EFBIG.
CapturedOutput RunQuarvelGenLimited(const QStringList &arguments, rlim_t limit)
{
    static QTemporaryDir configDir;
    QProcess generator;
    UseConfigDir(generator, configDir.path());
    generator.setChildProcessModifier([limit] {
        std::signal(SIGXFSZ, SIG_DFL);
        struct rlimit lowered;
        ::getrlimit(RLIMIT_FSIZE, &lowered);
        lowered.rlim_cur = limit;
        ::setrlimit(RLIMIT_FSIZE, &lowered);
    });
    generator.start(QUARVEL_GEN, arguments);
    return WaitForOutput(generator, 120000);
}

const uid_t Nobody = 65534;

struct stat StatOf(const QString &path)
{
    struct stat info {};
    ::lstat(QFile::encodeName(path).constData(), &info);
    return info;
}

void Chmod(const QString &path, mode_t mode)
{
    QCOMPARE(::chmod(QFile::encodeName(path).constData(), mode), 0);
}

// Gives root and everything below it to the user nobody.
void GiveToNobody(const QString &root)
{
    QCOMPARE(::lchown(QFile::encodeName(root).constData(), Nobody, Nobody), 0);
    QDirIterator it(root, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        QCOMPARE(::lchown(QFile::encodeName(it.next()).constData(), Nobody, Nobody), 0);
}

// quarvel-gen run as the user nobody (through setpriv, by root).
CapturedOutput RunQuarvelGenAsNobody(const QStringList &arguments, const QString &configDir)
{
    QProcess generator;
    UseConfigDir(generator, configDir);
    generator.start("setpriv",
                    QStringList{"--reuid=65534", "--regid=65534", "--clear-groups", QUARVEL_GEN} + arguments);
    return WaitForOutput(generator, 120000);
}

// The demo with an event procedure of the user's own, its folder and the settings given to the
// user nobody; false where quarvel-gen cannot run as nobody here (not root, no setpriv).
bool DemoOfNobody(TestProject &dir, const QTemporaryDir &settings)
{
    if (::geteuid() != 0 || RunQuarvelGenAsNobody({"--version"}, settings.path()).status != 0)
        return false;
    LoadDemo(dir);
    dir.write("EventGadget.pb", "Procedure EventGadget_Mine()\nEndProcedure\n");
    GiveToNobody(dir.dir());
    GiveToNobody(settings.path());
    return true;
}

} // namespace

class TestFaults : public QObject {
    Q_OBJECT
private slots:
    void directoryRefusingEveryWriteKeepsAllFiles();
    void aSaveDuringTheRunIsKept();
    void aRunKeepsTheBytesItDoesNotChange();
    void unclosedLastProcedureStopsTheRun();
    void projectDirectoryBelowARegularFile();
    void unreadableUserFileStopsTheRun_data();
    void unreadableUserFileStopsTheRun();
    void fileSizeLimitKeepsEveryOldText();
    void userTextSurvivesRuns();
    void specialFilesAsSourcesAreRefused();
    void parallelRunsTakeTurns();
    void parallelInitMakesOneProject();
    void commandLineSaysWhy();
    void backupPathThatIsAFile();
    void commonFileVanishingBeforeTheRead();
    void includeFileThatIsAFolder();
    void userSetupSurvivesARun();
    void anotherUserKeepsWhatItMayNotWrite();
    void aBackupTheUserMayNotWriteStopsTheRun();
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
    run.context.writer.beforeCommit = [](const QString &path) { return path.contains("/Backup/"); };
    QCOMPARE(run.run(), 1);

    // The first file fails as it takes its place; every other one is held back with it.
    const QStringList &log = run.frontEnd.log;
    // Main.pb needs no change: it is not written, and keeps its line.
    QCOMPARE(log.filter(" -> Error File "),
             QStringList{" -> Error File " + dir.path("CommonFile.pb") + " / Errorcode: 1"});
    QCOMPARE(log.filter(" -> Write File "), QStringList{" -> Write File " + dir.path("Main.pb")});
    QCOMPARE(run.frontEnd.messages, QStringList{"Project: Errorcode: 1"}); // the project file was not saved
    QCOMPARE(log.mid(log.size() - 2), QStringList({"Ready.", ""}));
    QCOMPARE(project.Stored.Window, QStringList()); // the next run compares with the old names

    // Not one byte changed, and no temporary file or journal stays behind.
    FileTree after = ReadTree(dir.dir());
    after.removeIf([](auto it) { return it.key().startsWith(QLatin1String("Backup/")); });
    QCOMPARE(after, before);
}

// An editor saves a file after the run read it and before the run writes: the run writes
// nothing, the save stays, and the run stops naming the file. A file the run leaves as it is
// may be saved meanwhile: that run goes on, and the save stays too.
void TestFaults::aSaveDuringTheRunIsKept()
{
    TestProject dir;
    ProjectState project = LoadDemo(dir);
    dir.write("EventGadget.pb", "Procedure EventGadget_Mine()\nEndProcedure\n");
    const QByteArray saved = "Procedure EventGadget_Mine()\nEndProcedure\nProcedure EventGadget_New()\nEndProcedure\n";
    FileTree expected = ReadTree(dir.dir());
    expected.insert("EventGadget.pb", saved);

    GenerationRun run(project);
    const auto saveAt = [&](const char *moment, const QString &name, const QByteArray &bytes) {
        return [&, moment, name, bytes](const LogEntry &entry) {
            if (entry.text == QLatin1String(moment))
                dir.write(name, bytes);
        };
    };
    run.frontEnd.onLogLine = saveAt("- Write Files...", "EventGadget.pb", saved);
    QCOMPARE(run.run(), 0);
    const QStringList &log = run.frontEnd.log;
    QCOMPARE(log.mid(log.size() - 3),
             QStringList({" -> Error: " + dir.path("EventGadget.pb") + " changed while the run was working. Stop!",
                          "Cancel.", ""}));
    QCOMPARE(run.frontEnd.results.value(0).changedWhileRunning, QStringList{"EventGadget.pb"});
    FileTree after = ReadTree(dir.dir());
    after.removeIf([](auto it) { return it.key().startsWith(QLatin1String("Backup/")); });
    QCOMPARE(after, expected);
    QCOMPARE(project.Stored.Window, QStringList());

    GenerationRun again(project);
    QCOMPARE(again.run(), 1);
    const QByteArray main = dir.read("Main.pb") + "; saved while a run worked\n";
    GenerationRun unchanged(project);
    unchanged.frontEnd.onLogLine = saveAt("- Write Files...", "Main.pb", main);
    QCOMPARE(unchanged.run(), 1);
    QCOMPARE(dir.read("Main.pb"), main);
}

// A run with nothing to change writes nothing: a file keeps its bytes and its time, however
// it is kept (8-bit text in a UTF-8 run, UTF-16, CR line ends). A file the run does change
// keeps its format, its mark or none, its line ends and the bytes the run does not touch.
void TestFaults::aRunKeepsTheBytesItDoesNotChange()
{
    TestProject dir;
    ProjectState project = LoadDemo(dir);
    {
        GenerationRun first(project);
        QCOMPARE(first.run(), 1);
    }
    QByteArray gadgets = dir.read("EventGadget.pb").mid(3); // without its mark
    gadgets.replace("EndProcedure\n", "  ; Gr\xFC\xDF"
                                      "e\nEndProcedure\n");
    dir.write("EventGadget.pb", gadgets);
    QStringEncoder utf16(QStringConverter::Utf16LE);
    const QByteArray menus = "\xFF\xFE" + QByteArray(utf16.encode(QString::fromUtf8(dir.read("EventMenu.pb").mid(3))));
    dir.write("EventMenu.pb", menus);
    const QByteArray main = dir.read("Main.pb").replace('\n', '\r');
    dir.write("Main.pb", main);
    const QDateTime longAgo(QDate(2001, 2, 3), QTime(4, 5, 6), Qt::UTC);
    for (const char *name : {"EventGadget.pb", "EventMenu.pb", "Main.pb"}) {
        QFile file(dir.path(name));
        QVERIFY(file.open(QIODevice::ReadWrite) && file.setFileTime(longAgo, QFileDevice::FileModificationTime));
    }

    GenerationRun noOp(project);
    QCOMPARE(noOp.run(), 1);
    for (const char *name : {"EventGadget.pb", "EventMenu.pb", "Main.pb"})
        QCOMPARE(QFileInfo(dir.path(name)).lastModified().toUTC(), longAgo);
    QCOMPARE(dir.read("EventGadget.pb"), gadgets);
    QCOMPARE(dir.read("EventMenu.pb"), menus);
    QCOMPARE(dir.read("Main.pb"), main);

    QByteArray about = dir.read("AboutWindow.pb");
    about.replace("\t\tSetActiveGadget",
                  "\t\tButtonGadget(#ButtonHelp, 120, 110, 90, 28, \"Help\")\n\t\tSetActiveGadget");
    dir.write("AboutWindow.pb", about);
    GenerationRun changing(project);
    QCOMPARE(changing.run(), 1);
    const QByteArray changed = dir.read("EventGadget.pb");
    QVERIFY2(changed.startsWith(gadgets), changed.constData());
    QVERIFY(changed.mid(gadgets.size()).contains("Procedure EventGadget_AboutWindow_ButtonHelp(EventType)\n"));
    QCOMPARE(dir.read("EventMenu.pb"), menus);
}

// Procedures appended after a procedure that has no EndProcedure would become part of it: the
// run stops at that place and the file stays as the user left it.
void TestFaults::unclosedLastProcedureStopsTheRun()
{
    TestProject dir;
    ProjectState project = LoadDemo(dir);
    const QByteArray open = "Procedure EventGadget_Mine(EventType)\n  Debug 1\n; IDE Options\n";
    dir.write("EventGadget.pb", open);
    const FileTree before = ReadTree(dir.dir());

    GenerationRun run(project);
    QCOMPARE(run.run(), 0);
    const QStringList &log = run.frontEnd.log;
    QCOMPARE(log.mid(log.size() - 3),
             QStringList({" -> Error: Procedure EventGadget_Mine (EventGadget.pb:1) has no EndProcedure: the new "
                          "procedures would be appended inside it. Stop!",
                          "Cancel.", ""}));
    QCOMPARE(run.frontEnd.entries.at(log.size() - 3).line, 1);
    FileTree after = ReadTree(dir.dir());
    after.removeIf([](auto it) { return it.key().startsWith(QLatin1String("Backup/")); });
    QCOMPARE(after, before);
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
    QCOMPARE(run.run(), 0);
    const QStringList &log = run.frontEnd.log;
    QVERIFY(log.contains(" -> Main.pb not found."));
    QCOMPARE(log.mid(log.size() - 4), QStringList({"- Error CopyDirectory",
                                                   " -> Error: The backup into " + dir.path("Plain/")
                                                       + "Backup failed, so no file is changed. Stop!",
                                                   "Cancel.", ""}));
    QCOMPARE(CountOf(log, " -> Write File "), 0);
    QCOMPARE(ReadTree(dir.dir()), before);
}

// An existing user file that cannot be read (a folder, a FIFO, a file beyond 64 MiB) would be
// taken as absent and rebuilt from the templates, the user's procedures gone: the run stops
// before anything is written. A FIFO must not hang the run either.
void TestFaults::unreadableUserFileStopsTheRun_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("reason");
    // clang-format off
    QTest::newRow("event file is a folder") << "EventGadget.pb" << "folder" << "Is a directory";
    QTest::newRow("Main.pb is a FIFO") << "Main.pb" << "fifo" << "not a regular file";
    QTest::newRow("Catalog is a FIFO") << "Catalog" << "fifo" << "not a regular file";
    QTest::newRow("LoadLanguage.pb beyond 64 MiB") << "LoadLanguage.pb" << "huge" << "larger than 64 MiB";
    // clang-format on
}

void TestFaults::unreadableUserFileStopsTheRun()
{
    QFETCH(QString, name);
    QFETCH(QString, kind);
    QFETCH(QString, reason);
    TestProject dir;
    ProjectState project = LoadDemo(dir);
    dir.write("EventMenu.pb", "Procedure EventMenu_Mine()\n  ; the user's code\nEndProcedure\n");
    MakeSpecialFile(dir.path(name), kind);

    GenerationRun run(project);
    QCOMPARE(run.run(), 0);
    const QStringList &log = run.frontEnd.log;
    QCOMPARE(log.mid(log.size() - 3),
             QStringList({" -> Error: Cannot read " + dir.path(name) + " (" + reason + "). Stop!", "Cancel.", ""}));
    QCOMPARE(CountOf(log, " -> Write File "), 0);
    QVERIFY(!dir.exists("Backup"));
    QVERIFY(!dir.exists("CommonFile.pb"));
    QCOMPARE(dir.read("EventMenu.pb"), QByteArray("Procedure EventMenu_Mine()\n  ; the user's code\nEndProcedure\n"));
}

// A file-size limit makes real writes fail part way, as a full disk does: the file whose new
// text does not fit fails, the others are held back with it, so the project stays as it was
// (and compiles as before); the log names the file and the report says why.
void TestFaults::fileSizeLimitKeepsEveryOldText()
{
    TestProject dir;
    LoadDemo(dir);
    QByteArray userCode;
    for (int i = 0; userCode.size() < 7000; ++i)
        userCode += "  Debug \"the user's line " + QByteArray::number(i) + "\"\n";
    const QByteArray eventGadget = "Procedure EventGadget_Mine()\n" + userCode + "EndProcedure\n";
    dir.write("EventGadget.pb", eventGadget);
    const FileTree before = ReadTree(dir.dir());

    // The backup copy fits below the limit; the file with its new procedures does not.
    QVERIFY(eventGadget.size() < 8192);
    const CapturedOutput limited = RunQuarvelGenLimited({dir.path("Demo.pbm")}, 8192);
    QCOMPARE(limited.status, 3);
    const QStringList out = limited.outLines();
    QCOMPARE(out.filter(" -> Error File "),
             QStringList{" -> Error File " + dir.path("EventGadget.pb") + " / Errorcode: 1"});
    QCOMPARE(CountOf(out, " -> Write File "), 0);
    QVERIFY(out.contains("Report: 0 files written, 0 unchanged, 1 failed, 8 held back."));
    QVERIFY(out.contains(" -> EventGadget.pb: could not be written (File too large)."));
    QCOMPARE(limited.errText(), "quarvel-gen: Project: Errorcode: 1\n"
                                "quarvel-gen: 1 file could not be written, 8 kept as they were, see the log\n");
    FileTree after = ReadTree(dir.dir());
    after.removeIf([](auto it) { return it.key().startsWith(QLatin1String("Backup/")); });
    QCOMPARE(after, before);
    QCOMPARE(TemporaryFilesIn(dir.dir()), QStringList());
}

// What the user wrote survives a run: the comments after the last procedure of an event file,
// a LoadLanguage.pb comment that names a marker, UTF-8 without a mark in a UTF-8 run, an
// include saved as UTF-16 without a mark, and the comments, blank lines and entries of a
// Catalog without a header.
void TestFaults::userTextSurvivesRuns()
{
    TestProject dir;
    ProjectState project = LoadDemo(dir);
    const QByteArray trailer = "; my closing note\n; IDE Options = PureBasic 6.00\n; Folding = -\n";
    dir.write("EventWindow.pb", "Procedure EventWindow_Mine()\nEndProcedure\n" + trailer);
    dir.write("EventGadget.pb",
              "Procedure EventGadget_Mine()\n  Debug \"caf\xC3\xA9 \xE2\x80\x93 ok\"\nEndProcedure\n");
    QByteArray language = ReadTestData("../../src/emit/templates/LoadLanguage.pb");
    language.prepend("; The block below starts at DefaultLanguage: and ends at EndDefaultLanguage:\n");
    dir.write("LoadLanguage.pb", language);
    const QByteArray catalog = "; my translations\n\"Help\";\"Hilfe\" ; checked in November\n\n\"Notes\";\"Notizen\"\n";
    dir.write("Catalog", catalog);
    dir.write("Main.pb", "XIncludeFile \"Helpers.pbi\"\n");
    const QByteArray helpers = QStringLiteral("; h\u00E9lper\nProcedure Helper()\nEndProcedure\n").toUtf8();
    QStringEncoder utf16(QStringConverter::Utf16LE);
    dir.write("Helpers.pbi", utf16.encode(QString::fromUtf8(helpers)));
    const QByteArray helpersBytes = dir.read("Helpers.pbi");

    for (int pass = 1; pass <= 2; ++pass) {
        GenerationRun run(project);
        QCOMPARE(run.run(), 1);
        const QByteArray window = dir.read("EventWindow.pb");
        QVERIFY2(window.endsWith(trailer), window.constData());
        QVERIFY(window.contains("Procedure EventWindow_Mine()"));
        QVERIFY(window.indexOf("Procedure Size_AboutWindow") < window.indexOf(trailer)); // appended before it
        QVERIFY(dir.read("EventGadget.pb").contains("Debug \"caf\xC3\xA9 \xE2\x80\x93 ok\""));
        QVERIFY(dir.read("LoadLanguage.pb").contains("Procedure LoadLanguage("));
        QVERIFY(dir.read("LoadLanguage.pb").startsWith("; The block below starts at DefaultLanguage:"));
        // The Catalog keeps the user's lines in their places, under the header it lacked.
        const QByteArray written = dir.read("Catalog");
        QVERIFY2(written.startsWith("Default;Language\n" + catalog + "\""), written.constData());
        QCOMPARE(written.count("\"Notes\""), 1);
        QVERIFY(written.contains("\n\"File\";\"\"\n"));
        QCOMPARE(dir.read("Helpers.pbi"), helpersBytes);
        QCOMPARE(CountOf(run.frontEnd.log, " -> Warning: " + dir.dir()), 0);
    }
    QCOMPARE(dir.read("Backup/EventWindow.pb").count("; my closing note"), 1);

    // A file with a mark whose bytes are no UTF-8 is read all the same, with a warning.
    dir.write("EventMenu.pb", "\xEF\xBB\xBFProcedure EventMenu_Mine()\n  ; bad \xE9 byte\nEndProcedure\n");
    GenerationRun marked(project);
    QCOMPARE(marked.run(), 1);
    QVERIFY(marked.frontEnd.log.contains(" -> Warning: " + dir.path("EventMenu.pb")
                                         + " holds invalid bytes in line 2, read as U+FFFD."));
}

// A FIFO or a device as a source is refused, never read until the run hangs or its memory
// runs out: as an include with a log line (the run goes on), as a common file it stops the
// run, as the project file it is a usage error.
void TestFaults::specialFilesAsSourcesAreRefused()
{
    TestProject dir;
    ProjectState project = LoadDemo(dir);
    dir.write("Main.pb", "XIncludeFile \"Included.pbi\"\n");
    MakeSpecialFile(dir.path("Included.pbi"), "fifo");

    GenerationRun run(project);
    QCOMPARE(run.run(), 1);
    QCOMPARE(CountOf(run.frontEnd.log, " -> Error OpenFile " + dir.path("Included.pbi") + " / Errorcode: 1"), 2);
    QVERIFY(run.frontEnd.log.contains(" -> Count Window: 2"));
    QCOMPARE(run.context.faults.unread, 2); // the language scan and the update

    project.CommonFiles.append("/dev/zero");
    GenerationRun device(project);
    QCOMPARE(device.run(), 0);
    QCOMPARE(device.frontEnd.log.mid(device.frontEnd.log.size() - 4),
             QStringList({" -> Error OpenFile /dev/zero / Errorcode: 1",
                          " -> Error: Cannot read /dev/zero (not a regular file). Stop!", "Cancel.", ""}));

    MakeSpecialFile(dir.path("Pipe.pbm"), "fifo");
    static QTemporaryDir settings;
    const CapturedOutput pipe = RunQuarvelGen({dir.path("Pipe.pbm")}, settings.path());
    QCOMPARE(pipe.status, 2);
    QVERIFY2(
        pipe.errText().endsWith("cannot read the project file " + dir.path("Pipe.pbm") + " (not a regular file)\n"),
        qPrintable(pipe.errText()));
}

// Parallel quarvel-gen runs on one project take turns: none copies another's temporary files
// into Backup/, and a temporary file left by a killed run is removed by the next one.
void TestFaults::parallelRunsTakeTurns()
{
    TestProject dir;
    LoadDemo(dir);
    dir.write("EventMenu.pb", "Procedure EventMenu_Mine()\n  ; the user's code\nEndProcedure\n");
    dir.write(".quarvel-00000000000000aa.tmp", "from a killed run");
    dir.write("Backup/.quarvel-00000000000000bb.tmp", "from a killed run");
    QTemporaryDir settings;
    std::vector<std::unique_ptr<QProcess>> runs;
    for (int i = 0; i < 12; ++i) {
        runs.push_back(std::make_unique<QProcess>());
        UseConfigDir(*runs.back(), settings.path());
        runs.back()->start(QUARVEL_GEN, {dir.path("Demo.pbm")});
    }
    for (const auto &run : runs) {
        QVERIFY(run->waitForFinished(120000));
        const QByteArray out = run->readAllStandardOutput();
        QVERIFY2(run->exitCode() == 0
                     || (run->exitCode() == 1 && out.contains(" -> Error: Another run is working on ")),
                 out.constData());
    }
    QCOMPARE(TemporaryFilesIn(dir.dir()), QStringList());
    const QStringList backup = QDir(dir.path("Backup")).entryList(QDir::Files | QDir::Hidden);
    for (const QString &name : backup)
        QVERIFY2(dir.exists(name), qPrintable(name + " in Backup/ is no source of the project"));
    QVERIFY(dir.read("EventMenu.pb").contains("Procedure EventMenu_Mine()\n  ; the user's code\nEndProcedure\n"));
}

// Of parallel --init runs on one name exactly one creates the project; a common file name that
// holds a line end is refused.
void TestFaults::parallelInitMakesOneProject()
{
    TestProject dir;
    QTemporaryDir settings;
    std::vector<std::unique_ptr<QProcess>> runs;
    for (int i = 0; i < 12; ++i) {
        runs.push_back(std::make_unique<QProcess>());
        runs.back()->setWorkingDirectory(dir.dir());
        runs.back()->start(QUARVEL_GEN, {"--init", "Same.pbm", QString("Window%1.pb").arg(i)});
    }
    int created = 0;
    for (const auto &run : runs) {
        QVERIFY(run->waitForFinished(120000));
        QVERIFY(run->exitCode() == 0 || run->exitCode() == 2);
        created += run->exitCode() == 0;
    }
    QCOMPARE(created, 1);
    QCOMPARE(CountOf(LinesOf(dir.read("Same.pbm")), "Window"), 1);

    const CapturedOutput odd = RunQuarvelGen({"--init", dir.path("Odd.pbm"), "A.pb\nB.pb"}, settings.path());
    QCOMPARE(odd.status, 2);
    QVERIFY(!dir.exists("Odd.pbm"));
}

// Clear words on the command line: a missing project says why, a project whose name starts
// with "-" is given after "--", a settings variable that names a file is reported.
void TestFaults::commandLineSaysWhy()
{
    TestProject dir;
    LoadDemo(dir);
    QVERIFY(QFile::copy(dir.path("Demo.pbm"), dir.path("-x.pbm")));
    dir.write("Settings", "a file, not a folder");
    QProcess generator;
    UseConfigDir(generator, dir.path("Settings"));
    generator.setWorkingDirectory(dir.dir());
    generator.start(QUARVEL_GEN, {"--", "-x.pbm"});
    QVERIFY(generator.waitForFinished(120000));
    QCOMPARE(generator.exitCode(), 0);
    QVERIFY(generator.readAllStandardError().contains("QUARVEL_CONFIG_DIR names a file, not a folder: "
                                                      + dir.path("Settings").toUtf8()));

    QTemporaryDir settings;
    const CapturedOutput missing = RunQuarvelGen({dir.path("Missing.pbm")}, settings.path());
    QCOMPARE(missing.status, 2);
    QVERIFY(missing.errText().endsWith(" (No such file or directory)\n"));
}

// Without its backup a run changes nothing: a Backup that is a file, or a folder of Backup/
// where an include outside the project is copied, stops the run before any file changes, and
// quarvel-gen exits 3 saying so on stderr.
void TestFaults::backupPathThatIsAFile()
{
    TestProject dir;
    ProjectState project = LoadDemo(dir);
    dir.write("Backup", "not a folder");
    const FileTree before = ReadTree(dir.dir());

    GenerationRun run(project);
    QCOMPARE(run.run(), 0);
    const QStringList &log = run.frontEnd.log;
    QCOMPARE(log.mid(log.indexOf("- Make Backup...")),
             QStringList({"- Make Backup...", "- Error CopyDirectory",
                          " -> Error: The backup into " + dir.dir() + "Backup failed, so no file is changed. Stop!",
                          "Cancel.", ""}));
    QVERIFY(run.frontEnd.results.value(0).backupFailed);
    QCOMPARE(ReadTree(dir.dir()), before);
    QTemporaryDir settings;
    const CapturedOutput generator = RunQuarvelGen({dir.path("Demo.pbm")}, settings.path());
    QCOMPARE(generator.status, 3);
    QVERIFY(generator.outLines().contains("Cancel."));
    QCOMPARE(generator.errText(), "quarvel-gen: the backup failed, see the log\n");
    QCOMPARE(ReadTree(dir.dir()), before);

    QVERIFY(QFile::remove(dir.path("Backup")));
    dir.write("Backup/Outside", "a file where the outside copies go");
    TestProject elsewhere;
    elsewhere.write("Tools.pbi", "Procedure Tool()\nEndProcedure\n");
    dir.write("Main.pb", "XIncludeFile \"" + elsewhere.path("Tools.pbi").toUtf8() + "\"\n");
    const FileTree outside = ReadTree(dir.dir());
    GenerationRun second(project);
    QCOMPARE(second.run(), 0);
    QVERIFY(second.frontEnd.log.contains("- Error CopyDirectory"));
    FileTree after = ReadTree(dir.dir());
    after.removeIf(
        [](auto it) { return it.key().startsWith(QLatin1String("Backup/")) && it.key() != "Backup/Outside"; });
    QCOMPARE(after, outside);
}

// A common file that cannot be read would make its window's objects look renamed or gone:
// the run stops before the rename check, and nothing is written.
void TestFaults::commonFileVanishingBeforeTheRead()
{
    TestProject dir;
    ProjectState project = LoadDemo(dir);
    QVERIFY(QFile::remove(dir.path("NotesWindow.pbf"))); // listed, then gone when the run reads
    const FileTree before = ReadTree(dir.dir());

    GenerationRun run(project);
    QCOMPARE(run.run(), 0);
    const QStringList &log = run.frontEnd.log;
    QCOMPARE(log.mid(log.size() - 4), QStringList({" -> Error OpenFile NotesWindow.pbf / Errorcode: 1",
                                                   " -> Error: Cannot read " + dir.path("NotesWindow.pbf")
                                                       + " (No such file or directory). Stop!",
                                                   "Cancel.", ""}));
    QVERIFY(!log.contains("Generate Code Step 2 ..."));
    QCOMPARE(ReadTree(dir.dir()), before);
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

// What the user set up around the files stays after a run that rewrites them: an event file
// that is a symlink is written through it, a hard-linked Catalog keeps its link, a file keeps
// its CR LF line ends (an unchanged one is not rewritten), its owner and its mode; the backup
// follows no link among the files and keeps the modes; files named like temporary ones stay.
void TestFaults::userSetupSurvivesARun()
{
    TestProject dir;
    ProjectState project = LoadDemo(dir);
    {
        GenerationRun first(project);
        QCOMPARE(first.run(), 1);
    }
    dir.write("shared/EventGadget.pb", "Procedure Shared()\nEndProcedure\n");
    QVERIFY(QFile::remove(dir.path("EventGadget.pb")));
    QVERIFY(QFile::link("shared/EventGadget.pb", dir.path("EventGadget.pb")));
    QByteArray catalog = dir.read("Catalog");
    catalog.truncate(catalog.lastIndexOf('\n', catalog.size() - 2) + 1); // a key the run adds back
    dir.write("Catalog", catalog);
    QCOMPARE(::link(QFile::encodeName(dir.path("Catalog")).constData(),
                    QFile::encodeName(dir.path("shared/Catalog")).constData()),
             0);
    const QByteArray main = dir.read("Main.pb").replace("\n", "\r\n");
    dir.write("Main.pb", main);
    const QByteArray menu = dir.read("EventMenu.pb").replace("\n", "\r\n");
    dir.write("EventMenu.pb", menu);
    dir.write("EventWindow.pb", "Procedure Mine()\r\nEndProcedure\r\n");
    Chmod(dir.path("EventWindow.pb"), 0640);
    Chmod(dir.path("NotesWindow.pbf"), 0600);
    dir.write("secret/key", "not for the backup");
    QVERIFY(QFile::link(dir.path("secret/key"), dir.path("key.pbk")));
    const char *const lookAlikes[] = {".quarvel-notes.tmp", ".QUARVEL-TODO.TMP", "Backup/.quarvel-notes.tmp"};
    for (const char *name : lookAlikes)
        dir.write(name, "the user's notes");
    const bool root = ::geteuid() == 0;
    if (root)
        QCOMPARE(::chown(QFile::encodeName(dir.path("EventWindow.pb")).constData(), Nobody, Nobody), 0);

    GenerationRun second(project);
    QCOMPARE(second.run(), 1);
    QVERIFY(QFileInfo(dir.path("EventGadget.pb")).isSymLink());
    const QByteArray gadgets = dir.read("shared/EventGadget.pb");
    QVERIFY(gadgets.startsWith("Procedure Shared()\nEndProcedure\n") && gadgets.contains("Procedure EventGadget_"));
    QCOMPARE(dir.read("Backup/EventGadget.pb"), QByteArray("Procedure Shared()\nEndProcedure\n"));
    QVERIFY(dir.read("Catalog") != catalog);
    QCOMPARE(StatOf(dir.path("Catalog")).st_ino, StatOf(dir.path("shared/Catalog")).st_ino);
    QCOMPARE(dir.read("Main.pb"), main);
    QCOMPARE(dir.read("EventMenu.pb"), menu);
    const QByteArray windows = dir.read("EventWindow.pb");
    QVERIFY(windows.startsWith("Procedure Mine()\r\nEndProcedure\r\n") && windows.contains("Procedure EventSize_"));
    QCOMPARE(windows.count("\r\n"), windows.count("\n"));
    QCOMPARE(StatOf(dir.path("EventWindow.pb")).st_mode & 07777, mode_t(0640));
    if (root)
        QCOMPARE(StatOf(dir.path("EventWindow.pb")).st_uid, Nobody);
    QCOMPARE(StatOf(dir.path("Backup/NotesWindow.pbf")).st_mode & 07777, mode_t(0600));
    QVERIFY(!dir.exists("Backup/key.pbk"));
    for (const char *name : lookAlikes)
        QVERIFY2(dir.exists(name), name);
}

// Run by a user who may not write a file (made read-only, mode 0444), the run keeps it and
// holds back the others: exit status 3 and the reason in the report. A project folder that
// user may write but not list cannot be locked: the run stops. Root passes every permission
// check, so this runs quarvel-gen as the user nobody.
void TestFaults::anotherUserKeepsWhatItMayNotWrite()
{
    QTemporaryDir settings;
    TestProject dir;
    if (!DemoOfNobody(dir, settings))
        QSKIP("needs root, setpriv and a quarvel-gen the user nobody may run");
    Chmod(dir.path("EventGadget.pb"), 0444);
    const FileTree before = ReadTree(dir.dir());

    const CapturedOutput readOnly = RunQuarvelGenAsNobody({dir.path("Demo.pbm")}, settings.path());
    QCOMPARE(readOnly.status, 3);
    const QStringList out = readOnly.outLines();
    QCOMPARE(out.filter(" -> Error File "),
             QStringList{" -> Error File " + dir.path("EventGadget.pb") + " / Errorcode: 1"});
    QVERIFY(out.contains(" -> EventGadget.pb: could not be written (Permission denied)."));
    FileTree after = ReadTree(dir.dir());
    after.removeIf([](auto it) { return it.key().startsWith(QLatin1String("Backup/")); });
    QCOMPARE(after, before);

    Chmod(dir.dir(), 0300);
    const CapturedOutput unlisted = RunQuarvelGenAsNobody({dir.path("Demo.pbm")}, settings.path());
    Chmod(dir.dir(), 0700);
    QCOMPARE(unlisted.status, 1);
    QVERIFY2(unlisted.outLines().contains(" -> Error: Cannot lock " + dir.dir()
                                          + " against other runs (Permission denied). Stop!"),
             unlisted.out.constData());
}

// A Backup/ of another user (root's, mode 0700) that the user running the program may not write:
// the backup fails, and the run stops before any file changes (exit status 3).
void TestFaults::aBackupTheUserMayNotWriteStopsTheRun()
{
    QTemporaryDir settings;
    TestProject dir;
    if (!DemoOfNobody(dir, settings))
        QSKIP("needs root, setpriv and a quarvel-gen the user nobody may run");
    QVERIFY(QDir().mkdir(dir.path("Backup")));
    Chmod(dir.path("Backup"), 0700);
    const FileTree before = ReadTree(dir.dir());

    const CapturedOutput run = RunQuarvelGenAsNobody({dir.path("Demo.pbm")}, settings.path());
    QCOMPARE(run.status, 3);
    const QStringList out = run.outLines();
    QVERIFY2(out.contains("- Error CopyDirectory") && out.contains("Cancel."), run.out.constData());
    QCOMPARE(CountOf(out, " -> Write File "), 0);
    QCOMPARE(ReadTree(dir.dir()), before);
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
        second.context.writer.beforeCommit = [&](const QString &) {
            ++commits;
            return true;
        };
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
                const QString file = name.section(QLatin1Char('/'), -1);
                QVERIFY2((file.startsWith(".quarvel-") && file.endsWith(".tmp")) || name == Journal,
                         qPrintable(name + " appeared " + moment));
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

    // The project's own files now, as the last run or the next one leaves them: all old, or
    // all new. The backup may hold either, and a journal or a temporary file is none of them.
    void verifyAllOldOrAllNew(const FileTree &after, const QString &moment) const
    {
        bool allOld = true, allNew = true;
        for (auto it = newFiles.begin(); it != newFiles.end(); ++it) {
            if (it.key().startsWith(QLatin1String("Backup/")))
                continue;
            allOld = allOld && after.value(it.key()) == oldFiles.value(it.key());
            allNew = allNew && after.value(it.key()) == it.value();
        }
        QVERIFY2(allOld || allNew, qPrintable("old and new files mixed " + moment));
        QVERIFY2(!after.contains(Journal), qPrintable("a journal left " + moment));
    }

    static inline const QString Journal = QStringLiteral(".quarvel-journal");
    TestProject oldDir;
    FileTree oldFiles;
    FileTree newFiles;
    int commits = 0;
};

// The temporary file of a file the journal lists as not yet in its place, if any: removed, the
// set can only be rolled back.
bool LoseANewText(const QString &journal)
{
    QFile file(journal);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    for (const QByteArray &line : file.readAll().split('\n')) {
        const QList<QByteArray> fields = line.split(' ');
        if (fields.size() == 13 && QFile::exists(QFile::decodeName(QByteArray::fromPercentEncoding(fields[1]))))
            return QFile::remove(QFile::decodeName(QByteArray::fromPercentEncoding(fields[1])));
    }
    return false;
}

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
        const QString moment = QString("when killed at commit %1").arg(killAt);
        run.verifyOldOrNew(ReadTree(dir.dir()), moment, changed);
        QVERIFY(changed <= killAt - 1); // only the files committed before the kill

        // The next run puts the set right before anything else: finished, or rolled back
        // where a new text is lost. Here the recovery is looked at alone.
        const QString journal = dir.path(InterruptedRun::Journal);
        const bool journaled = QFile::exists(journal);
        const bool lost = journaled && killAt % 2 == 0 && LoseANewText(journal);
        const FileWriter::Recovery recovery = FileWriter::RecoverInterruptedWrite(journal);
        QCOMPARE(recovery.kind, !journaled ? FileWriter::Recovery::None
                                : lost     ? FileWriter::Recovery::RolledBack
                                           : FileWriter::Recovery::Finished);
        QVERIFY(recovery.leftAlone.isEmpty());
        run.verifyAllOldOrAllNew(ReadTree(dir.dir()), moment + " and recovered");
    }

    // quarvel-gen --check reports a set left half in place; the next run says it put it right.
    TestProject dir;
    run.copyOldInto(dir);
    QProcess child;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(KillAtVariable, QString::number(run.commits));
    environment.insert(ProjectVariable, dir.path("Demo.pbm"));
    child.setProcessEnvironment(environment);
    child.start(QCoreApplication::applicationFilePath(), {});
    QVERIFY(child.waitForFinished(120000));
    QVERIFY(dir.exists(InterruptedRun::Journal));
    QTemporaryDir settings;
    const CapturedOutput check = RunQuarvelGen({"--check", dir.path("Demo.pbm")}, settings.path());
    QCOMPARE(check.status, 4);
    QVERIFY(check.errText().startsWith("quarvel-gen: the last run was interrupted while its files took their places"));
    QVERIFY(dir.exists(InterruptedRun::Journal));
    const CapturedOutput next = RunQuarvelGen({dir.path("Demo.pbm")}, settings.path());
    QCOMPARE(next.status, 0);
    QCOMPARE(next.outLines().filter("interrupted"),
             QStringList{" -> Warning: The last run was interrupted while its files took their places; finished now, "
                         "1 file put in place."});
    QVERIFY(!dir.exists(InterruptedRun::Journal));
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
        UseConfigDir(generator, settings.path());
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
