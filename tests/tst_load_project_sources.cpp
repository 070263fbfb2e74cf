#include "base/file_error_line.h"
#include "emit/templates.h"
#include "model/catalog.h"
#include "pipeline/load_project_sources.h"
#include "support/test_project.h"

#include <QTest>

using namespace quarvel;

class TestLoadProjectSources : public QObject {
    Q_OBJECT
private slots:
    void splitTemplate_data();
    void splitTemplate();
    void catalogLines_data();
    void catalogLines();
    void trailingCommentLines_data();
    void trailingCommentLines();
    void detectMainFormat_data();
    void detectMainFormat();
    void freshProjectTakesTemplates();
    void existingFilesAreLoaded();
    void templatesStandLineForLine();
    void errorCodeText();
};

void TestLoadProjectSources::splitTemplate_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("CR LF") << "A\r\nB\r\n" << QStringList{"A", "B"};
    QTest::newRow("text after last LF not taken") << "A\n\nB" << QStringList{"A", ""};
    QTest::newRow("no LF at all") << "A" << QStringList{};
    QTest::newRow("lone CRs vanish") << "A\rB\n" << QStringList{"AB"};
    QTest::newRow("spaces kept") << "  \n" << QStringList{"  "};
}

void TestLoadProjectSources::splitTemplate()
{
    QFETCH(QString, text);
    QFETCH(QStringList, lines);
    SourceLineList target{"before"};
    SplitTemplate(text, target);
    QCOMPARE(target, QStringList{"before"} + lines);
}

void TestLoadProjectSources::catalogLines_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QStringList>("keys");
    QTest::addColumn<QStringList>("values");
    QTest::newRow("word alone") << QStringList{"Hello"} << QStringList{"Hello"} << QStringList{"Hello"};
    QTest::newRow("empty translation") << QStringList{"\"Hello\";\"\""} << QStringList{"Hello"} << QStringList{"Hello"};
    QTest::newRow("translation") << QStringList{"\"Hello\";\"Hallo\""} << QStringList{"Hello"} << QStringList{"Hallo"};
    QTest::newRow("leading semicolon skipped") << QStringList{";\"x\""} << QStringList{} << QStringList{};
    QTest::newRow("third field ignored") << QStringList{"a;b;c"} << QStringList{"a"} << QStringList{"b"};
    QTest::newRow("later line replaces") << QStringList{"a;1", "b;2", "a;3"} << QStringList{"a", "b"}
                                         << QStringList{"3", "2"};
    QTest::newRow("quoted key holding the separator")
        << QStringList{"\"SELECT * FROM t;\";\"\"", "\"a;b\";\"c;d\""} << QStringList{"SELECT * FROM t;", "a;b"}
        << QStringList{"SELECT * FROM t;", "c;d"};
    QTest::newRow("quote inside a quoted field")
        << QStringList{"\"say \"hi\"\";\"x\";y"} << QStringList{"say \"hi"} << QStringList{"x"};
    QTest::newRow("unclosed quote ends at the separator")
        << QStringList{"\"a;b"} << QStringList{"a"} << QStringList{"b"};
}

void TestLoadProjectSources::catalogLines()
{
    QFETCH(QStringList, lines);
    QFETCH(QStringList, keys);
    QFETCH(QStringList, values);
    LanguageMap map;
    ReadCatalogLines(lines, map);
    QCOMPARE(map.keys(), keys);
    for (int i = 0; i < keys.size(); ++i)
        QCOMPARE(map.value(keys[i]), values[i]);
    // What is written reads back whole.
    LanguageMap again;
    ReadCatalogLines(CatalogLines(map).mid(1), again);
    QCOMPARE(again.keys(), keys);
    for (int i = 0; i < keys.size(); ++i)
        QCOMPARE(again.value(keys[i]), values[i]);
}

void TestLoadProjectSources::trailingCommentLines_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QStringList>("kept");
    QTest::addColumn<QStringList>("trailer");
    QTest::newRow("three comment lines") << QStringList{"Procedure A()", "EndProcedure", "; IDE Options",
                                                        "; Folding = -", ";x"}
                                         << QStringList{"Procedure A()", "EndProcedure"}
                                         << QStringList{"; IDE Options", "; Folding = -", ";x"};
    QTest::newRow("blank lines belong to the run")
        << QStringList{"a", "; c", ""} << QStringList{"a"} << QStringList{"; c", ""};
    const QStringList separator{"", "; " + QString(87, '*'), ""};
    QTest::newRow("notes after a blank line stay last")
        << QStringList{"EndProcedure"} + separator + QStringList{"; my notes", "", "; IDE Options = x", "; Folding = -"}
        << QStringList{"EndProcedure"} + separator
        << QStringList{"; my notes", "", "; IDE Options = x", "; Folding = -"};
    QTest::newRow("header of a file without procedures stays")
        << QStringList{";-TOP", "", "; Quarvel Event Menu"} + separator + QStringList{"; IDE Options = x"}
        << QStringList{";-TOP", "", "; Quarvel Event Menu"} + separator << QStringList{"; IDE Options = x"};
    QTest::newRow("indented comment is no comment line")
        << QStringList{"a", "  ; c"} << QStringList{"a", "  ; c"} << QStringList{};
    QTest::newRow("all comments") << QStringList{";a", ";b"} << QStringList{} << QStringList{";a", ";b"};
    QTest::newRow("separator last: no trailer")
        << QStringList{"EndProcedure"} + separator << QStringList{"EndProcedure"} + separator << QStringList{};
}

void TestLoadProjectSources::trailingCommentLines()
{
    QFETCH(QStringList, lines);
    QFETCH(QStringList, kept);
    QFETCH(QStringList, trailer);
    const QStringList read = lines;
    QCOMPARE(TakeTrailingCommentLines(lines), trailer);
    QCOMPARE(lines, kept);
    // Without a trailer the lines stay the very list read, not a copy of it.
    if (trailer.isEmpty())
        QCOMPARE(lines.constData(), read.constData());
}

void TestLoadProjectSources::detectMainFormat_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("format");
    QTest::newRow("none") << QByteArray("Procedure") << int(TextFormat::Latin1);
    QTest::newRow("empty") << QByteArray() << int(TextFormat::Latin1);
    QTest::newRow("UTF-8") << QByteArray("\xEF\xBB\xBFx") << int(TextFormat::Utf8);
    QTest::newRow("UTF-16 LE") << QByteArray("\xFF\xFEx\x00", 4) << int(TextFormat::Utf16LE);
    QTest::newRow("UTF-16 BE") << QByteArray("\xFE\xFF\x00x", 4) << int(TextFormat::Utf16BE);
    QTest::newRow("UTF-32 LE") << QByteArray("\xFF\xFE\x00\x00", 4) << int(TextFormat::Utf32LE);
    QTest::newRow("UTF-32 BE") << QByteArray("\x00\x00\xFE\xFF", 4) << int(TextFormat::Utf32BE);
}

void TestLoadProjectSources::detectMainFormat()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, format);
    TestProject project;
    QCOMPARE(int(DetectMainFormat(project.dir())), int(TextFormat::None));
    project.write("Main.pb", bytes);
    QCOMPARE(int(DetectMainFormat(project.dir())), format);
}

void TestLoadProjectSources::freshProjectTakesTemplates()
{
    TestProject dir;
    for (int callFast = 0; callFast <= 1; ++callFast) {
        ProjectState project = dir.project({"W.pb"});
        project.switches.UseCallFast = callFast;
        GenerationRun run(project);
        LoadProjectSources(run.context);
        const OutputLines &l = run.context.lines;
        SourceLineList main, eventMain, language;
        SplitTemplate(MainTemplate(), main);
        SplitTemplate(callFast ? EventMainCallFastTemplate() : EventMainSelectTemplate(), eventMain);
        SplitTemplate(LoadLanguageTemplate(), language);
        QCOMPARE(l.MainLines, main);
        QCOMPARE(l.EventMainLines, eventMain);
        QCOMPARE(l.LoadLanguageLines, language);
        QVERIFY(l.EventMenuLines.isEmpty() && l.EventGadgetLines.isEmpty() && l.EventWindowLines.isEmpty());
        QVERIFY(run.context.model.Languages.isEmpty());
    }
}

void TestLoadProjectSources::existingFilesAreLoaded()
{
    TestProject dir;
    dir.write("Main.pb", "\xEF\xBB\xBF"
                         "; my main\r\nOpen_Window_0()\r\n");
    dir.write("EventMain.pb", "; an old dispatcher is never read\n");
    dir.write("LoadLanguage.pb", "; mine\n");
    dir.write("EventMenu.pb", "Procedure EventMenu_A()\nEndProcedure\n; IDE Options\n; Folding\n");
    dir.write("EventGadget.pb", "x\n\n");
    dir.write("Catalog", "Default;Language\n\"Open\";\"Offnen\"\nSave\n");
    ProjectState project = dir.project({"W.pb"});
    GenerationRun run(project);
    LoadProjectSources(run.context);
    const OutputLines &l = run.context.lines;
    QCOMPARE(l.MainLines, QStringList({"; my main", "Open_Window_0()"}));
    QVERIFY(l.EventMainLines.contains("Procedure MyEventDispatch(EventType)"));
    QCOMPARE(l.LoadLanguageLines, QStringList{"; mine"});
    QCOMPARE(l.EventMenuLines, QStringList({"Procedure EventMenu_A()", "EndProcedure"}));
    QCOMPARE(l.EventMenuTrailer, QStringList({"; IDE Options", "; Folding"}));
    QCOMPARE(l.EventGadgetLines, QStringList({"x", ""}));
    QVERIFY(l.EventWindowLines.isEmpty());
    const LanguageMap &map = run.context.model.Languages;
    QCOMPARE(map.keys(), QStringList({"Open", "Save"}));
    QCOMPARE(map.value("Open"), QString("Offnen"));
    QCOMPARE(map.value("Save"), QString("Save"));

    // A Catalog whose only line is the header gives no entry.
    dir.write("Catalog", "Default;Language\n");
    GenerationRun second(project);
    LoadProjectSources(second.context);
    QVERIFY(second.context.model.Languages.isEmpty());
}

void TestLoadProjectSources::templatesStandLineForLine()
{
    SourceLineList main, select, fast, language;
    SplitTemplate(MainTemplate(), main);
    SplitTemplate(EventMainSelectTemplate(), select);
    SplitTemplate(EventMainCallFastTemplate(), fast);
    SplitTemplate(LoadLanguageTemplate(), language);
    const QString sep87 = "; " + QString(87, '*');
    const QString sep105 = "; " + QString(105, '*');

    QCOMPARE(main.mid(0, 5), QStringList({";-TOP", "", ";- Quarvel Main Program for Purebasic", "", sep87}));
    QVERIFY(main.contains("  Open_WindowXY()"));
    QVERIFY(main.contains("  If WindowID(#Window)"));
    QCOMPARE(main.filter("IncludeFile").size(), 6);
    QCOMPARE(main.indexOf("End") - main.indexOf("EndProcedure:Main()"), 2);
    QCOMPARE(main.last(), QString("; CompileSourceDirectory"));

    QCOMPARE(select.mid(0, 7), QStringList({";-TOP", "", "; Quarvel EventMain (Do Not Edit - Allways Overwrite)", "",
                                            sep105, "", "Procedure MyEventMenu(MenuID)"}));
    QCOMPARE(select.filter("EndSelect").size(), 4);
    QVERIFY(fast.contains("#CallEventGadgetCount = 0"));
    QCOMPARE(fast.indexOf("EndDataSection") - fast.indexOf("DataSection"), 1);

    QCOMPARE(language.size(), 60);
    QCOMPARE(language.at(5), QString("#MaxLanguage = 0"));
    const int data = int(language.indexOf("DataSection"));
    QCOMPARE(language.mid(data, 6),
             QStringList({"DataSection", "  ; Part Allways Overwrite", "  DefaultLanguage:", "  EndDefaultLanguage:",
                          "  ; End Part Allways Overwrite", "EndDataSection"}));
    for (const SourceLineList *lines : {&select, &fast, &language})
        QVERIFY(lines->contains(sep105) && !lines->contains(sep87));
}

void TestLoadProjectSources::errorCodeText()
{
    QCOMPARE(FailedFileErrorCode(), QString("Errorcode: 1"));
}

QTEST_GUILESS_MAIN(TestLoadProjectSources)
#include "tst_load_project_sources.moc"
