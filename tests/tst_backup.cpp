#include "pipeline/backup.h"
#include "pipeline/generation_context.h"
#include "support/golden_runner.h"
#include "support/recording_front_end.h"
#include "support/test_project.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QTest>

using namespace quarvel;

namespace {

struct BackupRun {
    BackupRun() : project(dir.project({})), context(project, tables, frontEnd) {}
    void run() { MakeBackup(context); }

    TestProject dir;
    ProjectState project;
    NameTables tables;
    RecordingFrontEnd frontEnd;
    GenerationContext context;
};

} // namespace

class TestBackup : public QObject {
    Q_OBJECT

private slots:
    void copiesTheSourcesOnly()
    {
        BackupRun b;
        b.dir.write("Main.pb", "Main");
        b.dir.write("Form.pbf", "Form");
        b.dir.write("Test.pbm", "Project");
        b.dir.write("Old.pb.bak", "Old");
        b.dir.write("notes.txt", "Notes");
        b.dir.write("MAIN.PB", "Upper");
        b.dir.write("Forms.pb/Inner.pb", "Inner");
        b.run();
        QVERIFY(b.frontEnd.log.isEmpty());
        const QDir backup(b.dir.path("Backup"));
        QCOMPARE(backup.entryList(QDir::AllEntries | QDir::NoDotAndDotDot, QDir::Name),
                 QStringList({"Form.pbf", "Main.pb", "Old.pb.bak", "Test.pbm"}));
        QCOMPARE(b.dir.read("Backup/Main.pb"), QByteArray("Main"));
        QCOMPARE(b.dir.read("Backup/Old.pb.bak"), QByteArray("Old"));
        QCOMPARE(QFileInfo(backup.path()).permissions() & 0x0777,
                 QFileDevice::ReadUser | QFileDevice::WriteUser | QFileDevice::ExeUser); // nothing for group and others
    }

    void aSecondRunRefreshesTheCopies()
    {
        BackupRun b;
        b.dir.write("Main.pb", "first");
        b.dir.write("Gone.pb", "gone");
        b.run();
        b.dir.write("Main.pb", "second");
        QVERIFY(QFile::remove(b.dir.path("Gone.pb")));
        b.run();
        QVERIFY(b.frontEnd.log.isEmpty());
        QCOMPARE(b.dir.read("Backup/Main.pb"), QByteArray("second"));
        QCOMPARE(b.dir.read("Backup/Gone.pb"), QByteArray("gone"));
    }

    void copiesThatAlreadyMatchAreLeftAlone()
    {
        BackupRun b;
        b.dir.write("Same.pb", "same");
        b.dir.write("Edited.pb", "abc");
        b.dir.write("Empty.pb", "");
        b.dir.write("Longer.pb", "ab");
        const QByteArray large(3 << 20, 'x'); // compared a piece at a time
        b.dir.write("Large.pb", large);
        b.dir.write("LargeEdited.pb", large);
        b.run();
        const QDateTime longAgo(QDate(2001, 2, 3), QTime(4, 5, 6), Qt::UTC);
        for (const char *name : {"Backup/Same.pb", "Backup/Edited.pb", "Backup/Empty.pb", "Backup/Large.pb"}) {
            QFile copy(b.dir.path(name));
            QVERIFY(copy.open(QIODevice::ReadWrite));
            QVERIFY(copy.setFileTime(longAgo, QFileDevice::FileModificationTime));
        }
        b.dir.write("Edited.pb", "abd"); // same size, other bytes
        b.dir.write("Longer.pb", "abc");
        b.dir.write("LargeEdited.pb", large + "y");
        b.run();
        QVERIFY(b.frontEnd.log.isEmpty());
        QCOMPARE(b.dir.read("Backup/Edited.pb"), QByteArray("abd"));
        QCOMPARE(b.dir.read("Backup/Longer.pb"), QByteArray("abc"));
        QCOMPARE(b.dir.read("Backup/LargeEdited.pb"), large + "y");
        QCOMPARE(QFileInfo(b.dir.path("Backup/Large.pb")).lastModified().toUTC(), longAgo);
        QCOMPARE(QFileInfo(b.dir.path("Backup/Same.pb")).lastModified().toUTC(), longAgo);
        QCOMPARE(QFileInfo(b.dir.path("Backup/Empty.pb")).lastModified().toUTC(), longAgo);
        QCOMPARE(b.dir.read("Backup/Same.pb"), QByteArray("same"));
    }

    void aBackupThatIsAFileFailsOnce()
    {
        BackupRun b;
        b.dir.write("Backup", "not a folder");
        b.dir.write("Main.pb", "Main");
        b.dir.write("EventGadget.pb", "Gadget");
        b.run();
        QCOMPARE(b.frontEnd.log, QStringList({"- Error CopyDirectory"}));
        QCOMPARE(b.dir.read("Backup"), QByteArray("not a folder"));
    }

    void oneFailedCopyStillCopiesTheRest()
    {
        BackupRun b;
        b.dir.write("A.pb", "A");
        b.dir.write("B.pb", "B");
        QVERIFY(QDir().mkpath(b.dir.path("Backup/A.pb"))); // a folder where the copy should go
        b.run();
        QCOMPARE(b.frontEnd.log, QStringList({"- Error CopyDirectory"}));
        QCOMPARE(b.dir.read("Backup/B.pb"), QByteArray("B"));
    }

    // The backup follows no link: a Backup that is one is not written through, a source that
    // is one is not copied; a copy keeps its source's mode.
    void linksAreNotFollowedAndModesKept()
    {
        BackupRun b;
        b.dir.write("outside/kept.txt", "the link's target");
        b.dir.write("secret/key", "not for the backup");
        b.dir.write("Main.pb", "Main");
        b.dir.write("Private.pb", "mine");
        QVERIFY(QFile::setPermissions(b.dir.path("Private.pb"), QFileDevice::ReadOwner | QFileDevice::WriteOwner));
        QVERIFY(QFile::link(b.dir.path("secret/key"), b.dir.path("key.pbk")));
        QVERIFY(QFile::link(b.dir.path("outside"), b.dir.path("Backup")));
        b.run();
        QCOMPARE(b.frontEnd.log, QStringList({"- Error CopyDirectory"}));
        QCOMPARE(QDir(b.dir.path("outside")).entryList(QDir::Files | QDir::Hidden), QStringList{"kept.txt"});

        QVERIFY(QFile::remove(b.dir.path("Backup")));
        b.frontEnd.log.clear();
        b.run();
        QVERIFY(b.frontEnd.log.isEmpty());
        QCOMPARE(QDir(b.dir.path("Backup")).entryList(QDir::Files | QDir::Hidden, QDir::Name),
                 QStringList({"Main.pb", "Private.pb"}));
        QCOMPARE(QFileInfo(b.dir.path("Backup/Private.pb")).permissions(),
                 QFileInfo(b.dir.path("Private.pb")).permissions());

        // A copy of the same bytes is copied again when its mode is not its source's, or when
        // it is a link, whose mode is every permission.
        QVERIFY(QFile::setPermissions(b.dir.path("Private.pb"), QFileDevice::ReadOwner));
        QVERIFY(QFile::setPermissions(b.dir.path("Main.pb"), QFileDevice::Permissions(0x7777)));
        b.dir.write("outside/Main.pb", "Main");
        QVERIFY(QFile::remove(b.dir.path("Backup/Main.pb")));
        QVERIFY(QFile::link(b.dir.path("outside/Main.pb"), b.dir.path("Backup/Main.pb")));
        b.run();
        QVERIFY(b.frontEnd.log.isEmpty());
        QCOMPARE(QFileInfo(b.dir.path("Backup/Private.pb")).permissions() & 0x7000, QFileDevice::ReadOwner);
        QVERIFY(!QFileInfo(b.dir.path("Backup/Main.pb")).isSymLink());
        QCOMPARE(b.dir.read("Backup/Main.pb"), QByteArray("Main"));
    }

    // Every file the run may change is copied: the Catalog, an event file through its link, and
    // the includes, one outside the project under Outside and its full path.
    void filesTheRunMayChangeAreCopied()
    {
        BackupRun b;
        b.project.ProjectFile = b.dir.path("Project/Test.pbm");
        b.dir.write("Project/Catalog", "Default;Language\n");
        b.dir.write("shared/Events.pb", "shared events");
        QVERIFY(QFile::link("../shared/Events.pb", b.dir.path("Project/EventGadget.pb")));
        b.dir.write("Project/Forms/Tools.inc", "in a subfolder");
        b.dir.write("lib/Helpers.pbi", "outside the project");
        b.context.model.IncludeFileList = {"Forms/Tools.inc", b.dir.path("Project/../lib/Helpers.pbi"), "Missing.pbi"};
        b.run();
        QVERIFY(b.frontEnd.log.isEmpty());
        QCOMPARE(b.dir.read("Project/Backup/Catalog"), QByteArray("Default;Language\n"));
        QCOMPARE(b.dir.read("Project/Backup/EventGadget.pb"), QByteArray("shared events"));
        QCOMPARE(b.dir.read("Project/Backup/Forms/Tools.inc"), QByteArray("in a subfolder"));
        const QString outside = "Project/Backup/Outside" + QDir::cleanPath(b.dir.path("lib/Helpers.pbi"));
        QCOMPARE(b.dir.read(outside), QByteArray("outside the project"));
        QCOMPARE(BackupCopyPath(b.dir.path("Project/"), b.dir.path("lib/Helpers.pbi")), b.dir.path(outside));
    }

    // An include's copy goes where the path leads, inside Backup/: ".." beyond "/" stays at "/",
    // a link and the ".." after it are followed as the system follows them, "." is nothing.
    // Nothing outside Backup/ is written.
    void copiesStayInsideTheBackup()
    {
        BackupRun b;
        b.project.ProjectFile = b.dir.path("Project/Test.pbm");
        b.dir.write("lib/Tools.pbi", "the real tools");
        b.dir.write("Project/lib/Tools.pbi", "a file of the same name in the project");
        QVERIFY(QFile::link(b.dir.path("lib"), b.dir.path("Project/linked")));
        const QString up = QStringLiteral("../").repeated(b.dir.dir().count(QLatin1Char('/')) + 3);
        b.context.model.IncludeFileList = {up + b.dir.path("lib/Tools.pbi").mid(1), "./linked/./../lib/Tools.pbi"};
        FileTree before = ReadTree(b.dir.dir());
        b.run();
        QVERIFY(b.frontEnd.log.isEmpty());
        const QString real = QFileInfo(b.dir.path("lib/Tools.pbi")).canonicalFilePath();
        QCOMPARE(b.dir.read("Project/Backup/Outside" + real), QByteArray("the real tools"));
        QVERIFY(!b.dir.exists("Project/Backup/lib"));
        FileTree after = ReadTree(b.dir.dir());
        after.removeIf([](auto it) { return it.key().startsWith(QLatin1String("Project/Backup/")); });
        QCOMPARE(after, before);
    }

    void aMissingProjectDirectoryFails()
    {
        BackupRun b;
        b.project.ProjectFile = b.dir.path("Nowhere/Test.pbm");
        b.run();
        QCOMPARE(b.frontEnd.log, QStringList({"- Error CopyDirectory"}));
    }
};

QTEST_GUILESS_MAIN(TestBackup)
#include "tst_backup.moc"
