#include "base/line_scan.h"

#include <QTest>

using namespace quarvel;

class TestKeywordSearch : public QObject {
    Q_OBJECT

private slots:
    void findNoCase_data();
    void findNoCase();
    void upperWordBefore_data();
    void upperWordBefore();
};

void TestKeywordSearch::findNoCase_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("search");
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("position");

    QTest::newRow("after two blanks") << "  buttongadget(#B" << "BUTTONGADGET(" << 1 << 3;
    QTest::newRow("search in lower case") << "  ButtonGadget(#B" << "buttongadget(" << 1 << 3;
    QTest::newRow("from a later start") << "MenuItem(#A) : menuitem(#B)" << "MENUITEM(#" << 2 << 16;
    QTest::newRow("start below 1") << "abc" << "A" << -4 << 1;
    QTest::newRow("start beyond the end") << "abc" << "C" << 4 << 0;
    QTest::newRow("empty search") << "abc" << "" << 1 << 0;
    QTest::newRow("empty text") << "" << "A" << 1 << 0;
    QTest::newRow("match at the very end") << "x = OpenWindow(" << "OPENWINDOW(" << 1 << 5;
    QTest::newRow("longer than the text") << "Open" << "OPENWINDOW(" << 1 << 0;
    QTest::newRow("non-ASCII upper-cased") << "größe" << "GRÖSSE" << 1 << 0;
    QTest::newRow("non-ASCII keeps positions") << "ä = TextGadget(#T" << "TEXTGADGET(#" << 1 << 5;
    QTest::newRow("umlaut in the search") << "x = größe" << "GRÖ" << 1 << 5;
}

void TestKeywordSearch::findNoCase()
{
    QFETCH(QString, text);
    QFETCH(QString, search);
    QFETCH(int, start);
    QFETCH(int, position);
    QCOMPARE(FindNoCase(text, search, start), position);
    // The same answer as searching the upper-cased copies.
    QCOMPARE(FindNoCase(text, search, start), FindString(UpperKeepLength(text), UpperKeepLength(search), start));
}

void TestKeywordSearch::upperWordBefore_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("word");

    QTest::newRow("at the start") << "ButtonGadget(#B" << "BUTTONGADGET";
    QTest::newRow("after If") << "  If buttongadget(#B" << "BUTTONGADGET";
    QTest::newRow("after tabs") << "\t\tTextGadget(#T" << "TEXTGADGET";
    QTest::newRow("tab after blanks") << "    \tTextGadget(#T" << "TEXTGADGET";
    QTest::newRow("blank after tab") << "\tIf x = 1 : TextGadget(#T" << "TEXTGADGET";
    QTest::newRow("blank before bracket") << "ButtonGadget (#B" << "";
    QTest::newRow("joined without blank") << "x():ButtonGadget(#B" << "X():BUTTONGADGET";
}

void TestKeywordSearch::upperWordBefore()
{
    QFETCH(QString, text);
    QFETCH(QString, word);
    QCOMPARE(UpperWordBefore(text, FindString(text, QStringLiteral("(#"))), word);
}

QTEST_GUILESS_MAIN(TestKeywordSearch)
#include "tst_keyword_search.moc"
