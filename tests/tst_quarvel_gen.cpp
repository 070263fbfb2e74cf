// The command-line contract of quarvel-gen, through the real program.
#include "support/output_capture.h"
#include "support/test_project.h"

#include "base/unified_diff.h"
#include "support/golden_runner.h"

#include <QDir>
#include <QDirIterator>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTest>
#include <QTimeZone>

#include <csignal>
#include <cstdio>

#include <unistd.h>

using namespace quarvel;

namespace {

// The settings directory of these runs is a scratch one, never the build tree.
CapturedOutput Run(const QStringList &arguments, const QString &workingDirectory = QString())
{
    static QTemporaryDir configDir;
    return RunQuarvelGen(arguments, configDir.path(), workingDirectory);
}

struct FileState {
    QByteArray bytes;
    QDateTime modified;
    bool operator==(const FileState &) const = default;
};

// Every file and folder below root: the bytes and modification time of each.
QMap<QString, FileState> Snapshot(const QString &root)
{
    QMap<QString, FileState> files;
    QDirIterator it(root, QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QFileInfo info(it.next());
        QFile file(info.filePath());
        files.insert(QDir(root).relativeFilePath(info.filePath()),
                     {info.isFile() && file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray(),
                      info.lastModified().toUTC()});
    }
    return files;
}

// Sets every file below root to one old modification time.
void AgeFiles(const QString &root, const QDateTime &when)
{
    QDirIterator it(root, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        QFile file(it.next());
        QVERIFY(file.open(QIODevice::ReadWrite) && file.setFileTime(when, QFileDevice::FileModificationTime));
    }
}

FileTree WithoutBackup(FileTree tree)
{
    tree.removeIf([](auto it) {
        return it.key().startsWith(QLatin1String("Backup/")) || it.key().contains(QLatin1String("/Backup/"));
    });
    return tree;
}

// The output of a running process, read as it comes, until a text shows up in it.
bool WaitFor(QProcess &process, QByteArray &seen, QProcess::ProcessChannel channel, const QByteArray &text, int count)
{
    QDeadlineTimer deadline(10000);
    process.setReadChannel(channel);
    while (seen.count(text) < count && !deadline.hasExpired()) {
        process.waitForReadyRead(100);
        seen += process.readAll();
    }
    return seen.count(text) >= count;
}

} // namespace

class TestQuarvelGen : public QObject {
    Q_OBJECT
private slots:
    void usageErrors_data();
    void usageErrors();
    void initWritesANewProject();
    void initNeverOverwrites();
    void unreadableProject();
    void noCommonFiles();
    void firstGeneration();
    void setOverridesAreStored();
    void dryRunDiffMatchesTheRun_data();
    void dryRunDiffMatchesTheRun();
    void createdFilesApplyWithPatch();
    void helpVersionAndJsonReport();
    void watchRunsAgainOnAChange();
    void watchRunsOnceMoreAfterASaveDuringARun();
};

void TestQuarvelGen::usageErrors_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("message");
    QTest::newRow("nothing") << QStringList{} << "no project file given.";
    QTest::newRow("unknown option") << QStringList{"--frobnicate", "a.pbm"} << "Unknown option 'frobnicate'.";
    QTest::newRow("two projects") << QStringList{"a.pbm", "b.pbm"} << "one project file only: b.pbm";
    QTest::newRow("bind without =") << QStringList{"--bind", "A", "a.pbm"} << "--bind wants OLD=NEW, not A";
    QTest::newRow("unknown switch") << QStringList{"--set", "Fast=1", "a.pbm"}
                                    << "--set wants SWITCH=NUMBER with a known switch, not Fast=1";
    QTest::newRow("switch without number")
        << QStringList{"--set", "Utf8=yes", "a.pbm"} << "--set wants SWITCH=NUMBER with a known switch, not Utf8=yes";
    QTest::newRow("init without files") << QStringList{
        "--init", "a.pbm"} << "--init takes a project file and at least one common file, and no other option.";
}

void TestQuarvelGen::usageErrors()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, message);
    TestProject dir;
    const CapturedOutput result = Run(arguments, dir.dir());
    QCOMPARE(result.status, 2);
    QVERIFY(result.out.isEmpty());
    QVERIFY2(result.errText().startsWith("quarvel-gen: " + message + "\nusage: quarvel-gen"),
             qPrintable(result.errText()));
    QCOMPARE(QDir(dir.dir()).entryList(QDir::Files), QStringList());
}

void TestQuarvelGen::initWritesANewProject()
{
    TestProject dir;
    // One file named again through ".", "..", its full path, a link or a linked folder is
    // listed once.
    dir.write("Other.pb", "OpenWindow(#Other, 0, 0, 10, 10, \"\")\n");
    QVERIFY(QFile::link(dir.path("Other.pb"), dir.path("Link.pb")));
    QVERIFY(QFile::link(".", dir.path("Here")));
    const CapturedOutput result = Run({"--init", "New.pbm", "Forms/Main.pbf", "Other.pb", "../Outside.pb", "./Other.pb",
                                       "Forms/../Other.pb", dir.path("Other.pb"), "Link.pb", "Here/Other.pb"},
                                      dir.dir());
    QCOMPARE(result.status, 0);
    QVERIFY(result.out.isEmpty());
    // Files below the project's folder are kept relative to it, so that the project can move.
    const QString expected = "[FILES]\nForms/Main.pbf\nOther.pb\n" + QDir::cleanPath(dir.path("../Outside.pb"))
                             + "\n\n"
                               "[SWITCH]\nParend=1\nPB_Ignore=1\nMultilang=0\nImage_Include=0\nImage_Null=0\n"
                               "UseCallFast=1\nUtf8=1\n\n[WINDOW]\n\n[MENU]\n\n[MENUITEM]\n\n[STATUSBAR]\n\n"
                               "[TOOLBAR]\n\n[GADGET]\n\n";
    QCOMPARE(QString::fromUtf8(dir.read("New.pbm")), expected);

    // A project written before with a file listed twice generates it once.
    dir.write("Twice.pbm", "[FILES]\nOther.pb\n./Other.pb\n\n");
    const CapturedOutput twice = Run({"Twice.pbm"}, dir.dir());
    QCOMPARE(twice.status, 0);
    QVERIFY(twice.outLines().contains(" -> Count Window: 1"));
}

void TestQuarvelGen::initNeverOverwrites()
{
    TestProject dir;
    dir.write("New.pbm", "mine");
    const CapturedOutput result = Run({"--init", "New.pbm", "W.pb"}, dir.dir());
    QCOMPARE(result.status, 2);
    QVERIFY(result.errText().contains("exists already"));
    QCOMPARE(dir.read("New.pbm"), QByteArray("mine"));

    // A path through a regular file cannot be written: said on stderr only.
    dir.write("Plain.txt", "plain");
    const CapturedOutput blocked = Run({"--init", "Plain.txt/New.pbm", "W.pb"}, dir.dir());
    QCOMPARE(blocked.status, 2);
    QVERIFY(blocked.out.isEmpty());
    QCOMPARE(blocked.errText(), "quarvel-gen: cannot create " + dir.path("Plain.txt/New.pbm") + " (Not a directory)\n");
}

void TestQuarvelGen::unreadableProject()
{
    TestProject dir;
    const CapturedOutput missing = Run({"Missing.pbm"}, dir.dir());
    QCOMPARE(missing.status, 2);
    QVERIFY(missing.out.isEmpty());
    QCOMPARE(missing.errText(), "quarvel-gen: Project: Errorcode: 1\nquarvel-gen: cannot read the project file "
                                    + dir.path("Missing.pbm") + " (No such file or directory)\n");
    dir.write("Folder.pbm/x", "");
    QCOMPARE(Run({"Folder.pbm"}, dir.dir()).status, 2);
}

void TestQuarvelGen::noCommonFiles()
{
    TestProject dir;
    dir.write("Empty.pbm", "[FILES]\n\n[SWITCH]\nUtf8=1\n\n");
    const CapturedOutput result = Run({"Empty.pbm"}, dir.dir());
    QCOMPARE(result.status, 1);
    QCOMPARE(result.outLines(), QStringList({"Generate Code Step 1 ...", "- Check Main.pb", " -> Main.pb not found.",
                                             "- Load Files...", "None Files to Generate.", "Cancel.", ""}));
    QCOMPARE(QDir(dir.dir()).entryList(QDir::Files), QStringList{"Empty.pbm"});
    QCOMPARE(dir.read("Empty.pbm"), QByteArray("[FILES]\n\n[SWITCH]\nUtf8=1\n\n"));
}

void TestQuarvelGen::firstGeneration()
{
    TestProject dir;
    dir.write("Window.pb", "Procedure Open_Window_0()\nEndProcedure\n");
    QCOMPARE(Run({"--init", "Demo.pbm", "Window.pb"}, dir.dir()).status, 0);
    const CapturedOutput result = Run({dir.path("Demo.pbm")});
    QCOMPARE(result.status, 0);
    QStringList out = result.outLines();
    out = out.mid(0, out.indexOf("Ready.") + 2);
    QCOMPARE(out.mid(out.size() - 8),
             QStringList({" -> Write File " + dir.path("Main.pb"), " -> Write File " + dir.path("CommonFile.pb"),
                          " -> Write File " + dir.path("EventMain.pb"), " -> Write File " + dir.path("EventMenu.pb"),
                          " -> Write File " + dir.path("EventGadget.pb"),
                          " -> Write File " + dir.path("EventWindow.pb"), "Ready.", ""}));
    QVERIFY(result.err.isEmpty());
    // The templates arrive as they stand: the Main program and the fast dispatcher.
    const QStringList main = LinesOf(dir.read("Main.pb").mid(3));
    QCOMPARE(main.first(), QString(";-TOP"));
    QVERIFY(main.contains("EndProcedure:Main()"));
    const QStringList eventMain = LinesOf(dir.read("EventMain.pb").mid(3));
    QVERIFY(eventMain.contains("Procedure MyEventDispatch(EventType)"));
    QVERIFY(!dir.exists("Catalog"));
}

void TestQuarvelGen::setOverridesAreStored()
{
    TestProject dir;
    dir.write("Window.pb", "Procedure Open_Window_0()\nEndProcedure\n");
    // Utf8 is not named, so it is 0 unless set.
    dir.write("P.pbm", "[FILES]\nWindow.pb\n\n[SWITCH]\nUseCallFast=1\n\n");
    const CapturedOutput result = Run({"--set", "UseCallFast=0", "--set", "Multilang=1", "P.pbm"}, dir.dir());
    QCOMPARE(result.status, 0);
    QVERIFY(result.outLines().contains(" -> Write File " + dir.path("Catalog")));
    QVERIFY(!dir.read("Main.pb").startsWith("\xEF\xBB\xBF"));
    QVERIFY(LinesOf(dir.read("EventMain.pb")).contains("  Select MenuID"));
    const QString saved = QString::fromUtf8(dir.read("P.pbm"));
    QVERIFY2(saved.contains("Multilang=1\nImage_Include=0\nImage_Null=0\nUseCallFast=0\nUtf8=0\n"), qPrintable(saved));
}

void TestQuarvelGen::dryRunDiffMatchesTheRun_data()
{
    QTest::addColumn<QString>("input");
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("ready"); // the status of a finished run: 3 where an include is missing
    QTest::newRow("first generation") << "golden/demo_first_generation/input" << QStringList{"Demo.pbm"} << 0;
    QTest::newRow("bound rename") << "golden/window_and_gadget_renamed/input"
                                  << QStringList{"--bind", "Window_0=Main", "--bind", "Main_Button_1=Main_Ok",
                                                 "App.pbm"}
                                  << 3;
    // A blank in the project's name, and an include beside the project folder: the diff's
    // paths are relative to the folder that holds both.
    QTest::newRow("include outside") << "update/outside_include"
                                     << QStringList{"--bind", "Window_0=Main", "--bind", "Main_Button_1=Main_Ok",
                                                    "My Proj/My Proj.pbm"}
                                     << 0;
}

// A dry run touches nothing, and its diff applied with patch -p1 gives what the real run
// writes; an unchanged regeneration then rewrites no file at all.
void TestQuarvelGen::dryRunDiffMatchesTheRun()
{
    QFETCH(QString, input);
    QFETCH(QStringList, arguments);
    QFETCH(int, ready);
    TestProject dry, real;
    dry.copyFrom(input);
    real.copyFrom(input);
    const auto untouched = Snapshot(dry.dir());

    const CapturedOutput check = Run(QStringList{"--check"} + arguments, dry.dir());
    QCOMPARE(check.status, ready ? ready : 4);
    QVERIFY2(check.errText().contains("quarvel-gen: would change EventMain.pb\n"), qPrintable(check.errText()));
    const CapturedOutput preview = Run(QStringList{"--dry-run", "--diff"} + arguments, dry.dir());
    QCOMPARE(preview.status, ready);
    QVERIFY(Snapshot(dry.dir()) == untouched);

    QCOMPARE(Run(arguments, real.dir()).status, ready);
    const qsizetype diffStart = preview.out.indexOf("\n--- ") + 1;
    QVERIFY(diffStart > 0);
    dry.write(".diff", preview.out.mid(diffStart));
    QProcess patch;
    patch.start("patch", {"-p1", "-s", "-d", dry.dir(), "-i", dry.path(".diff")});
    QVERIFY(patch.waitForFinished());
    QVERIFY2(patch.exitCode() == 0, patch.readAllStandardOutput() + patch.readAllStandardError());
    QFile::remove(dry.path(".diff"));
    QVERIFY(ReadTree(dry.dir()) == WithoutBackup(ReadTree(real.dir())));
    QCOMPARE(Run(QStringList{"--check", arguments.last()}, dry.dir()).status, ready);

    // The second run refreshes the backup; the third finds every file as it would write it.
    QCOMPARE(Run({arguments.last()}, real.dir()).status, ready);
    AgeFiles(real.dir(), QDateTime(QDate(2001, 2, 3), QTime(4, 5, 6), Qt::UTC));
    const auto settled = Snapshot(real.dir());
    const CapturedOutput again = Run({arguments.last()}, real.dir());
    QCOMPARE(again.status, ready);
    QVERIFY(again.outLines().contains(" -> Write File " + QFileInfo(real.path(arguments.last())).path() + "/Main.pb"));
    QVERIFY(Snapshot(real.dir()) == settled);
    QVERIFY2(again.outLines().contains(QRegularExpression("^Report: 0 files written, [1-9][0-9]* unchanged\\.$")),
             again.out);
}

// patch creates a file only from a header it knows; an empty one has no lines to add. Names are
// quoted as git quotes them.
void TestQuarvelGen::createdFilesApplyWithPatch()
{
    TestProject dir;
    const QString odd = QString::fromUtf8("Gr\xC3\xB6\xC3\x9F"
                                          "e \"1\".pb");
    dir.write(odd, "old\n");
    dir.write(".diff", UnifiedDiff("Empty.pb", {}, {}, true) + UnifiedDiff("New.pb", {}, "A\nB", true)
                           + UnifiedDiff(odd, "old\n", "new\n", false));
    QProcess patch;
    patch.start("patch", {"-p1", "-s", "-d", dir.dir(), "-i", dir.path(".diff")});
    QVERIFY(patch.waitForFinished());
    QVERIFY2(patch.exitCode() == 0, patch.readAllStandardOutput() + patch.readAllStandardError());
    QVERIFY(QFileInfo(dir.path("Empty.pb")).isFile());
    QCOMPARE(dir.read("Empty.pb"), QByteArray());
    QCOMPARE(dir.read("New.pb"), QByteArray("A\nB"));
    QCOMPARE(dir.read(odd), QByteArray("new\n"));
}

void TestQuarvelGen::helpVersionAndJsonReport()
{
    const CapturedOutput version = Run({"--version"});
    QCOMPARE(version.status, 0);
    QCOMPARE(version.out, QByteArray("quarvel-gen 5.17\n"));
    const CapturedOutput help = Run({"--help"});
    QCOMPARE(help.status, 0);
    QVERIFY(help.out.contains("  4  --check found files that a run would change\n"));
    // The desktop program answers both without a display to open its window on.
    QProcess desktop;
    QProcessEnvironment noDisplay = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        noDisplay.remove(QLatin1String(name));
    desktop.setProcessEnvironment(noDisplay);
    const std::pair<const char *, QByteArray> answers[] = {{"--version", "quarvel 5.17\n"},
                                                           {"--help", "Usage: quarvel [PROJECT.pbm]\n"}};
    for (const auto &[option, start] : answers) {
        desktop.start(QStringLiteral(QUARVEL_PROGRAM), {QLatin1String(option)});
        QVERIFY(desktop.waitForFinished(30000));
        QCOMPARE(desktop.exitStatus(), QProcess::NormalExit);
        QCOMPARE(desktop.exitCode(), 0);
        QVERIFY2(desktop.readAllStandardOutput().startsWith(start), option);
    }
    // Asked to open a project there, it says plainly what it needs and where to go instead.
    desktop.start(QStringLiteral(QUARVEL_PROGRAM), {QStringLiteral("Demo.pbm")});
    QVERIFY(desktop.waitForFinished(30000));
    QCOMPARE(desktop.exitStatus(), QProcess::NormalExit);
    QCOMPARE(desktop.exitCode(), 2);
    const QByteArray said = desktop.readAllStandardError();
    QVERIFY2(said.startsWith("quarvel: no display") && said.contains("quarvel-gen PROJECT.pbm"), said.constData());

    TestProject dir;
    dir.copyFrom("golden/regeneration_user_code/input");
    // A text gadget, which gets no event procedure, beside the button, menu items, orphaned
    // procedure and edited head the project has.
    dir.write("Editor.pb",
              dir.read("Editor.pb").replace("  EndIf", "    TextGadget(#Label, 10, 100, 80, 20, \"Name:\")\n  EndIf"));
    const CapturedOutput json = Run({"--report", "json", "-q", "--keep-unbound", "App.pbm"}, dir.dir());
    QCOMPARE(json.status, 0);
    const QJsonObject report = QJsonDocument::fromJson(json.out).object();
    QCOMPARE(report.value("unchanged").toInt() + report.value("written").toInt(), 7);
    const auto findings = report.value("findings").toArray();
    QVERIFY(!findings.isEmpty());
    QCOMPARE(findings.first().toObject().value("kind").toString(), QString("orphaned-procedure"));
    // Quiet: the end of the run on stderr, no step lines.
    QVERIFY2(json.errText().startsWith("Ready.\n"), qPrintable(json.errText()));
    QCOMPARE(report.value("outcome").toString(), QString("ready"));
    QVERIFY(!report.contains("reason"));
    // Every object with where it is created, what a preview draws, and its event procedure.
    QStringList objects;
    for (const QJsonValue &value : report.value("objects").toArray()) {
        const QJsonObject object = value.toObject();
        const auto text = [](const QJsonObject &from, const char *key) {
            return from.value(key).toVariant().toString();
        };
        const QJsonObject procedure = object.value("procedure").toObject();
        objects.append(QStringList{
            text(object, "kind"), text(object, "window"), text(object, "constant"), text(object, "command"),
            text(object, "file") + ':' + text(object, "line"),
            QStringList{text(object, "x"), text(object, "y"), text(object, "width"), text(object, "height")}.join(','),
            text(object, "text"), text(procedure, "state"), text(procedure, "name"),
            text(procedure, "file") + ':' + text(procedure, "line"), text(procedure, "userLines")}
                           .join(" | "));
    }
    const QStringList expected{
        "window | Window_0 | #Window_0 | OpenWindow | Editor.pb:2 | 0,0,300,200 | Editor | present | "
        "EventSize_Window_0 | EventWindow.pb:7 | 0",
        "menu | Window_0 | #Window_0_Menu_0 | CreateMenu | Editor.pb:3 | ,,, |  | none |  | : | ",
        "menu-item | Window_0 | #Window_0_Save | MenuItem | Editor.pb:5 | ,,, | Save\\tCtrl+S | present | "
        "EventMenu_Window_0_Save | EventMenu.pb:7 | 1",
        "menu-item | Window_0 | #Window_0_Save2 | MenuItem | Editor.pb:6 | ,,, | Save as | present | "
        "EventMenu_Window_0_Save2 | EventMenu.pb:13 | 0",
        "gadget | Window_0 | #Window_0_Button_1 | ButtonGadget | Editor.pb:7 | 10,10,80,24 | Apply | present | "
        "EventGadget_Window_0_Button_1 | EventGadget.pb:7 | 1",
        "gadget | Window_0 | #Window_0_String_0 | StringGadget | Editor.pb:8 | 10,40,200,24 |  | edited-head | "
        "EventGadget_Window_0_String_0 | EventGadget.pb:29 | 0",
        "gadget | Window_0 | #Window_0_Check_Backup | CheckBoxGadget | Editor.pb:9 | 10,70,200,20 | Keep a backup | "
        "appended | EventGadget_Window_0_Check_Backup | EventGadget.pb:40 | ",
        "gadget | Window_0 | #Window_0_Label | TextGadget | Editor.pb:10 | 10,100,80,20 | Name: | none |  | : | ",
        "procedure |  |  |  | : | ,,, |  | orphaned | EventGadget_Window_0_Button_2 | EventGadget.pb:18 | 1",
    };
    QCOMPARE(objects, expected);

    // A cancelled run reports too: how it ended and the line that stopped it.
    QVERIFY(QFile::remove(dir.path("Main.pb")) && QDir(dir.dir()).mkdir("Main.pb"));
    const CapturedOutput cancelled = Run({"--report", "json", "-q", "--keep-unbound", "App.pbm"}, dir.dir());
    QCOMPARE(cancelled.status, 1);
    const QJsonObject stopped = QJsonDocument::fromJson(cancelled.out).object();
    QCOMPARE(stopped.value("outcome").toString(), QString("cancelled"));
    const QStringList log = cancelled.errText().split('\n');
    QCOMPARE(log.indexOf("Cancel."), 1);
    QVERIFY2(log.first().startsWith(" -> Error: Cannot read " + dir.path("Main.pb")), qPrintable(log.first()));
    QCOMPARE(stopped.value("reason").toString(), log.first());
    QCOMPARE(stopped.value("errors").toInt(), 1);
    QVERIFY(stopped.value("findings").toArray().isEmpty());
    QVERIFY(stopped.value("objects").toArray().isEmpty()); // it stopped before reading the sources
}

void TestQuarvelGen::watchRunsAgainOnAChange()
{
    QCOMPARE(Run({"--watch", "--check", "a.pbm"}).status, 2);
    TestProject dir;
    dir.copyFrom("golden/regeneration_user_code/input");
    static QTemporaryDir configDir;
    QProcess watch;
    UseConfigDir(watch, configDir.path());
    watch.setWorkingDirectory(dir.dir());
    watch.start(QStringLiteral(QUARVEL_GEN), {"--watch", "--keep-unbound", "App.pbm"});
    QByteArray out, err;
    QVERIFY2(WaitFor(watch, err, QProcess::StandardError, "Watching for changes (Ctrl-C ends).\n", 1), err);
    QVERIFY(!dir.read("CommonFile.pb").contains("#Window_0_Label"));
    // An editor's save: a new file renamed over the old one.
    dir.write("Editor.new",
              dir.read("Editor.pb").replace("  EndIf", "    TextGadget(#Label, 10, 100, 80, 20, \"\")\n  EndIf"));
    QVERIFY(std::rename(qPrintable(dir.path("Editor.new")), qPrintable(dir.path("Editor.pb"))) == 0);
    QVERIFY2(WaitFor(watch, err, QProcess::StandardError, "Watching for changes (Ctrl-C ends).\n", 2), err);
    watch.setReadChannel(QProcess::StandardOutput);
    out += watch.readAll();
    QCOMPARE(out.count("\nReady.\n"), 2);
    QVERIFY(dir.read("CommonFile.pb").contains("#Window_0_Label"));
    // The files the second run wrote start no third one.
    QTest::qWait(2 * 300 + 200);
    QCOMPARE(err.count("Watching"), 2);
    ::kill(pid_t(watch.processId()), SIGINT);
    QVERIFY(watch.waitForFinished(10000));
    QCOMPARE(watch.exitStatus(), QProcess::NormalExit);
    QCOMPARE(watch.exitCode(), 0);
}

// An editor saves a file while a watched run works: that run writes nothing and stops, and
// the watch runs once more, from the saved text. strace slows each flush to disk by half a
// second, so that the save lands between the run's backup and its writing.
void TestQuarvelGen::watchRunsOnceMoreAfterASaveDuringARun()
{
    if (QStandardPaths::findExecutable(QStringLiteral("strace")).isEmpty())
        QSKIP("needs strace");
    TestProject dir;
    dir.copyFrom("../../examples/demo");
    const QByteArray mine = "Procedure EventGadget_Mine()\nEndProcedure\n";
    const QByteArray saved = "Procedure EventGadget_Mine()\n  Debug \"saved\"\nEndProcedure\n";
    dir.write("EventGadget.pb", mine);
    static QTemporaryDir configDir;
    QProcess watch;
    UseConfigDir(watch, configDir.path());
    watch.setWorkingDirectory(dir.dir());
    watch.setChildProcessModifier([] { ::setsid(); }); // SIGINT reaches strace's whole group
    watch.start("strace", {"-f", "-qq", "-o", "/dev/null", "-e", "trace=syncfs", "-e",
                           "inject=syncfs:delay_enter=500000", QStringLiteral(QUARVEL_GEN), "--watch", "Demo.pbm"});
    QDeadlineTimer deadline(30000);
    while (dir.read("Backup/EventGadget.pb") != mine && !deadline.hasExpired())
        QTest::qWait(5);
    dir.write("EventGadget.pb", saved);
    QByteArray out, err;
    QDeadlineTimer watching(30000);
    while (!err.contains("Watching for changes") && !watching.hasExpired()) {
        watch.waitForReadyRead(100);
        watch.setReadChannel(QProcess::StandardError);
        err += watch.readAll();
    }
    watch.setReadChannel(QProcess::StandardOutput);
    out += watch.readAll();
    ::kill(-pid_t(watch.processId()), SIGINT);
    QVERIFY(watch.waitForFinished(10000));
    out += watch.readAllStandardOutput();
    QCOMPARE(out.count(" changed while the run was working. Stop!\nCancel.\n"), 1);
    QCOMPARE(out.count("\nReady.\n"), 1);
    QVERIFY2(dir.read("EventGadget.pb").startsWith(saved), dir.read("EventGadget.pb").constData());
    QVERIFY(dir.read("EventGadget.pb").contains("Procedure EventGadget_NotesWindow_ListNotes(EventType)"));
}

QTEST_GUILESS_MAIN(TestQuarvelGen)
#include "tst_quarvel_gen.moc"
