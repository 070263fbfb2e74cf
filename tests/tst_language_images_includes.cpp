#include "support/interpreter_fixture.h"

#include "interpreter/include_scan.h"
#include "interpreter/language_strings.h"
#include "interpreter/procedure_images.h"
#include "pipeline/load_project_sources.h"

#include <QStringEncoder>
#include <QTest>

using namespace quarvel;

class TestLanguageImagesIncludes : public QObject {
    Q_OBJECT

private slots:
    void scanIncludes();
    void scanIncludesDecodesByOwnMark();
    void scanIncludesWithoutMainFile();
    void wrapLanguageStrings_data();
    void wrapLanguageStrings();
    void scanLanguageStrings();
    void collectLanguageStrings();
    void replaceLoadImageCalls_data();
    void replaceLoadImageCalls();
    void imagesReuseGlobalLoads();
};

void TestLanguageImagesIncludes::scanIncludes()
{
    InterpreterFixture f;
    f.dir.writeLines("Main.pb",
                     {"XIncludeFile \"Forms.pb\"", "IncludeFile \"EventMenu.pb\" : XIncludeFile \"x.pb\"",
                      "IncludeFile \"commonfile.pb\"", "; IncludeFile \"Old.pb\"", "includefile \"lower.pb\"",
                      "IncludePath \"lib/\"", "  IncludeFile \"sub/Tools.pb\"", "IncludeFile \"/opt/shared/Util.pb\"",
                      "IncludeFile \"\\win\\Helper.pb\"", "Debug \"IncludeFile \" : IncludeFile \"InString.pb\"",
                      "XIncludeFile \"Forms.pb\"", "IncludeFile\"Tight.pb\""});
    ScanIncludes(f.model, f.folder(), "Main.pb");

    const QString d = f.dir.dir();
    QCOMPARE(f.model.IncludeFileList, (QStringList{d + "Forms.pb", "sub/Tools.pb", "/opt/shared/Util.pb",
                                                   d + "\\win\\Helper.pb", d + "Forms.pb", d + "Tight.pb"}));
}

void TestLanguageImagesIncludes::scanIncludesDecodesByOwnMark()
{
    InterpreterFixture f;
    QStringEncoder encoder(QStringConverter::Utf16BE, QStringConverter::Flag::WriteBom);
    f.dir.write("Main.pb", encoder.encode(QStringLiteral("XIncludeFile \"Fenster_ä.pb\"\r\n")));
    ScanIncludes(f.model, f.folder(), "Main.pb");
    QCOMPARE(f.model.IncludeFileList, QStringList{f.dir.dir() + "Fenster_ä.pb"});
}

void TestLanguageImagesIncludes::scanIncludesWithoutMainFile()
{
    InterpreterFixture f;
    ScanIncludes(f.model, f.folder(), "Main.pb");
    ScanIncludes(f.model, f.folder(), "");
    QVERIFY(f.model.IncludeFileList.isEmpty());
    QVERIFY(f.log.texts.isEmpty());
}

void TestLanguageImagesIncludes::wrapLanguageStrings_data()
{
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("after");

    // clang-format off
    QTest::newRow("gadget text")
        << "TextGadget(#Window_0_Text_0, 10, 10, 100, 20, \"Name\", #PB_Text_Right)"
        << "TextGadget(#Window_0_Text_0, 10, 10, 100, 20, MyLanguage(\"Name\"), #PB_Text_Right)";
    QTest::newRow("window title")
        << "If OpenWindow(#Window_0, 0, 0, 1, 1, \"Main\")" << "If OpenWindow(#Window_0, 0, 0, 1, 1, MyLanguage(\"Main\"))";
    QTest::newRow("requester title and text, not its flags")
        << "  MessageRequester(\"Quit\", \"Really quit?\", #PB_MessageRequester_YesNo)"
        << "  MessageRequester(MyLanguage(\"Quit\"), MyLanguage(\"Really quit?\"), #PB_MessageRequester_YesNo)";
    QTest::newRow("file requester: title, not the file or the pattern")
        << "f$ = OpenFileRequester(\"Open\", \"a.txt\", \"Text (*.txt)|*.txt\", 0)"
        << "f$ = OpenFileRequester(MyLanguage(\"Open\"), \"a.txt\", \"Text (*.txt)|*.txt\", 0)";
    QTest::newRow("parameter defaults, fonts, masks and queries stay")
        << "Procedure Fill(filter.s = \"\", title$ = \"List\")\nLoadFont(#F, \"Arial\", 10)\nDatabaseQuery(0, \"SELECT name FROM t\")"
           "\nSetGadgetText(#D, FormatDate(\"%yyyy-%mm-%dd\", Date()))"
        << "Procedure Fill(filter.s = \"\", title$ = \"List\")\nLoadFont(#F, \"Arial\", 10)\nDatabaseQuery(0, \"SELECT name FROM t\")"
           "\nSetGadgetText(#D, FormatDate(\"%yyyy-%mm-%dd\", Date()))";
    QTest::newRow("texts after other literals and operands, items, status and tooltips")
        << "If a$ = \"x\" : SetGadgetText(#T, Str(n) + \" files\") : EndIf\nAddGadgetItem(#L, -1, \"Name\" + Chr(10) + \"Size\")"
           "\nStatusBarText(#S, 0, \"Ready\") : GadgetToolTip(#B, \"Start\")"
        << "If a$ = \"x\" : SetGadgetText(#T, Str(n) + MyLanguage(\" files\")) : EndIf\nAddGadgetItem(#L, -1, MyLanguage(\"Name\") + Chr(10) + \"Size\")"
           "\nStatusBarText(#S, 0, MyLanguage(\"Ready\")) : GadgetToolTip(#B, MyLanguage(\"Start\"))";
    QTest::newRow("escaped literals, character constants and comments stay")
        << "SetGadgetText(#T, ~\"a\\\"b\") : MenuItem(#M, 'x' + \"y\") ; MenuTitle(\"z\")"
        << "SetGadgetText(#T, ~\"a\\\"b\") : MenuItem(#M, 'x' + MyLanguage(\"y\")) ; MenuTitle(\"z\")";
    QTest::newRow("image files stay")
        << "x = loadimage(#P, \"a.png\") : CatchImage(#Q, ?L)" << "x = loadimage(#P, \"a.png\") : CatchImage(#Q, ?L)";
    QTest::newRow("only the first literal")
        << "MenuItem(#W_Open, \"Open\" + #TAB$ + \"Ctrl+O\")"
        << "MenuItem(#W_Open, MyLanguage(\"Open\") + #TAB$ + \"Ctrl+O\")";
    QTest::newRow("empty literal")
        << "StringGadget(#S, 1, 1, 1, 1, \"\")" << "StringGadget(#S, 1, 1, 1, 1, MyLanguage(\"\"))";
    QTest::newRow("unclosed literal")
        << "TextGadget(#T, 1, 1, 1, 1, \"Name)" << "TextGadget(#T, 1, 1, 1, 1, \"Name)";
    QTest::newRow("already looked up")
        << "TextGadget(#T, 1, 1, 1, 1, mylanguage(\"Name\"))" << "TextGadget(#T, 1, 1, 1, 1, mylanguage(\"Name\"))";
    QTest::newRow("no literal") << "ButtonGadget(#B, 1, 1, 1, 1, Caption$)" << "ButtonGadget(#B, 1, 1, 1, 1, Caption$)";
    QTest::newRow("escaped literal stays as written")
        << "TextGadget(#T, 1, 1, 1, 1, ~\"Say \\\"hi\\\"\")" << "TextGadget(#T, 1, 1, 1, 1, ~\"Say \\\"hi\\\"\")";
    QTest::newRow("literal of a comment stays") << "TextGadget(#T, 1, 1, 1, 1, t$) ; \"x\""
                                                << "TextGadget(#T, 1, 1, 1, 1, t$) ; \"x\"";
    // clang-format on
}

void TestLanguageImagesIncludes::wrapLanguageStrings()
{
    QFETCH(QString, before);
    QFETCH(QString, after);
    InterpreterFixture f;
    f.withLines(Rows(before));
    WrapLanguageStrings(f.model);
    QCOMPARE(f.lines(), Rows(after));
}

void TestLanguageImagesIncludes::scanLanguageStrings()
{
    LanguageMap map;
    map.insert("Save", "Speichern"); // from the Catalog
    ScanLanguageStrings({"  x = MyLanguage(\"Save\")", "y = MYLANGUAGE(\"save\")",
                         "Debug \"first\" + MyLanguage(\"second\")", "z = MyLanguage(\"\")", "MyLanguage(Key$)",
                         "Debug \"no lookup\"", "w = MyLanguage(\"open", "v = MyLanguage(\"save\")",
                         "MessageRequester(MyLanguage( \"Title\"), MyLanguage(\"Text\")) ; MyLanguage(\"old\")",
                         "u = MyLanguage(~\"Say \\\"hi\\\"\")"},
                        map);
    QCOMPARE(map.keys(), (QStringList{"Save", "save", "second", "Title", "Text"}));
    QCOMPARE(map.value("Save"), "Speichern");
    QCOMPARE(map.value("save"), "save");
}

void TestLanguageImagesIncludes::collectLanguageStrings()
{
    InterpreterFixture f;
    f.withLines({"TextGadget(#T, 1, 1, 1, 1, MyLanguage(\"Common\"))"});
    f.output.MainLines = {"Debug MyLanguage(\"Main\")"};
    f.output.EventMenuLines = {"Debug MyLanguage(\"Menu\")"};
    f.output.EventGadgetLines = {"Debug MyLanguage(\"Gadget\")"};
    f.output.EventWindowLines = {"Debug MyLanguage(\"Window\")"};
    QStringEncoder utf16(QStringConverter::Utf16LE, QStringConverter::Flag::WriteBom);
    f.dir.write("sub/Strings.pb", utf16.encode(QStringLiteral("Debug MyLanguage(\"Grüße\")\r\n")));
    f.dir.write("Latin.pb", QByteArray("Debug MyLanguage(\"Caf\xe9\")\n"));
    f.model.IncludeFileList = {"sub/Strings.pb", f.dir.path("Gone.pb"), f.dir.path("Latin.pb")};

    f.model.Languages.insert(QStringLiteral("Unused"), QStringLiteral("Unused")); // the Catalog's own
    const LanguageKeysUsed used = CollectLanguageStrings(f.model, f.output, f.folder(), f.log);
    QCOMPARE(used.unreadIncludes, 1);
    QCOMPARE(used.keys.size(), 7); // a key of the Catalog that nothing looks up is not used
    QVERIFY(!used.keys.contains(QStringLiteral("Unused")) && used.keys.contains(QStringLiteral("Grüße")));
    QCOMPARE(f.model.Languages.keys().mid(1),
             (QStringList{"Common", "Main", "Menu", "Gadget", "Window", "Grüße", QString::fromLatin1("Caf\xe9")}));
    QCOMPARE(f.log.texts, QStringList{" -> Error OpenFile " + f.dir.path("Gone.pb") + " / Errorcode: 1"});
}

void TestLanguageImagesIncludes::replaceLoadImageCalls_data()
{
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("after");
    QTest::addColumn<QStringList>("files"); // ImageList files, in order, after the pass

    QTest::newRow("image gadget") << "ImageGadget(#Window_0_Image_0, 10, 10, 64, 64, LoadImage(0, \"icon.png\"))"
                                  << "ImageGadget(#Window_0_Image_0, 10, 10, 64, 64, ImageID(#MyImage_0))"
                                  << QStringList{"icon.png"};
    QTest::newRow("same file in any case, then a new one")
        << "a = LoadImage(#PB_Any, \"a.png\")\nb = loadimage(#PB_Any, \"A.PNG\") ; again\nc = LoadImage(1, \"c.png\", "
           "#PB_Image_DisplayFormat)"
        << "a = #MyImage_0\nb = #MyImage_0 ; again\nc = ImageID(#MyImage_1)" << QStringList{"a.png", "c.png"};
    // #PB_Any gives the image's number, any other identifier its handle.
    QTest::newRow("#PB_Any load inside ImageID")
        << "ImageGadget(#G, 1, 1, 1, 1, ImageID(LoadImage(#PB_Any, \"a.png\")))"
        << "ImageGadget(#G, 1, 1, 1, 1, ImageID(#MyImage_0))" << QStringList{"a.png"};
    QTest::newRow("tested #PB_Any load, load as a statement")
        << "If LoadImage(#PB_Any, \"a.png\") : EndIf\n  LoadImage(#PB_Any, \"b.png\") ; early"
        << "If IsImage(#MyImage_0) : EndIf\n  ImageID(#MyImage_1) ; early" << QStringList{"a.png", "b.png"};
    QTest::newRow("a constant keeps its image")
        << "LoadImage(#Logo, \"logo.png\")\nx = LoadImage(#PB_Any, \"LOGO.png\")"
        << "ImageID(#Logo)\nx = #Logo" << QStringList{"logo.png"};
    QTest::newRow("variable file name left alone")
        << "x = LoadImage(0, File$) : Debug \"x\"\ny = LoadImage(0, GetTemporaryDirectory() + \"c.png\")"
        << "x = LoadImage(0, File$) : Debug \"x\"\ny = LoadImage(0, GetTemporaryDirectory() + \"c.png\")"
        << QStringList{};
    QTest::newRow("file built from a constant left alone")
        << "LoadImage(#Logo, #PB_Compiler_Home + \"logo.png\")"
        << "LoadImage(#Logo, #PB_Compiler_Home + \"logo.png\")" << QStringList{};
    QTest::newRow("unfinished call left alone")
        << "x = LoadImage(0, \"b.png\"\ny = LoadImage(0, \"c.png)"
        << "x = LoadImage(0, \"b.png\"\ny = LoadImage(0, \"c.png)" << QStringList{};
    QTest::newRow("bracket inside the file name")
        << "x = LoadImage(0, \"logo (big).png\") : Debug x"
        << "x = ImageID(#MyImage_0) : Debug x" << QStringList{"logo (big).png"};
    QTest::newRow("only the first call of a line")
        << "LoadImage(0, \"a.png\") : LoadImage(1, \"b.png\")"
        << "ImageID(#MyImage_0) : LoadImage(1, \"b.png\")" << QStringList{"a.png"};
    QTest::newRow("call after a literal, call in a comment or a literal left alone")
        << "Debug \"(\" : x = LoadImage(0, \"a.png\")\ny = 1 ; LoadImage(0, \"b.png\")\nDebug \"LoadImage(0, \" + "
           "\"c.png\")"
        << "Debug \"(\" : x = ImageID(#MyImage_0)\ny = 1 ; LoadImage(0, \"b.png\")\nDebug \"LoadImage(0, \" + "
           "\"c.png\")"
        << QStringList{"a.png"};
}

void TestLanguageImagesIncludes::replaceLoadImageCalls()
{
    QFETCH(QString, before);
    QFETCH(QString, after);
    QFETCH(QStringList, files);
    InterpreterFixture f;
    f.withLines(Rows(before));
    ReplaceLoadImageCalls(f.model);
    QCOMPARE(f.lines(), Rows(after));
    QStringList recorded;
    for (const ImageRecord &image : f.model.ImageList)
        recorded << image.file;
    QCOMPARE(recorded, files);
}

void TestLanguageImagesIncludes::imagesReuseGlobalLoads()
{
    InterpreterFixture f;
    f.model.ImageList = {{"#Image_Logo", "images/Logo.png", {}, {}}};
    f.withLines({"ImageGadget(#I, 1, 1, 1, 1, ImageID(LoadImage(#PB_Any, \"IMAGES/logo.PNG\")))",
                 "ButtonImageGadget(#B, 1, 1, 1, 1, ImageID(LoadImage(#PB_Any, \"new.png\")))"});
    ReplaceLoadImageCalls(f.model);

    QCOMPARE(f.lines(), (QStringList{"ImageGadget(#I, 1, 1, 1, 1, ImageID(#Image_Logo))",
                                     "ButtonImageGadget(#B, 1, 1, 1, 1, ImageID(#MyImage_0))"}));
    QCOMPARE(f.model.ImageList.size(), 2);
    QCOMPARE(f.model.ImageList.at(1).name, "#MyImage_0");
}

QTEST_GUILESS_MAIN(TestLanguageImagesIncludes)
#include "tst_language_images_includes.moc"
