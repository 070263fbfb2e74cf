// Whole generations compared byte for byte with expected project trees.
//
// Each folder of tests/data/golden is one case:
//   args      the quarvel-gen arguments, one per line; PROJECT names the case's project file
//   input/    the project before the run
//   expected/ the whole project directory after the run, plus log.txt (stdout, with the
//             project directory written as $PROJECT/), status.txt (the exit status), stderr.txt
//             when the run wrote to stderr and, when the consistency check of a finished (0 or 3)
//             run finds something, faults.txt
// QUARVEL_UPDATE_GOLDEN=1 writes what a run produces into expected/.
#include "support/golden_runner.h"
#include "support/output_capture.h"
#include "support/project_checker.h"
#include "support/test_project.h"

#include <QDir>
#include <QTest>

using namespace quarvel;

namespace {

const QString GoldenRoot = QStringLiteral(QUARVEL_TEST_DATA "/golden");

CapturedOutput RunCase(const QString &caseName, const QString &projectDir)
{
    QStringList arguments{QStringLiteral("quarvel-gen")};
    for (QString line : LinesOf(ReadTestData("golden/" + caseName + "/args"))) {
        line.replace(QStringLiteral("PROJECT"), projectDir);
        if (!line.isEmpty())
            arguments << line;
    }
    QString error;
    const auto options = ParseCommandLine(arguments, error);
    if (!options)
        qFatal("bad golden args in %s: %s", qPrintable(caseName), qPrintable(error));
    CapturedOutput output = RunCommandLineCaptured(*options);
    output.out.replace(projectDir.toUtf8(), "$PROJECT");
    output.err.replace(projectDir.toUtf8(), "$PROJECT");
    return output;
}

} // namespace

class TestGolden : public QObject {
    Q_OBJECT
private slots:
    void generation_data();
    void generation();
};

void TestGolden::generation_data()
{
    QTest::addColumn<QString>("caseName");
    const QStringList cases = QDir(GoldenRoot).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
    QVERIFY2(!cases.isEmpty(), "no golden cases found");
    for (const QString &name : cases)
        QTest::newRow(qPrintable(name)) << name;
}

void TestGolden::generation()
{
    QFETCH(QString, caseName);
    TestProject project;
    project.copyFrom("golden/" + caseName + "/input");
    const QString projectDir = project.dir().chopped(1);
    qputenv("QUARVEL_CONFIG_DIR", project.path(".config").toUtf8());
    const CapturedOutput outcome = RunCase(caseName, projectDir);
    QDir(project.path(".config")).removeRecursively();

    FileTree actual = ReadTree(projectDir);
    actual.insert("log.txt", outcome.out);
    actual.insert("status.txt", QByteArray::number(outcome.status) + '\n');
    if (!outcome.err.isEmpty())
        actual.insert("stderr.txt", outcome.err);
    const QStringList faults = outcome.status == 0 || outcome.status == 3 ? CheckProject(projectDir) : QStringList();
    if (!faults.isEmpty())
        actual.insert("faults.txt", TextOf(faults));
    QUARVEL_COMPARE_TREE(actual, "golden/" + caseName + "/expected");
}

QTEST_GUILESS_MAIN(TestGolden)
#include "tst_golden.moc"
