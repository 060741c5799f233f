#include "display/VrThreads.h"

#include "framework/Exceptions.h"

#include <QCoreApplication>
#include <QMetaMethod>
#include <QScopedValueRollback>
#include <QTimer>
#include <QTimerEvent>
#include <algorithm>
#include <climits>
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

TVrTimerThread::TVrTimerThread(TVrTimer* timer, bool createRunning)
    : TThread(!createRunning)
    , timer_(timer)
{
    Start();
}

TVrTimerThread::~TVrTimerThread()
{
    // Here, not in the base: Execute belongs to this class and must have returned before it goes.
    Stop();
    WaitFor();
}

void TVrTimerThread::Stop()
{
    while (Suspended())
        Resume();
    Terminate();
    wake_.Signal();
}

bool TVrTimerThread::DeliveringHere() const
{
    return deliveringThread_.load() == std::this_thread::get_id();
}

bool TVrTimerThread::BeginDelivery()
{
    const std::lock_guard lock(deliveryMutex_);
    delivering_ = !Terminated();
    return delivering_;
}

void TVrTimerThread::EndDelivery()
{
    {
        const std::lock_guard lock(deliveryMutex_);
        delivering_ = false;
    }
    framework::SyncQueue::Instance().Notify();
}

void TVrTimerThread::WaitForDelivery()
{
    framework::SyncQueue::Instance().ServeUntil([this] {
        const std::lock_guard lock(deliveryMutex_);
        return !delivering_;
    });
}

std::chrono::steady_clock::time_point TVrTimerThread::LastWaitEnd() const
{
    return std::chrono::steady_clock::time_point(std::chrono::steady_clock::duration(lastWaitEnd_.load()));
}

void TVrTimerThread::Execute()
{
    while (!Terminated()) {
        // The wait's length is taken as the worker leaves its pause, where no new pause can
        // begin: a pause and a new interval requested just after can only stop the next wait,
        // never be half seen.
        std::chrono::milliseconds timeout{};
        std::int64_t armed = 0;
        if (!WaitWhileSuspended([this, &timeout, &armed] {
                armed = armedDeadline_.load();
                const std::uint32_t wait = armed != 0 ? armedWait_.load() : interval_.load();
                currentWait_ = wait;
                timeout = armed != 0 ? TimeUntil(armed)
                    : wait == 0      ? std::chrono::milliseconds::max()
                                     : std::chrono::milliseconds(wait);
            }))
            break;
        const bool timedOut = wake_.WaitTimedOut(timeout);
        lastWaitEnd_ = std::chrono::steady_clock::now().time_since_epoch().count();
        // A pause requested during the wait, a new moment armed or a stop: no tick.
        if (!timedOut || Terminated() || Suspended())
            continue;
        // The armed moment has come; one armed again meanwhile stays.
        armedDeadline_.compare_exchange_strong(armed, 0);
        // A finishing application takes no ticks; the moment is gone all the same, or every wait
        // after it would end at once and the worker would spin until it is stopped.
        if (framework::ApplicationTerminated())
            continue;
        if (!BeginDelivery())
            continue;
        if (syncEvent_.load())
            Synchronize([this] { DoTimer(); });
        else
            DoTimer();
    }
}

void TVrTimerThread::ArmNextWait(std::uint32_t milliseconds)
{
    armedWait_ = milliseconds;
    armedDeadline_ = milliseconds == 0
        ? 0
        : (std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds))
              .time_since_epoch()
              .count();
    wake_.Signal();
}

void TVrTimerThread::DoTimer()
{
    deliveringThread_ = std::this_thread::get_id();
    // The handler may release this worker or free the timer: the timer is not touched after
    // Timer, and a worker released meanwhile is kept until it ends.
    timer_->Timer();
    deliveringThread_ = std::thread::id();
    EndDelivery();
}

TVrTimer::TVrTimer(QObject* owner)
    : TVrComponent(owner)
{
}

TVrTimer::~TVrTimer()
{
    enabled_ = false;
    disconnect(this, &TVrTimer::OnTimer, nullptr, nullptr);
    ReleaseTimer();
}

void TVrTimer::setEnabled(bool value)
{
    if (value == enabled_.load())
        return;
    enabled_ = value;
    // Turning off touches no mechanism: Timer drops the ticks.
    if (value)
        UpdateTimer();
}

void TVrTimer::setSyncEvent(bool value)
{
    syncEvent_ = value;
    if (worker_)
        worker_->setSyncEvent(value);
}

void TVrTimer::setInterval(std::uint32_t value)
{
    if (value == interval_)
        return;
    interval_ = value;
    if (Enabled())
        UpdateTimer();
}

void TVrTimer::ArmNextTick(std::uint32_t milliseconds)
{
    nextTick_ = milliseconds;
    if (Enabled())
        UpdateTimer();
}

void TVrTimer::setTimerType(TVrTimerType value)
{
    if (framework::CheckedEnum(value) == timerType_)
        return;
    ReleaseTimer();
    timerType_ = value;
    if (Enabled())
        UpdateTimer();
}

void TVrTimer::setPriority(framework::TThreadPriority value)
{
    if (framework::CheckedEnum(value) == priority_)
        return;
    priority_ = value;
    if (timerType_ == ttThread && Enabled())
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
    if (event->timerId() != systemTimerId_) {
        TVrComponent::timerEvent(event);
        return;
    }
    if (systemTimerArmedOnce_)
        StartSystemTimer(systemInterval_);  // the armed tick has come: back to the interval
    Timer();
}

void TVrTimer::AllocateTimer()
{
    ReleasedWorkers::FreeEnded();
    // A system timer needs nothing beyond this object; a thread timer gets its worker, paused.
    if (timerType_ == ttThread) {
        worker_ = std::make_unique<TVrTimerThread>(this, false);
        worker_->setSyncEvent(SyncEvent());
    }
    allocated_ = true;
}

void TVrTimer::ReleaseTimer()
{
    if (!allocated_)
        return;
    allocated_ = false;
    if (timerType_ == ttSystem) {
        StopSystemTimer();
        return;
    }
    // The worker's pending delivery is served while it is waited for, and its handler may change
    // this timer's settings: meanwhile the mechanism is neither touched nor made again.
    const QScopedValueRollback releasing(releasing_, true);
    std::unique_ptr<TVrTimerThread> worker = std::move(worker_);
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
    if (IsDesigning() || releasing_)
        return;
    if (!allocated_)
        AllocateTimer();
    const bool ticking = interval_ != 0 && Enabled() && HandlerAssigned();
    // An armed tick waits for a mechanism that really ticks.
    const std::uint32_t nextTick = ticking ? std::exchange(nextTick_, 0) : 0;
    if (timerType_ == ttSystem) {
        StopSystemTimer();
        systemInterval_ = interval_;
        if (ticking)
            StartSystemTimer(nextTick != 0 ? nextTick : interval_);
        return;
    }
    // The worker's settings change only while it is paused: it takes them as one set.
    if (!worker_->Suspended())
        worker_->Suspend();
    worker_->setInterval(interval_);
    if (nextTick != 0)
        worker_->ArmNextWait(nextTick);
    if (ticking) {
        worker_->SetPriority(priority_);
        while (worker_->Suspended())
            worker_->Resume();
    }
}

void TVrTimer::StartSystemTimer(std::uint32_t milliseconds)
{
    StopSystemTimer();
    // The longest interval the loop's timers take; a longer one ticks at that.
    const int interval = static_cast<int>(std::min<std::uint32_t>(milliseconds, INT_MAX));
    systemTimerId_ = startTimer(interval, Qt::PreciseTimer);
    if (systemTimerId_ == 0)
        throw framework::EOutOfResources(QStringLiteral("No timer resources left."));
    systemTimerArmedOnce_ = milliseconds != systemInterval_;
}

void TVrTimer::StopSystemTimer()
{
    if (systemTimerId_ != 0)
        killTimer(systemTimerId_);
    systemTimerId_ = 0;
    systemTimerArmedOnce_ = false;
}

}  // namespace display
