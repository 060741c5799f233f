// VrThreads: TVrTimer and its worker TVrTimerThread.
#pragma once

#include "display/Export.h"
#include "display/VrControls.h"
#include "display/VrTypes.h"
#include "framework/Thread.h"

#include <chrono>
#include <cstdint>
#include <memory>

namespace display {

class TVrTimer;

// The worker of a thread-mode timer: it waits for the interval, and each time the wait runs out it
// delivers one tick, through the GUI thread when the timer's SyncEvent is set. The next wait starts
// after the delivery, so the period is the interval plus the tick. Freeing it stops it and waits.
class STUDIOCLOCK_DISPLAY_EXPORT TVrTimerThread : public framework::TThread {
public:
    TVrTimerThread(TVrTimer* timer, bool createRunning);
    ~TVrTimerThread() override;

    // The length of every wait; 0 waits until woken. Written only while the worker is paused
    // (Suspend held): the worker takes it as it leaves the pause, so a new value applies from
    // the next wait.
    void setInterval(std::uint32_t milliseconds);
    std::uint32_t Interval() const;
    // The next tick comes this long from now, the ones after it an interval apart again: a wait in
    // progress is cut short, without a tick, and begun again towards the new moment. Written like
    // the interval, only while the worker is paused.
    void ArmNextWait(std::uint32_t milliseconds);
    // The length of the wait the worker is in, or began last.
    std::uint32_t CurrentWait() const;

    // True when called from inside this worker's tick delivery, on the thread running it.
    bool DeliveringHere() const;
    // GUI thread: waits until no tick is being delivered, serving calls meanwhile, the worker's
    // pending one too. Once stopped, the worker begins no delivery, so its timer may then go.
    void WaitForDelivery();

    // Whether ticks are delivered on the GUI thread; the timer's SyncEvent.
    void setSyncEvent(bool value);

    // When the most recent wait ended (for latency measurements).
    std::chrono::steady_clock::time_point LastWaitEnd() const;

private:
    struct Private;
    TVrTimerThread(std::shared_ptr<Private> shared, bool createRunning);

    // Shared with the work, which the thread frees only once it has returned.
    std::shared_ptr<Private> d;
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

    bool Enabled() const;
    void setEnabled(bool value);
    std::uint32_t Interval() const;
    void setInterval(std::uint32_t value);
    bool SyncEvent() const;
    void setSyncEvent(bool value);
    TVrTimerType TimerType() const;
    void setTimerType(TVrTimerType value);
    framework::TThreadPriority Priority() const;
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
    TVrTimerThread* Worker() const;

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

    struct Private;
    std::unique_ptr<Private> d;
};

}  // namespace display
