#include "platform/Timer.h"

#include <QSignalSpy>
#include <QTest>

class TestTimer : public QObject {
    Q_OBJECT
private slots:
    // A QTimer with interval 0 fires on every pass of the event loop; ours must stay silent.
    void noPositiveIntervalNeverTicks_data()
    {
        QTest::addColumn<int>("interval");
        QTest::newRow("zero") << 0;
        QTest::newRow("negative") << -5;
    }
    void noPositiveIntervalNeverTicks()
    {
        QFETCH(int, interval);
        platform::Timer timer(nullptr, 1000, false);
        QSignalSpy ticks(&timer, &platform::Timer::tick);
        timer.setInterval(interval);
        timer.setEnabled(true);
        QVERIFY(timer.enabled());
        QVERIFY(!timer.isRunning());
        QTest::qWait(60);
        QCOMPARE(ticks.count(), 0);
    }

    void positiveIntervalTicksUntilDisabled()
    {
        platform::Timer timer(nullptr, 0, true);
        QSignalSpy ticks(&timer, &platform::Timer::tick);
        timer.setInterval(5);
        QTRY_VERIFY(ticks.count() >= 2);
        timer.setEnabled(false);
        const int seen = ticks.count();
        QTest::qWait(30);
        QCOMPARE(ticks.count(), seen);
    }

    void intervalDroppedToZeroStopsARunningTimer()
    {
        platform::Timer timer(nullptr, 5, true);
        QSignalSpy ticks(&timer, &platform::Timer::tick);
        QTRY_VERIFY(ticks.count() >= 1);
        timer.setInterval(0);
        QVERIFY(!timer.isRunning());
        const int seen = ticks.count();
        QTest::qWait(30);
        QCOMPARE(ticks.count(), seen);
    }

    void enablingARunningTimerDoesNotRestartIt()
    {
        platform::Timer timer(nullptr, 60, true);
        QSignalSpy ticks(&timer, &platform::Timer::tick);
        // Were each call a restart, the tick would never come.
        for (int i = 0; i < 10; ++i) {
            QTest::qWait(10);
            timer.setEnabled(true);
            timer.setInterval(60);
        }
        QVERIFY(ticks.count() >= 1);
    }
};

QTEST_MAIN(TestTimer)
#include "tst_timer.moc"
