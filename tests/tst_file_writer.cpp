#include "base/file_writer.h"
#include "support/test_project.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTest>

using namespace quarvel;

namespace {

QStringList Entries(const TestProject &dir)
{
    return QDir(dir.dir()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot, QDir::Name);
}

} // namespace

class TestFileWriter : public QObject {
    Q_OBJECT

private slots:
    void writeAllPutsEveryFileInPlace()
    {
        TestProject dir;
        dir.write("Old.pb", "old text that is longer than the new one");
        const QList<bool> written = FileWriter().WriteAll(
            {{dir.path("Old.pb"), "new"}, {dir.path("New.pb"), "fresh"}, {dir.path("Empty.pb"), ""}});
        QCOMPARE(written, QList<bool>({true, true, true}));
        QCOMPARE(dir.read("Old.pb"), QByteArray("new"));
        QCOMPARE(dir.read("New.pb"), QByteArray("fresh"));
        QVERIFY(dir.exists("Empty.pb"));
        QCOMPARE(dir.read("Empty.pb"), QByteArray());
        QCOMPARE(Entries(dir), QStringList({"Empty.pb", "New.pb", "Old.pb"})); // no temporary left
    }

    void writeAllGivesFilesTheirUsualPermissions()
    {
        TestProject dir;
        dir.write("Plain.pb", "made by QFile");
        dir.write("Locked.pb", "old");
        QVERIFY(QFile::setPermissions(dir.path("Locked.pb"), QFileDevice::ReadOwner | QFileDevice::WriteOwner));
        QCOMPARE(FileWriter().WriteAll({{dir.path("New.pb"), "n"}, {dir.path("Locked.pb"), "l"}}),
                 QList<bool>({true, true}));
        // A new file looks like any other new file; a replaced one keeps what its owner set.
        QCOMPARE(QFileInfo(dir.path("New.pb")).permissions(), QFileInfo(dir.path("Plain.pb")).permissions());
        QCOMPARE(QFileInfo(dir.path("Locked.pb")).permissions() & 0x0777,
                 QFileDevice::ReadUser | QFileDevice::WriteUser);
    }

    void writeAllReportsEachFailureAndWritesTheRest()
    {
        TestProject dir;
        dir.write("Folder.pb/Inside.pb", "inside");
        dir.write("Plain", "a regular file");
        dir.write("Kept.pb", "kept");
        FileWriter writer;
        writer.beforeCommit = [&](const QString &path) { return path != dir.path("Kept.pb"); };
        const QList<bool> written = writer.WriteAll({{dir.path("Folder.pb"), "x"},
                                                     {dir.path("Plain/Through.pb"), "x"},
                                                     {dir.path("Kept.pb"), "lost"},
                                                     {dir.path("Good.pb"), "good"}});
        QCOMPARE(written, QList<bool>({false, false, false, true}));
        QCOMPARE(dir.read("Folder.pb/Inside.pb"), QByteArray("inside"));
        QCOMPARE(dir.read("Plain"), QByteArray("a regular file"));
        QCOMPARE(dir.read("Kept.pb"), QByteArray("kept"));
        QCOMPARE(dir.read("Good.pb"), QByteArray("good"));
        QCOMPARE(Entries(dir), QStringList({"Folder.pb", "Good.pb", "Kept.pb", "Plain"}));
    }

    void writeAllOfNothingWritesNothing()
    {
        TestProject dir;
        QVERIFY(FileWriter().WriteAll({}).isEmpty());
        QVERIFY(Entries(dir).isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestFileWriter)
#include "tst_file_writer.moc"
