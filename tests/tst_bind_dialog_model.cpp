#include "update/bind_dialog_model.h"

#include <QTest>

using namespace quarvel;

Q_DECLARE_METATYPE(Answer)

class TestBindDialogModel : public QObject {
    Q_OBJECT

private:
    static BindDialogModel Dialog(const QStringList &old, const QStringList &current)
    {
        return BindDialogModel(BindDialogRequest{ObjectKind::Gadget, old, current});
    }

private slots:
    void titleNamesTheKind_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("title");
        QTest::newRow("window") << 1 << "Search and Replace - Window";
        QTest::newRow("menu bar") << 2 << "Search and Replace - MenuBar";
        QTest::newRow("menu item") << 3 << "Search and Replace - MenuItem";
        QTest::newRow("status bar") << 4 << "Search and Replace - StatusBar";
        QTest::newRow("toolbar") << 5 << "Search and Replace - ToolBar";
        QTest::newRow("gadget") << 6 << "Search and Replace - Gadget";
    }
    void titleNamesTheKind()
    {
        QFETCH(int, kind);
        QFETCH(QString, title);
        QCOMPARE(BindDialogModel(BindDialogRequest{ObjectKind(kind), {}, {}}).Title(), title);
    }

    void bindMovesTheSelectedPairIntoTheTodoList()
    {
        BindDialogModel dialog = Dialog({"A", "B", "C"}, {"X", "Y"});
        dialog.SelectOld(1);
        dialog.SelectNew(1);
        QVERIFY(dialog.BindSelected());
        QCOMPARE(dialog.TodoEntries(), QStringList({"B > Y"}));
        QCOMPARE(dialog.OldEntries(), QStringList({"A", "C"}));
        QCOMPARE(dialog.NewEntries(), QStringList({"X"}));
        QCOMPARE(dialog.OldSelected(), -1);
        QCOMPARE(dialog.NewSelected(), -1);
        // Nothing is selected any more, so a second Bind changes nothing.
        QVERIFY(!dialog.BindSelected());
        QCOMPARE(dialog.TodoEntries().size(), 1);
    }

    void bindNeedsASelectionInBothLists()
    {
        BindDialogModel dialog = Dialog({"A"}, {"X"});
        dialog.SelectOld(0); // a double-click on an old entry with no new entry selected
        QVERIFY(!dialog.BindSelected());
        dialog.SelectOld(-1);
        dialog.SelectNew(0);
        QVERIFY(!dialog.BindSelected());
        dialog.SelectOld(5); // out of range selects nothing
        QVERIFY(!dialog.BindSelected());
        QCOMPARE(dialog.OldEntries(), QStringList({"A"}));
        QCOMPARE(dialog.NewEntries(), QStringList({"X"}));
        QVERIFY(dialog.TodoEntries().isEmpty());
    }

    void theSamePairIsNeverBoundTwice()
    {
        BindDialogModel dialog = Dialog({"A", "A"}, {"X", "X"});
        dialog.SelectOld(0);
        dialog.SelectNew(0);
        QVERIFY(dialog.BindSelected());
        dialog.SelectOld(0);
        dialog.SelectNew(0);
        QVERIFY(!dialog.BindSelected());
        QCOMPARE(dialog.TodoEntries(), QStringList({"A > X"}));
        QCOMPARE(dialog.OldEntries(), QStringList({"A"}));
        QCOMPARE(dialog.NewEntries(), QStringList({"X"}));
    }

    void releaseReturnsTheNamesToTheEndOfTheirLists()
    {
        BindDialogModel dialog = Dialog({"A", "B"}, {"X", "Y"});
        dialog.SelectOld(0);
        dialog.SelectNew(0);
        dialog.BindSelected();
        dialog.SelectOld(0);
        dialog.SelectNew(0);
        dialog.BindSelected();
        QCOMPARE(dialog.TodoEntries(), QStringList({"A > X", "B > Y"}));
        QVERIFY(!dialog.ReleaseSelected()); // nothing selected
        dialog.SelectTodo(0);
        QVERIFY(dialog.ReleaseSelected());
        QCOMPARE(dialog.TodoEntries(), QStringList({"B > Y"}));
        QCOMPARE(dialog.OldEntries(), QStringList({"A"}));
        QCOMPARE(dialog.NewEntries(), QStringList({"X"}));
        QCOMPARE(dialog.TodoSelected(), -1);
    }

    void releaseThenBindAgain()
    {
        BindDialogModel dialog = Dialog({"A", "B"}, {"X", "Y"});
        dialog.SelectOld(0);
        dialog.SelectNew(1);
        dialog.BindSelected();
        dialog.SelectTodo(0);
        dialog.ReleaseSelected();
        QCOMPARE(dialog.OldEntries(), QStringList({"B", "A"}));
        QCOMPARE(dialog.NewEntries(), QStringList({"X", "Y"}));
        dialog.SelectOld(1);
        dialog.SelectNew(1);
        QVERIFY(dialog.BindSelected());
        QCOMPARE(dialog.TodoEntries(), QStringList({"A > Y"}));
    }

    void continueWithEverythingBoundAsksNothing()
    {
        BindDialogModel dialog = Dialog({"A"}, {"X", "Y"});
        dialog.SelectOld(0);
        dialog.SelectNew(0);
        dialog.BindSelected();
        int asked = 0;
        const auto answer = dialog.ContinueBinding([&](const QString &, const QString &) {
            ++asked;
            return Answer::Cancel;
        });
        QCOMPARE(answer, std::optional<BindDialogEnd>(BindDialogEnd::Continue));
        QCOMPARE(asked, 0);
        QCOMPARE(dialog.AnswerWith(*answer).bindings, (QList<NamePair>{{"A", "X"}}));
        QCOMPARE(dialog.AnswerWith(*answer).end, BindDialogEnd::Continue);
    }

    void continueWithUnboundOldNamesAsks_data()
    {
        QTest::addColumn<Answer>("reply");
        QTest::addColumn<int>("expected"); // -1: the dialog stays open
        QTest::newRow("yes goes on") << Answer::Yes << int(BindDialogEnd::Continue);
        QTest::newRow("cancel ends the run") << Answer::Cancel << int(BindDialogEnd::Cancel);
        QTest::newRow("no keeps binding") << Answer::No << -1;
    }
    void continueWithUnboundOldNamesAsks()
    {
        QFETCH(Answer, reply);
        QFETCH(int, expected);
        const BindDialogModel dialog = Dialog({"Window_0_Button_1"}, {});
        QString title, text;
        const auto answer = dialog.ContinueBinding([&](const QString &t, const QString &x) {
            title = t;
            text = x;
            return reply;
        });
        QCOMPARE(title, QStringLiteral("Info"));
        QCOMPARE(text, QStringLiteral("Some old constants not to bind! Continue?"));
        QCOMPARE(answer ? int(*answer) : -1, expected);
        QCOMPARE(dialog.OldEntries(), QStringList({"Window_0_Button_1"}));
    }

    void closeBoxCancels() { QCOMPARE(Dialog({"A"}, {"B"}).CloseBox(), BindDialogEnd::Cancel); }
};

QTEST_GUILESS_MAIN(TestBindDialogModel)
#include "tst_bind_dialog_model.moc"
