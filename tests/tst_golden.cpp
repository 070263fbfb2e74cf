// Whole generations compared byte for byte with expected project trees.
//
// Each folder of tests/data/golden is one case:
//   args      the quarvel-gen arguments, one per line; PROJECT names the case's project file
//   input/    the project before the run
//   expected/ the whole project directory after the run, plus log.txt (stdout, with the
//             project directory written as $PROJECT/), status.txt (the exit status), stderr.txt
//             when the run wrote to stderr and, when the consistency check of a finished
//             run finds something, faults.txt
// QUARVEL_UPDATE_GOLDEN=1 writes what a run produces into expected/ (review it before
// committing).
#include "cli/command_line.h"
#include "support/project_checker.h"
#include "support/test_project.h"

#include <QDirIterator>
#include <QProcess>
#include <QTest>

#include <cstdio>

using namespace quarvel;

namespace {

const QString GoldenRoot = QStringLiteral(QUARVEL_TEST_DATA "/golden");

QMap<QString, QByteArray> ReadTree(const QString &root)
{
    QMap<QString, QByteArray> tree;
    QDirIterator it(root, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        QFile file(path);
        if (file.open(QIODevice::ReadOnly))
            tree.insert(QDir(root).relativeFilePath(path), file.readAll());
    }
    return tree;
}

void WriteTree(const QString &root, const QMap<QString, QByteArray> &tree)
{
    QDir(root).removeRecursively();
    for (auto it = tree.cbegin(); it != tree.cend(); ++it) {
        const QString path = root + QLatin1Char('/') + it.key();
        QDir().mkpath(QFileInfo(path).path());
        QFile file(path);
        if (file.open(QIODevice::WriteOnly))
            file.write(it.value());
    }
}

QString Diff(const QByteArray &expected, const QByteArray &actual)
{
    QTemporaryDir dir;
    QFile a(dir.filePath("expected")), b(dir.filePath("actual"));
    if (!a.open(QIODevice::WriteOnly) || !b.open(QIODevice::WriteOnly))
        return QString();
    a.write(expected);
    b.write(actual);
    a.close();
    b.close();
    QProcess diff;
    diff.start("diff", {"-u", a.fileName(), b.fileName()});
    diff.waitForFinished();
    return QString::fromUtf8(diff.readAllStandardOutput()).left(4000);
}

struct Outcome {
    int status;
    QByteArray log;
    QByteArray errors;
};

QByteArray ReadBack(FILE *file)
{
    QByteArray bytes;
    std::rewind(file);
    char buffer[4096];
    for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, file)) > 0;)
        bytes.append(buffer, qsizetype(n));
    std::fclose(file);
    return bytes;
}

Outcome RunCase(const QString &caseDir, const QString &projectDir)
{
    QStringList arguments{QStringLiteral("quarvel-gen")};
    for (QString line : LinesOf(ReadTestData("golden/" + QFileInfo(caseDir).fileName() + "/args"))) {
        line.replace(QStringLiteral("PROJECT"), projectDir);
        if (!line.isEmpty())
            arguments << line;
    }
    QString error;
    const auto options = ParseCommandLine(arguments, error);
    if (!options)
        qFatal("bad golden args in %s: %s", qPrintable(caseDir), qPrintable(error));
    FILE *out = std::tmpfile();
    FILE *err = std::tmpfile();
    const int status = RunCommandLine(*options, out, err);
    QByteArray log = ReadBack(out);
    QByteArray errors = ReadBack(err);
    log.replace(projectDir.toUtf8(), "$PROJECT");
    errors.replace(projectDir.toUtf8(), "$PROJECT");
    return {status, log, errors};
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
    QTest::addColumn<QString>("caseDir");
    const QStringList cases = QDir(GoldenRoot).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
    QVERIFY2(!cases.isEmpty(), "no golden cases found");
    for (const QString &name : cases)
        QTest::newRow(qPrintable(name)) << GoldenRoot + QLatin1Char('/') + name;
}

void TestGolden::generation()
{
    QFETCH(QString, caseDir);
    TestProject project;
    WriteTree(project.dir(), ReadTree(caseDir + "/input"));
    const QString projectDir = project.dir().chopped(1);
    qputenv("QUARVEL_CONFIG_DIR", project.path(".config").toUtf8());
    const Outcome outcome = RunCase(caseDir, projectDir);
    QDir(project.path(".config")).removeRecursively();

    QMap<QString, QByteArray> actual = ReadTree(projectDir);
    actual.insert("log.txt", outcome.log);
    actual.insert("status.txt", QByteArray::number(outcome.status) + '\n');
    if (!outcome.errors.isEmpty())
        actual.insert("stderr.txt", outcome.errors);
    const QStringList faults = outcome.status == 0 ? CheckProject(projectDir) : QStringList();
    if (!faults.isEmpty())
        actual.insert("faults.txt", faults.join('\n').toUtf8() + '\n');
    if (qEnvironmentVariableIsSet("QUARVEL_UPDATE_GOLDEN")) {
        WriteTree(caseDir + "/expected", actual);
        QSKIP("expected tree rewritten");
    }
    const QMap<QString, QByteArray> expected = ReadTree(caseDir + "/expected");
    QCOMPARE(actual.keys(), expected.keys());
    for (auto it = expected.cbegin(); it != expected.cend(); ++it)
        QVERIFY2(actual.value(it.key()) == it.value(),
                 qPrintable(it.key() + " differs:\n" + Diff(it.value(), actual.value(it.key()))));
}

QTEST_GUILESS_MAIN(TestGolden)
#include "tst_golden.moc"
