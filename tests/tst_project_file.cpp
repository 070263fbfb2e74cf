// The project file: the text SaveProject writes, the reading rules of LoadProject, failures
// that must keep the old file, and a quarvel-gen run over a file written in another editor.
#include "support/golden_runner.h"
#include "support/output_capture.h"
#include "support/test_project.h"

#include "base/numeric_value.h"
#include "model/design_model.h"
#include "model/project_file.h"
#include "pipeline/generation_driver.h"

#include <QDir>
#include <QTest>

using namespace quarvel;

namespace {

// A failed file operation as the user would read it: "title: text".
QString Message(const FileResult &result)
{
    return result.title + QStringLiteral(": ") + result.Message();
}

QList<int> SwitchValues(const Switches &switches)
{
    QList<int> values;
    for (int i = 0; i < Switches::Count; ++i)
        values.append(switches.at(i));
    return values;
}

// The stored lists as "SECTION:name" rows, so one column can hold all six.
QStringList StoredRows(const StoredConstants &s)
{
    QStringList rows;
    const std::pair<const char *, const QStringList *> lists[] = {
        {"WINDOW", &s.Window},       {"MENU", &s.Menu},       {"MENUITEM", &s.MenuItem},
        {"STATUSBAR", &s.StatusBar}, {"TOOLBAR", &s.ToolBar}, {"GADGET", &s.Gadget}};
    for (const auto &[section, names] : lists)
        for (const QString &name : *names)
            rows.append(QLatin1String(section) + QLatin1Char(':') + name);
    return rows;
}

ProjectState DemoProject()
{
    ProjectState project;
    project.CommonFiles = {"/Projects/Demo/Window1.pb", "/Projects/Demo/Window2.pb"};
    project.Stored.Window = {"Window_0"};
    project.Stored.Gadget = {"Window_0_Button_0", "Window_0_String_0"};
    return project;
}

// Switches a load must visibly keep or change: the rows below set an on switch off, an off one on.
const Switches Marked{true, false, true, false, true, false, true};

} // namespace

class TestProjectFile : public QObject {
    Q_OBJECT

private slots:
    void writesTheDemoProjectByteForByte();
    void writesTheNamesOfTheDesignModelAtTheEndOfARun();
    void saveThenLoadGivesTheSameProject();
    void readingRules_data();
    void readingRules();
    void numericValue_data();
    void numericValue();
    void loadStartsFromEmptyLists();
    void loadFailureLeavesAnEmptyUnnamedProject();
    void badInputLoadsWithoutCrashing();
    void saveWithoutCommonFilesWritesNothing();
    void unwritableProjectFileIsReported_data();
    void unwritableProjectFileIsReported();
    void failedWriteKeepsTheOldFile();
    void quarvelGenRunsAHandEditedProject();
    void endOfARunSavesAndStoresThisRunsNames();
};

void TestProjectFile::writesTheDemoProjectByteForByte()
{
    ProjectState project = DemoProject();
    QUARVEL_COMPARE_FILE(ProjectFileText(project), "settings/Demo.pbm");

    TestProject dir;
    project.ProjectNamed = false;
    project.ProjectSaved = false;
    QVERIFY(SaveProject(dir.path("Demo.pbm"), project, FileWriter()));
    QUARVEL_COMPARE_FILE(dir.read("Demo.pbm"), "settings/Demo.pbm");
    QVERIFY(project.ProjectNamed);
    QVERIFY(project.ProjectSaved);
}

void TestProjectFile::writesTheNamesOfTheDesignModelAtTheEndOfARun()
{
    ProjectState project = DemoProject(); // stored names differ from the model's
    DesignModel model;
    model.WindowList = {"Main"};
    model.MenuList = {"Main_Menu"};
    model.MenuItemList = {"Main_Open", "Main_Quit"};
    model.StatusBarList = {"Main_Status"};
    model.ToolBarList = {"Main_Tools"};
    model.GadgetList = {{"Main_List", "LISTVIEWGADGET"}, {"Main_Ok", "MYBUTTON"}};

    project.Stored = CurrentNames(model);
    const QStringList lines = LinesOf(ProjectFileText(project));
    const QStringList names = lines.mid(lines.indexOf("[WINDOW]"));
    QCOMPARE(names, QStringList({"[WINDOW]",   "Main",      "",         "[MENU]",      "Main_Menu",   "", "[MENUITEM]",
                                 "Main_Open",  "Main_Quit", "",         "[STATUSBAR]", "Main_Status", "", "[TOOLBAR]",
                                 "Main_Tools", "",          "[GADGET]", "Main_List",   "Main_Ok",     ""}));
}

void TestProjectFile::saveThenLoadGivesTheSameProject()
{
    TestProject dir;
    ProjectState saved;
    saved.CommonFiles = {dir.path("Fenster Ä.pb"), "relative/Form.pbf", dir.path("[x].pb")};
    saved.switches = {false, true, true, false, true, false, true};
    saved.Stored.Window = {"Window_0", "Window_1"};
    saved.Stored.Menu = {"Window_0_Menu"};
    saved.Stored.MenuItem = {"Window_0_Open", "Window_0_Save"};
    saved.Stored.StatusBar = {"Window_0_Status"};
    saved.Stored.ToolBar = {"Window_1_Tools"};
    saved.Stored.Gadget = {"Window_0_Button_0", "Window_1_Tree_ü"};
    QVERIFY(SaveProject(dir.path("Round.pbm"), saved, FileWriter()));

    ProjectState loaded;
    loaded.switches = Marked;
    QVERIFY(LoadProject(dir.path("Round.pbm"), loaded));
    QCOMPARE(loaded.CommonFiles, saved.CommonFiles);
    QCOMPARE(SwitchValues(loaded.switches), SwitchValues(saved.switches));
    QCOMPARE(StoredRows(loaded.Stored), StoredRows(saved.Stored));
    QVERIFY(loaded.ProjectNamed);
    QVERIFY(loaded.ProjectSaved);

    // A second save without a generation writes the same bytes from the stored lists.
    const QByteArray first = dir.read("Round.pbm");
    QVERIFY(SaveProject(dir.path("Round.pbm"), loaded, FileWriter()));
    QCOMPARE(dir.read("Round.pbm"), first);

    // Any number but 0 turns a switch on, and it is stored as 1.
    dir.write("Numbers.pbm", "[SWITCH]\nParend=2\nPB_Ignore=-1\nMultilang=0\n");
    ProjectState numbers;
    QVERIFY(LoadProject(dir.path("Numbers.pbm"), numbers));
    QVERIFY(ProjectFileText(numbers).contains("[SWITCH]\nParend=1\nPB_Ignore=1\nMultilang=0\n"));
}

void TestProjectFile::readingRules_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<QList<int>>("switches");
    QTest::addColumn<QStringList>("names");

    const QList<int> marked = SwitchValues(Marked);
    auto parend = [&](int value) {
        QList<int> s = marked;
        s[0] = value;
        return s;
    };
    auto pbIgnore = [&](int value) {
        QList<int> s = marked;
        s[1] = value;
        return s;
    };

    QTest::newRow("empty line ends a section")
        << QByteArray("[FILES]\n/a.pb\n/b.pb\n\n/c.pb\n") << QStringList{"/a.pb", "/b.pb"} << marked << QStringList();
    QTest::newRow("header with a trailing blank is unknown")
        << QByteArray("[FILES] \n/a.pb\n") << QStringList() << marked << QStringList();
    QTest::newRow("section names are case-sensitive")
        << QByteArray("[files]\n/a.pb\n\n[Window]\nW\n") << QStringList() << marked << QStringList();
    QTest::newRow("entries keep their blanks") << QByteArray("[FILES]\n  /a b.pb \n\n[GADGET]\n B \n")
                                               << QStringList{"  /a b.pb "} << marked << QStringList{"GADGET: B "};
    QTest::newRow("semicolons removed") << QByteArray("[SWITCH]\nParend=0;\n") << QStringList() << parend(0)
                                        << QStringList();
    QTest::newRow("semicolon inside the key")
        << QByteArray("[SWITCH]\nPar;end=0\n") << QStringList() << parend(0) << QStringList();
    QTest::newRow("blank before the key")
        << QByteArray("[SWITCH]\n Parend=0\n") << QStringList() << marked << QStringList();
    QTest::newRow("blank after the key") << QByteArray("[SWITCH]\nParend =0\n") << QStringList() << marked
                                         << QStringList();
    QTest::newRow("key in other case") << QByteArray("[SWITCH]\nparend=0\n") << QStringList() << marked
                                       << QStringList();
    QTest::newRow("no value") << QByteArray("[SWITCH]\nUtf8=\n") << QStringList() << QList<int>{1, 0, 1, 0, 1, 0, 0}
                              << QStringList();
    QTest::newRow("no equals sign") << QByteArray("[SWITCH]\nParend\n") << QStringList() << parend(0) << QStringList();
    QTest::newRow("value ends at the second equals sign")
        << QByteArray("[SWITCH]\nPB_Ignore=12=34\n") << QStringList() << pbIgnore(1) << QStringList();
    QTest::newRow("blanks before the value")
        << QByteArray("[SWITCH]\nPB_Ignore= \t-5x\n") << QStringList() << pbIgnore(1) << QStringList();
    QTest::newRow("hexadecimal, binary, truncated")
        << QByteArray("[SWITCH]\nPB_Ignore=$1F\nImage_Include=%101\nUseCallFast=4294967297\nParend=$0\n")
        << QStringList() << QList<int>{0, 1, 1, 1, 1, 1, 1} << QStringList();
    QTest::newRow("all seven") << QByteArray("[SWITCH]\nParend=1\nPB_Ignore=0\nMultilang=1\nImage_Include=1\n"
                                             "Image_Null=0\nUseCallFast=0\nUtf8=0\n")
                               << QStringList() << QList<int>{1, 0, 1, 1, 0, 0, 0} << QStringList();
    QTest::newRow("missing switch section keeps the switches")
        << QByteArray("[FILES]\n/a.pb\n") << QStringList{"/a.pb"} << marked << QStringList();
    QTest::newRow("byte-order mark of another editor is skipped")
        << QByteArray("\xEF\xBB\xBF[FILES]\n/a.pb\n") << QStringList{"/a.pb"} << marked << QStringList();
    QTest::newRow("CR LF line ends") << QByteArray(
        "[FILES]\r\n/a.pb\r\n\r\n[SWITCH]\r\nParend=0\r\n\r\n[WINDOW]\r\nW\r\n")
                                     << QStringList{"/a.pb"} << parend(0) << QStringList{"WINDOW:W"};
    QTest::newRow("CR line ends") << QByteArray("[FILES]\r/a.pb\r\r[MENU]\rM\r") << QStringList{"/a.pb"} << marked
                                  << QStringList{"MENU:M"};
    QTest::newRow("lines outside a section and unknown sections ignored")
        << QByteArray("stray\n[NOTES]\nhello\n\n[MENUITEM]\nI\n") << QStringList() << marked
        << QStringList{"MENUITEM:I"};
    QTest::newRow("duplicate sections add up")
        << QByteArray("[GADGET]\nA\n\n[WINDOW]\nW\n\n[GADGET]\nB\n[STATUSBAR]\nS\n[TOOLBAR]\nT\n") << QStringList()
        << marked << QStringList{"WINDOW:W", "STATUSBAR:S", "TOOLBAR:T", "GADGET:A", "GADGET:B"};
    QTest::newRow("a header directly after entries switches the section")
        << QByteArray("[FILES]\n/a.pb\n[WINDOW]\nW\n") << QStringList{"/a.pb"} << marked << QStringList{"WINDOW:W"};
    QTest::newRow("last line without line end")
        << QByteArray("[FILES]\n/a.pb") << QStringList{"/a.pb"} << marked << QStringList();
}

void TestProjectFile::readingRules()
{
    QFETCH(QByteArray, text);
    QFETCH(QStringList, files);
    QFETCH(QList<int>, switches);
    QFETCH(QStringList, names);

    TestProject dir;
    dir.write("Read.pbm", text);
    ProjectState project;
    project.switches = Marked;
    QVERIFY(LoadProject(dir.path("Read.pbm"), project));
    QCOMPARE(project.CommonFiles, files);
    QCOMPARE(SwitchValues(project.switches), switches);
    QCOMPARE(StoredRows(project.Stored), names);
}

void TestProjectFile::numericValue_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("value");
    QTest::newRow("empty") << "" << 0;
    QTest::newRow("no digits") << "abc" << 0;
    QTest::newRow("sign only") << "-" << 0;
    QTest::newRow("leading blanks and tabs") << " \t 42" << 42;
    QTest::newRow("ends at the first other character") << "12ab" << 12;
    QTest::newRow("plus") << "+9" << 9;
    QTest::newRow("minus") << "-9" << -9;
    QTest::newRow("hexadecimal, both cases") << "$fF" << 255;
    QTest::newRow("negative hexadecimal") << "-$10" << -16;
    QTest::newRow("hexadecimal stops at g") << "$1g" << 1;
    QTest::newRow("binary") << "%1011" << 11;
    QTest::newRow("binary stops at 2") << "%12" << 1;
    QTest::newRow("decimal does not take hex digits") << "1A" << 1;
    QTest::newRow("blank after the sign ends it") << "- 5" << 0;
    QTest::newRow("largest") << "2147483647" << 2147483647;
    QTest::newRow("wraps past 32 bits") << "2147483648" << -2147483647 - 1;
    QTest::newRow("keeps the low 32 bits") << "$123456789" << 0x23456789;
    QTest::newRow("very long number") << "99999999999999999999999999" << -469762049;
}

void TestProjectFile::numericValue()
{
    QFETCH(QString, text);
    QFETCH(int, value);
    QCOMPARE(NumericValue(text), value);
}

void TestProjectFile::loadStartsFromEmptyLists()
{
    TestProject dir;
    dir.write("Next.pbm", "[FILES]\n/new.pb\n\n[WINDOW]\nNew\n");
    ProjectState project = DemoProject();
    project.ProjectSaved = false;
    QVERIFY(LoadProject(dir.path("Next.pbm"), project));
    QCOMPARE(project.CommonFiles, QStringList{"/new.pb"});
    QCOMPARE(StoredRows(project.Stored), QStringList{"WINDOW:New"});
    QVERIFY(project.ProjectSaved);
}

void TestProjectFile::loadFailureLeavesAnEmptyUnnamedProject()
{
    TestProject dir;
    dir.write("Folder.pbm/inside", "x");
    for (const QString &name : {QStringLiteral("Missing.pbm"), QStringLiteral("Folder.pbm")}) {
        ProjectState project = DemoProject();
        project.ProjectFile = dir.path("Before.pbm");
        project.ProjectNamed = true;
        project.ProjectSaved = false;
        project.switches = Marked;
        const FileResult result = LoadProject(dir.path(name), project);
        QVERIFY(!result);
        QCOMPARE(Message(result), QStringLiteral("Project: Errorcode: 1"));
        QVERIFY(project.CommonFiles.isEmpty());
        QVERIFY(StoredRows(project.Stored).isEmpty());
        QVERIFY(!project.ProjectNamed);
        QVERIFY(project.ProjectSaved);
        QCOMPARE(project.ProjectFile, dir.path("Before.pbm")); // the caller decides
        QCOMPARE(project.switches, Marked);
    }
}

void TestProjectFile::badInputLoadsWithoutCrashing()
{
    TestProject dir;
    QByteArray binary;
    for (int i = 0; i < 4096; ++i)
        binary.append(char((i * 7919) % 256));
    const QByteArray longLine = QByteArray(1 << 20, 'x');
    const QByteArray noLineEnds = QByteArray("[FILES]") + QByteArray(1000, 'y');
    const QByteArray longFileLine = "[FILES]\n" + longLine + "\n[SWITCH]\nParend=" + longLine + "\n";

    for (const QByteArray &text : {binary, longLine, noLineEnds, longFileLine}) {
        dir.write("Bad.pbm", text);
        ProjectState project;
        QVERIFY(LoadProject(dir.path("Bad.pbm"), project));
    }
    // The long path is kept whole; the long run of digits-free text gives 0.
    ProjectState project;
    QVERIFY(LoadProject(dir.path("Bad.pbm"), project));
    QCOMPARE(project.CommonFiles, QStringList{QString::fromLatin1(longLine)});
    QCOMPARE(project.switches.Parend, false);
}

void TestProjectFile::saveWithoutCommonFilesWritesNothing()
{
    TestProject dir;
    dir.write("Keep.pbm", "old content\n");
    ProjectState project;
    project.ProjectSaved = false;
    for (const char *name : {"Keep.pbm", "New.pbm"}) {
        const FileResult result = SaveProject(dir.path(name), project, FileWriter());
        QVERIFY(!result);
        QVERIFY(result.Message().isEmpty()); // nothing to report
    }
    QCOMPARE(dir.read("Keep.pbm"), QByteArray("old content\n"));
    QVERIFY(!dir.exists("New.pbm"));
    QVERIFY(!project.ProjectNamed);
    QVERIFY(!project.ProjectSaved);
}

void TestProjectFile::unwritableProjectFileIsReported_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("a folder where the file should be") << "Folder.pbm";
    QTest::newRow("a path through a regular file") << "Plain.txt/Project.pbm";
}

void TestProjectFile::unwritableProjectFileIsReported()
{
    QFETCH(QString, name);
    TestProject dir;
    dir.write("Folder.pbm/keep", "kept");
    dir.write("Plain.txt", "plain");
    ProjectState project = DemoProject();
    const FileResult result = SaveProject(dir.path(name), project, FileWriter());
    QVERIFY(!result);
    QCOMPARE(Message(result), QStringLiteral("Project: Errorcode: 1"));
    QVERIFY(!project.ProjectNamed);
    QCOMPARE(dir.read("Folder.pbm/keep"), QByteArray("kept"));
    QCOMPARE(dir.read("Plain.txt"), QByteArray("plain"));
}

void TestProjectFile::failedWriteKeepsTheOldFile()
{
    TestProject dir;
    const QByteArray old = ReadTestData(QStringLiteral("settings/Demo.pbm"));
    dir.write("Demo.pbm", old);
    ProjectState project = DemoProject();
    project.CommonFiles.append("/Projects/Demo/Window3.pb");
    FileWriter failing;
    failing.beforeCommit = [](const QString &) { return false; };
    const FileResult result = SaveProject(dir.path("Demo.pbm"), project, failing);
    QVERIFY(!result);
    QCOMPARE(Message(result), QStringLiteral("Project: Errorcode: 1"));
    QCOMPARE(dir.read("Demo.pbm"), old);
    QCOMPARE(QDir(dir.dir()).entryList(QDir::Files), QStringList{"Demo.pbm"}); // no temporary left
}

// A project file saved by another editor: byte-order mark, CR LF, blanks around some keys.
// quarvel-gen reads it by the rules (the blank keys are not switches, so they stay 0) and
// saves it back in the program's own form at the end of the run.
void TestProjectFile::quarvelGenRunsAHandEditedProject()
{
    TestProject dir;
    dir.write("config/.keep", "");
    dir.writeLines("Window1.pb", {"; no procedure here"});
    dir.write("Hand.pbm", "\xEF\xBB\xBF[FILES]\r\nWindow1.pb\r\n\r\n"
                          "[SWITCH]\r\nParend = 1\r\n PB_Ignore=1\r\nMultilang=0;\r\n"
                          "UseCallFast=1\r\nUtf8=1\r\n\r\n[WINDOW]\r\n\r\n[GADGET]\r\n\r\n");

    const CapturedOutput output = RunQuarvelGen({"--keep-unbound", "Hand.pbm"}, dir.path("config"), dir.dir());
    QCOMPARE(output.err, QByteArray());
    QCOMPARE(output.status, 0);
    QVERIFY(output.outLines().contains("Ready."));

    QCOMPARE(dir.read("Hand.pbm"), QByteArray("[FILES]\nWindow1.pb\n\n[SWITCH]\nParend=0\nPB_Ignore=0\nMultilang=0\n"
                                              "Image_Include=0\nImage_Null=0\nUseCallFast=1\nUtf8=1\n\n[WINDOW]\n\n"
                                              "[MENU]\n\n[MENUITEM]\n\n[STATUSBAR]\n\n[TOOLBAR]\n\n[GADGET]\n\n"));
}

// The names collected by this run go into the project file and replace the stored lists, so the
// next run compares against them.
void TestProjectFile::endOfARunSavesAndStoresThisRunsNames()
{
    TestProject dir;
    dir.writeLines("Window1.pb", {"; no procedure here"});
    ProjectState project = dir.project({"Window1.pb"});
    project.Stored.Window = {"Old"};
    project.Stored.Gadget = {"Old_Button"};
    project.ProjectSaved = false;
    GenerationRun run(project);
    QVERIFY(LoadAndInterpret(run.context));

    DesignModel &model = run.context.model;
    model.WindowList = {"Window_0"};
    model.MenuItemList = {"Window_0_Quit"};
    model.GadgetList = {{"Window_0_Button_0", "BUTTONGADGET"}, {"Window_0_String_0", "STRINGGADGET"}};
    WriteFiles(run.context);

    QCOMPARE(run.frontEnd.log.mid(run.frontEnd.log.size() - 2), QStringList({"Ready.", ""}));
    QVERIFY(run.frontEnd.messages.isEmpty());
    QCOMPARE(StoredRows(project.Stored), QStringList({"WINDOW:Window_0", "MENUITEM:Window_0_Quit",
                                                      "GADGET:Window_0_Button_0", "GADGET:Window_0_String_0"}));
    QCOMPARE(dir.read("Test.pbm"), ProjectFileText(project));
    QVERIFY(dir.read("Test.pbm").contains("[GADGET]\nWindow_0_Button_0\nWindow_0_String_0\n\n"));
    QVERIFY(project.ProjectSaved);
}

QTEST_GUILESS_MAIN(TestProjectFile)
#include "tst_project_file.moc"
