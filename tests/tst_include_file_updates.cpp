#include "pipeline/generation_context.h"
#include "pipeline/write_output_files.h"
#include "support/recording_front_end.h"
#include "support/test_project.h"
#include "update/code_updates.h"

#include <QDir>
#include <QStringDecoder>
#include <QStringEncoder>
#include <QTest>

using namespace quarvel;

namespace {

struct IncludeRun {
    IncludeRun() : project(dir.project({})), context(project, tables, frontEnd)
    {
        context.renames.bindings = {{"Window_0", "Main", ObjectKind::Window},
                                    {"Main_Button_1", "Main_Ok", ObjectKind::Gadget}};
        // The objects the last run knew: a window's rename reaches those.
        project.Stored.Window = {"Window_0"};
        project.Stored.Gadget = {"Window_0_Button_1"};
    }

    void run(const QStringList &includes)
    {
        context.model.IncludeFileList.clear();
        for (const QString &name : includes)
            context.model.IncludeFileList.append(dir.path(name));
        Renames &renames = context.renames;
        renames.windowObjects = WindowObjectBindings(renames.bindings, project.Stored, context.model.WindowList);
        StageIncludeUpdates(context);
        context.plan.WriteStaged(); // as the end of the run does
        LogIncludeWriteFailures(context);
    }

    QString updated(const QString &name, int count) const
    {
        return QStringLiteral(" -> Update Includefile ") + dir.path(name) + QStringLiteral(" / Count Change: ")
               + QString::number(count);
    }

    TestProject dir;
    ProjectState project;
    NameTables tables;
    RecordingFrontEnd frontEnd;
    GenerationContext context;
};

QByteArray Utf16LE(const QString &text)
{
    QStringEncoder encoder(QStringConverter::Utf16LE);
    return QByteArray(encoder.encode(text));
}

} // namespace

class TestIncludeFileUpdates : public QObject {
    Q_OBJECT

private slots:
    void utf8WithMarkAndCrLfKeepsItsMarkAndLineEnds()
    {
        IncludeRun r;
        r.dir.write("Tools.pbi",
                    "\xEF\xBB\xBF; Tools\r\nHideWindow(#Window_0, 1) ; \xC3\xBC\r\n; last line\n; without end");
        r.run({"Tools.pbi"});
        QCOMPARE(r.frontEnd.log, QStringList({r.updated("Tools.pbi", 1)}));
        QCOMPARE(r.dir.read("Tools.pbi"),
                 QByteArray("\xEF\xBB\xBF; Tools\r\nHideWindow(#Main, 1) ; \xC3\xBC\r\n; last line\n; without end"));
    }

    void eightBitStaysEightBit()
    {
        IncludeRun r;
        r.dir.write("Tools.pbi", "; caf\xE9\nOpen_Window_0()\n");
        r.run({"Tools.pbi"});
        QCOMPARE(r.frontEnd.log, QStringList({r.updated("Tools.pbi", 1)}));
        QCOMPARE(r.dir.read("Tools.pbi"), QByteArray("; caf\xE9\nOpen_Main()\n"));
    }

    void utf16KeepsItsFormat()
    {
        IncludeRun r;
        r.dir.write("Tools.pbi", QByteArray("\xFF\xFE") + Utf16LE(QStringLiteral("; \u20AC\r\nx = #Main_Button_1")));
        r.run({"Tools.pbi"});
        QCOMPARE(r.frontEnd.log, QStringList({r.updated("Tools.pbi", 1)}));
        QCOMPARE(r.dir.read("Tools.pbi"), QByteArray("\xFF\xFE") + Utf16LE(QStringLiteral("; \u20AC\r\nx = #Main_Ok")));
    }

    void everyChangeOfEveryPassCounts()
    {
        IncludeRun r;
        r.dir.writeLines("Tools.pbi", {"#Window_0_Button_1 : Open_Window_0() : #Window_0",
                                       "EventGadget_Main_Button_1()", "#Main_Button_10"});
        r.run({"Tools.pbi"});
        // Line 1: the prefix pass, the constant pass twice (the window, then the carried
        // button), the open-call pass. Event procedures are not renamed in include files.
        QCOMPARE(r.frontEnd.log, QStringList({r.updated("Tools.pbi", 4)}));
        QCOMPARE(LinesOf(r.dir.read("Tools.pbi")),
                 QStringList({"#Main_Ok : Open_Main() : #Main", "EventGadget_Main_Button_1()", "#Main_Button_10"}));
    }

    // The variable of a renamed #PB_Any button follows too; literals and a longer window's
    // objects stay.
    void includesFollowOnlyWhatTheRenameMeans()
    {
        IncludeRun r;
        r.project.Stored.Window = {"Window_0", "Window_0_Settings"};
        r.context.model.VariableObjects = {{"Ok", "Main_Ok", 0}};
        r.dir.writeLines("Tools.pbi", {"Debug \"#Window_0_A Button_1\" + Str(Button_1) : #Window_0_Settings_Save"});
        r.run({"Tools.pbi"});
        QCOMPARE(r.frontEnd.log, QStringList({r.updated("Tools.pbi", 1)}));
        QCOMPARE(LinesOf(r.dir.read("Tools.pbi")),
                 QStringList({"Debug \"#Window_0_A Button_1\" + Str(Ok) : #Window_0_Settings_Save"}));
    }

    void anUnchangedFileKeepsItsBytes()
    {
        IncludeRun r;
        const QByteArray bytes("\xEF\xBB\xBF; nothing here\r\n#Window_01\r\nlast line without end");
        r.dir.write("Tools.pbi", bytes);
        r.run({"Tools.pbi"});
        QVERIFY(r.frontEnd.log.isEmpty());
        QCOMPARE(r.dir.read("Tools.pbi"), bytes);
    }

    void noBindingsWriteNothing()
    {
        IncludeRun r;
        r.context.renames.bindings.clear();
        r.dir.write("Tools.pbi", "#Window_0\r\n");
        r.run({"Tools.pbi"});
        QVERIFY(r.frontEnd.log.isEmpty());
        QCOMPARE(r.dir.read("Tools.pbi"), QByteArray("#Window_0\r\n"));
    }

    void aMissingIncludeIsReportedNotCreated()
    {
        IncludeRun r;
        r.dir.writeLines("B.pbi", {"#Window_0"});
        r.run({"Missing.pbi", "B.pbi"});
        QCOMPARE(r.frontEnd.log, QStringList({" -> Error OpenFile " + r.dir.path("Missing.pbi") + " / Errorcode: 1",
                                              r.updated("B.pbi", 1)}));
        QVERIFY(!r.dir.exists("Missing.pbi"));
    }

    void aFolderIsNoInclude()
    {
        IncludeRun r;
        QVERIFY(QDir().mkpath(r.dir.path("Sub.pbi")));
        r.run({"Sub.pbi"});
        QCOMPARE(r.frontEnd.log, QStringList({" -> Error OpenFile " + r.dir.path("Sub.pbi") + " / Errorcode: 1"}));
    }

    void aFailedWriteKeepsEveryFile()
    {
        IncludeRun r;
        r.dir.writeLines("A.pbi", {"#Window_0"});
        r.dir.writeLines("B.pbi", {"#Window_0"});
        r.context.writer.beforeCommit = [&](const QString &path) { return path != r.dir.path("B.pbi"); };
        r.run({"A.pbi", "B.pbi", "A.pbi"}); // named twice, updated once
        QCOMPARE(r.frontEnd.log, QStringList({r.updated("A.pbi", 1), r.updated("B.pbi", 1),
                                              " -> Error WriteFile " + r.dir.path("B.pbi") + " / Errorcode: 1"}));
        QCOMPARE(r.dir.read("A.pbi"), QByteArray("#Window_0\n"));
        QCOMPARE(r.dir.read("B.pbi"), QByteArray("#Window_0\n"));
    }

    void aNameBeyondEightBitSwitchesToUtf8()
    {
        IncludeRun r;
        r.context.renames.bindings = {{"Window_0", QStringLiteral("Fen\u00EAtre_\u0141"), ObjectKind::Window}};
        r.dir.write("Tools.pbi", "; caf\xE9\n#Window_0\n");
        r.run({"Tools.pbi"});
        QCOMPARE(r.frontEnd.log,
                 QStringList({r.updated("Tools.pbi", 1), " -> Warning: " + r.dir.path("Tools.pbi")
                                                             + " holds characters beyond 8 bit, written as UTF-8."}));
        QCOMPARE(r.dir.read("Tools.pbi"), QByteArray("\xEF\xBB\xBF; caf\xC3\xA9\n#Fen\xC3\xAAtre_\xC5\x81\n"));
    }

    // An include in a legacy code page is read in it, said once, and written back in it while
    // it can hold the new text; one whose code page cannot be told is read 8-bit, with a warning.
    void aCodePageIncludeKeepsItsCodePage()
    {
        QStringEncoder cp1251("WINDOWS-1251");
        const QByteArray comment = cp1251.encode(QString::fromUtf8(
            "; \xD0\x9A\xD0\xB0\xD0\xBB\xD1\x8C\xD0\xBA\xD1\x83\xD0\xBB\xD1\x8F\xD1\x82\xD0\xBE\xD1\x80 - "
            "\xD1\x81\xD0\xBA\xD0\xBB\xD0\xB0\xD0\xB4\xD1\x8B\xD0\xB2\xD0\xB0\xD0\xB5\xD1\x82 "
            "\xD0\xB4\xD0\xB2\xD0\xB0 \xD1\x87\xD0\xB8\xD1\x81\xD0\xBB\xD0\xB0\n"));
        const QString read = QStringLiteral(" read as WINDOWS-1251");
        IncludeRun r;
        r.dir.write("Calc.pbi", comment + "Open_Window_0()\n");
        r.dir.write("Noise.pbi", "; \x80\x81\x82\x83\n#Window_0\n");
        r.run({"Calc.pbi", "Noise.pbi"});
        QCOMPARE(r.frontEnd.log,
                 QStringList({" -> " + r.dir.path("Calc.pbi") + read, r.updated("Calc.pbi", 1),
                              " -> Warning: " + r.dir.path("Noise.pbi")
                                  + " is neither UTF-8 nor in a code page that can be told, read as 8-bit.",
                              r.updated("Noise.pbi", 1)}));
        QCOMPARE(r.dir.read("Calc.pbi"), comment + "Open_Main()\n");
        QCOMPARE(r.dir.read("Noise.pbi"), QByteArray("; \x80\x81\x82\x83\n#Main\n"));

        IncludeRun beyond;
        beyond.context.renames.bindings = {{"Window_0", QString::fromUtf8("\xE4\xB8\xBB"), ObjectKind::Window}};
        beyond.dir.write("Calc.pbi", comment + "#Window_0\n");
        beyond.run({"Calc.pbi"});
        QCOMPARE(beyond.frontEnd.log.last(), " -> Warning: " + beyond.dir.path("Calc.pbi")
                                                 + " holds characters beyond WINDOWS-1251, written as UTF-8.");
        QStringDecoder fromCp1251("WINDOWS-1251");
        QCOMPARE(beyond.dir.read("Calc.pbi"),
                 QByteArray("\xEF\xBB\xBF") + QString(fromCp1251.decode(comment)).toUtf8() + "#\xE4\xB8\xBB\n");
    }
};

QTEST_GUILESS_MAIN(TestIncludeFileUpdates)
#include "tst_include_file_updates.moc"
