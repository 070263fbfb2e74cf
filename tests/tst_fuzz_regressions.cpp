// Inputs the fuzz targets found to crash or hang the program, each kept with the behaviour it
// must have now. The files lie in tests/data/fuzz.
#include "support/interpreter_fixture.h"

#include "interpreter/window_prefixes.h"
#include "pipeline/generation_driver.h"

#include <QTest>

using namespace quarvel;

class TestFuzzRegressions : public QObject {
    Q_OBJECT
private slots:
    void prefixHoldingTheHeightKeyword_data();
    void prefixHoldingTheHeightKeyword();
    void damagedFormFileRunsThroughStepOne();
};

// A bar line whose window bracket is damaged gives a window prefix that itself holds
// "ToolBarHeight(#": each constant is prefixed once, never again inside its own prefix.
void TestFuzzRegressions::prefixHoldingTheHeightKeyword_data()
{
    QTest::addColumn<QStringList>("before");
    QTest::addColumn<QStringList>("after");
    QTest::newRow("toolbar height")
        << Rows("CreateToolBar(#B, WindowID(#A ToolBarHeight(#B)\nh = ToolBarHeight(#B)")
        << Rows("CreateToolBar(#A ToolBarHeight(#B_B, WindowID(#A ToolBarHeight(#A ToolBarHeight(#B_B)\n"
                "h = ToolBarHeight(#A ToolBarHeight(#B_B)");
    QTest::newRow("status bar height, twice on the line")
        << Rows("CreateStatusBar(#T, WindowID(#S StatusBarHeight(#T)\nh = StatusBarHeight(#T) + StatusBarHeight(#T)")
        << Rows("CreateStatusBar(#S StatusBarHeight(#T_T, WindowID(#S StatusBarHeight(#S StatusBarHeight(#T_T)\n"
                "h = StatusBarHeight(#S StatusBarHeight(#T_T) + StatusBarHeight(#S StatusBarHeight(#T_T)");
}

void TestFuzzRegressions::prefixHoldingTheHeightKeyword()
{
    QFETCH(QStringList, before);
    QFETCH(QStringList, after);
    InterpreterFixture f;
    f.withLines(before);
    QVERIFY(InsertWindowPrefixes(f.model, f.tables, f.log));
    QCOMPARE(f.lines(), after);
}

// The whole form file the fuzzer found: the first step of a run over it comes to its end.
void TestFuzzRegressions::damagedFormFileRunsThroughStepOne()
{
    const QByteArray input = ReadTestData("fuzz/common-file-prefix-holds-keyword.bin");
    TestProject dir;
    dir.write("Form.pbf", input.mid(1)); // the first byte chose the file kind and the switches
    Switches switches = Switches::AllOff();
    switches.Parend = switches.PB_Ignore = switches.Multilang = 1;
    ProjectState project = dir.project({"Form.pbf"}, switches);
    GenerationRun run(project);
    // The file opens one window twice, which stops the run once the prefixes are in place.
    QVERIFY(!LoadAndInterpret(run.context));
    QCOMPARE(
        run.frontEnd.log.mid(3),
        QStringList({"- Load Files...", " -> Warning: Form.pbf holds invalid bytes in line 72, read as U+FFFD.",
                     "- Interpret code...", " -> Error: Find duplicate WindowID(#Dlg_Result). Stop! (Form.pbf:69)"}));
}

QTEST_GUILESS_MAIN(TestFuzzRegressions)
#include "tst_fuzz_regressions.moc"
