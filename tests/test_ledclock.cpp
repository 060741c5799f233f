#include "display/vrLedClock.h"
#include "framework/ConnectGuarded.h"
#include "framework/Exceptions.h"
#include "framework/TimeSource.h"
#include "tests/HeardAccessibleEvents.h"
#include "tests/LedReading.h"
#include "tests/TestMain.h"
#include "tests/TestWidgets.h"

#include <QPointer>
#include <QSignalSpy>
#include <QTimeZone>
#include <chrono>
#include <functional>
#include <thread>

using namespace display;
using namespace framework;

namespace {

const QDate kDay(2026, 12, 8);

// What a tick from 10:59:59 to 11:00:00 raises, in order, with the alarm set for 11:00:00.
const QStringList kTickEvents{"h11", "m0", "s0", "alarm"};

// Records what a clock does, in order: "paint", "h<n>", "m<n>", "s<n>", "alarm".
class Journal : public QObject {
public:
    explicit Journal(TVrLedClock& clock)
    {
        clock.installEventFilter(this);
        connect(&clock, &TVrLedClock::OnHoursChanged, this,
            [this](QObject*, quint16 v) { entries << QString("h%1").arg(v); });
        connect(&clock, &TVrLedClock::OnMinutesChanged, this,
            [this](QObject*, quint16 v) { entries << QString("m%1").arg(v); });
        connect(&clock, &TVrLedClock::OnSecondsChanged, this,
            [this](QObject*, quint16 v) { entries << QString("s%1").arg(v); });
        connect(&clock, &TVrLedClock::OnAlarm, this, [this] { entries << QString("alarm"); });
    }
    QStringList entries;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            entries << QString("paint");
        return false;
    }
};

// Whether the window shows what a whole repaint of `control` now would: the window system's
// picture before and after one.
bool ShowsAWholeFrame(QWidget& window, QWidget& control)
{
    const QImage shown = Shown(window);
    control.repaint();
    return !shown.isNull() && shown == Shown(window);
}

// The worked example's clock: 783 x 374, LED dots of 6, distinct colours for every part.
void MakeWorkedExample(TVrLedClock& clock)
{
    clock.setGeometry(0, 0, 783, 374);
    clock.setLedSize(6);
    clock.setSpacing(18);
    clock.setTextOffsetX(24);
    clock.setSecWidth(4);
    clock.setTickWidth(6);
    clock.setHoursColor(clRed);
    clock.setHoursOutline(clRed);
    clock.setSecHandColor(clLime);
    clock.setSecOutline(clLime);
    clock.setTickColor(clBlue);
    clock.setTickOutline(clYellow);
}

}  // namespace

class LedClockTest : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        source_ = std::make_shared<ManualTimeSource>(QDateTime(kDay, QTime(10, 0, 4, 250)));
        SetTimeSource(source_);
    }
    void cleanup() { SetTimeSource(nullptr); }

    void aNewClockShowsTheTimeItWasMade()
    {
        TVrLedClock clock;
        QCOMPARE(clock.size(), QSize(200, 200));
        QCOMPARE(clock.Hours(), 10);
        QCOMPARE(clock.Minutes(), 0);
        QCOMPARE(clock.Seconds(), 4);
        QVERIFY(!clock.Active() && !clock.Timer()->Enabled() && !clock.Timer()->Worker());
        QCOMPARE(clock.Color(), clBlack);
        QCOMPARE(clock.LedSize(), 3);
        QCOMPARE(clock.Spacing(), 8);
        QVERIFY(clock.testAttribute(Qt::WA_OpaquePaintEvent));
        // Initial geometry: dot 0 at (100, 28), text references from (52, 84).
        const QImage frame = clock.grab().toImage();
        QCOMPARE(PixelAt(frame, 100, 28), QColor(Qt::red));
        QCOMPARE(ReadGlyph(frame, clock, 52, 84), QChar('1'));
        QCOMPARE(ReadGlyph(frame, clock, 52 + 8 + 20, 84), QChar('0'));
    }

    void midnightRedrawsOnceThenRaisesHoursMinutesSeconds()
    {
        source_->Set(QDateTime(kDay, QTime(23, 59, 59)));
        QWidget window;
        TVrLedClock clock(&window);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        Journal journal(clock);
        source_->Set(QDateTime(kDay.addDays(1), QTime(0, 0, 0)));
        clock.UpdateTime(nullptr);
        QCOMPARE(journal.entries, (QStringList{"paint", "h0", "m0", "s0"}));

        journal.entries.clear();
        source_->AdvanceMSecs(400);  // the same second again
        clock.UpdateTime(nullptr);
        QVERIFY(journal.entries.isEmpty());

        clock.setSecondsIndicator(false);
        journal.entries.clear();
        source_->AdvanceMSecs(1000);
        clock.UpdateTime(nullptr);
        QCOMPARE(journal.entries, (QStringList{"s1"}));  // no ring: a new second alone draws nothing
    }

    void settersRedrawOnlyOnAChange()
    {
        QWidget window;
        TVrLedClock clock(&window);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        Journal journal(clock);
        clock.setHours(10);  // unchanged
        clock.setTickWidth(0);
        clock.setTickWidth(-3);
        QCOMPARE(clock.TickWidth(), 2);
        QVERIFY(journal.entries.isEmpty());
        clock.setHours(11);  // changed: drawn, but no event
        QCOMPARE(journal.entries, (QStringList{"paint"}));
        QImage picture(4, 4, QImage::Format_RGB32);
        picture.fill(Qt::gray);
        clock.setBackground(picture);
        clock.setBackground(picture);  // the same picture still redraws
        QCOMPARE(journal.entries.count("paint"), 3);
        QVERIFY_THROWS_EXCEPTION(ERangeError, clock.setHours(24));
        QVERIFY_THROWS_EXCEPTION(ERangeError, clock.setMinutes(-1));
        QVERIFY_THROWS_EXCEPTION(ERangeError, clock.setSeconds(60));
        QCOMPARE(clock.Hours(), 11);
    }

    void theAlarmFiresWhenItsMomentIsReachedOrPassed()
    {
        TVrLedClock clock;
        Journal journal(clock);
        clock.setEnableAlarm(true);
        clock.setAlarmTime(EncodeDate(2026, 12, 8) + EncodeTime(10, 0, 5, 0));
        source_->Set(QDateTime(kDay, QTime(10, 0, 7)));  // the samples jump over 10:00:05
        clock.UpdateTime(nullptr);
        QCOMPARE(journal.entries.count("alarm"), 1);
        source_->Set(QDateTime(kDay, QTime(10, 0, 8)));
        clock.UpdateTime(nullptr);
        QCOMPARE(journal.entries.count("alarm"), 1);  // once per passing

        source_->Set(QDateTime(kDay, QTime(10, 0, 0)));  // the clock is set back ...
        clock.UpdateTime(nullptr);
        source_->Set(QDateTime(kDay, QTime(10, 0, 5)));  // ... and reaches the moment exactly
        clock.UpdateTime(nullptr);
        clock.UpdateTime(nullptr);  // a second sample of the same second
        QCOMPARE(journal.entries.count("alarm"), 2);

        clock.setAlarmTime(EncodeDate(2026, 12, 9) + EncodeTime(10, 0, 6, 0));  // another day
        source_->Set(QDateTime(kDay, QTime(10, 0, 7)));
        clock.UpdateTime(nullptr);
        QCOMPARE(journal.entries.count("alarm"), 2);

        // The last second of the day, passed by a tick that comes at midnight ...
        clock.setAlarmTime(EncodeDate(2026, 12, 8) + EncodeTime(23, 59, 59, 0));
        source_->Set(QDateTime(kDay, QTime(23, 59, 58, 900)));
        clock.UpdateTime(nullptr);
        source_->Set(QDateTime(kDay.addDays(1), QTime(0, 0, 0, 10)));
        clock.UpdateTime(nullptr);
        QCOMPARE(journal.entries.count("alarm"), 3);
        // ... and a moment a clock stepped by days jumps over; each fires once.
        clock.setAlarmTime(EncodeDate(2026, 12, 10) + EncodeTime(8, 0, 0, 0));
        for (int day = 2; day <= 4; ++day) {
            source_->Set(QDateTime(kDay.addDays(day), QTime(0, 0, 1)));
            clock.UpdateTime(nullptr);
        }
        QCOMPARE(journal.entries.count("alarm"), 4);

        clock.setEnableAlarm(false);
        clock.setAlarmTime(EncodeDate(2026, 12, 12) + EncodeTime(0, 0, 2, 0));
        source_->Set(QDateTime(kDay.addDays(4), QTime(0, 0, 3)));
        clock.UpdateTime(nullptr);
        QCOMPARE(journal.entries.count("alarm"), 4);
    }

    void aSteppedClockRaisesWhatChangedInOrderAtTheNextTick()
    {
        TVrLedClock clock;
        Journal journal(clock);
        const auto tickAt = [&](const QDateTime& moment) {
            source_->Set(moment);
            journal.entries.clear();
            clock.UpdateTime(nullptr);
            return journal.entries.filter(QRegularExpression("^[hms]"));
        };
        tickAt(QDateTime(kDay, QTime(10, 30, 15)));
        QCOMPARE(tickAt(QDateTime(kDay, QTime(11, 30, 16))), QStringList({"h11", "s16"}));
        QCOMPARE(tickAt(QDateTime(kDay.addDays(-1), QTime(11, 30, 17))), QStringList({"s17"}));
        QCOMPARE(tickAt(QDateTime(kDay, QTime(9, 29, 58))), QStringList({"h9", "m29", "s58"}));
        // Daylight saving: Lisbon goes from 01:59:59 summer time back to 01:00:00 ...
        const QTimeZone lisbon("Europe/Lisbon");
        const QDateTime lastSummerSecond(QDate(2026, 10, 25), QTime(0, 59, 59), Qt::UTC);
        tickAt(lastSummerSecond.toTimeZone(lisbon));
        QCOMPARE(tickAt(lastSummerSecond.addSecs(1).toTimeZone(lisbon)), QStringList({"m0", "s0"}));
        // ... and Sao Paulo went from 23:59:59 straight to 01:00:00 in 2018.
        const QTimeZone saoPaulo("America/Sao_Paulo");
        const QDateTime lastWinterSecond(QDate(2018, 11, 4), QTime(2, 59, 59), Qt::UTC);
        tickAt(lastWinterSecond.toTimeZone(saoPaulo));
        QCOMPARE(tickAt(lastWinterSecond.addSecs(1).toTimeZone(saoPaulo)), QStringList({"h1", "m0", "s0"}));
    }

    void anAlarmAtTimeZeroNeverFires()
    {
        TVrLedClock clock;
        Journal journal(clock);
        clock.setEnableAlarm(true);
        for (const QTime& t : {QTime(0, 0, 0), QTime(0, 0, 1), QTime(12, 0, 0)}) {
            source_->Set(QDateTime(kDay, t));
            clock.UpdateTime(nullptr);
        }
        clock.setAlarmTime(1e300);  // no calendar holds it: never due, never a failure
        clock.UpdateTime(nullptr);
        QCOMPARE(journal.entries.count("alarm"), 0);
    }

    void anActiveClockWakesToDrawAheadOfEachSecondBoundary()
    {
        TVrLedClock clock;
        clock.setActive(true);
        const TVrTimerThread* worker = clock.Timer()->Worker();
        QTRY_COMPARE_WITH_TIMEOUT(worker->CurrentWait(), 700u, 10'000);  // 50 ms before 10:00:05
        source_->Set(QDateTime(kDay, QTime(10, 0, 5, 3)));
        clock.UpdateTime(nullptr);
        QTRY_COMPARE_WITH_TIMEOUT(worker->CurrentWait(), 947u, 10'000);
        // The arming is the clock's own: the timer's published interval stays what was set.
        QCOMPARE(clock.Timer()->Interval(), 1000u);
        // With the loop held up past the boundary, the next wake waits to be served; it is served
        // while the worker is let go, finds the second over, ticks and arms a timer in the middle
        // of changing its mechanism.
        source_->Set(QDateTime(kDay, QTime(10, 0, 6, 1)));
        std::this_thread::sleep_for(std::chrono::milliseconds(1500));
        clock.setThreaded(false);
        QVERIFY(!clock.Threaded() && !clock.Timer()->Worker());
        QCOMPARE(clock.Seconds(), 6);
        clock.setActive(false);
        QVERIFY(!clock.Timer()->Enabled());
    }

    // The face for 10:00:05 is drawn ahead at 10:00:04.950; then the boundary timer wakes the
    // clock with the time source at `wokenAt`, reporting a set clock or not.
    void aFaceDrawnAheadIsShownOnlyOnceItsSecondHasCome_data()
    {
        QTest::addColumn<QDateTime>("wokenAt");
        QTest::addColumn<bool>("clockSet");
        QTest::addColumn<QTime>("shown");
        QTest::addColumn<QStringList>("heard");
        const auto at = [](int h, int m, int s, int ms, int days = 0) {
            return QDateTime(kDay.addDays(days), QTime(h, m, s, ms));
        };
        QTest::newRow("woken early") << at(10, 0, 4, 999) << false << QTime(10, 0, 4) << QStringList();
        QTest::newRow("at the boundary")
            << at(10, 0, 5, 0) << false << QTime(10, 0, 5) << QStringList{"paint", "s5"};
        QTest::newRow("late") << at(10, 0, 5, 400) << false << QTime(10, 0, 5) << QStringList{"paint", "s5"};
        QTest::newRow("set back within the second")
            << at(10, 0, 4, 100) << true << QTime(10, 0, 4) << QStringList();
        QTest::newRow("set back past the hour")
            << at(9, 59, 59, 990) << true << QTime(9, 59, 59) << QStringList{"paint", "h9", "m59", "s59"};
        QTest::newRow("set forwards")
            << at(10, 30, 5, 990) << true << QTime(10, 30, 5) << QStringList{"paint", "m30", "s5"};
        QTest::newRow("set a day on")
            << at(10, 0, 5, 0, 1) << true << QTime(10, 0, 5) << QStringList{"paint", "s5"};
        QTest::newRow("set back unreported")
            << at(10, 0, 3, 500) << false << QTime(10, 0, 3) << QStringList{"paint", "s3"};
    }

    void aFaceDrawnAheadIsShownOnlyOnceItsSecondHasCome()
    {
        QFETCH(QDateTime, wokenAt);
        QFETCH(bool, clockSet);
        QFETCH(QTime, shown);
        QFETCH(QStringList, heard);
        source_->Set(QDateTime(kDay, QTime(10, 0, 4, 950)));
        QWidget window;
        TVrLedClock clock(&window);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        // The timers armed here reach the clock only through the event loop, which the test no
        // longer runs: it wakes the clock itself.
        clock.setActive(true);
        const QImage before = Shown(window);
        clock.PrepareNextSecond();
        QCOMPARE(Shown(window), before);
        Journal journal(clock);
        source_->Set(wokenAt);
        emit clock.BoundaryTimer()->Due(clockSet);
        QCOMPARE(QTime(clock.Hours(), clock.Minutes(), clock.Seconds()), shown);
        QCOMPARE(journal.entries, heard);  // the events after the pixels
        QVERIFY(ShowsAWholeFrame(window, clock));
    }

    // Woken 400 ms before the time source reaches the boundary (a slewed clock), the clock waits
    // out the rest of that second, so that the new one comes a second after the one before.
    void anEarlyWakeWaitsOnlyForTheBoundary()
    {
        source_->Set(QDateTime(kDay, QTime(10, 0, 4, 600)));
        TVrLedClock clock;
        clock.setActive(true);
        emit clock.BoundaryTimer()->Due(false);
        QCOMPARE(clock.Seconds(), 4);
        // Due within the 400 ms left; a slow machine only shortens what is left.
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(clock.BoundaryTimer()->WakesIn());
        QCOMPARE_LE(left.count(), 400);
    }

    void aChangeAfterTheFaceWasDrawnAheadIsShownAtTheBoundary()
    {
        QImage picture(16, 16, QImage::Format_RGB32);
        picture.fill(Qt::yellow);
        const std::vector<std::pair<const char*, std::function<void(TVrLedClock&)>>> changes = {
            {"nothing", [](TVrLedClock&) {}},
            {"colour", [](TVrLedClock& c) { c.setColor(clNavy); }},
            {"second dots", [](TVrLedClock& c) { c.setSecHandColor(clLime); }},
            {"size", [](TVrLedClock& c) { c.resize(240, 170); }},
            {"background", [&](TVrLedClock& c) { c.setBackground(picture); }},
            {"transparent", [](TVrLedClock& c) { c.setTransparent(true); }},
            {"repainted", [](TVrLedClock& c) { c.repaint(); }},
        };
        for (const auto& [name, change] : changes) {
            source_->Set(QDateTime(kDay, QTime(10, 0, 4, 950)));
            Backdrop window(Qt::white, QSize(300, 300));
            TVrLedClock clock(&window);
            window.show();
            QVERIFY(QTest::qWaitForWindowExposed(&window));
            clock.setActive(true);
            clock.PrepareNextSecond();
            change(clock);
            source_->Set(QDateTime(kDay, QTime(10, 0, 5)));
            emit clock.BoundaryTimer()->Due(false);
            QVERIFY2(clock.Seconds() == 5 && ShowsAWholeFrame(window, clock), name);
        }
    }

    void theWorkedExampleFace()
    {
        source_->Set(QDateTime(kDay, QTime(15, 44, 59)));
        TVrLedClock clock;
        MakeWorkedExample(clock);
        QImage frame = clock.grab().toImage();
        QCOMPARE(ReadWorkedExampleTime(frame, clock), QString("15:44"));
        for (const QPoint& dot : {QPoint(391, 52), QPoint(526, 187), QPoint(391, 322), QPoint(256, 187)})
            QCOMPARE(PixelAt(frame, dot), QColor(Qt::green));
        QCOMPARE(PixelAt(frame, 391, 187 + 149), QColor(Qt::blue));  // hour mark k = 0, straight below
        QCOMPARE(PixelAt(frame, 391 - 149, 187), QColor(Qt::blue));  // k = 3, to the left

        clock.setSeconds(44);
        frame = clock.grab().toImage();
        QCOMPARE(PixelAt(frame, 526, 187), QColor(Qt::green));
        QCOMPARE(PixelAt(frame, 256, 187), QColor(Qt::black));  // dot 45 is not lit yet

        clock.setHourMarks(false);
        clock.setSecondsIndicator(false);
        frame = clock.grab().toImage();
        QCOMPARE(PixelAt(frame, 391, 52), QColor(Qt::black));
        QCOMPARE(PixelAt(frame, 391, 187 + 149), QColor(Qt::black));
        QCOMPARE(ReadWorkedExampleTime(frame, clock), QString("15:44"));
    }

    // On air, as a tally: the lit digits and dots turn to the on-air colour, nothing else changes,
    // and off again every pixel comes back; the colour alone changes nothing shown off air.
    void onAirTheLitLedsTakeTheTallyColour()
    {
        source_->Set(QDateTime(kDay, QTime(15, 44, 59)));
        TVrLedClock clock;
        MakeWorkedExample(clock);
        const QImage off = clock.grab().toImage();
        clock.setOnAirColor(framework::clYellow);
        QCOMPARE(clock.grab().toImage(), off);
        clock.setOnAirColor(framework::clRed);
        clock.setOnAir(true);
        const QImage on = clock.grab().toImage();
        QCOMPARE(PixelAt(on, 391, 52), QColor(Qt::red));          // second dot 0
        QCOMPARE(PixelAt(on, 391, 187 + 149), QColor(Qt::blue));  // an hour mark
        int changed = 0;
        for (int y = 0; y < off.height(); ++y)
            for (int x = 0; x < off.width(); ++x) {
                const QRgb was = off.pixel(x, y);
                const QRgb is = on.pixel(x, y);
                if (was == is)
                    continue;
                ++changed;
                QVERIFY2(qGreen(was) > qRed(was) && qRed(is) > qGreen(is),
                    qPrintable(QStringLiteral("(%1, %2)").arg(x).arg(y)));
            }
        QVERIFY(changed > 0);
        clock.setOnAir(false);
        QCOMPARE(clock.grab().toImage(), off);
    }

    void aTickHandsTheScreenOnlyWhatChangedAndTheScreenStaysWhole()
    {
        source_->Set(QDateTime(kDay, QTime(10, 59, 58)));
        QWidget window;
        window.resize(783, 374);
        TVrLedClock clock(&window);
        MakeWorkedExample(clock);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        PaintCounter paints(clock);
        const QRegion& copied = paints.region;
        const auto screenIsWhole = [&] { return ShowsAWholeFrame(window, clock); };
        const auto tick = [&](const QTime& time) {
            source_->Set(QDateTime(kDay, time));
            paints.region = QRegion();
            clock.UpdateTime(nullptr);
        };

        tick(QTime(10, 59, 59));  // an ordinary second: the new dot alone, 10 x 10 around its 8 x 8
        QCOMPARE(copied, QRegion(clock.SecondDotRect(59)));
        QCOMPARE(clock.SecondDotRect(59).size(), QSize(10, 10));
        tick(QTime(11, 0, 0));  // a new hour: the ring empties and the digits change
        QVERIFY(copied.contains(clock.TimeTextRect()) && copied.contains(clock.SecondDotRect(1)));
        QVERIFY(!copied.contains(clock.SecondDotRect(0).center()));
        QVERIFY(screenIsWhole());
        tick(QTime(12, 0, 0));  // stepped an hour exactly: only the digits differ
        QCOMPARE(copied, QRegion(clock.TimeTextRect()));
        QVERIFY(screenIsWhole());
        tick(QTime(12, 0, 0));
        QVERIFY(copied.isEmpty());
        clock.setLedSize(INT_MAX / 2);  // digits no arithmetic can place: the whole control
        tick(QTime(12, 1, 0));
        QCOMPARE(copied, QRegion(clock.rect()));
    }

    // Whatever the values, and at any scale factor (ctest runs it at 1.5 and 2 too), a tick leaves
    // the screen as a whole repaint would: a new dot, then a ring that empties and digits that
    // change at every edge of their cells (19:59 to 20:00). Also when each face was drawn ahead,
    // only where it changes, over the one before.
    void aTickLeavesTheScreenAsAWholeRepaintWould_data()
    {
        QTest::addColumn<int>("secWidth");
        QTest::addColumn<int>("ledSize");
        QTest::addColumn<int>("textAngle");
        QTest::addColumn<QPoint>("textOffset");
        QTest::newRow("worked example") << 4 << 6 << 10 << QPoint(24, 0);
        QTest::newRow("upright") << 2 << 6 << 0 << QPoint(0, 0);
        QTest::newRow("zero") << 0 << 0 << 0 << QPoint(0, 0);
        QTest::newRow("negative") << -3 << -5 << 10 << QPoint(-40, 20);
        QTest::newRow("one below zero") << -1 << -1 << -30 << QPoint(0, -20);
        QTest::newRow("large") << 45 << 14 << 80 << QPoint(60, -90);
        QTest::newRow("text partly outside") << 7 << 3 << 170 << QPoint(-300, 150);
    }

    void aTickLeavesTheScreenAsAWholeRepaintWould()
    {
        QFETCH(int, secWidth);
        QFETCH(int, ledSize);
        QFETCH(int, textAngle);
        QFETCH(QPoint, textOffset);
        for (const bool drawnAhead : {false, true}) {
            source_->Set(QDateTime(kDay, QTime(19, 59, 58)));
            QWidget window;
            window.resize(783, 374);
            TVrLedClock clock(&window);
            MakeWorkedExample(clock);
            clock.setSecWidth(secWidth);
            clock.setLedSize(ledSize);
            clock.setTextAngle(textAngle);
            clock.setTextOffsetX(textOffset.x());
            clock.setTextOffsetY(textOffset.y());
            window.show();
            QVERIFY(QTest::qWaitForWindowExposed(&window));
            for (const QTime& time : {QTime(19, 59, 59), QTime(20, 0, 0)}) {
                if (drawnAhead)
                    clock.PrepareNextSecond();
                source_->Set(QDateTime(kDay, time));
                clock.UpdateTime(nullptr);
                QVERIFY2(ShowsAWholeFrame(window, clock), qPrintable(time.toString()));
            }
        }
    }

    void twelveHourDigits_data()
    {
        QTest::addColumn<QTime>("time");
        QTest::addColumn<QString>("shown");
        QTest::newRow("13:05") << QTime(13, 5) << "01:05";
        QTest::newRow("00:30") << QTime(0, 30) << "00:30";
        QTest::newRow("12:00") << QTime(12, 0) << "12:00";
        QTest::newRow("23:59") << QTime(23, 59) << "11:59";
    }

    void twelveHourDigits()
    {
        QFETCH(QTime, time);
        QFETCH(QString, shown);
        source_->Set(QDateTime(kDay, time));
        TVrLedClock clock;
        MakeWorkedExample(clock);
        clock.setHourFormat(hfmt12h);
        QCOMPARE(ReadWorkedExampleTime(clock.grab().toImage(), clock), shown);
        QCOMPARE(QAccessible::queryAccessibleInterface(&clock)->text(QAccessible::Value), shown);
    }

    // A screen reader is told of the time on the face once a minute, as the old text replaced by
    // the new, never at a plain second, and only while one listens; the tooltip describes the clock.
    void screenReadersAreToldOfEachNewTimeOnTheFace()
    {
        TVrLedClock clock;  // 10:00:04
        const HeardAccessibleEvents heard;
        const std::pair<QDateTime, QStringList> ticks[] = {
            {QDateTime(kDay, QTime(10, 0, 5)), {}},
            {QDateTime(kDay, QTime(10, 0, 59)), {}},
            {QDateTime(kDay, QTime(10, 1, 0)), {"text 10:00>10:01"}},
            {QDateTime(kDay.addDays(1), QTime(10, 1, 1)), {}},  // another day, the same face
            {QDateTime(kDay, QTime(13, 0, 0)), {"text 10:01>13:00"}},
        };
        for (const auto& [moment, told] : ticks) {
            source_->Set(moment);
            clock.UpdateTime(nullptr);
            QCOMPARE(heard.Take(), told);
        }
        clock.setHourFormat(hfmt12h);
        QCOMPARE(heard.Take(), QStringList{"text 13:00>01:00"});
        clock.setToolTip("Synchronised");
        QCOMPARE(heard.Take(), QStringList{"description Synchronised"});
        clock.setAccessibleName("Studio time");
        QCOMPARE(heard.Take(), QStringList{"name Studio time"});

        HeardAccessibleEvents::SetListening(false);
        source_->Set(QDateTime(kDay, QTime(13, 1, 0)));
        clock.UpdateTime(nullptr);
        QCOMPARE(heard.Take(), QStringList{});
    }

    void slantShiftsEachRow()
    {
        for (int row = 0; row <= 8; ++row)
            QCOMPARE(TVrLedClock::SlantOffset(row * 6, 10), row);
        QCOMPARE(TVrLedClock::SlantOffset(30, 0), 0);
        QCOMPARE(TVrLedClock::SlantOffset(30, -10), -5);
        QCOMPARE(TVrLedClock::SlantOffset(48, 90), 0);  // the tangent overflows: no shift
        QCOMPARE(TVrLedClock::SlantOffset(2'000'000'000, 89), 0);
    }

    void aTransparentFaceShowsTheParentWhereThePictureHasTheKeyColour()
    {
        Backdrop parent(Qt::yellow, QSize(300, 300));
        TVrLedClock clock(&parent);
        clock.setGeometry(0, 0, 200, 200);
        clock.setHourMarks(false);
        clock.setSecondsIndicator(false);
        QImage picture(2, 1, QImage::Format_RGB32);
        picture.setPixelColor(0, 0, Qt::black);  // the key: the clock's Color
        picture.setPixelColor(1, 0, Qt::white);
        clock.setBackground(picture);
        QCOMPARE(PixelAt(parent.grab().toImage(), 20, 20), QColor(Qt::black));  // opaque: painted with Color
        clock.setTransparent(true);
        const QImage frame = parent.grab().toImage();
        QCOMPARE(PixelAt(frame, 20, 20), QColor(Qt::yellow));
        QCOMPARE(PixelAt(frame, 180, 20), QColor(Qt::white));
    }

    // A tick to 11:00:00 raises four events, any of which may free the clock, whichever timer woke
    // it: the events after that one are not raised, and nothing touches the freed clock (which the
    // sanitizer build checks).
    void aHandlerMayFreeTheClock_data()
    {
        QTest::addColumn<QString>("wokenBy");
        QTest::addColumn<int>("freedBy");
        for (const char* wokenBy : {"boundary", "thread", "system"})
            for (int event = 0; event < kTickEvents.size(); ++event)
                QTest::addRow("%s, %s", wokenBy, qPrintable(kTickEvents.at(event))) << wokenBy << event;
    }

    void aHandlerMayFreeTheClock()
    {
        QFETCH(QString, wokenBy);
        QFETCH(int, freedBy);
        source_->Set(QDateTime(kDay, QTime(10, 59, 59, 950)));
        auto* clock = new TVrLedClock;
        const QPointer<TVrLedClock> watched(clock);
        clock->setThreaded(wokenBy != "system");
        clock->setEnableAlarm(true);
        clock->setAlarmTime(EncodeDate(2026, 12, 8) + EncodeTime(11, 0, 0, 0));
        Journal journal(*clock);
        const auto freeOnEvent = [&] {
            if (journal.entries.constLast() == kTickEvents.at(freedBy))
                delete clock;
        };
        connect(clock, &TVrLedClock::OnHoursChanged, this, freeOnEvent);
        connect(clock, &TVrLedClock::OnMinutesChanged, this, freeOnEvent);
        connect(clock, &TVrLedClock::OnSecondsChanged, this, freeOnEvent);
        connect(clock, &TVrLedClock::OnAlarm, this, freeOnEvent);
        clock->setActive(true);
        // One of the two wakes the clock; the other is kept from it.
        if (wokenBy == "boundary") {
            clock->Timer()->setEnabled(false);
            clock->BoundaryTimer()->ArmAt(QDateTime::fromMSecsSinceEpoch(0));
        } else
            clock->BoundaryTimer()->Disarm();
        source_->Set(QDateTime(kDay, QTime(11, 0, 0)));
        QTRY_VERIFY_WITH_TIMEOUT(watched.isNull(), 10'000);
        QCOMPARE(journal.entries, kTickEvents.mid(0, freedBy + 1));
    }

    void aQueuedHandlerThatRaisesIsReportedAndTheClockTicksOn()
    {
        QSignalSpy reported(Application::Instance(), &Application::ExceptionReported);
        TVrLedClock clock;
        QList<quint16> heard;
        ConnectGuarded(
            &clock, &TVrLedClock::OnSecondsChanged, this,
            [&](QObject*, quint16 seconds) {
                heard << seconds;
                if (heard.size() == 1)
                    throw Exception("the studio feed is down");
            },
            Qt::QueuedConnection);
        clock.setActive(true);
        for (int second = 5; second <= 7; ++second) {
            source_->Set(QDateTime(kDay, QTime(10, 0, second)));
            emit clock.BoundaryTimer()->Due(false);
            QCoreApplication::processEvents();
        }
        QCOMPARE(heard, (QList<quint16>{5, 6, 7}));
        QCOMPARE(reported.count(), 1);
        QCOMPARE(reported.at(0).at(0).value<QObject*>(), &clock);
        QCOMPARE(reported.at(0).at(1).toString(), QString("the studio feed is down"));
    }

    void aRunningClockTicksAndStopsCleanly()
    {
        SetTimeSource(nullptr);
        auto* clock = new TVrLedClock;
        int seconds = 0;
        connect(clock, &TVrLedClock::OnSecondsChanged, this, [&] { ++seconds; });
        clock->setActive(true);
        QTRY_VERIFY_WITH_TIMEOUT(seconds >= 2, 10'000);
        QPointer<TVrTimer> timer(clock->Timer());
        delete clock;
        QVERIFY(timer.isNull());
    }

private:
    std::shared_ptr<ManualTimeSource> source_;
};

STUDIO_CLOCK_TEST_MAIN(LedClockTest)
#include "test_ledclock.moc"
