#include "base/encoded_lines_match.h"
#include "base/shared_lines.h"
#include "base/text_encoding.h"
#include "support/test_project.h"

#include <QStringEncoder>
#include <QTest>

using namespace quarvel;

namespace {

// The bytes written as f.pb and read back as a run of runFormat reads them.
TextFileRead WrittenAndRead(const QByteArray &bytes, TextFormat runFormat = TextFormat::Latin1)
{
    TestProject project;
    project.write("f.pb", bytes);
    return ReadTextFile(project.path("f.pb"), runFormat, {.keepBytes = true});
}

} // namespace

class TestTextEncoding : public QObject {
    Q_OBJECT
private slots:
    void everyMarkDecodesItsOwnEncoding_data();
    void everyMarkDecodesItsOwnEncoding();
    void lineEnds_data();
    void lineEnds();
    void noMarkReadsLatin1();
    void unmarkedCodePage_data();
    void unmarkedCodePage();
    void damagedInput();
    void utf32UnitsThatAreNoCharacter_data();
    void utf32UnitsThatAreNoCharacter();
    void longLine();
    void unreadable();
    void packedLinesLetTheirFileGo();
    void repeatedLinesShareOneCopy();
    void arenaLinesStayApart();
    void encodeRoundTrip_data();
    void encodeRoundTrip();
    void rewrittenFileKeepsWhatItDoesNotChange_data();
    void rewrittenFileKeepsWhatItDoesNotChange();
};

void TestTextEncoding::everyMarkDecodesItsOwnEncoding_data()
{
    QTest::addColumn<int>("format");
    QTest::addColumn<int>("encoding");
    QTest::newRow("UTF-8") << int(TextFormat::Utf8) << int(QStringConverter::Utf8);
    QTest::newRow("UTF-16 LE") << int(TextFormat::Utf16LE) << int(QStringConverter::Utf16LE);
    QTest::newRow("UTF-16 BE") << int(TextFormat::Utf16BE) << int(QStringConverter::Utf16BE);
    QTest::newRow("UTF-32 LE") << int(TextFormat::Utf32LE) << int(QStringConverter::Utf32LE);
    QTest::newRow("UTF-32 BE") << int(TextFormat::Utf32BE) << int(QStringConverter::Utf32BE);
}

void TestTextEncoding::everyMarkDecodesItsOwnEncoding()
{
    QFETCH(int, format);
    QFETCH(int, encoding);
    const QString text = QString::fromUtf8("ButtonGadget(#B, \"Größe 😀\")\r\nTextGadget(#T)\n");
    QStringEncoder encoder{QStringConverter::Encoding(encoding)};
    const QByteArray bytes = ByteOrderMarkBytes(TextFormat(format)) + QByteArray(encoder.encode(text));

    QCOMPARE(int(DetectByteOrderMark(bytes).format), format);
    TestProject project;
    project.write("Main.pb", bytes);
    const auto file = ReadTextFile(project.path("Main.pb"));
    QVERIFY(file);
    QCOMPARE(int(file->format), format);
    QCOMPARE(file->lines, QStringList({QString::fromUtf8("ButtonGadget(#B, \"Größe 😀\")"), "TextGadget(#T)"}));
}

// kept: the lines written back with the line ends found give the same bytes.
void TestTextEncoding::lineEnds_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<bool>("kept");
    QTest::newRow("LF") << QByteArray("A\nB\n") << QStringList{"A", "B"} << true;
    QTest::newRow("CR LF") << QByteArray("A\r\nB\r\n") << QStringList{"A", "B"} << true;
    QTest::newRow("CR LF, the last line without") << QByteArray("A\r\n\r\nB") << QStringList{"A", "", "B"} << true;
    QTest::newRow("mostly CR LF") << QByteArray("A\r\nB\r\nC\n") << QStringList{"A", "B", "C"} << false;
    QTest::newRow("lone CRs") << QByteArray("A\rB\r") << QStringList{"A", "B"} << true;
    QTest::newRow("mixed") << QByteArray("A\r\n\rB\nC") << QStringList{"A", "", "B", "C"} << false;
    QTest::newRow("no final terminator") << QByteArray("A") << QStringList{"A"} << true;
    QTest::newRow("empty lines kept") << QByteArray("\n\nA\n\n") << QStringList{"", "", "A", ""} << true;
    QTest::newRow("only CRs") << QByteArray("\r\r\r") << QStringList{"", "", ""} << true;
    QTest::newRow("empty file") << QByteArray() << QStringList{} << true;
    QTest::newRow("mark only") << QByteArray("\xEF\xBB\xBF") << QStringList{} << false;
    // The line ends are searched sixteen characters a step: a CR LF split by a step's end.
    QTest::newRow("CR LF across a step") << QByteArray(15, 'a') + "\r\n" + QByteArray(16, 'b') + "\r\nc"
                                         << QStringList{QString(15, 'a'), QString(16, 'b'), "c"} << true;
    // The LF of ASCII bytes are counted sixteen bytes a step, and summed every 255 steps.
    QTest::newRow("more lines than a sum holds") << QByteArray("A\n").repeated(3000) << QStringList(3000, "A") << true;
    QTest::newRow("a CR after many steps")
        << QByteArray("Ab\n").repeated(2000) + "\r" << QStringList(2000, "Ab") + QStringList{""} << false;
}

void TestTextEncoding::lineEnds()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, lines);
    QFETCH(bool, kept);
    TestProject project;
    project.write("f.pb", bytes);
    const auto file = ReadTextFile(project.path("f.pb"));
    QVERIFY(file);
    QCOMPARE(file->lines, lines);
    QCOMPARE(EncodeLines(file->lines, TextFormat::Latin1, file->ends) == bytes, kept);
    // The lines share the file's buffer: each ends in NUL as any QString, a changed line leaves
    // the others as read, and a line left as the buffer's only holder grows without harm.
    for (const QString &line : file->lines)
        QCOMPARE(line.utf16()[line.size()], u'\0');
    if (lines.size() < 2)
        return;
    QStringList changed = file->lines;
    changed[0] += QStringLiteral("xyz");
    QCOMPARE(changed.at(1), lines.at(1));
    QCOMPARE(file->lines.at(0), lines.at(0));
    QString last = ReadTextFile(project.path("f.pb"))->lines.first();
    last += QStringLiteral("tail");
    QCOMPARE(last, lines.first() + QStringLiteral("tail"));
}

void TestTextEncoding::noMarkReadsLatin1()
{
    const auto file = WrittenAndRead(QByteArray("caf\xE9\n"));
    QCOMPARE(int(file->format), int(TextFormat::Latin1));
    QCOMPARE(file->lines.first(), QString::fromUtf8("caf\xC3\xA9"));
}

// Bytes without a mark that are not UTF-8 are read in the code page they are told to be in,
// only in a run whose output is UTF-8; 8-bit reading stays where nothing better is known.
void TestTextEncoding::unmarkedCodePage_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("runFormat");
    QTest::addColumn<int>("format");
    QTest::addColumn<QByteArray>("codePage");
    QTest::addColumn<bool>("unknown");
    QTest::addColumn<QString>("firstLine");
    const int utf8 = int(TextFormat::Utf8), latin1 = int(TextFormat::Latin1), codePage = int(TextFormat::CodePage);
    const QString chinese = QString::fromUtf8("MessageRequester(\"\xE9\x94\x99\xE8\xAF\xAF\", "
                                              "\"\xE6\x97\xA0\xE6\xB3\x95\xE4\xBF\x9D\xE5\xAD\x98"
                                              "\xE6\x96\x87\xE4\xBB\xB6\xEF\xBC\x81\")");
    const QString cyrillic = QString::fromUtf8("; \xD0\x9A\xD0\xB0\xD0\xBB\xD1\x8C\xD0\xBA\xD1\x83\xD0\xBB"
                                               "\xD1\x8F\xD1\x82\xD0\xBE\xD1\x80 - \xD1\x81\xD1\x83\xD0\xBC"
                                               "\xD0\xBC\xD0\xB0 \xD1\x87\xD0\xB8\xD1\x81\xD0\xB5\xD0\xBB");
    const QByteArray gbk = QStringEncoder("GB18030").encode(chinese) + "\n";
    const QByteArray cp1251 = QStringEncoder("WINDOWS-1251").encode(cyrillic) + "\n";
    // clang-format off
    QTest::newRow("GBK") << gbk << utf8 << codePage << QByteArray("GB18030") << false << chinese;
    QTest::newRow("Windows-1251") << cp1251 << utf8 << codePage << QByteArray("WINDOWS-1251") << false << cyrillic;
    QTest::newRow("8-bit run keeps the bytes") << gbk << latin1 << latin1 << QByteArray() << false
        << QString::fromLatin1(gbk.chopped(1));
    QTest::newRow("a Latin guess that reads as 8-bit does") << QByteArray("caf\xE9\n") << utf8 << latin1 << QByteArray()
        << false << QString::fromUtf8("caf\xC3\xA9");
    QTest::newRow("German told IBM852 stays 8-bit") << QByteArray("Die Datei konnte nicht ge\xF6\x66\x66net werden.\n")
        << utf8 << latin1 << QByteArray() << false << QString::fromUtf8("Die Datei konnte nicht ge\xC3\xB6\x66\x66net werden.");
    QTest::newRow("cannot be told") << QByteArray("\x80\x81\x82\x83\n") << utf8 << latin1 << QByteArray() << true
        << QString::fromLatin1("\x80\x81\x82\x83");
    QTest::newRow("cannot be told, 8-bit run") << QByteArray("\x80\x81\x82\x83\n") << latin1 << latin1 << QByteArray()
        << false << QString::fromLatin1("\x80\x81\x82\x83");
    QTest::newRow("UTF-8 is no code page") << QByteArray("caf\xC3\xA9\n") << utf8 << utf8 << QByteArray() << false
        << QString::fromUtf8("caf\xC3\xA9");
    // clang-format on
}

void TestTextEncoding::unmarkedCodePage()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, runFormat);
    QFETCH(int, format);
    QFETCH(QByteArray, codePage);
    QFETCH(bool, unknown);
    QFETCH(QString, firstLine);
    const auto file = WrittenAndRead(bytes, TextFormat(runFormat));
    QVERIFY(file);
    QCOMPARE(int(file->format), format);
    QCOMPARE(file->codePage, codePage);
    QCOMPARE(file->encodingUnknown, unknown);
    QCOMPARE(file->firstInvalidLine, 0);
    QCOMPARE(file->lines, QStringList{firstLine});
    // Unchanged, the file keeps its bytes, whatever it was read as.
    QCOMPARE(EncodeRewritten(*file, file->lines, TextFormat(runFormat)).bytes, bytes);
}

void TestTextEncoding::damagedInput()
{
    TestProject project;
    // Invalid UTF-8 behind a UTF-8 mark still reads, line for line, with replacement characters.
    project.write("bad.pb", QByteArray("\xEF\xBB\xBF"
                                       "a\xC3\n\xFF\xFE"
                                       "b\n"));
    auto file = ReadTextFile(project.path("bad.pb"));
    QVERIFY(file);
    QCOMPARE(file->lines.size(), 2);
    QVERIFY(file->lines.at(0).startsWith("a"));
    QVERIFY(file->lines.at(1).endsWith("b"));

    // Binary noise without a mark: every byte is one character, no line is lost.
    QByteArray noise;
    for (int i = 0; i < 4096; ++i)
        noise.append(char((i * 37) & 0xFF));
    project.write("noise.bin", noise);
    file = ReadTextFile(project.path("noise.bin"));
    QVERIFY(file);
    qsizetype characters = 0;
    for (const QString &line : file->lines)
        characters += line.size();
    QCOMPARE(characters + noise.count('\n') + noise.count('\r') - noise.count("\r\n"), noise.size());

    // An odd number of bytes behind a UTF-16 mark.
    project.write("odd.pb", QByteArray("\xFF\xFE"
                                       "A\x00"
                                       "B",
                                       5));
    file = ReadTextFile(project.path("odd.pb"));
    QVERIFY(file);
    QCOMPARE(file->lines.size(), 1);
    QVERIFY(file->lines.first().startsWith("A"));
}

void TestTextEncoding::longLine()
{
    TestProject project;
    project.write("long.pb", QByteArray(1 << 20, 'x') + "\nend\n");
    const auto file = ReadTextFile(project.path("long.pb"));
    QCOMPARE(file->lines.size(), 2);
    QCOMPARE(file->lines.first().size(), 1 << 20);

    // Written back, a line longer than a piece of the encoder and lines that fill many pieces
    // keep their bytes.
    QCOMPARE(EncodeLines(file->lines, TextFormat::Utf8), "\xEF\xBB\xBF" + QByteArray(1 << 20, 'x') + "\nend\n");
    QVERIFY(EncodesAs(file->lines, TextFormat::Utf8, "\xEF\xBB\xBF" + QByteArray(1 << 20, 'x') + "\nend\n"));
    QVERIFY(!EncodesAs(file->lines, TextFormat::Utf8, "\xEF\xBB\xBF" + QByteArray(1 << 20, 'x') + "\nEnd\n"));
    const QStringList many(300, QString(501, QChar(0xE9)));
    QByteArray expected;
    for (int i = 0; i < 300; ++i)
        expected += QString(501, QChar(0xE9)).toUtf8() + '\n';
    QCOMPARE(EncodeLines(many, TextFormat::Utf8), "\xEF\xBB\xBF" + expected);
    QVERIFY(EncodesAs(many, TextFormat::Utf8, "\xEF\xBB\xBF" + expected));

    // Compared with the files as they are read, a piece at a time: the long line reaches past a
    // piece, a two-byte character stands across the end of one, and a byte that differs after
    // it, or one byte more, is still seen.
    const auto fileHolds = [&](const QStringList &lines, const QByteArray &bytes) {
        project.write("cmp.pb", bytes);
        RegularFileStream stream(project.path("cmp.pb"));
        return EncodesAs(lines, TextFormat::Utf8, stream);
    };
    QVERIFY(fileHolds(file->lines, "\xEF\xBB\xBF" + QByteArray(1 << 20, 'x') + "\nend\n"));
    QVERIFY(!fileHolds(file->lines, "\xEF\xBB\xBF" + QByteArray(1 << 20, 'x') + "\nEnd\n"));
    const QStringList more = QStringList{"ab"} + QStringList(1200, QString(501, QChar(0xE9)));
    const QByteArray moreBytes = "\xEF\xBB\xBF"
                                 "ab\n"
                                 + expected.repeated(4);
    QCOMPARE(((1 << 20) - 6) % 1003 % 2, 1); // the first piece ends inside a character
    QVERIFY(fileHolds(more, moreBytes));
    QVERIFY(!fileHolds(more, moreBytes + "\n"));
    QByteArray changed = moreBytes;
    changed[changed.size() - 2] = 'x';
    QVERIFY(!fileHolds(more, changed));
    RegularFileStream folder(project.dir());
    QVERIFY(!EncodesAs(many, TextFormat::Utf8, folder));
    QCOMPARE(folder.Status().reason, QString("Is a directory"));
}

void TestTextEncoding::unreadable()
{
    TestProject project;
    project.write("dir/file.pb", "x");
    const struct {
        const char *name;
        FileResult::Status status;
        const char *reason;
    } cases[] = {
        {"missing.pb", FileResult::Missing, "No such file or directory"},
        {"dir", FileResult::Failed, "Is a directory"},                     // a folder where a file should be
        {"dir/file.pb/deeper.pb", FileResult::Missing, "Not a directory"}, // a path through a file
    };
    for (const auto &c : cases) {
        const TextFileRead file = ReadTextFile(project.path(c.name));
        QVERIFY(!file);
        QCOMPARE(file.status, c.status);
        QCOMPARE(file.path, project.path(c.name));
        QCOMPARE(file.reason, QString(c.reason));
    }
}

// The lines of a file share its buffer. Once most of them are rewritten, the others are packed
// into a buffer of their own and the file's buffer goes; lines that still fill it stay in it.
void TestTextEncoding::packedLinesLetTheirFileGo()
{
    TestProject project;
    project.write("w.pb", "one\ntwo\nthree\nfour\n");
    QStringList lines = ReadTextFile(project.path("w.pb"))->lines;
    const QString first = lines.at(0); // holds the file's buffer, as a line does
    PackSparseLines(lines);
    QCOMPARE(lines.at(0).constData(), first.constData());
    for (qsizetype i = 1; i < lines.size(); ++i)
        lines[i] = QStringLiteral("#W_") + lines.at(i);
    PackSparseLines(lines);
    QVERIFY(first.isDetached());
    QCOMPARE(lines, QStringList({"one", "#W_two", "#W_three", "#W_four"}));
}

namespace {

qsizetype CapacityOf(const QString &line)
{
    return const_cast<QString &>(line).data_ptr().d_ptr()->constAllocatedCapacity();
}

} // namespace

// Read with its repeated lines shared, a file keeps every line's text. A generated event file,
// mostly repeats, lets its buffer go for one that holds only its lines of their own; a file of
// lines of their own stays in its buffer, as any file read.
void TestTextEncoding::repeatedLinesShareOneCopy()
{
    QByteArray generated;
    for (int i = 0; i < 50; ++i)
        generated += "Procedure EventGadget_W_B" + QByteArray::number(i)
                     + "(EventType)\r\n  Select EventType\r\n    Case #PB_EventType_LeftClick\r\n\r\n"
                       "  EndSelect\r\nEndProcedure\r\n; ****\r\n";
    QByteArray own;
    for (int i = 0; i < 50; ++i)
        own += "x" + QByteArray::number(i) + " = " + QByteArray::number(i * 7) + "\r\nEndIf\r\n";
    for (const bool mostlyRepeats : {true, false}) {
        const QByteArray &bytes = mostlyRepeats ? generated : own;
        TestProject project;
        project.write("f.pb", bytes);
        const QStringList lines =
            ReadTextFile(project.path("f.pb"), TextFormat::Latin1, {.shareRepeatedLines = true})->lines;
        QCOMPARE(lines, SplitLines(QString::fromLatin1(bytes)));
        const QString repeated = mostlyRepeats ? QStringLiteral("EndProcedure") : QStringLiteral("EndIf");
        const qsizetype second = lines.indexOf(repeated, lines.indexOf(repeated) + 1); // the first met again
        QCOMPARE(lines.at(second).constData(), lines.at(lines.lastIndexOf(repeated)).constData());
        QCOMPARE(CapacityOf(lines.first()) < bytes.size() / 2, mostlyRepeats);
    }
}

// Lines of one arena share its buffers, and a line changed is changed alone.
void TestTextEncoding::arenaLinesStayApart()
{
    LineArena arena;
    QString first = arena.joined({u"  ", u"#", u"Win_Button"});
    const QString second = arena.joined({u"  #Win_Text"});
    const QString longLine = arena.joined({QString(8000, u'x')});
    QCOMPARE(first, QStringLiteral("  #Win_Button"));
    QCOMPARE(second.constData(), first.constData() + first.size() + 1);
    QVERIFY(CapacityOf(longLine) < 2 * longLine.size()); // a buffer of its own
    first += QStringLiteral("_0");
    QCOMPARE(first, QStringLiteral("  #Win_Button_0"));
    QCOMPARE(second, QStringLiteral("  #Win_Text"));
}

void TestTextEncoding::encodeRoundTrip_data()
{
    QTest::addColumn<int>("format");
    QTest::addColumn<QByteArray>("expected");
    const QStringList lines{"a", QString::fromUtf8("\xC3\xA9"), ""};
    QTest::newRow("8-bit") << int(TextFormat::Latin1) << QByteArray("a\n\xE9\n\n");
    QTest::newRow("UTF-8") << int(TextFormat::Utf8)
                           << QByteArray("\xEF\xBB\xBF"
                                         "a\n\xC3\xA9\n\n");
    QTest::newRow("UTF-16") << int(TextFormat::Utf16LE)
                            << QByteArray("\xFF\xFE"
                                          "a\0\n\0\xE9\0\n\0\n\0",
                                          12);
}

void TestTextEncoding::encodeRoundTrip()
{
    QFETCH(int, format);
    QFETCH(QByteArray, expected);
    const QStringList lines{"a", QString::fromUtf8("\xC3\xA9"), ""};
    QCOMPARE(EncodeLines(lines, TextFormat(format)), expected);
    // A file is found to hold the lines without their bytes being made, and not to hold them
    // when a byte differs, is missing, or is more.
    QVERIFY(EncodesAs(lines, TextFormat(format), expected));
    QByteArray otherText = expected;
    otherText[otherText.indexOf('a')] = 'b';
    for (const QByteArray &other : {otherText, expected.chopped(1), expected + '\n', expected.sliced(1)})
        QVERIFY(!EncodesAs(lines, TextFormat(format), other));
    QVERIFY(!EncodesAs(lines, TextFormat(format), expected, {.afterLast = false}));
    TestProject project;
    project.write("f.pb", expected);
    QCOMPARE(ReadTextFile(project.path("f.pb"))->lines, lines);
    QVERIFY(FitsLatin1(lines));
    QVERIFY(!FitsLatin1({"ok", QString::fromUtf8("\xC5\xA0")}));

    // 8-bit text with NUL characters, found by fuzzing: written as 8-bit, its bytes would read
    // back as UTF-16 and the lines would be lost.
    project.write("nul.pb", QByteArray("\xFF\\A\0\r\0\n\0\xB4", 9));
    const auto nul = ReadTextFile(project.path("nul.pb"));
    const TextFormat written = FormatThatHolds(nul->lines, nul->format);
    project.write("nul.pb", EncodeLines(nul->lines, written));
    QCOMPARE(ReadTextFile(project.path("nul.pb"))->lines, nul->lines);
}

// A file the run rewrites keeps its format, its mark or none, its line ends, and the bytes of
// every line the run leaves alone.
void TestTextEncoding::rewrittenFileKeepsWhatItDoesNotChange_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("runFormat");
    QTest::addColumn<QStringList>("lines"); // the new text
    QTest::addColumn<QByteArray>("expected");
    QTest::addColumn<bool>("widened");
    const int utf8 = int(TextFormat::Utf8), latin1 = int(TextFormat::Latin1);
    const QString damaged = QStringLiteral("a") + QChar(QChar::ReplacementCharacter);
    QStringEncoder utf16(QStringConverter::Utf16LE);
    // clang-format off
    QTest::newRow("same text, same bytes") << QByteArray("\xEF\xBB\xBF" "a\xC3\r\nb") << utf8 << QStringList{damaged, "b"}
        << QByteArray("\xEF\xBB\xBF" "a\xC3\r\nb") << false;
    QTest::newRow("8-bit in a UTF-8 run") << QByteArray("caf\xE9\r\n; Gr\xFC\xDF\r\n") << utf8
        << QStringList{QString::fromUtf8("caf\xC3\xA9"), QString::fromUtf8("; Gr\xC3\xBC\xC3\x9F"), "x"}
        << QByteArray("caf\xE9\r\n; Gr\xFC\xDF\r\nx\r\n") << false;
    QTest::newRow("UTF-16 with its mark") << QByteArray("\xFF\xFE") + QByteArray(utf16.encode(u"A\nB\n")) << utf8
        << QStringList{"A", "C"} << QByteArray("\xFF\xFE") + QByteArray(utf16.encode(u"A\nC\n")) << false;
    QTest::newRow("CR alone") << QByteArray("A\rB\r") << utf8 << QStringList{"A", "B", "C"}
        << QByteArray("A\rB\rC\r") << false;
    QTest::newRow("mixed line ends stay, new lines take the most") << QByteArray("A\r\nB\nC\r\n") << utf8
        << QStringList{"A", "B", "X", "C"} << QByteArray("A\r\nB\nX\r\nC\r\n") << false;
    QTest::newRow("damaged bytes of a line left alone") << QByteArray("\xEF\xBB\xBF" "a\xC3\nb\n") << utf8
        << QStringList{damaged, "c"} << QByteArray("\xEF\xBB\xBF" "a\xC3\nc\n") << false;
    QTest::newRow("last line without a line end") << QByteArray("A\nB") << utf8 << QStringList{"A", "B", "C"}
        << QByteArray("A\nB\nC") << false;
    QTest::newRow("UTF-8 without a mark") << QByteArray("caf\xC3\xA9\n") << utf8
        << QStringList{QString::fromUtf8("caf\xC3\xA9"), "x"} << QByteArray("caf\xC3\xA9\nx\n") << false;
    QTest::newRow("ASCII that needs more, in a UTF-8 run") << QByteArray("A\n") << utf8
        << QStringList{"A", QString::fromUtf8("Gr\xC3\xB6\xC3\x9F" "e")}
        << QByteArray("\xEF\xBB\xBF" "A\nGr\xC3\xB6\xC3\x9F" "e\n") << false;
    QTest::newRow("8-bit that needs more than 8 bits") << QByteArray("caf\xE9\n") << latin1
        << QStringList{QString::fromUtf8("caf\xC3\xA9"), QString::fromUtf8("\xC5\xA0")}
        << QByteArray("\xEF\xBB\xBF" "caf\xC3\xA9\n\xC5\xA0\n") << true;
    const QString cyrillic = QString::fromUtf8("; \xD0\x9A\xD0\xB0\xD0\xBB\xD1\x8C\xD0\xBA\xD1\x83\xD0\xBB"
                                               "\xD1\x8F\xD1\x82\xD0\xBE\xD1\x80 - \xD1\x81\xD1\x83\xD0\xBC"
                                               "\xD0\xBC\xD0\xB0 \xD1\x87\xD0\xB8\xD1\x81\xD0\xB5\xD0\xBB");
    const QString more = QString::fromUtf8("; \xD0\x98\xD1\x82\xD0\xBE\xD0\xB3");
    QStringEncoder cp1251("WINDOWS-1251");
    const QByteArray cyrillicBytes = cp1251.encode(cyrillic);
    const QString chinese = QString::fromUtf8("\xE4\xBF\x9D");
    // clang-format off
    QTest::newRow("code page, a new line in it") << cyrillicBytes + "\r\n" << utf8 << QStringList{cyrillic, more}
        << cyrillicBytes + "\r\n" + QByteArray(cp1251.encode(more)) + "\r\n" << false;
    QTest::newRow("code page that cannot hold the new text") << cyrillicBytes + "\n" << utf8
        << QStringList{cyrillic, chinese} << QByteArray("\xEF\xBB\xBF") + (cyrillic + "\n" + chinese + "\n").toUtf8()
        << true;
    // clang-format on
}

void TestTextEncoding::rewrittenFileKeepsWhatItDoesNotChange()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, runFormat);
    QFETCH(QStringList, lines);
    QFETCH(QByteArray, expected);
    QFETCH(bool, widened);
    const auto file = WrittenAndRead(bytes, TextFormat(runFormat));
    QVERIFY(file);
    const RewrittenText text = EncodeRewritten(*file, lines, TextFormat(runFormat));
    QCOMPARE(text.bytes, expected);
    QCOMPARE(text.widened, widened);
}

void TestTextEncoding::utf32UnitsThatAreNoCharacter_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");
    const QString bad(QChar::ReplacementCharacter);
    QTest::newRow("beyond U+10FFFF, big endian") << QByteArray("\x00\x00\xFE\xFF"
                                                               "\x00\x11\x00\x00"
                                                               "\x00\x00\x00\x41",
                                                               12)
                                                 << bad + "A";
    QTest::newRow("all bits set, little endian") << QByteArray("\xFF\xFE\x00\x00"
                                                               "\xFF\xFF\xFF\xFF"
                                                               "\x42\x00\x00\x00",
                                                               12)
                                                 << bad + "B";
    QTest::newRow("a surrogate on its own") << QByteArray("\xFF\xFE\x00\x00"
                                                          "\x00\xD8\x00\x00",
                                                          8)
                                            << bad;
    QTest::newRow("beyond the basic plane") << QByteArray("\x00\x00\xFE\xFF"
                                                          "\x00\x01\xF6\x00",
                                                          8)
                                            << QString::fromUtf8("\xF0\x9F\x98\x80");
    QTest::newRow("cut-off last unit") << QByteArray("\x00\x00\xFE\xFF"
                                                     "\x00\x00\x00\x43"
                                                     "\x00\x00",
                                                     10)
                                       << "C" + bad;
    // Found by fuzzing: a run of 0xFF units read as stray surrogates, which changed on writing.
    QTest::newRow("fuzzed file") << ReadTestData("fuzz/utf32-beyond-unicode.bin")
                                 << QString(30, QChar::ReplacementCharacter) + bad;
}

void TestTextEncoding::utf32UnitsThatAreNoCharacter()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    TestProject project;
    project.write("wide.pb", bytes);
    const auto file = ReadTextFile(project.path("wide.pb"));
    QVERIFY(file);
    QCOMPARE(file->lines, QStringList{text});

    // Written back in its own format, the file reads the same.
    project.write("again.pb", EncodeLines(file->lines, file->format));
    QCOMPARE(ReadTextFile(project.path("again.pb"))->lines, file->lines);
}

QTEST_GUILESS_MAIN(TestTextEncoding)
#include "tst_text_encoding.moc"
