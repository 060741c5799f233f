// VrThreads: TVrTimer and its worker TVrTimerThread.
#pragma once

#include "display/Export.h"
#include "display/VrControls.h"
#include "display/VrTypes.h"
#include "framework/Thread.h"

#include <atomic>
#include <chrono>
#include <cstdint>
#include <memory>
#include <mutex>

namespace display {

class TVrTimer;

// The worker of a thread-mode timer: it waits on its wake event for the interval, and each time
// the wait runs out it delivers one tick, through the GUI thread when the timer's SyncEvent is
// set. The next wait starts after the delivery, so the period is the interval plus the tick.
class STUDIOCLOCK_DISPLAY_EXPORT TVrTimerThread : public framework::TThread {
public:
    TVrTimerThread(TVrTimer* timer, bool createRunning);
    // Stops the worker and waits for it, serving its pending delivery meanwhile.
    ~TVrTimerThread() override;

    // The length of every wait; 0 waits until woken. Written only while the worker is paused
    // (Suspend held): the worker takes it as it leaves the pause, so a new value applies from
    // the next wait.
    void setInterval(std::uint32_t milliseconds) { interval_ = milliseconds; }
    std::uint32_t Interval() const { return interval_.load(); }
    // The next tick comes this long from now, the ones after it an interval apart again: a wait in
    // progress is cut short, without a tick, and begun again towards the new moment. Written like
    // the interval, only while the worker is paused.
    void ArmNextWait(std::uint32_t milliseconds);
    // The length of the wait the worker is in, or began last.
    std::uint32_t CurrentWait() const { return currentWait_.load(); }

    // Lifts every pause, terminates, and wakes a waiting worker at once.
    void Stop();

    // True when called from inside this worker's tick delivery, on the thread running it.
    bool DeliveringHere() const;
    // GUI thread: waits until no tick is being delivered, serving calls meanwhile, the worker's
    // pending one too. Once stopped, the worker begins no delivery, so its timer may then go.
    void WaitForDelivery();

    // Whether ticks are delivered on the GUI thread; the timer's SyncEvent.
    void setSyncEvent(bool value) { syncEvent_ = value; }

    // When the most recent wait ended (for latency measurements).
    std::chrono::steady_clock::time_point LastWaitEnd() const;

protected:
    void Execute() override;

private:
    void DoTimer();
    // A delivery begins only while the worker is not stopped; it ends where the tick ran.
    bool BeginDelivery();
    void EndDelivery();

    TVrTimer* timer_;  // touched only to deliver a tick, never once stopped
    framework::TEvent wake_;
    std::atomic<bool> syncEvent_{true};
    std::mutex deliveryMutex_;
    bool delivering_ = false;  // from BeginDelivery to the end of DoTimer
    std::atomic<std::uint32_t> interval_{1000};
    std::atomic<std::uint32_t> armedWait_{0};     // as armed, for CurrentWait
    std::atomic<std::int64_t> armedDeadline_{0};  // steady-clock ticks; 0: none armed
    std::atomic<std::uint32_t> currentWait_{0};
    std::atomic<std::thread::id> deliveringThread_{};
    std::atomic<std::int64_t> lastWaitEnd_{0};
};

// Raises OnTimer every Interval milliseconds while Enabled, from a worker thread (ttThread, the
// default) or from the GUI thread's loop (ttSystem). Nothing is allocated until the settings are
// first applied (a change of Enabled, Interval, TimerType or Priority, or Loaded).
//
// With SyncEvent set, OnTimer runs on the GUI thread. Without it, OnTimer is emitted on the
// worker: connect with Qt::DirectConnection, touch no GUI object in the handler, and let the
// receiver outlive the timer (the worker may be inside the handler until the timer is destroyed).
//
// A handler may change any setting, also TimerType, and may destroy the timer: a worker released
// from inside its own delivery is stopped and reclaimed once the delivery has returned.
class STUDIOCLOCK_DISPLAY_EXPORT TVrTimer : public TVrComponent {
    Q_OBJECT
    Q_PROPERTY(bool Enabled READ Enabled WRITE setEnabled)
    Q_PROPERTY(uint Interval READ Interval WRITE setInterval)
    Q_PROPERTY(bool SyncEvent READ SyncEvent WRITE setSyncEvent)
    Q_PROPERTY(display::TVrTimerType TimerType READ TimerType WRITE setTimerType)
    Q_PROPERTY(framework::TThreadPriority Priority READ Priority WRITE setPriority)
public:
    explicit TVrTimer(QObject* owner = nullptr);
    ~TVrTimer() override;

    bool Enabled() const { return enabled_.load(); }
    void setEnabled(bool value);
    std::uint32_t Interval() const { return interval_; }
    void setInterval(std::uint32_t value);
    bool SyncEvent() const { return syncEvent_.load(); }
    void setSyncEvent(bool value);
    TVrTimerType TimerType() const { return timerType_; }
    void setTimerType(TVrTimerType value);
    framework::TThreadPriority Priority() const { return priority_; }
    void setPriority(framework::TThreadPriority value);

    void Loaded() override;

    // One tick: raises OnTimer when Enabled and connected.
    virtual void Timer();

    // Makes the next tick come `milliseconds` from now instead of an Interval after the previous
    // one; the ticks after it keep Interval, which this leaves as it is. A wait in progress begins
    // again; while not Enabled, the arming waits for it. For owners that keep their ticks on a
    // schedule of their own (a clock on the second boundaries); 0 arms nothing.
    void ArmNextTick(std::uint32_t milliseconds);

    // The worker of a thread-mode timer once allocated, else nullptr.
    TVrTimerThread* Worker() const { return worker_.get(); }

signals:
    // A handler that may raise is connected with framework::ConnectGuarded; a plainly connected one
    // must not raise.
    void OnTimer(QObject* sender);

protected:
    void timerEvent(QTimerEvent* event) override;

private:
    void AllocateTimer();
    void ReleaseTimer();
    void UpdateTimer();
    bool HandlerAssigned() const;
    void StartSystemTimer(std::uint32_t milliseconds);
    void StopSystemTimer();

    std::atomic<bool> enabled_{true};
    std::uint32_t interval_ = 1000;
    std::atomic<bool> syncEvent_{true};
    TVrTimerType timerType_ = ttThread;
    framework::TThreadPriority priority_ = framework::tpNormal;
    bool allocated_ = false;
    bool releasing_ = false;  // a worker is being let go
    std::unique_ptr<TVrTimerThread> worker_;
    std::uint32_t nextTick_ = 0;  // armed, not yet handed to the mechanism
    int systemTimerId_ = 0;
    std::uint32_t systemInterval_ = 0;   // the Interval the system timer was set up with
    bool systemTimerArmedOnce_ = false;  // it runs at an armed length until it first fires
};

}  // namespace display
