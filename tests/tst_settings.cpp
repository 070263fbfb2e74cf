#include <QTest>
class Test : public QObject { Q_OBJECT private slots: void placeholder() {} };
QTEST_GUILESS_MAIN(Test)
#include "tst_settings.moc"
