#include "base/file_writer.h"
#include "support/test_project.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTest>

#include <sys/stat.h>
#include <unistd.h>

using namespace quarvel;

namespace {

using Outcome = FileWriter::Outcome;

QStringList Entries(const TestProject &dir, const QString &folder = QString())
{
    return QDir(dir.path(folder))
        .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
}

QList<Outcome::State> States(const QList<Outcome> &outcomes)
{
    QList<Outcome::State> states;
    for (const Outcome &outcome : outcomes)
        states.append(outcome.state);
    return states;
}

struct stat StatOf(const QString &path)
{
    struct stat info {};
    ::lstat(QFile::encodeName(path).constData(), &info);
    return info;
}

const uid_t Nobody = 65534;

} // namespace

class TestFileWriter : public QObject {
    Q_OBJECT

private slots:
    void writeTogetherPutsEveryFileInPlace()
    {
        TestProject dir;
        dir.write("Old.pb", "old text that is longer than the new one");
        // While the files take their places, the journal names them; then it is gone.
        FileWriter writer;
        writer.journalPath = dir.path(".journal");
        QStringList journaled;
        writer.beforeCommit = [&](const QString &) {
            journaled << QString::fromUtf8(dir.read(".journal")).section(QLatin1Char('\n'), 0, 0);
            return true;
        };
        const QList<Outcome> outcomes = writer.WriteTogether(
            {{dir.path("Old.pb"), "new"}, {dir.path("New.pb"), "fresh"}, {dir.path("Empty.pb"), ""}});
        QCOMPARE(journaled, QStringList(3, "quarvel journal 1"));
        QCOMPARE(States(outcomes), QList<Outcome::State>(3, Outcome::Written));
        QCOMPARE(dir.read("Old.pb"), QByteArray("new"));
        QCOMPARE(dir.read("New.pb"), QByteArray("fresh"));
        QVERIFY(dir.exists("Empty.pb"));
        QCOMPARE(dir.read("Empty.pb"), QByteArray());
        QCOMPARE(Entries(dir), QStringList({"Empty.pb", "New.pb", "Old.pb"})); // no temporary left
        QVERIFY(FileWriter().WriteTogether({}).isEmpty());
    }

    // A replaced file keeps its mode, owner and group; a new one looks like any new file, or
    // belongs to the folder's owner when the run works in someone else's folder (sudo).
    void filesKeepModeAndOwner()
    {
        TestProject dir;
        dir.write("Plain.pb", "made by QFile");
        dir.write("Locked.pb", "old");
        QVERIFY(QFile::setPermissions(dir.path("Locked.pb"), QFileDevice::ReadOwner | QFileDevice::WriteOwner));
        QVERIFY(FileWriter().Write(dir.path("New.pb"), "n"));
        QVERIFY(FileWriter().Write(dir.path("Locked.pb"), "l"));
        QCOMPARE(QFileInfo(dir.path("New.pb")).permissions(), QFileInfo(dir.path("Plain.pb")).permissions());
        QCOMPARE(StatOf(dir.path("Locked.pb")).st_mode & 07777, mode_t(0600));

        if (::geteuid() != 0)
            QSKIP("changing a file's owner needs root");
        dir.write("Theirs/Form.pb", "old");
        for (const char *name : {"Theirs", "Theirs/Form.pb"})
            QCOMPARE(::chown(QFile::encodeName(dir.path(name)).constData(), Nobody, Nobody), 0);
        QCOMPARE(
            States(FileWriter().WriteTogether({{dir.path("Theirs/Form.pb"), "new"}, {dir.path("Theirs/New.pb"), "n"}})),
            QList<Outcome::State>(2, Outcome::Written));
        for (const char *name : {"Theirs/Form.pb", "Theirs/New.pb"}) {
            QCOMPARE(StatOf(dir.path(name)).st_uid, Nobody);
            QCOMPARE(StatOf(dir.path(name)).st_gid, gid_t(Nobody));
        }
    }

    // A symlink's target is written and the link stays; a file with several hard links is
    // written in place, so that every link sees the new text.
    void linksStay()
    {
        TestProject dir;
        dir.write("shared/EventGadget.pb", "old target");
        QVERIFY(QFile::link("shared/EventGadget.pb", dir.path("EventGadget.pb")));
        dir.write("Catalog", "old catalog");
        QCOMPARE(::link(QFile::encodeName(dir.path("Catalog")).constData(),
                        QFile::encodeName(dir.path("shared/Catalog")).constData()),
                 0);
        QVERIFY(QFile::link("New.pb", dir.path("Dangling.pb"))); // created where it leads

        const QList<Outcome> outcomes = FileWriter().WriteTogether({{dir.path("EventGadget.pb"), "new target"},
                                                                    {dir.path("Catalog"), "new catalog"},
                                                                    {dir.path("Dangling.pb"), "d"}});
        QCOMPARE(States(outcomes), QList<Outcome::State>(3, Outcome::Written));
        QVERIFY(QFileInfo(dir.path("EventGadget.pb")).isSymLink());
        QCOMPARE(dir.read("shared/EventGadget.pb"), QByteArray("new target"));
        QCOMPARE(dir.read("shared/Catalog"), QByteArray("new catalog"));
        QCOMPARE(StatOf(dir.path("Catalog")).st_ino, StatOf(dir.path("shared/Catalog")).st_ino);
        QVERIFY(QFileInfo(dir.path("Dangling.pb")).isSymLink());
        QCOMPARE(dir.read("New.pb"), QByteArray("d"));
        QCOMPARE(Entries(dir, "shared"), QStringList({"Catalog", "EventGadget.pb"}));
    }

    // One file that cannot be written holds back every other; each failure says why. A file
    // nobody may write (mode 0444) is not replaced, by root neither, as editors refuse it.
    void aFailureHoldsBackEveryFile()
    {
        TestProject dir;
        dir.write("Folder.pb/Inside.pb", "inside");
        dir.write("Plain", "a regular file");
        dir.write("ReadOnly.pb", "kept");
        QCOMPARE(::chmod(QFile::encodeName(dir.path("ReadOnly.pb")).constData(), 0444), 0);
        const ino_t readOnly = StatOf(dir.path("ReadOnly.pb")).st_ino;
        dir.write("Good.pb", "old");
        const FileWriter writer;
        const QList<Outcome> outcomes = writer.WriteTogether({{dir.path("Good.pb"), "new"},
                                                              {dir.path("Folder.pb"), "x"},
                                                              {dir.path("Plain/Through.pb"), "x"},
                                                              {dir.path("ReadOnly.pb"), "lost"},
                                                              {dir.path("Fresh.pb"), "fresh"}});
        QCOMPARE(States(outcomes), QList<Outcome::State>({Outcome::HeldBack, Outcome::Failed, Outcome::Failed,
                                                          Outcome::Failed, Outcome::HeldBack}));
        QCOMPARE(outcomes[1].reason, QString("Is a directory"));
        QCOMPARE(outcomes[2].reason, QString("Not a directory"));
        QCOMPARE(outcomes[3].reason, QString("Permission denied"));
        QCOMPARE(writer.Obstacle(dir.path("ReadOnly.pb")), QString("Permission denied"));
        QCOMPARE(dir.read("Good.pb"), QByteArray("old"));
        QCOMPARE(dir.read("ReadOnly.pb"), QByteArray("kept"));
        QCOMPARE(StatOf(dir.path("ReadOnly.pb")).st_ino, readOnly);
        const FileResult lost = writer.Write(dir.path("ReadOnly.pb"), "lost");
        QCOMPARE(lost.status, FileResult::Failed);
        QCOMPARE(lost.path, dir.path("ReadOnly.pb"));
        QCOMPARE(lost.reason, QString("Permission denied"));
        QCOMPARE(Entries(dir), QStringList({"Folder.pb", "Good.pb", "Plain", "ReadOnly.pb"}));
    }

    // Should a file fail as it takes its place, the files placed before it get their old
    // text back (a created one is removed, a hard-linked one rewritten in place).
    void aFailureWhileTakingPlacePutsTheOldTextBack()
    {
        TestProject dir;
        dir.write("A.pb", "old A");
        dir.write("C.pb", "old C");
        QCOMPARE(
            ::link(QFile::encodeName(dir.path("C.pb")).constData(), QFile::encodeName(dir.path("C.link")).constData()),
            0);
        dir.write("D.pb", "old D");
        FileWriter writer;
        writer.beforeCommit = [&](const QString &path) { return path != dir.path("D.pb"); };
        const QList<Outcome> outcomes = writer.WriteTogether({{dir.path("A.pb"), "new A"},
                                                              {dir.path("B.pb"), "new B"},
                                                              {dir.path("C.pb"), "new C"},
                                                              {dir.path("D.pb"), "new D"}});
        QCOMPARE(States(outcomes),
                 QList<Outcome::State>({Outcome::HeldBack, Outcome::HeldBack, Outcome::HeldBack, Outcome::Failed}));
        QCOMPARE(dir.read("A.pb"), QByteArray("old A"));
        QCOMPARE(dir.read("C.link"), QByteArray("old C"));
        QCOMPARE(StatOf(dir.path("C.pb")).st_nlink, nlink_t(2));
        QCOMPARE(dir.read("D.pb"), QByteArray("old D"));
        QCOMPARE(Entries(dir), QStringList({"A.pb", "C.link", "C.pb", "D.pb"}));
    }

    // A backup copy replaces whatever stands at its place, a link included, and keeps the
    // source's mode.
    void copiesReplaceLinksAndKeepTheSourceMode()
    {
        TestProject dir;
        dir.write("secret", "not to be overwritten");
        dir.write("Private.pb", "mine");
        QVERIFY(QFile::setPermissions(dir.path("Private.pb"), QFileDevice::ReadOwner | QFileDevice::WriteOwner));
        QVERIFY(QDir().mkpath(dir.path("Backup")));
        QVERIFY(QFile::link(dir.path("secret"), dir.path("Backup/Private.pb")));
        QCOMPARE(FileWriter().WriteCopies({{dir.path("Backup/Private.pb"), "mine", dir.path("Private.pb")}}),
                 QList<bool>{true});
        QVERIFY(!QFileInfo(dir.path("Backup/Private.pb")).isSymLink());
        QCOMPARE(dir.read("Backup/Private.pb"), QByteArray("mine"));
        QCOMPARE(StatOf(dir.path("Backup/Private.pb")).st_mode & 07777, mode_t(0600));
        QCOMPARE(dir.read("secret"), QByteArray("not to be overwritten"));
    }

    // Only files of the exact temporary shape are removed: never a user's file of a like
    // name, a link, or anything behind a folder that is a link.
    void removesOnlyItsOwnTemporaryFiles()
    {
        TestProject dir;
        const QString stale = ".quarvel-0123456789abcdef.tmp";
        for (const QString &name : {stale, QString(".quarvel-notes.tmp"), QString(".QUARVEL-TODO.TMP"),
                                    QString(".quarvel-0123456789ABCDEF.tmp"), "Backup/" + stale,
                                    "Backup/Outside/" + stale, "elsewhere/" + stale})
            dir.write(name, "x");
        QVERIFY(QFile::link(dir.path("elsewhere/" + stale), dir.path(".quarvel-fedcba9876543210.tmp")));
        QVERIFY(QFile::link(dir.path("elsewhere"), dir.path("Backup/Linked")));
        FileWriter::RemoveStaleTemporaryFiles(dir.dir());
        FileWriter::RemoveStaleTemporaryFiles(dir.path("Backup"), true);
        QCOMPARE(Entries(dir),
                 QStringList({".QUARVEL-TODO.TMP", ".quarvel-0123456789ABCDEF.tmp", ".quarvel-fedcba9876543210.tmp",
                              ".quarvel-notes.tmp", "Backup", "elsewhere"}));
        QCOMPARE(Entries(dir, "Backup"), QStringList({"Linked", "Outside"}));
        QCOMPARE(Entries(dir, "Backup/Outside"), QStringList());
        QVERIFY(dir.exists("elsewhere/" + stale));

        QVERIFY(QFile::link(dir.path("elsewhere"), dir.path("LinkedBackup")));
        FileWriter::RemoveStaleTemporaryFiles(dir.path("LinkedBackup"), true);
        QVERIFY(dir.exists("elsewhere/" + stale));
    }
};

QTEST_GUILESS_MAIN(TestFileWriter)
#include "tst_file_writer.moc"
