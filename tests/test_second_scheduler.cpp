#include "display/VrSecondScheduler.h"
#include "framework/TimeSource.h"
#include "tests/TestMain.h"

#include <QSignalSpy>

using namespace display;
using namespace framework;

namespace {

// A day the wall clock is far from, so the boundary timer never wakes on its own: the tests wake it.
const QDate kDay(2036, 6, 15);

QDateTime At(int h, int m, int s, int ms = 0)
{
    return QDateTime(kDay, QTime(h, m, s, ms));
}

QList<QDateTime> Seconds(const QSignalSpy& spy)
{
    QList<QDateTime> seconds;
    for (const QList<QVariant>& call : spy)
        seconds << call.at(0).toDateTime();
    return seconds;
}

}  // namespace

class SecondSchedulerTest : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        source_ = std::make_shared<ManualTimeSource>(At(10, 0, 4, 950));
        SetTimeSource(source_);
    }
    void cleanup() { SetTimeSource(nullptr); }

    // Prepared 50 ms ahead; shown at the boundary as the time source counts it, never before, also
    // when the kernel's timer wakes early.
    void aSecondIsPreparedThenShownNeverEarly()
    {
        TVrSecondScheduler scheduler;
        QSignalSpy prepared(&scheduler, &TVrSecondScheduler::PrepareSecond);
        QSignalSpy shown(&scheduler, &TVrSecondScheduler::ShowSecond);
        scheduler.setShownSecond(At(10, 0, 4));
        scheduler.setRunning(true);
        scheduler.PrepareNext();
        QCOMPARE(Seconds(prepared), QList{At(10, 0, 5)});
        source_->Set(At(10, 0, 4, 999));
        emit scheduler.BoundaryTimer()->OnDue(false);
        QVERIFY(shown.isEmpty());
        source_->Set(At(10, 0, 5));
        emit scheduler.BoundaryTimer()->OnDue(false);
        QCOMPARE(Seconds(shown), QList{At(10, 0, 5)});
        QCOMPARE(prepared.count(), 1);
        // Stopped, a wake shows nothing.
        scheduler.setShownSecond(At(10, 0, 5));
        scheduler.setRunning(false);
        source_->Set(At(10, 0, 6));
        emit scheduler.BoundaryTimer()->OnDue(false);
        QCOMPARE(shown.count(), 1);
    }

    // Armed at 10:00:04.950 for 10:00:05, woken with the time source at `wokenAt`.
    void aStepJustBeforeABoundaryIsShownAtOnce_data()
    {
        QTest::addColumn<QDateTime>("wokenAt");
        QTest::addColumn<bool>("clockSet");
        QTest::addColumn<QDateTime>("show");
        QTest::newRow("set forwards") << At(10, 30, 0, 500) << true << At(10, 30, 0);
        QTest::newRow("set back past the hour") << At(9, 59, 59, 995) << true << At(9, 59, 59);
        QTest::newRow("set back within the second") << At(10, 0, 4, 100) << true << At(10, 0, 4);
        QTest::newRow("set forwards unreported") << At(10, 30, 0, 500) << false << At(10, 30, 0);
        QTest::newRow("set back unreported") << At(10, 0, 3, 500) << false << At(10, 0, 3);
    }

    void aStepJustBeforeABoundaryIsShownAtOnce()
    {
        QFETCH(QDateTime, wokenAt);
        QFETCH(bool, clockSet);
        QFETCH(QDateTime, show);
        TVrSecondScheduler scheduler;
        QSignalSpy shown(&scheduler, &TVrSecondScheduler::ShowSecond);
        scheduler.setShownSecond(At(10, 0, 4));
        scheduler.setRunning(true);
        source_->Set(wokenAt);
        emit scheduler.BoundaryTimer()->OnDue(clockSet);
        QCOMPARE(Seconds(shown), QList{show});
    }

    // An early wake that finds the second shown over (a late wake, a step) shows the new one at once.
    void aLateEarlyWakeShowsAtOnce()
    {
        TVrSecondScheduler scheduler;
        QSignalSpy prepared(&scheduler, &TVrSecondScheduler::PrepareSecond);
        QSignalSpy shown(&scheduler, &TVrSecondScheduler::ShowSecond);
        scheduler.setShownSecond(At(10, 0, 4));
        source_->Set(At(10, 0, 5, 10));
        scheduler.PrepareNext();
        QVERIFY(prepared.isEmpty());
        QCOMPARE(Seconds(shown), QList{At(10, 0, 5)});
    }

    // The timer's own interval is an hour here: only the arming brings the early wake this second.
    void theArmedWakeCutsALongWait()
    {
        for (const TVrTimerType type : {ttThread, ttSystem}) {
            TVrSecondScheduler scheduler;
            scheduler.Timer()->setTimerType(type);
            scheduler.Timer()->setInterval(3'600'000);
            QSignalSpy prepared(&scheduler, &TVrSecondScheduler::PrepareSecond);
            scheduler.setShownSecond(At(10, 0, 4));
            source_->Set(At(10, 0, 4, 300));
            scheduler.setRunning(true);
            QTRY_COMPARE_WITH_TIMEOUT(Seconds(prepared), QList{At(10, 0, 5)}, 10'000);
        }
    }

private:
    std::shared_ptr<ManualTimeSource> source_;
};

STUDIO_CLOCK_TEST_MAIN(SecondSchedulerTest)
#include "test_second_scheduler.moc"
