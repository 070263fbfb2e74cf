// Whole projects emitted from a design: every folder of tests/data/emitters holds a design
// (design.txt, the model the interpreter would leave), the project directory before the run
// (input/) and the exact files after it (expected/) with the log (log.txt) and what the
// consistency check finds (faults.txt), compared byte for byte.
#include "pipeline/load_project_sources.h"
#include "pipeline/write_output_files.h"
#include "support/golden_runner.h"
#include "support/project_checker.h"
#include "support/test_project.h"

#include <QDir>
#include <QTest>

using namespace quarvel;

namespace {

const QString CaseRoot = QStringLiteral(QUARVEL_TEST_DATA "/emitters");

// One design line: a kind word, a blank, then fields separated by " | ".
void ReadDesignLine(const QString &line, DesignModel &m, Switches &s)
{
    const qsizetype blank = line.indexOf(QLatin1Char(' '));
    const QString kind = blank < 0 ? line : line.left(blank);
    const QString rest = blank < 0 ? QString() : line.mid(blank + 1);
    const QStringList fields = rest.split(QStringLiteral(" | "));
    if (kind == QStringLiteral("switches")) {
        for (const QString &setting : rest.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
            bool *value = s.find(setting.section(QLatin1Char('='), 0, 0));
            QVERIFY2(value, qPrintable(setting));
            *value = SwitchFromNumber(setting.section(QLatin1Char('='), 1).toInt());
        }
    } else if (kind == QStringLiteral("window")) {
        m.WindowList << rest;
    } else if (kind == QStringLiteral("menu")) {
        m.MenuList << rest;
    } else if (kind == QStringLiteral("menuitem")) {
        m.MenuItemList << rest;
    } else if (kind == QStringLiteral("statusbar")) {
        m.StatusBarList << rest;
    } else if (kind == QStringLiteral("toolbar")) {
        m.ToolBarList << rest;
    } else if (kind == QStringLiteral("gadget")) {
        m.GadgetList.append({fields.value(0), fields.value(1)});
    } else if (kind == QStringLiteral("image")) {
        m.ImageList.append({fields.value(0), fields.value(1), {}, {}});
    } else if (kind == QStringLiteral("font")) {
        m.FontList.append({fields.value(0), fields.value(1)});
    } else if (kind == QStringLiteral("language")) {
        if (!m.Languages.contains(fields.value(0)))
            m.Languages.insert(fields.value(0), fields.value(1));
    } else if (kind == QStringLiteral("source")) {
        m.CommonSourceLines << rest;
    } else if (!line.isEmpty()) {
        QFAIL(qPrintable(QStringLiteral("unknown design line: ") + line));
    }
}

} // namespace

class TestEmittedProjects : public QObject {
    Q_OBJECT

private slots:
    void project_data();
    void project();
};

void TestEmittedProjects::project_data()
{
    QTest::addColumn<QString>("name");
    const QStringList cases = QDir(CaseRoot).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
    QVERIFY(!cases.isEmpty());
    for (const QString &name : cases)
        QTest::newRow(qPrintable(name)) << name;
}

void TestEmittedProjects::project()
{
    QFETCH(QString, name);
    TestProject dir;
    dir.copyFrom(QStringLiteral("emitters/") + name + QStringLiteral("/input"));

    Switches switches = Switches::AllOff();
    ProjectState project = dir.project({QStringLiteral("Window.pb")});
    GenerationRun run(project);
    GenerationContext &g = run.context;
    const QStringList design = LinesOf(
        ReadTestData(QStringLiteral("emitters/") + name + QStringLiteral("/design.txt")));
    for (const QString &line : design)
        ReadDesignLine(line, g.model, switches);
    project.switches = switches;
    g.outputFormat = switches.Utf8 ? TextFormat::Utf8 : TextFormat::Latin1;

    // Loading fills the Catalog's entries first; the design's strings come after them.
    LanguageMap designStrings = g.model.Languages;
    g.model.Languages.clear();
    LoadProjectSources(g);
    for (const QString &key : designStrings.keys()) {
        if (!g.model.Languages.contains(key))
            g.model.Languages.insert(key, designStrings.value(key));
    }

    EmitAndWrite(g);

    QStringList log = run.frontEnd.log;
    log.replaceInStrings(dir.dir(), QStringLiteral("$DIR/"));
    const QStringList faults = CheckProject(dir.dir());

    FileTree actual = ReadTree(dir.dir());
    actual.insert(QStringLiteral("log.txt"), TextOf(log));
    if (!faults.isEmpty())
        actual.insert(QStringLiteral("faults.txt"), TextOf(faults));
    QUARVEL_COMPARE_TREE(actual, QStringLiteral("emitters/") + name + QStringLiteral("/expected"));
}

QTEST_GUILESS_MAIN(TestEmittedProjects)
#include "tst_emitted_projects.moc"
