#include "test_project.h"

#include "interpreter/language_strings.h"
#include "pipeline/generation_driver.h"
#include "pipeline/write_output_files.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QTest>

namespace quarvel {

TestProject::TestProject()
{
    QVERIFY2(dir_.isValid(), "no temporary directory");
}

void TestProject::write(const QString &name, const QByteArray &bytes) const
{
    const QString full = path(name);
    QDir().mkpath(QFileInfo(full).path());
    QFile file(full);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        qFatal("cannot write %s", qPrintable(full));
    file.write(bytes);
}

void TestProject::writeLines(const QString &name, const QStringList &lines) const
{
    QByteArray bytes;
    for (const QString &line : lines)
        bytes += line.toUtf8() + '\n';
    write(name, bytes);
}

QByteArray TestProject::read(const QString &name) const
{
    QFile file(path(name));
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray();
    return file.readAll();
}

bool TestProject::exists(const QString &name) const
{
    return QFileInfo::exists(path(name));
}

void TestProject::copyFrom(const QString &dataFolder) const
{
    const QString source = QStringLiteral(QUARVEL_TEST_DATA "/") + dataFolder;
    QDirIterator it(source, QDir::Files | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString file = it.next();
        QFile in(file);
        if (!in.open(QIODevice::ReadOnly))
            qFatal("cannot read %s", qPrintable(file));
        write(QDir(source).relativeFilePath(file), in.readAll());
    }
}

ProjectState TestProject::project(const QStringList &commonFiles, const Switches &switches) const
{
    ProjectState state;
    state.ProjectFile = path(QStringLiteral("Test.pbm"));
    state.ProjectNamed = true;
    state.CommonFiles = commonFiles;
    state.switches = switches;
    return state;
}

int GenerationRun::run()
{
    return GenerationWorker(context).outcome == RunOutcome::Ready;
}

void EmitAndWrite(GenerationContext &g)
{
    // Step 1 says of a LoadLanguage.pb without its block that the emitters will leave it alone.
    if (g.switches().Multilang)
        CheckLanguageBlock(g.lines.LoadLanguageLines, g.log);
    CreateNewCode(g.model, g.switches(), g.lines, g.log);
    WriteOutputFiles(g);
}

QByteArray ReadTestData(const QString &relativePath)
{
    QFile file(QStringLiteral(QUARVEL_TEST_DATA "/") + relativePath);
    if (!file.open(QIODevice::ReadOnly))
        qFatal("missing test data %s", qPrintable(relativePath));
    return file.readAll();
}

QStringList LinesOf(const QByteArray &utf8)
{
    QStringList lines = QString::fromUtf8(utf8).split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

} // namespace quarvel
