#include "base/basic_strings.h"
#include "base/no_case_key.h"
#include "base/no_case_search.h"
#include "base/procedure_head.h"
#include "base/statement_scan.h"

#include <QTest>

using namespace quarvel;

class TestLineScan : public QObject {
    Q_OBJECT
private slots:
    void indexOfText_data();
    void indexOfText();
    void findNoCase_data();
    void findNoCase();
    void wordBefore_data();
    void wordBefore();
    void replaceWord_data();
    void replaceWord();
    void codeLine_data();
    void codeLine();
    void primitives();
    void statements_data();
    void statements();
    void upperKeepsLength();
    void upperMatchesUpperCharEverywhere();
    void identifierEndMatchesUnitRule();
    void noCaseKeyMatchesCompare();
    void procedureHead_data();
    void procedureHead();
};

void TestLineScan::indexOfText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("search");
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("expected"); // -1: none
    // clang-format off
    QTest::newRow("first") << "a(b(c" << "(" << 0 << 1;
    QTest::newRow("from start") << "a(b(c" << "(" << 2 << 3;
    QTest::newRow("from below 0") << "a(b" << "(" << -6 << 1;
    QTest::newRow("from beyond end") << "abc" << "c" << 3 << -1;
    QTest::newRow("empty text") << "" << "a" << 0 << -1;
    QTest::newRow("empty search") << "abc" << "" << 0 << -1;
    QTest::newRow("case matters") << "Abc" << "a" << 0 << -1;
    QTest::newRow("word after a false start") << "aaab" << "aab" << 0 << 1;
    QTest::newRow("word at the very end") << "x(#" << "(#" << 0 << 1;
    QTest::newRow("first character too late") << "abc(" << "(#" << 0 << -1;
    QTest::newRow("longer than text") << "ab" << "abc" << 0 << -1;
    QTest::newRow("from inside a match") << "(#a(#b" << "(#" << 1 << 3;
    QTest::newRow("from on the last fit") << "xxab" << "ab" << 2 << 2;
    QTest::newRow("whole text") << "OPENWINDOW(#" << "OPENWINDOW(#" << 0 << 0;
    // The search goes sixteen characters a step and takes the last ones in a step that ends
    // with the text, without the characters already looked at.
    QTest::newRow("hit at the sixteenth") << QString(15, 'x') + "(#" << "(#" << 0 << 15;
    QTest::newRow("hit in the last step") << QString(18, 'x') + "(#" << "(#" << 0 << 18;
    QTest::newRow("from inside the last step") << "(#" + QString(14, 'x') + "(#yy" << "(#" << 1 << 16;
    QTest::newRow("none in the last step") << QString(17, 'x') + "(" << "(#" << 0 << -1;
    // clang-format on
}

void TestLineScan::indexOfText()
{
    QFETCH(QString, text);
    QFETCH(QString, search);
    QFETCH(int, from);
    QFETCH(int, expected);
    QCOMPARE(IndexOfText(text, search, from), expected);
}

void TestLineScan::findNoCase_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("search");
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("expected"); // -1: none
    // clang-format off
    QTest::newRow("indented keyword") << "  buttongadget(#B" << "BUTTONGADGET(" << 0 << 2;
    QTest::newRow("mixed case both") << "If OpenWindow(#W" << "openWINDOW(#" << 0 << 3;
    QTest::newRow("search in lower case") << "  ButtonGadget(#B" << "buttongadget(" << 0 << 2;
    QTest::newRow("from a later start") << "MenuItem(#A) : menuitem(#B)" << "MENUITEM(#" << 1 << 15;
    QTest::newRow("from below 0") << "abc" << "A" << -5 << 0;
    QTest::newRow("from beyond the end") << "abc" << "C" << 3 << -1;
    QTest::newRow("empty search") << "abc" << "" << 0 << -1;
    QTest::newRow("empty text") << "" << "A" << 0 << -1;
    QTest::newRow("not there") << "ButtonGadget (#B" << "BUTTONGADGET(" << 0 << -1;
    QTest::newRow("match at the very end") << "x = OpenWindow(" << "OPENWINDOW(" << 0 << 4;
    QTest::newRow("longer than the text") << "Open" << "OPENWINDOW(" << 0 << -1;
    QTest::newRow("signs beside the letters keep their case") << "a{b}c@d`" << "A[B]C`D@" << 0 << -1;
    QTest::newRow("signs beside the letters match themselves") << "x a{b}c@d`" << "A{B}C@D`" << 0 << 2;
    // clang-format on
    // Upper-casing a sharp s must not shift the positions behind it.
    // clang-format off
    QTest::newRow("sharp s before keyword") << QString::fromUtf8("ß=MenuItem(#A") << "MENUITEM(#" << 0 << 2;
    QTest::newRow("non-ASCII upper-cased") << "größe" << "GRÖSSE" << 0 << -1;
    QTest::newRow("non-ASCII keeps positions") << "ä = TextGadget(#T" << "TEXTGADGET(#" << 0 << 4;
    QTest::newRow("umlaut in the search") << "x = größe" << "GRÖ" << 0 << 4;
    // clang-format on
    // A dotless i upper-cases to I: the call is there for the searches of the upper-cased text.
    // clang-format off
    QTest::newRow("dotless i in a call") << QString::fromUtf8("x = Splıttergadget(#S") << "SPLITTERGADGET(" << 0 << 4;
    QTest::newRow("dotless i right before the bracket") << QString::fromUtf8("x = UseGadgetLıst(W") << "USEGADGETLIST(" << 0 << 4;
    QTest::newRow("bracket too near the end") << "ab(" << "B(#" << 0 << -1;
    QTest::newRow("bracket too near the start") << "ndow(#W" << "OPENWINDOW(#" << 0 << -1;
    // clang-format on
}

void TestLineScan::findNoCase()
{
    QFETCH(QString, text);
    QFETCH(QString, search);
    QFETCH(int, from);
    QFETCH(int, expected);
    QCOMPARE(IndexOfNoCase(text, search, from), expected);
    // The same answer as searching the upper-cased copies.
    QCOMPARE(IndexOfNoCase(text, search, from), IndexOfText(UpperKeepLength(text), UpperKeepLength(search), from));
    QCOMPARE(StartsNoCase(text, search), IndexOfNoCase(text, search) == 0);
    if (search.contains(QLatin1Char('(')))
        QCOMPARE(IndexOfCallNoCase(text, search, from), expected);
    // A call set answers for the whole line what the call search answers from its start.
    if (const qsizetype bracket = search.indexOf(QLatin1Char('(')); bracket >= 4) {
        const CallSet calls{{5, search}};
        const qsizetype call = IndexOfCallNoCase(text, search);
        QCOMPARE(calls.callsIn(text), call >= 0 ? quint64(1) << 5 : quint64(0));
        if (call >= 0) // and the bracket alone
            QCOMPARE(calls.callsAt(text, call + bracket), quint64(1) << 5);
    }
}

void TestLineScan::wordBefore_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("word"); // null: none

    // clang-format off
    QTest::newRow("at the start") << "ButtonGadget(#B" << "ButtonGadget";
    QTest::newRow("after If") << "  If buttongadget(#B" << "buttongadget";
    QTest::newRow("after tabs") << "\t\tTextGadget(#T" << "TextGadget";
    QTest::newRow("tab after blanks") << "    \tTextGadget(#T" << "TextGadget";
    QTest::newRow("blank after tab") << "\tIf x = 1 : TextGadget(#T" << "TextGadget";
    QTest::newRow("blank before bracket") << "ButtonGadget (#B" << "";
    QTest::newRow("joined without blank") << "x():ButtonGadget(#B" << "x():ButtonGadget";
    QTest::newRow("bracket first") << "(#B" << "";
    QTest::newRow("no bracket") << "ButtonGadget" << QString();
    // clang-format on
}

void TestLineScan::wordBefore()
{
    QFETCH(QString, text);
    QFETCH(QString, word);
    const QStringView found = WordBefore(text, IndexOfText(text, u"(#"));
    QCOMPARE(found.toString(), word);
    QCOMPARE(found.isNull(), word.isNull());
}

void TestLineScan::codeLine_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("literals"); // begin-close of each literal, close -1 when unclosed
    QTest::addColumn<int>("comment");
    QTest::addColumn<QString>("shape"); // indexes of the first call's commas and close, -1 unclosed
    // clang-format off
    QTest::newRow("plain, then a comment") << "f(\"a;b\", 1) ; \"c\"" << "2-6" << 12 << "7 10";
    QTest::newRow("escaped quote does not end") << "f(~\"x\\\"y, \\\\\", 2)" << "2-12" << -1 << "13 16";
    QTest::newRow("backslash ends a plain literal") << "f(\"C:\\\", ';')" << "2-6 9-11" << -1 << "7 12";
    QTest::newRow("unclosed") << "f(1, \"a, b)" << "5--1" << -1 << "3 -1";
    QTest::newRow("escape at the end") << "f(~\"a\\" << "2--1" << -1 << " -1";
    // clang-format on
}

void TestLineScan::codeLine()
{
    QFETCH(QString, text);
    QFETCH(QString, literals);
    QFETCH(int, comment);
    QFETCH(QString, shape);
    const CodeLine code = ScanCodeLine(text);
    QStringList spans;
    for (const CodeLiteral &literal : code.literals)
        spans << QString::number(literal.Begin()) + QLatin1Char('-') + QString::number(literal.close);
    QCOMPARE(spans.join(QLatin1Char(' ')), literals);
    QCOMPARE(code.comment, comment);
    // A literal covers its "~" and both quotes, and nothing around it.
    for (const CodeLiteral &literal : code.literals) {
        const qsizetype last = literal.close >= 0 ? literal.close : text.size() - 1;
        QVERIFY(code.InLiteral(literal.Begin()) && code.InLiteral(last));
        QVERIFY(!code.InLiteral(literal.Begin() - 1) && !code.InLiteral(last + 1));
    }
    const CallShape call = CallShapeAt(text, 1);
    QStringList commas;
    for (qsizetype c : call.commas)
        commas << QString::number(c);
    QCOMPARE(commas.join(QLatin1Char(',')) + QLatin1Char(' ') + QString::number(call.close), shape);
}

void TestLineScan::replaceWord_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("word");
    QTest::addColumn<QString>("replacement");
    QTest::addColumn<QString>("expected");
    // clang-format off
    QTest::newRow("whole words only") << "#Button_1 + Button_10 + MyButton_1" << "Button_1" << "X"
                                      << "#X + Button_10 + MyButton_1";
    QTest::newRow("start and end of text") << "Button_1=Button_1" << "Button_1" << "B" << "B=B";
    QTest::newRow("any letter case") << "x = button_1" << "BUTTON_1" << "Ok" << "x = Ok";
    QTest::newRow("non-ASCII letters are boundaries") << QString::fromUtf8("äButton_1ö") << "Button_1" << "X"
                                                      << QString::fromUtf8("äXö");
    QTest::newRow("hash form") << "SetGadgetText(#Main_Button_1, #Main_Button_1x)" << "#Main_Button_1"
                               << "#Main_Ok" << "SetGadgetText(#Main_Ok, #Main_Button_1x)";
    // clang-format on
    // The replacement holds the word itself: the scan goes on behind it, no endless loop.
    // clang-format off
    QTest::newRow("replacement contains word") << "A + A" << "A" << "A A" << "A A + A A";
    QTest::newRow("replacement with word at its end") << "x(Ab)" << "Ab" << "b_Ab" << "x(b_Ab)";
    QTest::newRow("empty word") << "abc" << "" << "x" << "abc";
    // clang-format on
}

void TestLineScan::replaceWord()
{
    QFETCH(QString, text);
    QFETCH(QString, word);
    QFETCH(QString, replacement);
    QFETCH(QString, expected);
    QCOMPARE(ReplaceWord(text, word, replacement), expected);
}

void TestLineScan::statements_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("statements"); // joined by "|", string contents blanked
    // clang-format off
    QTest::newRow("colons") << "  Repeat : Event = WaitWindowEvent() :" << "Repeat|Event = WaitWindowEvent()";
    QTest::newRow("comment") << "If a ; : b" << "If a";
    QTest::newRow("texts") << "x$ = \"a;b:c\" : y = 'a'" << "x$ = \"     \"|y = ' '";
    QTest::newRow("escaped quote") << "t$ = ~\"say \\\"a:b\\\"\" : z" << "t$ = ~\"           \"|z";
    QTest::newRow("module name") << "App::Start() : App::Stop()" << "App::Start()|App::Stop()";
    QTest::newRow("label") << "Logo: : IncludeBinary \"a.png\"" << "Logo|IncludeBinary \"     \"";
    // clang-format on
}

// The statements of a line as the passes read its code: texts and comment blanked, ":" between.
void TestLineScan::statements()
{
    QFETCH(QString, line);
    QFETCH(QString, statements);
    const QString code = BlankedCode(line);
    QCOMPARE(code.size(), line.size());
    QStringList found;
    for (const QStringView statement : Statements(code))
        found << statement.toString();
    QCOMPARE(found.join('|'), statements);
}

void TestLineScan::primitives()
{
    QCOMPARE(Trim("  a b  "), QString("a b"));
    QCOMPARE(Trim("\t a \t"), QString("\t a \t"));
    QCOMPARE(Trim("\"\"Hello\"", QLatin1Char('"')), QString("Hello"));
    QCOMPARE(ReplaceString("aXbxc", "x", "-", true), QString("a-b-c"));
    QCOMPARE(ReplaceString("aXbxc", "x", "-", false), QString("aXb-c"));
    QCOMPARE(ReplaceString("aaa", "aa", "b", false), QString("ba"));
    QCOMPARE(Str(-42), QString("-42"));
    // A command, not the end of a longer name; by index, -1 for none.
    QCOMPARE(IndexOfCommandNoCase(u"DisableMenuItem(#M, 1, 0) : menuitem(#A, \"a\")", u"MENUITEM("), 28);
    QCOMPARE(IndexOfCommandNoCase(u"MenuItem(#A, \"a\")", u"MENUITEM("), 0);
    QCOMPARE(IndexOfCommandNoCase(u"DisableMenuItem(#M, 1, 0)", u"MENUITEM("), -1);
    QCOMPARE(TextBeforeCommaOrClose(u"f( a , b)", 2), u" a ");
    QCOMPARE(TextBeforeCommaOrClose(u"f(a)", 2), u"a");
    QVERIFY(TextBeforeCommaOrClose(u"f(a", 2).isNull());
}

void TestLineScan::upperKeepsLength()
{
    const QString text = QString::fromUtf8("straße ǆ ﬁ 😀 abc");
    const QString upper = UpperKeepLength(text);
    QCOMPARE(upper.size(), text.size());
    QVERIFY(upper.endsWith("ABC"));
    QVERIFY(upper.startsWith("STRA"));
}

void TestLineScan::upperMatchesUpperCharEverywhere()
{
    // Every character alone, then one non-ASCII character at each place of texts of many
    // lengths: the whole-text path must agree with the character-by-character rule.
    for (int u = 0; u <= 0xFFFF; ++u) {
        const QChar c{char16_t(u)};
        if (UpperKeepLength(QString(c)) != QString(UpperChar(c)))
            QFAIL(qPrintable(QStringLiteral("U+%1").arg(u, 4, 16, QLatin1Char('0'))));
    }
    const QString ascii = QStringLiteral("openWindow(#win_0, 0, 0, 640, 480, \"Main {z} `a@`\") ; Ok");
    for (qsizetype length = 0; length <= ascii.size(); ++length) {
        QString text = ascii.left(length);
        QString expected;
        for (QChar c : text)
            expected += UpperChar(c);
        QCOMPARE(UpperKeepLength(text), expected);
        for (qsizetype at = 0; at < length; ++at) {
            QString mixed = text;
            mixed[at] = QChar(u'\u00e4');
            QString mixedExpected = expected;
            mixedExpected[at] = QChar(u'\u00c4');
            QCOMPARE(UpperKeepLength(mixed), mixedExpected);
        }
    }
}

// Every unit at every place of a name longer than two steps of the search, started at each
// place: the name ends at the first unit IsIdentifierChar refuses.
void TestLineScan::identifierEndMatchesUnitRule()
{
    const QString name = QStringLiteral("Window_0_Button_12z");
    for (int u = 0; u <= 0xFFFF; ++u) {
        const bool inName = IsIdentifierChar(QChar(char16_t(u)));
        for (qsizetype at = 0; at < name.size(); ++at) {
            QString text = name;
            text[at] = QChar(char16_t(u));
            const qsizetype from = at % 3;
            if (IdentifierEnd(text, from) != (inName ? text.size() : at))
                QFAIL(qPrintable(QStringLiteral("U+%1 at %2").arg(u, 4, 16, QLatin1Char('0')).arg(at)));
        }
    }
    QCOMPARE(IdentifierEnd(u"ab", 2), 2);
    QCOMPARE(IdentifierEnd(u"#Name + 1", 1), 5);
}

// Keys must be equal exactly when QString::compare ignoring case finds the names equal, and
// equal keys must hash alike: every character, at the end of a short name and inside a longer
// one, against its other cases and the look-alikes whose upper and lower cases disagree.
void TestLineScan::noCaseKeyMatchesCompare()
{
    const QStringList lookAlikes{
        QStringLiteral("WIN_K"),          QStringLiteral("win_i"),         QStringLiteral("WIN_S_BUTTON_0"),
        QStringLiteral("Win_\u00DF"),     QStringLiteral("Win_\u1E9E"),    QStringLiteral("Win_s"),
        QStringLiteral("Win_I"),          QStringLiteral("Win_\u0130"),    QStringLiteral("Win_\u0131"),
        QStringLiteral("Win_\U00010400"), QStringLiteral("Win_\U00010428")};
    const auto check = [&](const QString &text, const QString &other) {
        const bool same = QString::compare(text, other, Qt::CaseInsensitive) == 0;
        const NoCaseKey a{QStringView(text)}, b{QStringView(other)};
        if ((a == b) != same || (same && qHash(a, 7) != qHash(b, 7)))
            QFAIL(qPrintable(text + QStringLiteral(" against ") + other));
        // The hash of a name given in pieces (a window's name, "_", an object's) is the name's.
        const QStringView whole(text);
        if (NoCaseHash({whole.first(3), whole.sliced(3, 1), whole.sliced(4)}, 7) != qHash(a, 7))
            QFAIL(qPrintable(text + QStringLiteral(" in pieces")));
    };
    for (int u = 0; u <= 0xFFFF; ++u) {
        const QChar c{char16_t(u)};
        for (const QString &text :
             {QStringLiteral("Win_") + c, QStringLiteral("Win_") + c + QStringLiteral("_Button_0")}) {
            for (const QString &other : QStringList{text.toUpper(), text.toLower(), text.toCaseFolded(),
                                                    text.left(3) + QStringLiteral("_k_button_0")}
                                            + lookAlikes)
                check(text, other);
        }
    }
    for (const QString &text : lookAlikes)
        for (const QString &other : lookAlikes)
            check(text, other);
    QVERIFY(NoCaseKey(u"Win_\u00DF") == NoCaseKey(u"WIN_\u1E9E"));
    QVERIFY(NoCaseKey(u"win_\u017F") == NoCaseKey(u"WIN_S"));
    QVERIFY(NoCaseKey(u"win_\u0131") != NoCaseKey(u"WIN_I"));

    // An index of places takes each name once in any letter case, grown far past its room.
    QStringList names;
    NoCaseIndex index;
    index.reserve(1);
    const auto add = [&](const QString &name) {
        names.append(name);
        return index.insert(name, qint32(names.size() - 1), [&](qint32 p) { return QStringView(names.at(p)); });
    };
    for (int i = 0; i < 1000; ++i)
        QCOMPARE(add(QStringLiteral("Win_Button_") + QString::number(i)), i);
    QCOMPARE(add(QStringLiteral("WIN_BUTTON_999")), 999);
    QCOMPARE(add(QStringLiteral("win_button_0")), 0);
    QCOMPARE(index.find(u"WIN_BUTTON_7", [&](qint32 p) { return QStringView(names.at(p)); }), 7);
    QCOMPARE(index.find(u"Win_Button_1000", [&](qint32 p) { return QStringView(names.at(p)); }), -1);
}

void TestLineScan::procedureHead_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("text"); // null: no head
    QTest::addColumn<QString>("name"); // ProcedureHeadName
    // clang-format off
    QTest::newRow("plain") << "Procedure Main()" << "Main()" << "Main";
    QTest::newRow("type, blanks, comment") << "  procedure.i\tOk_1 ( a, b = 2 ) ; x" << "Ok_1 ( a, b = 2 ) ; x" << "Ok_1";
    QTest::newRow("blank before type") << "Procedure .s Name(x)" << "Name(x)" << "Name";
    QTest::newRow("variants") << "PROCEDURECDLL Api()" << "Api()" << "Api";
    QTest::newRow("module type") << "ProcedureDLL.Mod::T X()" << "X()" << "X";
    QTest::newRow("no brackets") << "Procedure Open" << "Open" << "";
    QTest::newRow("return") << "ProcedureReturn x" << QString() << "";
    QTest::newRow("unknown variant") << "ProcedureCX X()" << QString() << "";
    QTest::newRow("no blank before the name") << "Procedure(x)" << QString() << "";
    QTest::newRow("bare keyword") << "Procedure.i  " << QString() << "";
    QTest::newRow("other line") << "  Debug 1" << QString() << "";
    // clang-format on
}

void TestLineScan::procedureHead()
{
    QFETCH(QString, line);
    QFETCH(QString, text);
    QFETCH(QString, name);
    const std::optional<ProcedureHead> head = ReadProcedureHead(line);
    QCOMPARE(head.has_value(), !text.isNull());
    if (head)
        QCOMPARE(head->text.toString(), text);
    QCOMPARE(ProcedureHeadName(line).toString(), name);
}

QTEST_GUILESS_MAIN(TestLineScan)
#include "tst_line_scan.moc"
