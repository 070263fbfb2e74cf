// Program settings and the user gadget list: the start-up choices, the files of a first start,
// the reading rules of UserList.INI and what happens when the files cannot be used.
#include "support/golden_runner.h"
#include "support/output_capture.h"
#include "support/test_project.h"

#include "model/name_tables.h"
#include "model/project_file.h"
#include "project/preference_file.h"
#include "project/settings.h"
#include "project/user_gadget_list.h"

#include <QCoreApplication>
#include <QDir>
#include <QTest>

using namespace quarvel;

namespace {

// A settings directory of its own for each test, through QUARVEL_CONFIG_DIR.
class ConfigDir : public TestProject {
public:
    ConfigDir() { qputenv("QUARVEL_CONFIG_DIR", dir().toUtf8()); }
    ~ConfigDir() { qunsetenv("QUARVEL_CONFIG_DIR"); }
};

// The working directory for one test: relative paths resolve there.
class WorkingDirectory {
public:
    explicit WorkingDirectory(const QString &path) : previous_(QDir::currentPath()) { QDir::setCurrent(path); }
    ~WorkingDirectory() { QDir::setCurrent(previous_); }

private:
    QString previous_;
};

QList<int> SwitchValues(const Switches &switches)
{
    QList<int> values;
    for (int i = 0; i < Switches::Count; ++i)
        values.append(switches.at(i));
    return values;
}

struct StartUp {
    ProgramSettings settings;
    ProjectState project;
    NameTables tables;
    RecordingFrontEnd frontEnd;

    void run(const QStringList &arguments = {})
    {
        for (const FileResult &failure : LoadSettings(settings, project, tables, arguments))
            ReportFailure(frontEnd, failure);
    }
};

const QList<int> DefaultSwitches{1, 1, 0, 0, 0, 1, 1};

} // namespace

class TestSettings : public QObject {
    Q_OBJECT

private slots:
    void settingsDirectory();
    void firstStartWritesBothFilesByteForByte();
    void switchesOfOneRunAreTheDefaultsOfTheNext();
    void numericDefaults_data();
    void numericDefaults();
    void restoresTheLastProject();
    void unnamedLastProjectStartsANewOne();
    void firstArgument_data();
    void firstArgument();
    void userGadgetList_data();
    void userGadgetList();
    void userGadgetNamesJoinTheNameTables();
    void unusableUserList_data();
    void unusableUserList();
    void saveUserGadgets();
    void settingsWritesKeepTheRestOfTheFile();
    void unusableSettingsFile();
    void quarvelGenReadsTheUserList();
};

void TestSettings::settingsDirectory()
{
    TestProject dir;
    qputenv("QUARVEL_CONFIG_DIR", dir.path("nested/config").toUtf8());
    QCOMPARE(SettingsDirectory(), dir.path("nested/config/"));
    QVERIFY(QFileInfo(dir.path("nested/config")).isDir());

    ProgramSettings settings;
    LocateSettingsFiles(settings);
    QCOMPARE(settings.SettingsFile, dir.path("nested/config/QL4.INI"));
    QCOMPARE(settings.UserListFile, dir.path("nested/config/UserList.INI"));

    // Without the variable: beside the executable, which is writable in a build tree.
    qunsetenv("QUARVEL_CONFIG_DIR");
    QCOMPARE(SettingsDirectory(), QCoreApplication::applicationDirPath() + QLatin1Char('/'));

    // An installed program is known by its desktop entry beside its bin directory.
    QVERIFY(QDir().mkpath(dir.path("prefix/bin")));
    QVERIFY(!IsInstalledProgram(dir.path("prefix/bin")));
    QVERIFY(QDir().mkpath(dir.path("prefix/share/applications")));
    dir.write("prefix/share/applications/quarvel.desktop", "[Desktop Entry]\n");
    QVERIFY(IsInstalledProgram(dir.path("prefix/bin")));
    QVERIFY(!IsInstalledProgram(dir.path("prefix")));
}

void TestSettings::firstStartWritesBothFilesByteForByte()
{
    ConfigDir config;
    StartUp start;
    start.run();
    QVERIFY(start.frontEnd.messages.isEmpty());
    QCOMPARE(config.read("UserList.INI"), QByteArray("[USERGADGET]\n"));
    QVERIFY(!config.exists("QL4.INI")); // reading creates nothing
    QCOMPARE(start.project.ProjectFile, QString("Unbekannt.pbm"));
    QCOMPARE(SwitchValues(start.project.switches), DefaultSwitches);
    QVERIFY(!start.project.ProjectNamed);
    QVERIFY(start.project.ProjectSaved);
    QCOMPARE(start.project.LastPath, QString());
    // An empty user list leaves the built-in tables as they are.
    QCOMPARE(start.tables.CommandNames, BuildNameTables().CommandNames);
    QCOMPARE(start.tables.GadgetCreators, BuildNameTables().GadgetCreators);

    SaveSettings(start.settings, start.project);
    QUARVEL_COMPARE_FILE(config.read("QL4.INI"), "settings/FirstStart.INI");
}

void TestSettings::switchesOfOneRunAreTheDefaultsOfTheNext()
{
    ConfigDir config;
    StartUp first;
    first.run();
    first.project.switches = {0, 0, 1, 1, 0, 0, 0};
    first.project.LastPath = config.path("Projects/");
    SaveSettings(first.settings, first.project);
    SaveSettings(first.settings, first.project); // a second exit changes nothing
    const QByteArray written = config.read("QL4.INI");
    QVERIFY(written.contains("\n[Default]\nParend = 0\nPB_Ignore = 0\nMultilang = 1\n"));

    StartUp second;
    second.run();
    QCOMPARE(SwitchValues(second.project.switches), QList<int>({0, 0, 1, 1, 0, 0, 0}));
    QCOMPARE(second.project.LastPath, config.path("Projects/"));
    QCOMPARE(second.project.ProjectFile, QString("Unbekannt.pbm"));
    SaveSettings(second.settings, second.project);
    QCOMPARE(config.read("QL4.INI"), written);
}

// Parend is on and Multilang off by default: a row shows a value read by turning one of them.
void TestSettings::numericDefaults_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<bool>("parend");
    QTest::addColumn<bool>("multilang");
    QTest::newRow("missing key takes the table's default") << QByteArray() << true << false;
    QTest::newRow("zero") << QByteArray("Parend = 0") << false << false;
    QTest::newRow("not a number") << QByteArray("Parend = yes") << false << false;
    QTest::newRow("empty value") << QByteArray("Parend =") << false << false;
    QTest::newRow("one") << QByteArray("Multilang = 1") << true << true;
    QTest::newRow("negative") << QByteArray("Multilang = -2") << true << true;
    QTest::newRow("hexadecimal") << QByteArray("Multilang = $10") << true << true;
    QTest::newRow("hexadecimal zero") << QByteArray("Parend = $0") << false << false;
    QTest::newRow("binary") << QByteArray("Multilang = %11") << true << true;
    QTest::newRow("key in other case") << QByteArray("PAREND=0") << false << false;
    QTest::newRow("number then text") << QByteArray("Multilang = 7 days") << true << true;
}

void TestSettings::numericDefaults()
{
    QFETCH(QByteArray, line);
    QFETCH(bool, parend);
    QFETCH(bool, multilang);
    ConfigDir config;
    config.write("QL4.INI", "[Default]\n" + line + "\nUtf8 = 0\n");
    StartUp start;
    start.run();
    QCOMPARE(start.project.switches.Parend, parend);
    QCOMPARE(start.project.switches.Multilang, multilang);
    QCOMPARE(start.project.switches.Utf8, false);
    QCOMPARE(start.project.switches.PB_Ignore, true);
}

void TestSettings::restoresTheLastProject()
{
    ConfigDir config;
    config.write("Demo/Demo.pbm", "[FILES]\n/Demo/Window1.pb\n\n[SWITCH]\nMultilang=1\n\n[GADGET]\nG\n");
    config.write("QL4.INI", "[Path]\nLast = /elsewhere/\nProject = " + config.path("Demo/Demo.pbm").toUtf8()
                                + "\n[Default]\nParend = 1\nMultilang = 0\nUtf8 = 1\n");
    StartUp start;
    start.run();
    QCOMPARE(start.project.ProjectFile, config.path("Demo/Demo.pbm"));
    QCOMPARE(start.project.CommonFiles, QStringList{"/Demo/Window1.pb"});
    QCOMPARE(start.project.Stored.Gadget, QStringList{"G"});
    // Only the project's switches count; the ones it does not name are 0.
    QCOMPARE(SwitchValues(start.project.switches), QList<int>({0, 0, 1, 0, 0, 0, 0}));
    QCOMPARE(start.project.LastPath, QString());
    QVERIFY(start.project.ProjectNamed);

    SaveSettings(start.settings, start.project);
    const QByteArray written = config.read("QL4.INI");
    QVERIFY2(written.contains("\nLast = \nProject = " + config.path("Demo/Demo.pbm").toUtf8() + "\n"),
             written.constData());
}

void TestSettings::unnamedLastProjectStartsANewOne()
{
    ConfigDir config;
    WorkingDirectory cwd(config.dir()); // no Unbekannt.pbm here
    config.write("QL4.INI", "[Path]\nProject = Unbekannt.pbm\nLast = /l/\n[Default]\nUtf8 = 0\n");
    StartUp start;
    start.run();
    QCOMPARE(start.project.ProjectFile, QString("Unbekannt.pbm"));
    QVERIFY(!start.project.ProjectNamed);
    QCOMPARE(start.project.LastPath, QString("/l/"));
    QCOMPARE(SwitchValues(start.project.switches), QList<int>({1, 1, 0, 0, 0, 1, 0}));
}

void TestSettings::firstArgument_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("loaded"); // relative to the settings directory

    QTest::newRow("no argument: the last project") << QStringList() << "Last.pbm";
    QTest::newRow("an existing project") << QStringList{"@Arg.pbm"} << "Arg.pbm";
    QTest::newRow("relative to the working directory") << QStringList{"Arg.pbm"} << "Arg.pbm";
    QTest::newRow("process serial number skipped") << QStringList{"-psn_0_12345", "@Arg.pbm"} << "Arg.pbm";
    QTest::newRow("only the first argument counts") << QStringList{"@Missing.pbm", "@Arg.pbm"} << "Last.pbm";
    QTest::newRow("an empty file") << QStringList{"@Empty.pbm"} << "Last.pbm";
    QTest::newRow("a folder") << QStringList{"@Folder.pbm"} << "Last.pbm";
}

void TestSettings::firstArgument()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, loaded);

    ConfigDir config;
    WorkingDirectory cwd(config.dir());
    config.write("Arg.pbm", "[FILES]\n/arg.pb\n");
    config.write("Last.pbm", "[FILES]\n/last.pb\n");
    config.write("Empty.pbm", "");
    config.write("Folder.pbm/x", "x");
    config.write("UserList.INI", "[USERGADGET]\nMyGadget\n");
    config.write("QL4.INI", "[Path]\nProject = " + config.path("Last.pbm").toUtf8() + "\n");
    for (QString &argument : arguments)
        argument.replace(QLatin1Char('@'), config.dir());

    StartUp start;
    start.run(arguments);
    QCOMPARE(start.project.ProjectFile, config.path(loaded));
    QCOMPARE(start.project.CommonFiles, QStringList{loaded == "Arg.pbm" ? QString("/arg.pb") : QString("/last.pb")});
    QVERIFY(start.tables.isGadgetCreator("MYGADGET"));
    QVERIFY(start.tables.isCommand("BUTTONGADGET"));
}

void TestSettings::userGadgetList_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QStringList>("names");

    QTest::newRow("as written") << QByteArray("[USERGADGET]\nMyGadget\nOther\n") << QStringList{"MyGadget", "Other"};
    QTest::newRow("spaces trimmed, tabs kept")
        << QByteArray("[USERGADGET]\n  MyGadget  \n\tTabbed \n") << QStringList{"MyGadget", "\tTabbed"};
    QTest::newRow("an empty line ends the section") << QByteArray("[USERGADGET]\nA\n\nB\n") << QStringList{"A"};
    QTest::newRow("a second header resumes")
        << QByteArray("[USERGADGET]\nA\n\nB\n[USERGADGET]\nC\n") << QStringList{"A", "C"};
    QTest::newRow("other sections and stray lines ignored")
        << QByteArray("Stray\n[OTHER]\nX\n[USERGADGET]\nA\n[usergadget]\nY\n[USERGADGET] \nZ\n") << QStringList{"A"};
    QTest::newRow("duplicates kept") << QByteArray("[USERGADGET]\nA\nA\n") << QStringList{"A", "A"};
    QTest::newRow("a line of spaces names nothing") << QByteArray("[USERGADGET]\n   \nA\n") << QStringList{"A"};
    QTest::newRow("CR LF and CR") << QByteArray("[USERGADGET]\r\nA\r\nB\rC") << QStringList{"A", "B", "C"};
    QTest::newRow("UTF-8 with and without mark") << QByteArray("\xEF\xBB\xBF[USERGADGET]\nGr\xC3\xB6\xC3\x9F"
                                                               "e\n")
                                                 << QStringList{"Gr\u00F6\u00DFe"};
    QTest::newRow("no header at all") << QByteArray("A\nB\n") << QStringList();
    QTest::newRow("no line end at all") << QByteArray("[USERGADGET]") << QStringList();
}

void TestSettings::userGadgetList()
{
    QFETCH(QByteArray, text);
    QFETCH(QStringList, names);
    ConfigDir config;
    config.write("UserList.INI", text);
    ProgramSettings settings;
    QVERIFY(LoadUserGadgets(settings));
    QCOMPARE(settings.UserGadgetList, names);
    QCOMPARE(config.read("UserList.INI"), text); // read, never rewritten
}

void TestSettings::userGadgetNamesJoinTheNameTables()
{
    ConfigDir config;
    config.write("UserList.INI", "[USERGADGET]\n  MyGadget  \nbuttongadget\nÄrger\n");
    StartUp start;
    start.run();
    QCOMPARE(start.settings.UserGadgetList, QStringList({"MyGadget", "buttongadget", "Ärger"}));
    QVERIFY(start.tables.isCommand("MYGADGET"));
    QVERIFY(start.tables.isGadgetCreator("MYGADGET"));
    QVERIFY(start.tables.isGadgetCreator("ÄRGER"));
    QVERIFY(!start.tables.isGadgetCreator("MyGadget")); // the tables hold upper-case names
    QVERIFY(!start.tables.isGadgetCreator(""));
    QCOMPARE(start.tables.CommandNames.size(), 124 + 2);
    QCOMPARE(start.tables.GadgetCreators.size(), 32 + 2);
}

void TestSettings::unusableUserList_data()
{
    QTest::addColumn<QString>("configDir");
    QTest::newRow("a folder named UserList.INI") << "config";
    QTest::newRow("a settings directory through a regular file") << "plain/config";
}

void TestSettings::unusableUserList()
{
    QFETCH(QString, configDir);
    TestProject dir;
    dir.write("config/UserList.INI/keep", "kept");
    dir.write("plain", "plain");
    qputenv("QUARVEL_CONFIG_DIR", dir.path(configDir).toUtf8());

    StartUp start;
    start.run();
    qunsetenv("QUARVEL_CONFIG_DIR");
    QCOMPARE(start.frontEnd.messages, QStringList{"UserGadgetList: Errorcode: 1"});
    QVERIFY(start.settings.UserGadgetList.isEmpty());
    QCOMPARE(start.tables.GadgetCreators.size(), 32);
    QCOMPARE(SwitchValues(start.project.switches), DefaultSwitches);
    QCOMPARE(dir.read("plain"), QByteArray("plain"));
    QCOMPARE(dir.read("config/UserList.INI/keep"), QByteArray("kept"));
}

void TestSettings::saveUserGadgets()
{
    ConfigDir config;
    config.write("UserList.INI", "[USERGADGET]\nOld\n");
    StartUp start;
    start.run();
    QVERIFY(SaveUserGadgets(start.settings, {"MyGadget", "Gr\u00F6\u00DFe", "MyGadget"}));
    QCOMPARE(config.read("UserList.INI"), QByteArray("[USERGADGET]\nMyGadget\nGr\xC3\xB6\xC3\x9F"
                                                     "e\nMyGadget\n"));
    QCOMPARE(start.settings.UserGadgetList, QStringList({"MyGadget", "Gr\u00F6\u00DFe", "MyGadget"}));
    QVERIFY(!start.tables.isGadgetCreator("MYGADGET")); // takes effect at the next start

    ProgramSettings reread;
    QVERIFY(LoadUserGadgets(reread));
    QCOMPARE(reread.UserGadgetList, start.settings.UserGadgetList);

    QVERIFY(SaveUserGadgets(start.settings, {}));
    QCOMPARE(config.read("UserList.INI"), QByteArray("[USERGADGET]\n"));

    // A folder where the file should be: reported, the list is replaced anyway.
    config.write("Blocked/UserList.INI/keep", "kept");
    start.settings.UserListFile = config.path("Blocked/UserList.INI");
    const FileResult blocked = SaveUserGadgets(start.settings, {"New"});
    QVERIFY(!blocked);
    QCOMPARE(blocked.title, QStringLiteral("Save UserGadget"));
    QCOMPARE(blocked.Message(), QStringLiteral("Errorcode: 1"));
    QCOMPARE(start.settings.UserGadgetList, QStringList{"New"});
    QCOMPARE(config.read("Blocked/UserList.INI/keep"), QByteArray("kept"));
}

void TestSettings::settingsWritesKeepTheRestOfTheFile()
{
    ConfigDir config;
    config.write("QL4.INI", "; written by hand\n[Window]\nX = 10\n[path]\nproject = old\n");
    ProgramSettings settings;
    LocateSettingsFiles(settings);
    ProjectState project;
    project.ProjectFile = "/p/Demo.pbm";
    project.LastPath = "/p/";
    SaveSettings(settings, project);
    QCOMPARE(config.read("QL4.INI"),
             QByteArray("\xEF\xBB\xBF\n; written by hand\n[Window]\nX = 10\n[path]\nProject = /p/Demo.pbm\n"
                        "Last = /p/\n[Default]\nParend = 1\nPB_Ignore = 1\nMultilang = 0\n"
                        "Image_Include = 0\nImage_Null = 0\nUseCallFast = 1\nUtf8 = 1\n"));
    QCOMPARE(ReadSetting("Window", "x", settings.SettingsFile, "d"), QString("10"));
    QCOMPARE(ReadSetting("Nothing", "x", settings.SettingsFile, "d"), QString("d"));

    // The exit writes the switches and the desktop memory at once, the bytes the two saves
    // one after the other write; the next start reads them back with the rest.
    settings.RecentProjects = {"/p/Demo.pbm", "/q/Other.pbm"};
    settings.WindowGeometry = "AdnQywAD";
    settings.Divider = 120;
    settings.EditorCommand = "kate --line %l %f";
    project.switches.Multilang = true;
    const QByteArray before = config.read("QL4.INI");
    SaveSettings(settings, project);
    SaveDesktopMemory(settings);
    const QByteArray twoSaves = config.read("QL4.INI");
    config.write("QL4.INI", before);
    SaveSettingsAtExit(settings, project);
    QCOMPARE(config.read("QL4.INI"), twoSaves);
    StartUp start;
    start.run();
    QCOMPARE(start.settings.RecentProjects, settings.RecentProjects);
    QCOMPARE(start.settings.WindowGeometry, settings.WindowGeometry);
    QCOMPARE(start.settings.Divider, 120);
    QCOMPARE(start.settings.EditorCommand, settings.EditorCommand);
    QCOMPARE(start.project.switches.Multilang, true);
}

void TestSettings::unusableSettingsFile()
{
    ConfigDir config;
    config.write("QL4.INI/keep", "kept");
    StartUp start;
    start.run();
    QCOMPARE(SwitchValues(start.project.switches), DefaultSwitches);
    QCOMPARE(ReadSetting("Path", "Project", start.settings.SettingsFile, "d"), QString("d"));
    start.project.LastPath = "/x/";
    SaveSettings(start.settings, start.project); // nothing happens, nothing breaks
    WriteSetting("Path", "Last", "/y/", config.path("plain/QL4.INI"));
    QCOMPARE(config.read("QL4.INI/keep"), QByteArray("kept"));
    QCOMPARE(QDir(config.path("QL4.INI")).entryList(QDir::Files), QStringList{"keep"});
}

// The interpreter's use of the names is tested with the generation; here only that
// quarvel-gen reads UserList.INI from its settings directory, and goes on without it.
void TestSettings::quarvelGenReadsTheUserList()
{
    TestProject dir;
    dir.writeLines("Window1.pb", {"; no procedure here"});
    dir.write("Gen.pbm", "[FILES]\nWindow1.pb\n");
    dir.write("blocked/UserList.INI/keep", "kept");

    CapturedOutput output = RunQuarvelGen({dir.path("Gen.pbm")}, dir.path("fresh"));
    QCOMPARE(output.err, QByteArray());
    QCOMPARE(output.status, 0);
    QStringList out = output.outLines();
    QCOMPARE(out.mid(out.indexOf("Ready."), 2), QStringList({"Ready.", ""}));
    QCOMPARE(dir.read("fresh/UserList.INI"), QByteArray("[USERGADGET]\n"));

    output = RunQuarvelGen({dir.path("Gen.pbm")}, dir.path("blocked"));
    QCOMPARE(output.err, QByteArray("quarvel-gen: UserGadgetList: Errorcode: 1\n"));
    QCOMPARE(output.status, 0);
    out = output.outLines();
    QCOMPARE(out.mid(out.indexOf("Ready."), 2), QStringList({"Ready.", ""}));
}

QTEST_GUILESS_MAIN(TestSettings)
#include "tst_settings.moc"
