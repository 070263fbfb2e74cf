// The preference file: how hand-written files read, how the program writes them back, pending
// groups, read-only files and files that cannot be written.
#include "support/test_project.h"

#include "project/preference_file.h"

#include <QDir>
#include <QFile>
#include <QTest>

using namespace quarvel;

namespace {

const QByteArray Mark("\xEF\xBB\xBF");

// Reads group/key of text as the settings code does: open, select, read, close.
QString ReadFrom(const TestProject &dir, const QByteArray &text, const QString &group, const QString &key)
{
    dir.write("Read.INI", text);
    PreferenceFile file;
    if (!file.Open(dir.path("Read.INI")))
        return QStringLiteral("<not opened>");
    file.SelectGroup(group);
    return file.Read(key, QStringLiteral("<default>"));
}

QStringList EntryRows(const QList<PreferenceFile::Entry> &entries)
{
    QStringList rows;
    for (const PreferenceFile::Entry &entry : entries)
        rows.append(QStringLiteral("GCP")[int(entry.kind)] + QLatin1Char('|') + entry.name + QLatin1Char('|')
                    + entry.value);
    return rows;
}

} // namespace

class TestPreferenceFile : public QObject {
    Q_OBJECT

private slots:
    void reading_data();
    void reading();
    void rewriting_data();
    void rewriting();
    void writingIntoAFileThatDoesNotExist();
    void writtenFileReadsBackTheSame();
    void pendingGroupReadsDefaultsAndIsAppendedOnWrite();
    void closeWithoutChangeLeavesTheFileAlone();
    void createEmptiesAnExistingFile();
    void readOnlyFileKeepsItsContent();
    void unreadableAndUnwritablePaths();
    void badInputParsesWithoutCrashing();
};

void TestPreferenceFile::reading_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QString>("group");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");

    const QByteArray path = Mark + "\n[Path]\nProject = x\nLast = /l/\n[Default]\nParend = 0\n";
    // clang-format off
    QTest::newRow("group and key in other case") << path << "path" << "PROJECT" << "x";
    QTest::newRow("key of the selected group only") << path << "Path" << "Parend" << "<default>";
    QTest::newRow("second group") << path << "DEFAULT" << "parend" << "0";
    QTest::newRow("non-ASCII letters keep their case")
        << Mark + "[Größe]\nK = v\n" << "GRÖSSE" << "K" << "<default>";
    QTest::newRow("non-ASCII key matches itself")
        << Mark + "[Größe]\nÄ = v\n" << "gRößE" << "Ä" << "v";
    QTest::newRow("blank inside the brackets belongs to the name")
        << QByteArray("[Path ]\nProject = x\n") << "Path" << "Project" << "<default>";
    QTest::newRow("blank inside the brackets found with the blank")
        << QByteArray("[Path ]\nProject = x\n") << "Path " << "Project" << "x";
    QTest::newRow("text after the bracket dropped")
        << QByteArray("[Path] trailing\nProject = x\n") << "Path" << "Project" << "x";
    QTest::newRow("group without closing bracket")
        << QByteArray("[Path\nProject = x\n") << "Path" << "Project" << "x";
    QTest::newRow("no blanks around equals") << QByteArray("[P]\nLast=/x/\n") << "P" << "Last" << "/x/";
    QTest::newRow("many blanks and trailing blanks")
        << QByteArray("[P]\nLast   =   /x/   \n") << "P" << "Last" << "/x/";
    QTest::newRow("tabs around key and value")
        << QByteArray("[P]\n\tLast\t=\t/x/\t\n") << "P" << "Last" << "/x/";
    QTest::newRow("leading blanks before the group")
        << QByteArray("  \t[P]\n  Last = /x/\n") << "P" << "Last" << "/x/";
    QTest::newRow("value holds equals signs")
        << QByteArray("[P]\nExpr = a=b=c\n") << "P" << "Expr" << "a=b=c";
    QTest::newRow("empty value") << QByteArray("[P]\nLast = \n") << "P" << "Last" << "";
    QTest::newRow("first of two equal keys")
        << QByteArray("[P]\nK = first\nk = second\n") << "P" << "K" << "first";
    QTest::newRow("first of two equal groups")
        << QByteArray("[P]\nK = first\n[P]\nK = second\n") << "P" << "K" << "first";
    QTest::newRow("comment is no pair")
        << QByteArray("[P]\n;K = commented\nK = real\n") << "P" << "K" << "real";
    QTest::newRow("pairs before the first group belong to the top")
        << QByteArray("K = top\n[P]\nK = group\n") << "" << "K" << "top";
    QTest::newRow("top ends at the first group")
        << QByteArray("[P]\nK = group\n") << "" << "K" << "<default>";
    QTest::newRow("CR line ends")
        << QByteArray("[P]\rA = 1\rB = 2\r") << "P" << "B" << "2";
    QTest::newRow("CR LF line ends and blank lines")
        << QByteArray("\r\n\r\n[P]\r\n\r\nA = 1\r\n\r\n") << "P" << "A" << "1";
    QTest::newRow("without mark the bytes are Latin-1")
        << QByteArray("[P]\nName = Caf\xE9\n") << "P" << "Name" << "Caf\u00E9";
    QTest::newRow("with the mark the bytes are UTF-8")
        << Mark + "[P]\nName = Caf\xC3\xA9\n" << "P" << "Name" << "Caf\u00E9";
    QTest::newRow("line without equals is a key without value")
        << QByteArray("[P]\nLonely\n") << "P" << "Lonely" << "";
    QTest::newRow("key ends at the first equals sign")
        << QByteArray("[P]\nA=B = c\n") << "P" << "A" << "B = c";
    // clang-format on
}

void TestPreferenceFile::reading()
{
    QFETCH(QByteArray, text);
    QFETCH(QString, group);
    QFETCH(QString, key);
    QFETCH(QString, value);
    TestProject dir;
    QCOMPARE(ReadFrom(dir, text, group, key), value);
}

void TestPreferenceFile::rewriting_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QString>("group");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QByteArray>("written");

    // clang-format off
    QTest::newRow("new key goes after the group's last line")
        << QByteArray("[A]\nX = 1\n[B]\nY = 2\n") << "a" << "Z" << "3"
        << Mark + "\n[A]\nX = 1\nZ = 3\n[B]\nY = 2\n";
    QTest::newRow("new group goes to the end")
        << QByteArray("[A]\nX = 1\n") << "C" << "Z" << "3" << Mark + "\n[A]\nX = 1\n[C]\nZ = 3\n";
    QTest::newRow("existing key takes the value and the new spelling")
        << QByteArray("[A]\nkey=old\nOther = o\n") << "A" << "KEY" << "new"
        << Mark + "\n[A]\nKEY = new\nOther = o\n";
    QTest::newRow("first of two equal keys changes")
        << QByteArray("[A]\nK = 1\nK = 2\n") << "A" << "K" << "3" << Mark + "\n[A]\nK = 3\nK = 2\n";
    QTest::newRow("top key goes before the first group")
        << QByteArray("T = 1\n[A]\nX = 1\n") << "" << "U" << "2"
        << Mark + "\nT = 1\nU = 2\n[A]\nX = 1\n";
    QTest::newRow("top key in a file that starts with a group")
        << QByteArray("[A]\nX = 1\n") << "" << "U" << "2" << Mark + "\nU = 2\n[A]\nX = 1\n";
    QTest::newRow("comments get their blank, bracket tails and blank lines go")
        << QByteArray(";abc\n\n[A] tail\n\n  ;  two\nX=1\n") << "A" << "X" << "1"
        << Mark + "\n; abc\n[A]\n;  two\nX = 1\n";
    QTest::newRow("Latin-1 is written back as UTF-8 with the mark")
        << QByteArray("[A]\nName = Caf\xE9\n") << "A" << "Other" << "\u00FC"
        << Mark + "\n[A]\nName = Caf\xC3\xA9\nOther = \xC3\xBC\n";
    QTest::newRow("blanks around keys and values are normalised")
        << QByteArray("[P]\nLast   =   /x/   \nProject=p\n") << "P" << "Project" << "q"
        << Mark + "\n[P]\nLast = /x/\nProject = q\n";
    QTest::newRow("a line without equals keeps its key")
        << QByteArray("[P]\nLonely\n") << "P" << "K" << "v" << Mark + "\n[P]\nLonely = \nK = v\n";
    // clang-format on
}

void TestPreferenceFile::rewriting()
{
    QFETCH(QByteArray, text);
    QFETCH(QString, group);
    QFETCH(QString, key);
    QFETCH(QString, value);
    QFETCH(QByteArray, written);

    TestProject dir;
    dir.write("Write.INI", text);
    PreferenceFile file;
    QVERIFY(file.Open(dir.path("Write.INI")));
    file.SelectGroup(group);
    file.Write(key, value);
    QVERIFY(file.Close());
    QCOMPARE(dir.read("Write.INI"), written);
}

void TestPreferenceFile::writingIntoAFileThatDoesNotExist()
{
    TestProject dir;
    PreferenceFile file;
    QVERIFY(!file.Open(dir.path("New.INI")));
    QVERIFY(!dir.exists("New.INI"));
    QVERIFY(file.Create(dir.path("New.INI")));
    QCOMPARE(dir.read("New.INI"), QByteArray());
    QVERIFY(!file.SelectGroup("Path"));
    file.Write("Last", "/Projects/Demo/");
    QVERIFY(file.Close());
    QCOMPARE(dir.read("New.INI"), Mark + "\n[Path]\nLast = /Projects/Demo/\n");

    // Open fails but keeps the path: a write still lands in a new file there.
    PreferenceFile second;
    QVERIFY(!second.Open(dir.path("Other.INI")));
    second.SelectGroup("G");
    second.Write("K", "v");
    QVERIFY(second.Close());
    QCOMPARE(dir.read("Other.INI"), Mark + "\n[G]\nK = v\n");
}

void TestPreferenceFile::writtenFileReadsBackTheSame()
{
    TestProject dir;
    const QList<std::array<QString, 3>> values = {{"Path", "Last", "/Projects/Demo/"},
                                                  {"Path", "Project", "/Projects/Demo/Demo.pbm"},
                                                  {"Default", "Parend", "1"},
                                                  {"Default", "Utf8", "-1"},
                                                  {"Other", "Equals", "a = b"},
                                                  {"Other", "Unicode", "Fenster \u00C4 \u4E2D"},
                                                  {"Other", "Empty", ""},
                                                  {"", "Top", "t"}};
    {
        PreferenceFile file;
        QVERIFY(!file.Open(dir.path("Round.INI")));
        for (const auto &[group, key, value] : values) {
            file.SelectGroup(group);
            file.Write(key, value);
        }
        QVERIFY(file.Close());
    }
    QCOMPARE(dir.read("Round.INI"),
             Mark
                 + "\nTop = t\n[Path]\nLast = /Projects/Demo/\nProject = /Projects/Demo/Demo.pbm\n"
                   "[Default]\nParend = 1\nUtf8 = -1\n[Other]\nEquals = a = b\n"
                   "Unicode = Fenster \xC3\x84 \xE4\xB8\xAD\nEmpty = \n");
    PreferenceFile file;
    QVERIFY(file.Open(dir.path("Round.INI")));
    for (const auto &[group, key, value] : values) {
        QVERIFY(file.SelectGroup(group));
        QCOMPARE(file.Read(key, "<default>"), value);
    }
}

void TestPreferenceFile::pendingGroupReadsDefaultsAndIsAppendedOnWrite()
{
    TestProject dir;
    dir.write("P.INI", "K = top\n[A]\nK = a\n");
    PreferenceFile file;
    QVERIFY(file.Open(dir.path("P.INI")));
    QVERIFY(!file.SelectGroup("Missing"));
    QCOMPARE(file.Read("K", "d"), QString("d")); // not the top's K
    QVERIFY(file.SelectGroup("A"));              // a later selection clears the pending name
    QCOMPARE(file.Read("K", "d"), QString("a"));
    QVERIFY(!file.SelectGroup("Missing"));
    QVERIFY(file.SelectGroup(""));
    QCOMPARE(file.Read("K", "d"), QString("top"));
    file.Write("J", "j"); // goes to the top, no group appended
    QVERIFY(!file.SelectGroup("New"));
    file.Write("X", "1");
    file.Write("Y", "2"); // the group exists now: no second header
    QCOMPARE(file.Read("X", "d"), QString("1"));
    QVERIFY(file.Close());
    QCOMPARE(dir.read("P.INI"), Mark + "\nK = top\nJ = j\n[A]\nK = a\n[New]\nX = 1\nY = 2\n");
}

void TestPreferenceFile::closeWithoutChangeLeavesTheFileAlone()
{
    TestProject dir;
    const QByteArray text("[P]\r\n  Last=/x/  \r\n\r\n;c\r\n");
    dir.write("Same.INI", text);
    PreferenceFile file;
    QVERIFY(file.Open(dir.path("Same.INI")));
    QVERIFY(file.SelectGroup("P"));
    QCOMPARE(file.Read("Last", ""), QString("/x/"));
    QCOMPARE(file.Close().status, FileResult::NotDone);
    QCOMPARE(dir.read("Same.INI"), text);
}

void TestPreferenceFile::createEmptiesAnExistingFile()
{
    TestProject dir;
    dir.write("C.INI", "[P]\nK = v\n");
    PreferenceFile file;
    QVERIFY(file.Create(dir.path("C.INI")));
    QCOMPARE(dir.read("C.INI"), QByteArray());
    QVERIFY(file.SelectGroup("") && file.entries().isEmpty());
    QCOMPARE(file.Read("K", "d"), QString("d"));
}

void TestPreferenceFile::readOnlyFileKeepsItsContent()
{
    TestProject dir;
    const QByteArray text("[P]\nK = v\n");
    dir.write("RO.INI", text);
    QFile::setPermissions(dir.path("RO.INI"), QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
    QFile probe(dir.path("RO.INI"));
    if (probe.open(QIODevice::ReadWrite))
        QSKIP("write protection does not hold for this user (root)");

    PreferenceFile file;
    QVERIFY(file.Open(dir.path("RO.INI")));
    QVERIFY(file.isReadOnly());
    QVERIFY(file.SelectGroup("P"));
    QCOMPARE(file.Read("K", ""), QString("v"));
    file.Write("K", "changed");
    QCOMPARE(file.Close().status, FileResult::NotDone); // the change is discarded
    QCOMPARE(dir.read("RO.INI"), text);
}

void TestPreferenceFile::unreadableAndUnwritablePaths()
{
    TestProject dir;
    dir.write("Folder.INI/inside", "x");
    dir.write("Plain", "plain");
    for (const QString &name : {QStringLiteral("Folder.INI"), QStringLiteral("Plain/Sub.INI")}) {
        PreferenceFile file;
        QVERIFY(!file.Open(dir.path(name)));
        const FileResult created = file.Create(dir.path(name));
        QCOMPARE(created.status, FileResult::Failed);
        QVERIFY(!created.reason.isEmpty());
        file.SelectGroup("P");
        file.Write("K", "v");
        const FileResult closed = file.Close(); // reported, and nothing else touched
        QCOMPARE(closed.status, FileResult::Failed);
        QCOMPARE(closed.path, dir.path(name));
        QCOMPARE(dir.read("Folder.INI/inside"), QByteArray("x"));
        QCOMPARE(dir.read("Plain"), QByteArray("plain"));
    }
    QCOMPARE(QDir(dir.path("Folder.INI")).entryList(QDir::Files), QStringList{"inside"});
}

void TestPreferenceFile::badInputParsesWithoutCrashing()
{
    QByteArray binary;
    for (int i = 0; i < 65536; ++i)
        binary.append(char((i * 7919 + i / 256) % 256));
    const QByteArray longLine = "[P]\nK = " + QByteArray(1 << 20, 'v');
    const QByteArray noLineEnd = "[P]";
    const QByteArray onlyBlanks = " \t \r\n\r\n \t";

    TestProject dir;
    QCOMPARE(ReadFrom(dir, longLine, "P", "K").size(), 1 << 20);
    QCOMPARE(ReadFrom(dir, noLineEnd, "P", "K"), QString("<default>"));
    QCOMPARE(ReadFrom(dir, onlyBlanks, "", "K"), QString("<default>"));
    ReadFrom(dir, binary, "P", "K");

    // A binary file rewritten after a change reads back with the same entries.
    dir.write("Bin.INI", binary);
    PreferenceFile file;
    QVERIFY(file.Open(dir.path("Bin.INI")));
    const QList<PreferenceFile::Entry> before = file.entries();
    file.SelectGroup("Zz");
    file.Write("Added", "1");
    QVERIFY(file.Close());
    QVERIFY(file.Open(dir.path("Bin.INI")));
    const QStringList expected = EntryRows(before) + QStringList{"G|Zz|", "P|Added|1"};
    QCOMPARE(EntryRows(file.entries()), expected);
}

QTEST_GUILESS_MAIN(TestPreferenceFile)
#include "tst_preference_file.moc"
