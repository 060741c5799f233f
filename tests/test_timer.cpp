#include "display/VrBoundaryTimer.h"
#include "display/VrThreads.h"
#include "display/vrLedClock.h"
#include "framework/ConnectGuarded.h"
#include "framework/Exceptions.h"
#include "framework/TimeSource.h"
#include "tests/TestMain.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QPointer>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QThread>
#include <QTimer>
#include <atomic>
#include <chrono>
#include <fcntl.h>
#include <functional>
#include <memory>
#include <sys/resource.h>
#include <thread>
#include <unistd.h>
#include <vector>

using namespace display;
using namespace framework;

namespace {

// Generous bounds: they only turn a hang into a failure, and never judge speed.
constexpr int kPatienceMs = 10'000;

// Counts ticks and notes the thread they ran on.
struct Ticks : QObject {
    std::atomic<int> count{0};
    std::atomic<std::thread::id> thread{};
    void Listen(TVrTimer& timer, Qt::ConnectionType type = Qt::AutoConnection)
    {
        connect(
            &timer, &TVrTimer::OnTimer, this,
            [this](QObject*) {
                thread = std::this_thread::get_id();
                ++count;
            },
            type);
    }
};

const std::thread::id kGuiThread = std::this_thread::get_id();

// Lets the loop run for a while; only for checking that nothing happens.
void Idle(int ms)
{
    QTest::qWait(ms);
}

// Worker threads that call onto the GUI thread; each notifies the queue as it ends, so that the
// GUI thread can serve them until all have.
class Callers {
public:
    template <typename Work> Callers(int count, Work work)
    {
        for (int i = 0; i < count; ++i)
            threads_.emplace_back([this, work, i] {
                work(i);
                ++ended_;
                SyncQueue::Instance().Notify();
            });
    }
    ~Callers()
    {
        SyncQueue::Instance().ServeUntil([this] { return ended_ == static_cast<int>(threads_.size()); });
        for (std::thread& thread : threads_)
            thread.join();
    }
    Callers(const Callers&) = delete;
    Callers& operator=(const Callers&) = delete;

private:
    std::vector<std::thread> threads_;
    std::atomic<int> ended_{0};
};

// How often the calling thread has gone to sleep (Linux counts it per thread).
long SleepsOfThisThread()
{
    QFile status(QStringLiteral("/proc/thread-self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray key = "voluntary_ctxt_switches:";
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith(key))
            return line.mid(key.size()).trimmed().toLong();
    return -1;
}

// While it lives, only `left` more file descriptors can be had, as when thousands of clocks took
// the rest.
class DescriptorsLeft {
public:
    explicit DescriptorsLeft(rlim_t left)
    {
        getrlimit(RLIMIT_NOFILE, &saved_);
        const int lowestFree = fcntl(STDERR_FILENO, F_DUPFD_CLOEXEC, 0);
        close(lowestFree);
        rlimit lowered = saved_;
        lowered.rlim_cur = static_cast<rlim_t>(lowestFree) + left;
        setrlimit(RLIMIT_NOFILE, &lowered);
    }
    ~DescriptorsLeft() { setrlimit(RLIMIT_NOFILE, &saved_); }
    DescriptorsLeft(const DescriptorsLeft&) = delete;
    DescriptorsLeft& operator=(const DescriptorsLeft&) = delete;

private:
    rlimit saved_{};
};

}  // namespace

class TimerTest : public QObject {
    Q_OBJECT
private slots:
    void init() { SetApplicationTerminated(false); }

    void threadTicksReachTheGuiThread()
    {
        TVrTimer timer;
        Ticks ticks;
        ticks.Listen(timer);
        timer.setEnabled(false);
        timer.setInterval(10);
        QVERIFY(!timer.Worker());  // nothing allocated yet
        timer.setEnabled(true);
        QVERIFY(timer.Worker());
        QTRY_VERIFY_WITH_TIMEOUT(ticks.count >= 3, kPatienceMs);
        QVERIFY(ticks.thread.load() == kGuiThread);
    }

    void withoutSyncEventTicksRunOnTheWorker()
    {
        Ticks ticks;  // outlives the timer: its handler runs on the worker until the timer is gone
        TVrTimer timer;
        ticks.Listen(timer, Qt::DirectConnection);
        timer.setSyncEvent(false);
        timer.setEnabled(false);
        timer.setInterval(10);
        timer.setEnabled(true);
        QTRY_VERIFY_WITH_TIMEOUT(ticks.count >= 2, kPatienceMs);
        QVERIFY(ticks.thread.load() != kGuiThread);
    }

    void systemTicksRunOnTheGuiThread()
    {
        TVrTimer timer;
        Ticks ticks;
        ticks.Listen(timer);
        timer.setTimerType(ttSystem);
        timer.setInterval(10);
        QVERIFY(!timer.Worker());
        QTRY_VERIFY_WITH_TIMEOUT(ticks.count >= 3, kPatienceMs);
        QVERIFY(ticks.thread.load() == kGuiThread);
    }

    void noTicksWithoutIntervalOrHandler()
    {
        TVrTimer noInterval;
        Ticks ticks;
        ticks.Listen(noInterval);
        noInterval.setInterval(0);
        QVERIFY(noInterval.Worker() && noInterval.Worker()->Suspended());

        TVrTimer noHandler;
        noHandler.setInterval(10);
        QVERIFY(noHandler.Worker() && noHandler.Worker()->Suspended());

        TVrTimer systemNoHandler;
        systemNoHandler.setTimerType(ttSystem);
        systemNoHandler.setInterval(10);
        Idle(100);
        QCOMPARE(ticks.count.load(), 0);
    }

    void disablingDropsTicksWhileTheMechanismRuns()
    {
        TVrTimer timer;
        Ticks ticks;
        ticks.Listen(timer);
        timer.setInterval(10);
        QTRY_VERIFY_WITH_TIMEOUT(ticks.count >= 1, kPatienceMs);
        timer.setEnabled(false);
        const int atStop = ticks.count;
        QVERIFY(!timer.Worker()->Suspended());
        Idle(100);
        QCOMPARE(ticks.count.load(), atStop);
        timer.setEnabled(true);
        QTRY_VERIFY_WITH_TIMEOUT(ticks.count > atStop, kPatienceMs);
    }

    void aNewIntervalAppliesFromTheNextWait()
    {
        TVrTimer timer;
        Ticks ticks;
        ticks.Listen(timer);
        timer.setInterval(10);
        QTRY_VERIFY_WITH_TIMEOUT(ticks.count >= 1, kPatienceMs);
        timer.setInterval(60'000);
        QCOMPARE(timer.Worker()->Interval(), 60'000u);
        const int atChange = ticks.count;
        Idle(150);
        QVERIFY(ticks.count <= atChange + 1);  // at most the wait already running

        timer.setEnabled(false);
        timer.setInterval(10);  // stored only while disabled
        QCOMPARE(timer.Worker()->Interval(), 60'000u);
    }

    // An owner on its own schedule re-arms mid-wait: the hour-long wait in progress must not
    // hold the armed tick back, with either mechanism.
    void anArmedTickCutsTheWaitInProgressShort()
    {
        for (const TVrTimerType type : {ttThread, ttSystem}) {
            TVrTimer timer;
            timer.setTimerType(type);
            Ticks ticks;
            ticks.Listen(timer);
            timer.setInterval(3'600'000);
            Idle(50);  // the long wait has begun
            timer.ArmNextTick(20);
            QTRY_COMPARE_WITH_TIMEOUT(ticks.count.load(), 1, kPatienceMs);
            Idle(100);
            QCOMPARE(ticks.count.load(), 1);  // then the interval again
        }
    }

    void switchingTheMechanism()
    {
        TVrTimer timer;
        Ticks ticks;
        ticks.Listen(timer);
        timer.setInterval(10);
        QTRY_VERIFY_WITH_TIMEOUT(ticks.count >= 1, kPatienceMs);
        timer.setTimerType(ttSystem);  // enabled: old released, new one ticking
        QVERIFY(!timer.Worker());
        const int atSwitch = ticks.count;
        QTRY_VERIFY_WITH_TIMEOUT(ticks.count > atSwitch + 2, kPatienceMs);

        timer.setEnabled(false);
        timer.setTimerType(ttThread);  // disabled: only the old one goes
        QVERIFY(!timer.Worker());
        const int atRelease = ticks.count;
        Idle(100);
        QCOMPARE(ticks.count.load(), atRelease);
        timer.setPriority(tpHigher);  // disabled: stored only
        QVERIFY(!timer.Worker());
        QCOMPARE(timer.Priority(), tpHigher);
        timer.setEnabled(true);
        QVERIFY(timer.Worker());
        QTRY_VERIFY_WITH_TIMEOUT(ticks.count > atRelease, kPatienceMs);
    }

    void destroyingARunningTimerWakesItsWorker()
    {
        Ticks ticks;
        {
            TVrTimer timer;
            ticks.Listen(timer);
            timer.setInterval(10);
            QTRY_VERIFY_WITH_TIMEOUT(ticks.count >= 1, kPatienceMs);
            timer.setInterval(3'600'000);  // an hour: returning at all shows the wait was cut short
        }
        const int atDestruction = ticks.count;
        Idle(50);
        QCOMPARE(ticks.count.load(), atDestruction);
    }

    void aHandlerMayFreeItsOwnTimer()
    {
        auto* timer = new TVrTimer;
        QPointer<TVrTimer> watched(timer);
        int calls = 0;
        connect(timer, &TVrTimer::OnTimer, this, [&](QObject* sender) {
            ++calls;
            delete sender;  // from inside the synchronised delivery of its own worker
        });
        timer->setInterval(10);
        QTRY_VERIFY_WITH_TIMEOUT(watched.isNull(), kPatienceMs);
        Idle(50);
        QCOMPARE(calls, 1);
    }

    void aHandlerMayChangeTheMechanism()
    {
        TVrTimer timer;
        int calls = 0;
        connect(&timer, &TVrTimer::OnTimer, this, [&] {
            if (++calls == 1)
                timer.setTimerType(ttSystem);  // releases the worker delivering this very tick
        });
        timer.setInterval(10);
        QTRY_VERIFY_WITH_TIMEOUT(calls >= 3, kPatienceMs);
        QCOMPARE(timer.TimerType(), ttSystem);
        QVERIFY(!timer.Worker());
    }

    void handlerErrorsAreReportedAndTicksGoOn()
    {
        QSignalSpy reported(Application::Instance(), &Application::ExceptionReported);
        TVrTimer timer;
        int calls = 0;
        ConnectGuarded(&timer, &TVrTimer::OnTimer, this, [&] {
            if (++calls == 1)
                throw Exception("tick failed");
        });
        timer.setInterval(10);
        QTRY_VERIFY_WITH_TIMEOUT(calls >= 3, kPatienceMs);
        QCOMPARE(reported.count(), 1);
        QCOMPARE(reported.at(0).at(0).value<QObject*>(), &timer);
        QCOMPARE(reported.at(0).at(1).toString(), QString("tick failed"));
    }

    void noTicksOnceTheApplicationIsEnding()
    {
        TVrTimer timer;
        Ticks ticks;
        ticks.Listen(timer);
        SetApplicationTerminated(true);
        timer.setInterval(10);
        Idle(100);
        QCOMPARE(ticks.count.load(), 0);
        SetApplicationTerminated(false);
        QTRY_VERIFY_WITH_TIMEOUT(ticks.count >= 1, kPatienceMs);
    }

    void aSystemTimerThatCannotBeSetRaises()
    {
        // A thread without an event loop has no timers to give.
        QString message;
        bool stillAllocated = false;
        std::thread([&] {
            TVrTimer timer;
            Ticks ticks;
            ticks.Listen(timer, Qt::DirectConnection);
            timer.setEnabled(false);
            timer.setTimerType(ttSystem);
            try {
                timer.setEnabled(true);
            } catch (const EOutOfResources& e) {
                message = e.Message();
            }
            try {
                timer.setInterval(20);  // tried again
            } catch (const EOutOfResources&) {
                stillAllocated = true;
            }
        }).join();
        QCOMPARE(message, QString("No timer resources left."));
        QVERIFY(stillAllocated);
    }

    void nothingIsAllocatedWhileDesigning()
    {
        TVrTimer timer;
        timer.SetDesigning(true);
        Ticks ticks;
        ticks.Listen(timer);
        timer.setInterval(10);
        timer.Loaded();
        QVERIFY(!timer.Worker());
    }

    void aTimerReadFromALayoutStartsWhenLoaded()
    {
        TVrTimer* timer = nullptr;
        Ticks ticks;
        LayoutReading::Read([&] {
            timer = new TVrTimer(this);
            ticks.Listen(*timer);  // assigning the handler starts nothing by itself
            QVERIFY(!timer->Worker());
        });
        QTRY_VERIFY_WITH_TIMEOUT(ticks.count >= 1, kPatienceMs);
        delete timer;
    }

    void manyShortLivedTimers()
    {
        Ticks ticks;
        for (int i = 0; i < 1000; ++i) {
            TVrTimer timer;
            ticks.Listen(timer);
            timer.setEnabled(false);
            timer.setInterval(1);
            timer.setEnabled(true);
            if (i % 100 == 0)
                QCoreApplication::processEvents();
        }
        QVERIFY(true);  // no hang, no crash; the sanitizer builds judge the rest
    }

    // Once the application is ending, a moment armed for a tick that passed is let go: the worker
    // waits its interval again, rather than ending every wait at once until it is stopped.
    void anArmedMomentThatPassesAsTheApplicationEndsIsLetGo()
    {
        TVrTimer timer;
        Ticks ticks;
        ticks.Listen(timer);
        timer.setInterval(3'600'000);
        SetApplicationTerminated(true);
        const auto armedAt = std::chrono::steady_clock::now();
        timer.ArmNextTick(10);
        const TVrTimerThread* worker = timer.Worker();
        QTRY_VERIFY_WITH_TIMEOUT(
            worker->LastWaitEnd() >= armedAt + std::chrono::milliseconds(10), kPatienceMs);
        // Settled: no wait ends for a while (a spinning worker ends thousands).
        const auto settled = [worker] {
            const auto before = worker->LastWaitEnd();
            Idle(50);
            return worker->LastWaitEnd() == before;
        };
        QTRY_VERIFY_WITH_TIMEOUT(settled(), kPatienceMs);
        QCOMPARE(ticks.count.load(), 0);
    }

    // Freeing a timer waits for no worker to end, only for a tick being delivered on the worker's
    // own thread: its handler may use the timer until it returns.
    void freeingATimerWaitsForAHandlerRunningOnItsWorker()
    {
        std::atomic<bool> entered{false};
        std::atomic<bool> returned{false};
        auto timer = std::make_unique<TVrTimer>();
        timer->setSyncEvent(false);
        connect(
            timer.get(), &TVrTimer::OnTimer, this,
            [&] {
                if (entered.exchange(true))
                    return;
                std::this_thread::sleep_for(std::chrono::milliseconds(100));
                returned = true;
            },
            Qt::DirectConnection);
        timer->setInterval(1);
        QTRY_VERIFY_WITH_TIMEOUT(entered, kPatienceMs);
        timer.reset();
        QVERIFY(returned);
    }

    // Freeing a thread wakes its work from the longest wait and waits for it to return before
    // anything the work owns goes: the work here is still running as its thread is freed.
    void freeingAThreadStopsItsWorkBeforeTheWorkGoes()
    {
        std::atomic<bool> waiting{false};
        std::atomic<bool> returned{false};
        std::atomic<bool> freedWhileRunning{false};
        struct Owned {
            std::atomic<bool>& returned;
            std::atomic<bool>& freedWhileRunning;
            ~Owned() { freedWhileRunning = !returned; }
        };
        {
            const TThread thread(
                [owned = std::make_shared<Owned>(Owned{returned, freedWhileRunning}), &waiting](
                    TThread& self) {
                    while (self.WaitWhileSuspended()) {
                        waiting = true;
                        self.WaitTimedOut(std::chrono::hours(1));  // only a wake ends it in time
                    }
                    std::this_thread::sleep_for(std::chrono::milliseconds(50));
                    owned->returned = true;
                },
                false);
            QTRY_VERIFY_WITH_TIMEOUT(waiting, kPatienceMs);
        }
        QVERIFY(returned);
        QVERIFY(!freedWhileRunning);
    }

    // A call that ends wakes its own caller alone: a worker whose call runs long sleeps on while
    // a thousand calls of another worker come and go.
    void aFinishedCallWakesOnlyItsCaller()
    {
        std::atomic<bool> longCallRunning{false};
        std::atomic<bool> othersDone{false};
        long sleepsWhileWaiting = -1;
        {
            const Callers callers(2, [&](int worker) {
                if (worker == 0) {
                    while (!longCallRunning)
                        std::this_thread::yield();
                    for (int call = 0; call < 1000; ++call)
                        TThread::Synchronize([] {});
                    othersDone = true;
                    return;
                }
                const long before = SleepsOfThisThread();
                TThread::Synchronize([&] {
                    longCallRunning = true;
                    SyncQueue::Instance().ServeUntil([&] { return othersDone.load(); });
                });
                sleepsWhileWaiting = SleepsOfThisThread() - before;
            });
        }
        QCOMPARE_GE(sleepsWhileWaiting, 0L);
        QCOMPARE_LT(sleepsWhileWaiting, 100L);  // woken for every other call, it would sleep again after each
    }

    // Workers that call again as soon as each call returns never hold the event loop up: it gets
    // its turn between rounds of calls, so a window is still painted and a quit still heard. Nor
    // do calls served while the GUI thread waited (for a worker to end) leave rounds behind.
    void callersWithoutPauseLeaveTheEventLoopItsTurn()
    {
        SyncQueue::Instance().ServeFromEventLoop();
        {
            const Callers servedWhileWaiting(1, [](int) {
                for (int call = 0; call < 2000; ++call)
                    TThread::Synchronize([] {});
            });
        }
        const QDeadlineTimer patience(kPatienceMs);
        std::atomic<bool> turnTaken{false};
        bool takenWhileCalling = false;
        bool asked = false;
        const Callers callers(8, [&](int) {
            while (!turnTaken && !patience.hasExpired())
                TThread::Synchronize([&] {
                    if (!std::exchange(asked, true))
                        QTimer::singleShot(0, this, [&] {
                            takenWhileCalling = !patience.hasExpired();
                            turnTaken = true;
                        });
                    std::this_thread::sleep_for(std::chrono::milliseconds(1));
                });
        });
        QTRY_VERIFY_WITH_TIMEOUT(turnTaken, 2 * kPatienceMs);
        QVERIFY(takenWhileCalling);
    }

    void pausesAndNewIntervalsAreNeverLost_data()
    {
        QTest::addColumn<bool>("syncEvent");
        QTest::newRow("ticks on the GUI thread") << true;
        QTest::newRow("ticks on the worker") << false;
    }

    // Every toggle pauses the worker, hands it an interval and (for 1) lets it run again, so a
    // pause or an interval that slips past the worker shows as a worker stuck in an endless wait.
    void pausesAndNewIntervalsAreNeverLost()
    {
        QFETCH(bool, syncEvent);
        Ticks ticks;
        TVrTimer timer;
        ticks.Listen(timer, Qt::DirectConnection);
        timer.setSyncEvent(syncEvent);
        timer.setInterval(1);
        const QDeadlineTimer enough(2'000);  // the race is rare: as many toggles as fit in this
        for (int toggle = 0; !enough.hasExpired(); ++toggle) {
            timer.setInterval(toggle % 2);
            if (toggle % 64 == 0)
                QCoreApplication::processEvents();  // lets synchronised ticks through
        }
        timer.setInterval(1);
        const int before = ticks.count;
        QTRY_VERIFY_WITH_TIMEOUT(ticks.count >= before + 3, kPatienceMs);
    }

    // The clock's boundary timer wakes once for each arming, at a moment passed at once, and not
    // at all once disarmed. Every set of the system clock wakes it too (clockSet), however often
    // the host sets it: such wakes are not counted. One may take the place of a wake due with it:
    // then what was armed is armed again, as the clock does.
    void aBoundaryTimerWakesOncePerArming()
    {
        TVrBoundaryTimer timer;
        int woken = 0;
        qint64 wokenAt = 0;
        std::function<void()> pending;  // the arming not woken for yet
        connect(&timer, &TVrBoundaryTimer::Due, &timer, [&](bool clockSet) {
            if (clockSet) {
                if (pending && timer.WakesIn() == std::chrono::nanoseconds::zero())
                    pending();
                return;
            }
            ++woken;
            wokenAt = QDateTime::currentMSecsSinceEpoch();
            pending = nullptr;
        });
        const auto arm = [&](std::function<void()> arming) {
            pending = std::move(arming);
            pending();
        };
        arm([&] { timer.ArmAt(QDateTime::currentDateTime().addSecs(-3600)); });
        QTRY_COMPARE_WITH_TIMEOUT(woken, 1, kPatienceMs);
        // Woken ahead of the moment, it sleeps out the rest: never before it by the wall clock.
        const QDateTime moment = QDateTime::currentDateTime().addMSecs(30);
        arm([&] { timer.ArmAt(moment); });
        QTRY_COMPARE_WITH_TIMEOUT(woken, 2, kPatienceMs);
        QCOMPARE_GE(wokenAt, moment.toMSecsSinceEpoch());
        arm([&] { timer.ArmIn(20); });
        QTRY_COMPARE_WITH_TIMEOUT(woken, 3, kPatienceMs);
        timer.ArmIn(20);
        timer.Disarm();
        // Before the epoch: passed, not disarmed.
        arm([&] { timer.ArmAt(QDateTime::fromMSecsSinceEpoch(-5)); });
        QTRY_COMPARE_WITH_TIMEOUT(woken, 4, kPatienceMs);
        QTest::qWait(100);
        QCOMPARE(woken, 4);
    }

    // The kernel wakes the loop the lead (2 ms) before the moment, read back as the time it has
    // left between two readings of the wall clock. A set of the clock, which would move the
    // readings, wakes the timer: then they are taken again.
    void aBoundaryTimerWakesTheLoopTheLeadBeforeTheMoment()
    {
        using std::chrono::nanoseconds;
        const auto wallClock
            = [] { return nanoseconds(std::chrono::system_clock::now().time_since_epoch()); };
        TVrBoundaryTimer timer;
        QSignalSpy clockSet(&timer, &TVrBoundaryTimer::Due);  // nothing else wakes it a minute early
        for (int reading = 0; reading < 10; ++reading) {
            const QDateTime moment = QDateTime::currentDateTime().addSecs(60);
            timer.ArmAt(moment);
            const nanoseconds before = wallClock();
            const nanoseconds left = timer.WakesIn();
            const nanoseconds after = wallClock();
            QCoreApplication::processEvents();
            if (!clockSet.isEmpty()) {
                clockSet.clear();
                continue;
            }
            const nanoseconds wake = std::chrono::milliseconds(moment.toMSecsSinceEpoch() - 2);
            QCOMPARE_LE((before + left).count(), wake.count());
            QCOMPARE_GE((after + left).count(), wake.count());
            return;
        }
        QFAIL("The system clock was set at every reading.");
    }

    // A boundary timer the kernel gives no descriptor (thousands of clocks, a low limit), or only
    // one of the last few the rest of the program needs, falls back to the event loop's timer;
    // a clock with such a timer still shows each second as it comes.
    void aClockWithoutADescriptorStillTicksAtTheBoundary()
    {
        QVERIFY(TVrBoundaryTimer().UsesKernelTimer());
        std::unique_ptr<TVrBoundaryTimer> refused;
        {
            const DescriptorsLeft none(0);
            refused = std::make_unique<TVrBoundaryTimer>();
        }
        QVERIFY(!refused->UsesKernelTimer());
        // A day long past, so that each boundary armed has come by the real clock too.
        const QDate day(2000, 1, 1);
        const auto source = std::make_shared<ManualTimeSource>(QDateTime(day, QTime(10, 0, 4, 250)));
        SetTimeSource(source);
        const auto restore = qScopeGuard([] { SetTimeSource(nullptr); });
        std::unique_ptr<TVrLedClock> clock;
        {
            // A few left, not none: the sanitizers need some for their own checks.
            const DescriptorsLeft few(8);
            clock = std::make_unique<TVrLedClock>();
        }
        QVERIFY(!clock->BoundaryTimer()->UsesKernelTimer());
        // Only the boundary timer may tick it: the timer that wakes it ahead of each second is cut off.
        disconnect(clock->Timer(), nullptr, clock.get(), nullptr);
        clock->setActive(true);
        for (const int second : {5, 6}) {
            source->Set(QDateTime(day, QTime(10, 0, second, 2)));
            QTRY_COMPARE_WITH_TIMEOUT(clock->Seconds(), second, kPatienceMs);
        }
    }
};

STUDIO_CLOCK_TEST_MAIN(TimerTest)
#include "test_timer.moc"
