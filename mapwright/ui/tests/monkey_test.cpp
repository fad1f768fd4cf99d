// A short seeded random walk through the whole editor (scripts/monkey runs
// long ones). A seed that once failed stays here as a row of its own.
#include <QtTest>

#include "monkey/monkey_walk.h"

class MonkeyTest : public QObject {
    Q_OBJECT

  private slots:
    void walk_data() {
        QTest::addColumn<quint64>("seed");
        QTest::addColumn<int>("actions");
        QTest::newRow("short walk") << quint64(20261208) << 120;
        // Seeds that once failed, each up to the action that failed. A change
        // of the walk's actions changes what a seed does; they stay as walks
        // that once found something.
        QTest::newRow("seed 2") << quint64(2) << 183;
        QTest::newRow("seed 7") << quint64(7) << 86;
        QTest::newRow("seed 106") << quint64(106) << 83;
        QTest::newRow("seed 402") << quint64(402) << 108;
        QTest::newRow("seed 12354") << quint64(12354) << 156;
        QTest::newRow("seed 50022") << quint64(50022) << 318;
        QTest::newRow("seed 50040") << quint64(50040) << 114;
        QTest::newRow("seed 50066") << quint64(50066) << 297;
        QTest::newRow("seed 50124") << quint64(50124) << 206;
    }
    void walk() {
        QFETCH(quint64, seed);
        QFETCH(int, actions);
        mw::ui::test::MonkeyWalk walk(seed);
        walk.run(actions);
        QVERIFY2(!walk.failed(), walk.failure().c_str());
        QCOMPARE(walk.actionsDone(), actions);
    }
};

QTEST_MAIN(MonkeyTest)
#include "monkey_test.moc"
