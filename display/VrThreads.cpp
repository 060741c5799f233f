#include "display/VrThreads.h"

#include "framework/Exceptions.h"

#include <QCoreApplication>
#include <QMetaMethod>
#include <QScopedValueRollback>
#include <QTimer>
#include <QTimerEvent>
#include <algorithm>
#include <atomic>
#include <climits>
#include <memory>
#include <mutex>
#include <thread>
#include <utility>
#include <vector>

namespace display {

namespace {

// Workers let go of: stopped, they end on their own, each as soon as it next runs, and are freed
// soon after (at the latest when the application object goes). A form freeing thousands of clocks
// so waits for none of them in turn.
class ReleasedWorkers {
public:
    static void Adopt(std::unique_ptr<TVrTimerThread> worker)
    {
        static bool routineAdded = false;
        if (!routineAdded && QCoreApplication::instance()) {
            qAddPostRoutine(&ReleasedWorkers::FreeAll);
            routineAdded = true;
        }
        Instance().workers.push_back(std::move(worker));
        ScheduleSweep();
    }

    // Frees the workers that have ended; called whenever timers come and go.
    static void FreeEnded()
    {
        auto& workers = Instance().workers;
        workers.erase(
            std::remove_if(workers.begin(), workers.end(), [](const auto& w) { return w->Ended(); }),
            workers.end());
    }

private:
    // Long enough for thousands of workers to end between two looks.
    static constexpr int kSweepDelayMs = 100;

    struct Released {
        std::vector<std::unique_ptr<TVrTimerThread>> workers;
        bool sweepScheduled = false;
    };
    static Released& Instance()
    {
        static Released released;
        return released;
    }

    // Looks again from the event loop until every worker is freed, also when no timer comes or
    // goes any more; one look at a time, so adopting thousands stays linear.
    static void ScheduleSweep()
    {
        Released& released = Instance();
        if (released.sweepScheduled || released.workers.empty() || !framework::OnGuiThread())
            return;
        released.sweepScheduled = true;
        QTimer::singleShot(kSweepDelayMs, QCoreApplication::instance(), [] {
            Instance().sweepScheduled = false;
            FreeEnded();
            ScheduleSweep();
        });
    }

    static void FreeAll() { Instance().workers.clear(); }
};

// What is left until a steady-clock moment, rounded up so that a tick never comes before it.
std::chrono::milliseconds TimeUntil(std::int64_t steadyTicks)
{
    const auto left = std::chrono::steady_clock::time_point(std::chrono::steady_clock::duration(steadyTicks))
        - std::chrono::steady_clock::now();
    return std::max(std::chrono::ceil<std::chrono::milliseconds>(left), std::chrono::milliseconds(0));
}

}  // namespace

// What the worker's work uses: the thread frees it only once the work has returned.
struct TVrTimerThread::Private {
    explicit Private(TVrTimer* timer)
        : timer(timer)
    {
    }

    void Execute(framework::TThread& thread);
    // A delivery begins only while the worker is not stopped; it ends where the tick ran.
    bool BeginDelivery(const framework::TThread& thread);
    void EndDelivery();
    void DoTimer();

    TVrTimer* const timer;  // touched only to deliver a tick, never once stopped
    std::atomic<bool> syncEvent{true};
    std::mutex deliveryMutex;
    bool delivering = false;  // from BeginDelivery to the end of DoTimer
    std::atomic<std::uint32_t> interval{1000};
    std::atomic<std::uint32_t> armedWait{0};     // as armed, for CurrentWait
    std::atomic<std::int64_t> armedDeadline{0};  // steady-clock ticks; 0: none armed
    std::atomic<std::uint32_t> currentWait{0};
    std::atomic<std::thread::id> deliveringThread{};
    std::atomic<std::int64_t> lastWaitEnd{0};
};

TVrTimerThread::TVrTimerThread(TVrTimer* timer, bool createRunning)
    : TVrTimerThread(std::make_shared<Private>(timer), createRunning)
{
}

TVrTimerThread::TVrTimerThread(std::shared_ptr<Private> shared, bool createRunning)
    : TThread([shared](TThread& thread) { shared->Execute(thread); }, !createRunning)
    , d(std::move(shared))
{
}

TVrTimerThread::~TVrTimerThread() = default;

void TVrTimerThread::setInterval(std::uint32_t milliseconds)
{
    d->interval = milliseconds;
}

std::uint32_t TVrTimerThread::Interval() const
{
    return d->interval.load();
}

std::uint32_t TVrTimerThread::CurrentWait() const
{
    return d->currentWait.load();
}

void TVrTimerThread::setSyncEvent(bool value)
{
    d->syncEvent = value;
}

bool TVrTimerThread::DeliveringHere() const
{
    return d->deliveringThread.load() == std::this_thread::get_id();
}

bool TVrTimerThread::Private::BeginDelivery(const framework::TThread& thread)
{
    const std::lock_guard lock(deliveryMutex);
    delivering = !thread.Terminated();
    return delivering;
}

void TVrTimerThread::Private::EndDelivery()
{
    {
        const std::lock_guard lock(deliveryMutex);
        delivering = false;
    }
    framework::SyncQueue::Instance().Notify();
}

void TVrTimerThread::WaitForDelivery()
{
    framework::SyncQueue::Instance().ServeUntil([this] {
        const std::lock_guard lock(d->deliveryMutex);
        return !d->delivering;
    });
}

std::chrono::steady_clock::time_point TVrTimerThread::LastWaitEnd() const
{
    return std::chrono::steady_clock::time_point(std::chrono::steady_clock::duration(d->lastWaitEnd.load()));
}

void TVrTimerThread::Private::Execute(framework::TThread& thread)
{
    while (!thread.Terminated()) {
        // The wait's length is taken as the worker leaves its pause, where no new pause can
        // begin: a pause and a new interval requested just after can only stop the next wait,
        // never be half seen.
        std::chrono::milliseconds timeout{};
        std::int64_t armed = 0;
        if (!thread.WaitWhileSuspended([this, &timeout, &armed] {
                armed = armedDeadline.load();
                const std::uint32_t wait = armed != 0 ? armedWait.load() : interval.load();
                currentWait = wait;
                timeout = armed != 0 ? TimeUntil(armed)
                    : wait == 0      ? std::chrono::milliseconds::max()
                                     : std::chrono::milliseconds(wait);
            }))
            break;
        const bool timedOut = thread.WaitTimedOut(timeout);
        lastWaitEnd = std::chrono::steady_clock::now().time_since_epoch().count();
        // A pause requested during the wait, a new moment armed or a stop: no tick.
        if (!timedOut || thread.Terminated() || thread.Suspended())
            continue;
        // The armed moment has come; one armed again meanwhile stays.
        armedDeadline.compare_exchange_strong(armed, 0);
        // A finishing application takes no ticks; the moment is gone all the same, or every wait
        // after it would end at once and the worker would spin until it is stopped.
        if (framework::ApplicationTerminated())
            continue;
        if (!BeginDelivery(thread))
            continue;
        if (syncEvent.load())
            framework::TThread::Synchronize([this] { DoTimer(); });
        else
            DoTimer();
    }
}

void TVrTimerThread::ArmNextWait(std::uint32_t milliseconds)
{
    d->armedWait = milliseconds;
    d->armedDeadline = milliseconds == 0
        ? 0
        : (std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds))
              .time_since_epoch()
              .count();
    Wake();
}

void TVrTimerThread::Private::DoTimer()
{
    deliveringThread = std::this_thread::get_id();
    // The handler may release this worker or free the timer: the timer is not touched after
    // Timer, and a worker released meanwhile is kept until it ends.
    timer->Timer();
    deliveringThread = std::thread::id();
    EndDelivery();
}

struct TVrTimer::Private {
    std::atomic<bool> enabled{true};
    std::uint32_t interval = 1000;
    std::atomic<bool> syncEvent{true};
    TVrTimerType timerType = ttThread;
    framework::TThreadPriority priority = framework::tpNormal;
    bool allocated = false;
    bool releasing = false;  // a worker is being let go
    std::unique_ptr<TVrTimerThread> worker;
    std::uint32_t nextTick = 0;  // armed, not yet handed to the mechanism
    int systemTimerId = 0;
    std::uint32_t systemInterval = 0;   // the Interval the system timer was set up with
    bool systemTimerArmedOnce = false;  // it runs at an armed length until it first fires
};

TVrTimer::TVrTimer(QObject* owner)
    : TVrComponent(owner)
    , d(std::make_unique<Private>())
{
}

TVrTimer::~TVrTimer()
{
    // Disabled, no tick calls a handler any more; the one a worker may be running is waited for
    // here, before the object's connections, and the handler's own, are freed with it.
    d->enabled = false;
    ReleaseTimer();
}

bool TVrTimer::Enabled() const
{
    return d->enabled.load();
}

std::uint32_t TVrTimer::Interval() const
{
    return d->interval;
}

bool TVrTimer::SyncEvent() const
{
    return d->syncEvent.load();
}

TVrTimerType TVrTimer::TimerType() const
{
    return d->timerType;
}

framework::TThreadPriority TVrTimer::Priority() const
{
    return d->priority;
}

TVrTimerThread* TVrTimer::Worker() const
{
    return d->worker.get();
}

void TVrTimer::setEnabled(bool value)
{
    if (value == d->enabled.load())
        return;
    d->enabled = value;
    // Turning off touches no mechanism: Timer drops the ticks.
    if (value)
        UpdateTimer();
}

void TVrTimer::setSyncEvent(bool value)
{
    d->syncEvent = value;
    if (d->worker)
        d->worker->setSyncEvent(value);
}

void TVrTimer::setInterval(std::uint32_t value)
{
    if (value == d->interval)
        return;
    d->interval = value;
    if (Enabled())
        UpdateTimer();
}

void TVrTimer::ArmNextTick(std::uint32_t milliseconds)
{
    d->nextTick = milliseconds;
    if (Enabled())
        UpdateTimer();
}

void TVrTimer::setTimerType(TVrTimerType value)
{
    if (framework::CheckedEnum(value) == d->timerType)
        return;
    ReleaseTimer();
    d->timerType = value;
    if (Enabled())
        UpdateTimer();
}

void TVrTimer::setPriority(framework::TThreadPriority value)
{
    if (framework::CheckedEnum(value) == d->priority)
        return;
    d->priority = value;
    if (d->timerType == ttThread && Enabled())
        UpdateTimer();
}

void TVrTimer::Loaded()
{
    TVrComponent::Loaded();
    UpdateTimer();
}

bool TVrTimer::HandlerAssigned() const
{
    static const QMetaMethod onTimer = QMetaMethod::fromSignal(&TVrTimer::OnTimer);
    return isSignalConnected(onTimer);
}

void TVrTimer::Timer()
{
    if (Enabled() && HandlerAssigned())
        emit OnTimer(this);
}

void TVrTimer::timerEvent(QTimerEvent* event)
{
    if (event->timerId() != d->systemTimerId) {
        TVrComponent::timerEvent(event);
        return;
    }
    if (d->systemTimerArmedOnce)
        StartSystemTimer(d->systemInterval);  // the armed tick has come: back to the interval
    Timer();
}

void TVrTimer::AllocateTimer()
{
    ReleasedWorkers::FreeEnded();
    // A system timer needs nothing beyond this object; a thread timer gets its worker, paused.
    if (d->timerType == ttThread) {
        d->worker = std::make_unique<TVrTimerThread>(this, false);
        d->worker->setSyncEvent(SyncEvent());
    }
    d->allocated = true;
}

void TVrTimer::ReleaseTimer()
{
    if (!d->allocated)
        return;
    d->allocated = false;
    if (d->timerType == ttSystem) {
        StopSystemTimer();
        return;
    }
    // The worker's pending delivery is served while it is waited for, and its handler may change
    // this timer's settings: meanwhile the mechanism is neither touched nor made again.
    const QScopedValueRollback releasing(d->releasing, true);
    std::unique_ptr<TVrTimerThread> worker = std::move(d->worker);
    if (!worker)
        return;
    worker->Stop();
    // Stopped, the worker begins no delivery, and ends on its own: only a delivery under way may
    // still use this timer, so only that is waited for, and the worker freed once it has ended.
    // Where the GUI thread cannot be served meanwhile, the worker is freed here, which waits for it.
    if (worker->DeliveringHere())
        ReleasedWorkers::Adopt(std::move(worker));  // waiting here would wait on ourselves
    else if (framework::OnGuiThread()) {
        worker->WaitForDelivery();
        ReleasedWorkers::Adopt(std::move(worker));
    }
}

void TVrTimer::UpdateTimer()
{
    // While a worker is being released, the settings wait for the update that follows it.
    if (IsDesigning() || d->releasing)
        return;
    if (!d->allocated)
        AllocateTimer();
    const bool ticking = d->interval != 0 && Enabled() && HandlerAssigned();
    // An armed tick waits for a mechanism that really ticks.
    const std::uint32_t nextTick = ticking ? std::exchange(d->nextTick, 0) : 0;
    if (d->timerType == ttSystem) {
        StopSystemTimer();
        d->systemInterval = d->interval;
        if (ticking)
            StartSystemTimer(nextTick != 0 ? nextTick : d->interval);
        return;
    }
    // The worker's settings change only while it is paused: it takes them as one set.
    if (!d->worker->Suspended())
        d->worker->Suspend();
    d->worker->setInterval(d->interval);
    if (nextTick != 0)
        d->worker->ArmNextWait(nextTick);
    if (ticking) {
        d->worker->SetPriority(d->priority);
        while (d->worker->Suspended())
            d->worker->Resume();
    }
}

void TVrTimer::StartSystemTimer(std::uint32_t milliseconds)
{
    StopSystemTimer();
    // The longest interval the loop's timers take; a longer one ticks at that.
    const int interval = static_cast<int>(std::min<std::uint32_t>(milliseconds, INT_MAX));
    d->systemTimerId = startTimer(interval, Qt::PreciseTimer);
    if (d->systemTimerId == 0)
        throw framework::EOutOfResources(QStringLiteral("No timer resources left."));
    d->systemTimerArmedOnce = milliseconds != d->systemInterval;
}

void TVrTimer::StopSystemTimer()
{
    if (d->systemTimerId != 0)
        killTimer(d->systemTimerId);
    d->systemTimerId = 0;
    d->systemTimerArmedOnce = false;
}

}  // namespace display
