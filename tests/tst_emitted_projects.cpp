// Whole projects emitted from a design: every folder of tests/data/emitters holds a design
// (design.txt, the model the interpreter would leave), the project directory before the run
// (input/) and the exact files after it (expected/), compared byte for byte.
#include "pipeline/load_project_sources.h"
#include "pipeline/write_output_files.h"
#include "support/project_checker.h"
#include "support/test_project.h"

#include <QDir>
#include <QDirIterator>
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
            int *value = s.find(setting.section(QLatin1Char('='), 0, 0));
            QVERIFY2(value, qPrintable(setting));
            *value = setting.section(QLatin1Char('='), 1).toInt();
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
        m.ImageList.append({fields.value(0), fields.value(1)});
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

QStringList FilesUnder(const QString &root)
{
    QStringList files;
    QDirIterator it(root, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext())
        files << QDir(root).relativeFilePath(it.next());
    files.sort();
    return files;
}

QString FirstDifference(const QByteArray &actual, const QByteArray &expected)
{
    const QList<QByteArray> a = actual.split('\n');
    const QList<QByteArray> e = expected.split('\n');
    for (qsizetype i = 0; i < std::max(a.size(), e.size()); ++i) {
        if (a.value(i) != e.value(i)) {
            return QStringLiteral("line %1\n  actual:   %2\n  expected: %3")
                .arg(i + 1)
                .arg(QString::fromUtf8(a.value(i)), QString::fromUtf8(e.value(i)));
        }
    }
    return QStringLiteral("same lines, different bytes");
}

QByteArray ReadFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void WriteFile(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        qFatal("cannot write %s", qPrintable(path));
    file.write(bytes);
}

// With QUARVEL_BLESS set, the run's output becomes the expected tree of its case; the
// difference is then reviewed in git before it is committed.
void Bless(const TestProject &dir, const QString &expectedRoot, const QStringList &log, const QStringList &faults)
{
    QDir(expectedRoot).removeRecursively();
    for (const QString &file : FilesUnder(dir.dir()))
        WriteFile(expectedRoot + QLatin1Char('/') + file, dir.read(file));
    WriteFile(expectedRoot + QStringLiteral("/log.txt"), log.isEmpty() ? QByteArray() : log.join(QLatin1Char('\n')).toUtf8() + '\n');
    if (!faults.isEmpty())
        WriteFile(expectedRoot + QStringLiteral("/faults.txt"), faults.join(QLatin1Char('\n')).toUtf8() + '\n');
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
    const QString folder = CaseRoot + QLatin1Char('/') + name;
    TestProject dir;
    dir.copyFrom(QStringLiteral("emitters/") + name + QStringLiteral("/input"));

    Switches switches = Switches::AllOff();
    ProjectState project = dir.project({QStringLiteral("Window.pb")});
    GenerationRun run(project);
    GenerationContext &g = run.context;
    const QStringList design = LinesOf(ReadTestData(QStringLiteral("emitters/") + name + QStringLiteral("/design.txt")));
    for (const QString &line : design)
        ReadDesignLine(line, g.model, switches);
    project.switches = switches;
    g.outputFormat = switches.Utf8 ? FormatUtf8 : FormatLatin1;

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

    const QString expectedRoot = folder + QStringLiteral("/expected");
    if (qEnvironmentVariableIsSet("QUARVEL_BLESS"))
        Bless(dir, expectedRoot, log, faults);

    QStringList written = FilesUnder(dir.dir());
    QStringList expectedFiles = FilesUnder(expectedRoot);
    expectedFiles.removeAll(QStringLiteral("log.txt"));
    expectedFiles.removeAll(QStringLiteral("faults.txt"));
    QCOMPARE(written, expectedFiles);
    for (const QString &file : expectedFiles) {
        const QByteArray expected = ReadFile(expectedRoot + QLatin1Char('/') + file);
        const QByteArray actual = dir.read(file);
        if (actual != expected)
            QFAIL(qPrintable(file + QStringLiteral(": ") + FirstDifference(actual, expected)));
    }
    QCOMPARE(log, LinesOf(ReadFile(expectedRoot + QStringLiteral("/log.txt"))));
    QCOMPARE(faults, LinesOf(ReadFile(expectedRoot + QStringLiteral("/faults.txt"))));
}

QTEST_GUILESS_MAIN(TestEmittedProjects)
#include "tst_emitted_projects.moc"
