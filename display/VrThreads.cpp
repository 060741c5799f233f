#include "VrThreads.h"

#include "Application.h"
#include "Exceptions.h"

#include <QCoreApplication>
#include <QMetaMethod>
#include <QPointer>
#include <QTimerEvent>
#include <algorithm>
#include <climits>
#include <thread>
#include <vector>

namespace display {

namespace {

// Workers released from inside their own delivery: they end as soon as the delivery returns and
// are freed then (or, at the latest, when the application object goes).
class ReleasedWorkers {
public:
    static void Adopt(std::unique_ptr<TVrTimerThread> worker)
    {
        FreeEnded();
        static bool routineAdded = false;
        if (!routineAdded && QCoreApplication::instance()) {
            qAddPostRoutine(&ReleasedWorkers::FreeAll);
            routineAdded = true;
        }
        Workers().push_back(std::move(worker));
    }

    // Frees the workers that have ended; called whenever timers come and go.
    static void FreeEnded()
    {
        auto& workers = Workers();
        workers.erase(
            std::remove_if(workers.begin(), workers.end(), [](const auto& w) { return w->Ended(); }),
            workers.end());
    }

private:
    static std::vector<std::unique_ptr<TVrTimerThread>>& Workers()
    {
        static std::vector<std::unique_ptr<TVrTimerThread>> workers;
        return workers;
    }

    static void FreeAll() { Workers().clear(); }
};

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

std::chrono::steady_clock::time_point TVrTimerThread::LastWaitEnd() const
{
    return std::chrono::steady_clock::time_point(std::chrono::steady_clock::duration(lastWaitEnd_.load()));
}

void TVrTimerThread::Execute()
{
    while (!Terminated()) {
        if (!WaitWhileSuspended())
            break;
        const std::uint32_t interval = interval_.load();
        const bool timedOut = wake_.WaitTimedOut(
            interval == 0 ? std::chrono::milliseconds::max() : std::chrono::milliseconds(interval));
        lastWaitEnd_ = std::chrono::steady_clock::now().time_since_epoch().count();
        // A pause requested during the wait, a stop, or a finishing application: no tick.
        if (!timedOut || Terminated() || framework::ApplicationTerminated() || Suspended())
            continue;
        if (timer_->SyncEvent())
            Synchronize([this] { DoTimer(); });
        else
            DoTimer();
    }
}

void TVrTimerThread::DoTimer()
{
    deliveringThread_ = std::this_thread::get_id();
    // The handler may release this worker or free the timer: neither is touched after Timer.
    timer_->Timer();
    deliveringThread_ = std::thread::id();
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

void TVrTimer::setInterval(std::uint32_t value)
{
    if (value == interval_)
        return;
    interval_ = value;
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
    if (!Enabled() || !HandlerAssigned())
        return;
    const QPointer<TVrTimer> self(this);  // the handler may free the timer before it fails
    try {
        emit OnTimer(this);
    } catch (...) {
        framework::HandleException(self.data(), std::current_exception());
    }
}

void TVrTimer::timerEvent(QTimerEvent* event)
{
    if (event->timerId() != systemTimerId_) {
        TVrComponent::timerEvent(event);
        return;
    }
    Timer();
}

void TVrTimer::AllocateTimer()
{
    ReleasedWorkers::FreeEnded();
    // A system timer needs nothing beyond this object; a thread timer gets its worker, paused.
    if (timerType_ == ttThread)
        worker_ = std::make_unique<TVrTimerThread>(this, false);
    allocated_ = true;
}

void TVrTimer::ReleaseTimer()
{
    if (!allocated_)
        return;
    if (timerType_ == ttSystem) {
        if (systemTimerId_ != 0)
            killTimer(systemTimerId_);
        systemTimerId_ = 0;
    } else if (worker_) {
        worker_->Stop();
        if (worker_->DeliveringHere())
            ReleasedWorkers::Adopt(std::move(worker_));  // waiting here would wait on ourselves
        else
            worker_.reset();  // waits for the worker, serving its pending delivery
    }
    allocated_ = false;
}

void TVrTimer::UpdateTimer()
{
    if (IsDesigning())
        return;
    if (!allocated_)
        AllocateTimer();
    const bool ticking = interval_ != 0 && Enabled() && HandlerAssigned();
    if (timerType_ == ttSystem) {
        if (systemTimerId_ != 0)
            killTimer(systemTimerId_);
        systemTimerId_ = 0;
        if (ticking) {
            // The longest interval the loop's timers take; a longer one ticks at that.
            const int interval = static_cast<int>(std::min<std::uint32_t>(interval_, INT_MAX));
            systemTimerId_ = startTimer(interval, Qt::PreciseTimer);
            if (systemTimerId_ == 0)
                throw framework::EOutOfResources(QStringLiteral("No timer resources left."));
        }
        return;
    }
    if (!worker_->Suspended())
        worker_->Suspend();
    worker_->SetInterval(interval_);
    if (ticking) {
        worker_->SetPriority(priority_);
        while (worker_->Suspended())
            worker_->Resume();
    }
}

}  // namespace display
