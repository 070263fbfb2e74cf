// Every combination of the seven switches over the example project: the generated project
// passes the consistency check, and generating again at once changes no file.
#include "support/golden_runner.h"
#include "support/project_checker.h"
#include "support/test_project.h"

#include <QTest>

using namespace quarvel;

class TestSwitchCombinations : public QObject {
    Q_OBJECT
private slots:
    void everyCombination_data();
    void everyCombination();
};

void TestSwitchCombinations::everyCombination_data()
{
    QTest::addColumn<int>("bits");
    for (int bits = 0; bits < (1 << Switches::Count); ++bits) {
        QString name;
        for (int i = 0; i < Switches::Count; ++i)
            name += (bits >> i & 1) ? '1' : '0';
        QTest::newRow(qPrintable(name)) << bits;
    }
}

void TestSwitchCombinations::everyCombination()
{
    QFETCH(int, bits);
    TestProject dir;
    dir.copyFrom("../../examples/demo");
    Switches switches = Switches::AllOff();
    for (int i = 0; i < Switches::Count; ++i)
        switches.at(i) = bits >> i & 1;
    ProjectState project = dir.project({"NotesWindow.pbf", "AboutWindow.pb"}, switches);

    GenerationRun first(project);
    QCOMPARE(first.run(), 1);
    const QStringList faults = CheckProject(dir.dir());
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join('\n')));

    const FileTree before = ReadTree(dir.dir(), TreeDepth::TopFolder);
    GenerationRun second(project);
    QCOMPARE(second.run(), 1);
    QVERIFY(second.frontEnd.bindRequests.isEmpty());
    const FileTree after = ReadTree(dir.dir(), TreeDepth::TopFolder);
    QCOMPARE(after.keys(), before.keys());
    for (const QString &name : before.keys())
        QVERIFY2(after.value(name) == before.value(name), qPrintable(name + " changed on the second run"));
}

QTEST_GUILESS_MAIN(TestSwitchCombinations)
#include "tst_switch_combinations.moc"
