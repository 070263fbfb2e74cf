// The layer table of src/layers.txt against every #include under src/: a file includes only
// its own layer and the layers its row lists.
#include <QDirIterator>
#include <QFile>
#include <QHash>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

namespace {

using LayerTable = QHash<QString, QStringList>;

LayerTable ReadLayerTable(const QString &path)
{
    LayerTable table;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return table;
    for (const QByteArray &raw : file.readAll().split('\n')) {
        const QString line = QString::fromUtf8(raw).trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        const qsizetype colon = line.indexOf(QLatin1Char(':'));
        table.insert(line.left(colon).trimmed(), line.mid(colon + 1).split(QLatin1Char(' '), Qt::SkipEmptyParts));
    }
    return table;
}

// The layer a path below src/ belongs to: the longest folder of the table it lies in.
QString LayerOf(const LayerTable &table, const QString &path)
{
    QString best;
    for (auto it = table.begin(); it != table.end(); ++it) {
        if (path.startsWith(it.key() + QLatin1Char('/')) && it.key().size() > best.size())
            best = it.key();
    }
    return best;
}

// One line per include that crosses the table: "file:line: includes x (layer a may not use b)".
QStringList LayerViolations(const QString &srcDir, const LayerTable &table)
{
    static const QRegularExpression include(QStringLiteral(R"(^\s*#\s*include\s*"([^"]+)\")"));
    QStringList violations;
    QDirIterator it(srcDir, {QStringLiteral("*.h"), QStringLiteral("*.cpp")}, QDir::Files,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = QDir(srcDir).relativeFilePath(it.next());
        const QString layer = LayerOf(table, path);
        if (layer.isEmpty()) {
            violations << path + QStringLiteral(": lies in no layer of the table");
            continue;
        }
        QFile file(it.filePath());
        if (!file.open(QIODevice::ReadOnly))
            continue;
        const QList<QByteArray> lines = file.readAll().split('\n');
        for (int n = 0; n < lines.size(); ++n) {
            const auto match = include.match(QString::fromUtf8(lines[n]));
            if (!match.hasMatch())
                continue;
            const QString target = match.captured(1);
            const QString used = LayerOf(table, target);
            if (target.startsWith(QLatin1String("../")) || used.isEmpty())
                violations << QStringLiteral("%1:%2: includes %3, which is not written from src/")
                                  .arg(path)
                                  .arg(n + 1)
                                  .arg(target);
            else if (used != layer && !table.value(layer).contains(used))
                violations << QStringLiteral("%1:%2: includes %3 (layer %4 may not use %5)")
                                  .arg(path)
                                  .arg(n + 1)
                                  .arg(target, layer, used);
        }
    }
    violations.sort();
    return violations;
}

} // namespace

class TestLayers : public QObject {
    Q_OBJECT
private slots:
    void sourcesKeepToTheTable()
    {
        const LayerTable table = ReadLayerTable(QStringLiteral(QUARVEL_SOURCE "/src/layers.txt"));
        QVERIFY(table.contains(QStringLiteral("base")));
        const QStringList violations = LayerViolations(QStringLiteral(QUARVEL_SOURCE "/src"), table);
        QVERIFY2(violations.isEmpty(), qPrintable(violations.join(QLatin1Char('\n'))));
    }

    void upwardIncludeIsNamed()
    {
        QTemporaryDir dir;
        QDir(dir.path()).mkpath(QStringLiteral("base"));
        QDir(dir.path()).mkpath(QStringLiteral("model"));
        QFile low(dir.filePath(QStringLiteral("base/low.cpp")));
        QVERIFY(low.open(QIODevice::WriteOnly));
        low.write("#include \"base/low.h\"\n\n#include \"model/high.h\"\n");
        low.close();
        QFile high(dir.filePath(QStringLiteral("model/high.h")));
        QVERIFY(high.open(QIODevice::WriteOnly));
        high.write("#include \"base/low.h\"\n#include \"../base/low.h\"\n");
        high.close();
        const LayerTable table{{QStringLiteral("base"), {}}, {QStringLiteral("model"), {QStringLiteral("base")}}};
        QCOMPARE(
            LayerViolations(dir.path(), table),
            QStringList({QStringLiteral("base/low.cpp:3: includes model/high.h (layer base may not use model)"),
                         QStringLiteral("model/high.h:2: includes ../base/low.h, which is not written from src/")}));
    }
};

QTEST_GUILESS_MAIN(TestLayers)
#include "tst_layers.moc"
