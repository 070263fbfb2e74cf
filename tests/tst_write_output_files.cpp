#include "model/catalog.h"
#include "pipeline/load_project_sources.h"
#include "pipeline/write_output_files.h"
#include "support/test_project.h"

#include <QTest>

using namespace quarvel;

class TestWriteOutputFiles : public QObject {
    Q_OBJECT
private slots:
    void separator();
    void catalogFormat();
    void formats_data();
    void formats();
    void eightBitThatCannotHoldTheText();
    void multiLanguageWritesEightFiles();
    void aFailedFileHoldsBackTheOthers();
    void interruptedWriteKeepsEveryOldFile();
    void aFileFoundUnchangedCanBeStagedAgain();
    void bytesMadeAgainOnlyForAFileThatChanges();
    void userFileWrittenBackAsKept_data();
    void userFileWrittenBackAsKept();
};

// A run's write plan, over a project folder that holds x.pb with "old\n".
struct PlanOverOldFile {
    PlanOverOldFile() { dir.write("x.pb", "old\n"); }

    TestProject dir;
    ProjectState project = dir.project({"W.pb"});
    GenerationRun run{project};
    WritePlan &plan = run.context.plan;
};

static QString Dir(const TestProject &p)
{
    return p.dir();
}

void TestWriteOutputFiles::separator()
{
    SourceLineList lines{"x"};
    AppendSeparator(lines);
    QCOMPARE(lines.size(), 4);
    QCOMPARE(lines.at(1), QString());
    QCOMPARE(lines.at(2).size(), 89);
    QCOMPARE(lines.at(2), "; " + QString(87, '*'));
    QCOMPARE(lines.at(3), QString());
}

void TestWriteOutputFiles::catalogFormat()
{
    LanguageMap map;
    QCOMPARE(CatalogLines(map), QStringList{"Default;Language"});
    map.insert("Hello", "Hello");
    map.insert("Open", "Offnen");
    QCOMPARE(CatalogLines(map), QStringList({"Default;Language", "\"Hello\";\"\"", "\"Open\";\"Offnen\""}));
}

void TestWriteOutputFiles::formats_data()
{
    QTest::addColumn<int>("format");
    QTest::addColumn<QByteArray>("mainBytes");
    QTest::addColumn<QByteArray>("emptyBytes");
    QTest::newRow("UTF-8") << int(TextFormat::Utf8)
                           << QByteArray("\xEF\xBB\xBF"
                                         "a\n\xC3\xA9\n")
                           << QByteArray("\xEF\xBB\xBF");
    QTest::newRow("8-bit") << int(TextFormat::Latin1) << QByteArray("a\n\xE9\n") << QByteArray();
}

void TestWriteOutputFiles::formats()
{
    QFETCH(int, format);
    QFETCH(QByteArray, mainBytes);
    QFETCH(QByteArray, emptyBytes);
    TestProject dir;
    dir.write("LoadLanguage.pb", "mine");
    ProjectState project = dir.project({"W.pb"});
    GenerationRun run(project);
    run.context.outputFormat = TextFormat(format);
    run.context.lines.MainLines = {"a", QString::fromUtf8("\xC3\xA9")};
    WriteOutputFiles(run.context);

    QCOMPARE(dir.read("Main.pb"), mainBytes);
    for (const char *name : {"CommonFile.pb", "EventMain.pb", "EventMenu.pb", "EventGadget.pb", "EventWindow.pb"})
        QCOMPARE(dir.read(name), emptyBytes);
    QCOMPARE(dir.read("LoadLanguage.pb"), QByteArray("mine")); // untouched without Multi Language
    QVERIFY(!dir.exists("Catalog"));
    QStringList expected;
    for (const char *name :
         {"Main.pb", "CommonFile.pb", "EventMain.pb", "EventMenu.pb", "EventGadget.pb", "EventWindow.pb"})
        expected << " -> Write File " + Dir(dir) + name;
    QCOMPARE(run.frontEnd.log, expected);
}

void TestWriteOutputFiles::eightBitThatCannotHoldTheText()
{
    TestProject dir;
    ProjectState project = dir.project({"W.pb"});
    GenerationRun run(project);
    run.context.outputFormat = TextFormat::Latin1;
    run.context.lines.EventGadgetLines = {QString::fromUtf8("SetGadgetText(#G, \"\xC5\xA0ibenik\")")};
    run.context.lines.MainLines = {QString::fromUtf8("caf\xC3\xA9")};
    WriteOutputFiles(run.context);
    // Nothing is dropped: the file that needs more than 8 bits becomes UTF-8 with its mark.
    QCOMPARE(dir.read("EventGadget.pb"), QByteArray("\xEF\xBB\xBF"
                                                    "SetGadgetText(#G, \"\xC5\xA0ibenik\")\n"));
    QCOMPARE(dir.read("Main.pb"), QByteArray("caf\xE9\n"));
    const QString path = dir.path("EventGadget.pb");
    const int at = int(run.frontEnd.log.indexOf(" -> Write File " + path));
    QVERIFY(at >= 0);
    QCOMPARE(run.frontEnd.log.at(at + 1), " -> Warning: " + path + " holds characters beyond 8 bit, written as UTF-8.");
    QCOMPARE(run.frontEnd.log.size(), 7);
}

void TestWriteOutputFiles::multiLanguageWritesEightFiles()
{
    TestProject dir;
    Switches switches;
    switches.Multilang = 1;
    ProjectState project = dir.project({"W.pb"}, switches);
    GenerationRun run(project);
    run.context.outputFormat = TextFormat::Utf8;
    run.context.lines.LoadLanguageLines = {"#MaxLanguage = 1"};
    run.context.model.Languages.insert("Open", "Open");
    WriteOutputFiles(run.context);
    QCOMPARE(run.frontEnd.log.size(), 8);
    QCOMPARE(run.frontEnd.log.at(6), " -> Write File " + dir.path("LoadLanguage.pb"));
    QCOMPARE(run.frontEnd.log.at(7), " -> Write File " + dir.path("Catalog"));
    QCOMPARE(dir.read("Catalog"), QByteArray("\xEF\xBB\xBF"
                                             "Default;Language\n\"Open\";\"\"\n"));
    QCOMPARE(dir.read("LoadLanguage.pb"), QByteArray("\xEF\xBB\xBF"
                                                     "#MaxLanguage = 1\n"));
}

// One file that cannot be written holds back the others: the project stays as it was, and
// the log names the file that failed.
void TestWriteOutputFiles::aFailedFileHoldsBackTheOthers()
{
    TestProject dir;
    dir.write("EventMain.pb/keep.txt", "a folder stands where the file should be");
    ProjectState project = dir.project({"W.pb"});
    GenerationRun run(project);
    run.context.outputFormat = TextFormat::Utf8;
    QVERIFY(!WriteOutputFiles(run.context));
    QCOMPARE(run.frontEnd.log, QStringList{" -> Error File " + dir.path("EventMain.pb") + " / Errorcode: 1"});
    QCOMPARE(run.context.plan.HeldBackCount(), 5);
    QCOMPARE(QDir(dir.dir()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
             QStringList{"EventMain.pb"});

    // A project directory below a regular file cannot be written at all: each file fails.
    ProjectState unwritable = project;
    unwritable.ProjectFile = dir.path("W.pb/Test.pbm");
    dir.write("W.pb", "a file");
    GenerationRun second(unwritable);
    WriteOutputFiles(second.context);
    QCOMPARE(second.frontEnd.log.filter(" -> Error File ").size(), 6);
    QCOMPARE(second.frontEnd.log.filter(" -> Write File ").size(), 0);
}

// A file that fails as it takes its place: the files placed before it get their old text back.
void TestWriteOutputFiles::interruptedWriteKeepsEveryOldFile()
{
    TestProject dir;
    dir.write("Main.pb", "; my main\n");
    dir.write("EventGadget.pb", "Procedure EventGadget_Mine(EventType)\nEndProcedure\n");
    ProjectState project = dir.project({"W.pb"});
    GenerationRun run(project);
    run.context.lines.MainLines = {"; new main"};
    run.context.lines.EventGadgetLines = {"new text"};
    run.context.writer.beforeCommit = [](const QString &path) { return !path.endsWith("EventGadget.pb"); };
    WriteOutputFiles(run.context);
    QCOMPARE(dir.read("Main.pb"), QByteArray("; my main\n"));
    QCOMPARE(dir.read("EventGadget.pb"), QByteArray("Procedure EventGadget_Mine(EventType)\nEndProcedure\n"));
    QCOMPARE(run.frontEnd.log, QStringList{" -> Error File " + dir.path("EventGadget.pb") + " / Errorcode: 1"});
    // The created files are gone again, and no temporary file is left behind.
    QCOMPARE(QDir(dir.dir()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
             QStringList({"EventGadget.pb", "Main.pb"}));
}

// The plan lets go of the bytes of a file it found unchanged; staged again with other text, the
// file is read again and written, its old text recorded, and not taken for changed meanwhile.
void TestWriteOutputFiles::aFileFoundUnchangedCanBeStagedAgain()
{
    PlanOverOldFile f;
    TestProject &dir = f.dir;
    WritePlan &plan = f.plan;
    const int handle = plan.Stage(dir.path("x.pb"), QByteArray("old\n"));
    QCOMPARE(plan.OutcomeOf(handle), WritePlan::Outcome::Unchanged);
    QCOMPARE(plan.Stage(dir.path("x.pb"), QByteArray("new\n")), handle);
    QVERIFY(plan.WriteStaged());
    QCOMPARE(plan.OutcomeOf(handle), WritePlan::Outcome::Written);
    QCOMPARE(dir.read("x.pb"), QByteArray("new\n"));
    QCOMPARE(plan.Changes().size(), 1);
    QCOMPARE(plan.Changes().first().before, QByteArray("old\n"));
}

// Bytes noted as made again from the lines read are never made for a file that keeps its
// text; staged with other text, they are, and a file changed on disk meanwhile is still caught.
void TestWriteOutputFiles::bytesMadeAgainOnlyForAFileThatChanges()
{
    PlanOverOldFile f;
    TestProject &dir = f.dir;
    WritePlan &plan = f.plan;
    int made = 0;
    plan.NoteRead(dir.path("x.pb"), [&made] {
        ++made;
        return QByteArray("old\n");
    });
    const int handle = plan.StageKept(dir.path("x.pb"));
    QCOMPARE(plan.OutcomeOf(handle), WritePlan::Outcome::Unchanged);
    QCOMPARE(made, 0);
    dir.write("x.pb", "someone else's\n");
    QCOMPARE(plan.Stage(dir.path("x.pb"), QByteArray("new\n")), handle);
    QCOMPARE(made, 1);
    QVERIFY(!plan.WriteStaged());
    QCOMPARE(plan.OutcomeOf(handle), WritePlan::Outcome::Changed);
    QCOMPARE(dir.read("x.pb"), QByteArray("someone else's\n"));
}

// A user file read and written back: a line added, every other byte as it was; a file whose
// text stays is left as it was.
void TestWriteOutputFiles::userFileWrittenBackAsKept_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QByteArray>("added");
    QTest::newRow("UTF-8 with its mark") << QByteArray("\xEF\xBB\xBF"
                                                       "a\n\xC3\xA9\n")
                                         << QByteArray("\xEF\xBB\xBF"
                                                       "a\n\xC3\xA9\nadded\n");
    QTest::newRow("8-bit") << QByteArray("a\n\xE9\n") << QByteArray("a\n\xE9\nadded\n");
    QTest::newRow("no last line end") << QByteArray("a\nb") << QByteArray("a\nb\nadded");
    QTest::newRow("CR and LF") << QByteArray("a\rb\n") << QByteArray("a\rb\nadded\n");
    QTest::newRow("a second mark") << QByteArray("\xEF\xBB\xBF\xEF\xBB\xBF"
                                                 "a\n")
                                   << QByteArray("\xEF\xBB\xBF\xEF\xBB\xBF"
                                                 "a\nadded\n");
}

void TestWriteOutputFiles::userFileWrittenBackAsKept()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QByteArray, added);
    TestProject dir;
    dir.write("EventGadget.pb", bytes);
    dir.write("EventMenu.pb", bytes);
    ProjectState project = dir.project({"W.pb"});
    GenerationRun run(project);
    QVERIFY(LoadProjectSources(run.context));
    run.context.lines.EventGadgetLines.append("added");
    QVERIFY(WriteOutputFiles(run.context));
    QCOMPARE(dir.read("EventGadget.pb"), added);
    QCOMPARE(dir.read("EventMenu.pb"), bytes);
}

QTEST_GUILESS_MAIN(TestWriteOutputFiles)
#include "tst_write_output_files.moc"
