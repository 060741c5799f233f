#include "TestMain.h"
#include "app/ClockTiming.h"
#include "app/SecondTiming.h"
#include "display/vrLedClock.h"
#include "framework/TimeSource.h"

#include <QSignalSpy>
#include <QWidget>
#include <algorithm>
#include <vector>

namespace {

constexpr qint64 kSecondUs = 1000000;
constexpr qint64 kMinute = 60;
constexpr qint64 kHour = 60 * kMinute;
constexpr qint64 kStart = qint64{1796000000} / kHour * kHour;  // a minute's (and an hour's) first second

// The latency of the rank-th of `latencies` in order, counting from 1.
qint64 AtRank(std::vector<qint64> latencies, std::size_t rank)
{
    std::sort(latencies.begin(), latencies.end());
    return latencies[rank - 1];
}

}  // namespace

class SecondTimingTest : public QObject {
    Q_OBJECT
private slots:
    void anHourIsSummedFromItsMinutes()
    {
        SecondTiming timing;
        std::vector<qint64> noted;
        for (qint64 i = 0; i < kHour; ++i) {
            qint64 latency = 300 + (i * 37) % kHour;  // 300 us .. 3.9 ms, each once, out of order
            if (i == 1800)
                continue;  // never shown
            if (i == 100)
                latency = -500;  // shown ahead of its second
            if (i == 2000)
                latency = 123456;
            timing.Note(kStart + i, latency);
            noted.push_back(latency);
        }
        const SecondTiming::Summary hour = timing.LastHour(kStart + kHour);
        QCOMPARE(hour.seconds, 3600);
        QCOMPARE(hour.late, 3);
        QCOMPARE(hour.worstUs, 123456);
        const qint64 median = AtRank(noted, (noted.size() + 1) / 2);
        QVERIFY2(hour.medianUs >= median && hour.medianUs <= median + 50,
            qPrintable(QString::number(hour.medianUs)));
        const qint64 p99 = AtRank(noted, (noted.size() * 99 + 99) / 100);
        QVERIFY2(hour.p99Us >= p99 && hour.p99Us <= p99 + 50, qPrintable(QString::number(hour.p99Us)));

        // The last minute alone, and an early second that is its worst case in both directions.
        SecondTiming minute;
        for (qint64 i = 0; i < 60; ++i)
            minute.Note(kStart + i, i == 7 ? -2000 : 5000 + i * 10);
        const SecondTiming::Summary last = minute.LastMinute(kStart + 61);
        QCOMPARE(last.seconds, 60);
        QCOMPARE(last.late, 1);
        QCOMPARE(last.worstUs, 5590);
        QVERIFY(last.medianUs >= 5290 && last.medianUs <= 5340);
        QCOMPARE(minute.LastMinute(kStart + 59).seconds, 0);  // still in progress
    }

    void minutesAgeOutByTheTimeAlone()
    {
        SecondTiming timing;
        timing.Note(kStart, 900000);
        timing.Note(kStart + 1, 1000);
        QCOMPARE(timing.LastHour(kStart + 60).worstUs, 900000);
        QCOMPARE(timing.LastHour(kStart + kHour + 59).seconds, 2);
        QCOMPARE(timing.LastHour(kStart + kHour + 60).seconds, 0);

        // Ninety minutes without a tick (a suspended machine): the hour holds the skipped seconds
        // of its own minutes, all late, and nothing of before.
        const qint64 back = kStart + 90 * kMinute;
        timing.Note(back, 2000);
        const SecondTiming::Summary hour = timing.LastHour(back + 1);
        QCOMPARE(hour.seconds, 3600);
        QCOMPARE(hour.late, 3600);
        QCOMPARE(hour.worstUs, 0);
    }

    void aMonthOfSecondsKeepsTheLastHourRight()
    {
        SecondTiming timing;
        const qint64 month = kHour * 24 * 30;
        for (qint64 i = 0; i < month; ++i)
            timing.Note(kStart + i, i % 900 == 0 ? 25000 : 400);
        const SecondTiming::Summary hour = timing.LastHour(kStart + month);
        QCOMPARE(hour.seconds, 3600);
        QCOMPARE(hour.late, 4);  // one in 900 seconds
        QCOMPARE(hour.worstUs, 25000);
        QCOMPARE(hour.medianUs, 450);
    }

    void aShownTickIsTimedFromItsBoundary()
    {
        const QDateTime first(QDate(2026, 12, 10), QTime(10, 0, 58));
        framework::SetTimeSource(std::make_shared<framework::ManualTimeSource>(first));
        QWidget window;
        auto* const clock = new display::TVrLedClock(&window);
        qint64 nowUs = 0;
        auto* const timing = new ClockTiming(clock, [&nowUs] { return nowUs; });
        QSignalSpy minutes(timing, &ClockTiming::MinuteCompleted);
        // Shown before the tick's events, whose handlers may take their time.
        int events = 0;
        int shown = 0;
        bool shownFirst = true;
        connect(clock, &display::TVrLedClock::OnSecondsChanged, this, [&events] { ++events; });
        connect(clock, &display::TVrLedClock::SecondShown, this,
            [&] { shownFirst = shownFirst && events == shown++; });
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));

        const qint64 boundaryUs = first.addSecs(1).toMSecsSinceEpoch() * 1000;
        for (int second = 1; second <= 3; ++second) {
            framework::SetTimeSource(std::make_shared<framework::ManualTimeSource>(first.addSecs(second)));
            nowUs = boundaryUs + (second - 1) * kSecondUs + 1234;
            clock->UpdateTime(nullptr);
        }
        QVERIFY(shownFirst && shown == 3);
        QCOMPARE(minutes.count(), 1);  // 10:01:00 ended 10:00
        nowUs = boundaryUs + 62 * kSecondUs;
        const ClockTiming::Figures handOver = timing->HandOver();
        QCOMPARE(handOver.lastMinute.seconds, 2);
        QCOMPARE(handOver.lastMinute.worstUs, 1234);
        QCOMPARE(handOver.lastHour.seconds, 3);
        QVERIFY(!timing->Presented());  // not on Wayland
        framework::SetTimeSource(nullptr);
    }
};

STUDIO_CLOCK_TEST_MAIN(SecondTimingTest)
#include "test_second_timing.moc"
