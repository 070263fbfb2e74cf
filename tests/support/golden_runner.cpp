#include "support/golden_runner.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QtGlobal>

namespace quarvel {

namespace {

const char *const UpdateVariable = "QUARVEL_UPDATE_GOLDEN";

bool Updating()
{
    return qEnvironmentVariableIsSet(UpdateVariable);
}

QString DataPath(const QString &relativePath)
{
    return QStringLiteral(QUARVEL_TEST_DATA "/") + relativePath;
}

void WriteFile(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
}

QString Hint()
{
    return QStringLiteral("\n(%1=1 rewrites the expected files)").arg(QLatin1String(UpdateVariable));
}

QString FirstDifference(const QString &name, const QByteArray &expected, const QByteArray &actual)
{
    const QList<QByteArray> e = expected.split('\n');
    const QList<QByteArray> a = actual.split('\n');
    const auto shown = [](const QList<QByteArray> &lines, qsizetype i) {
        return i < lines.size() ? QString::fromUtf8(lines[i]) : QStringLiteral("(end of file)");
    };
    for (qsizetype i = 0; i < std::max(e.size(), a.size()); ++i) {
        if (e.value(i) != a.value(i) || i >= e.size() || i >= a.size()) {
            return QStringLiteral("%1 differs at line %2\n  expected: %3\n  actual:   %4")
                       .arg(name)
                       .arg(i + 1)
                       .arg(shown(e, i), shown(a, i))
                   + Hint();
        }
    }
    return QString();
}

} // namespace

FileTree ReadTree(const QString &root, TreeDepth depth)
{
    FileTree tree;
    QDirIterator it(root, QDir::Files | QDir::Hidden,
                    depth == TreeDepth::AllFolders ? QDirIterator::Subdirectories : QDirIterator::NoIteratorFlags);
    while (it.hasNext()) {
        const QString path = it.next();
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            qFatal("cannot read %s", qPrintable(path));
        tree.insert(QDir(root).relativeFilePath(path), file.readAll());
    }
    return tree;
}

QByteArray TextOf(const QStringList &lines)
{
    QByteArray bytes;
    for (const QString &line : lines)
        bytes += line.toUtf8() + '\n';
    return bytes;
}

QString CompareWithExpectedTree(const FileTree &actual, const QString &expectedFolder)
{
    const QString root = DataPath(expectedFolder);
    if (Updating()) {
        QDir(root).removeRecursively();
        for (auto it = actual.cbegin(); it != actual.cend(); ++it)
            WriteFile(root + QLatin1Char('/') + it.key(), it.value());
        return QString();
    }
    const FileTree expected = ReadTree(root);
    QStringList missing, unexpected;
    for (const QString &name : expected.keys()) {
        if (!actual.contains(name))
            missing << name;
    }
    for (const QString &name : actual.keys()) {
        if (!expected.contains(name))
            unexpected << name;
    }
    QString listed;
    if (!missing.isEmpty())
        listed += QStringLiteral("\n  expected, not produced: ") + missing.join(QStringLiteral(", "));
    if (!unexpected.isEmpty())
        listed += QStringLiteral("\n  produced, not expected: ") + unexpected.join(QStringLiteral(", "));
    if (!listed.isEmpty())
        return expectedFolder + QStringLiteral(" holds other files") + listed + Hint();
    for (auto it = expected.cbegin(); it != expected.cend(); ++it) {
        if (actual.value(it.key()) != it.value())
            return FirstDifference(expectedFolder + QLatin1Char('/') + it.key(), it.value(), actual.value(it.key()));
    }
    return QString();
}

QString CompareWithExpectedFile(const QByteArray &actual, const QString &expectedFile)
{
    const QString path = DataPath(expectedFile);
    if (Updating()) {
        WriteFile(path, actual);
        return QString();
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QStringLiteral("cannot read ") + path + Hint();
    const QByteArray expected = file.readAll();
    return expected == actual ? QString() : FirstDifference(expectedFile, expected, actual);
}

} // namespace quarvel
