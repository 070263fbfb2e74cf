#include <QTest>
class TestProjectChecker : public QObject { Q_OBJECT private slots: void placeholder() {} };
QTEST_GUILESS_MAIN(TestProjectChecker)
#include "tst_project_checker.moc"
