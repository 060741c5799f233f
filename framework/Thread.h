#pragma once

#include "Enums.h"

#include <QEvent>
#include <QThread>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>

namespace framework {

// An auto-reset event: Signal wakes one wait (or the next one to start), then resets itself.
class TEvent {
public:
    void Signal();
    // True when the time ran out, false when the event was signalled. No time-out waits for a
    // signal only.
    bool WaitTimedOut(std::chrono::milliseconds timeout);
    void WaitSignalled() { static_cast<void>(WaitTimedOut(std::chrono::milliseconds::max())); }

private:
    std::mutex mutex_;
    std::condition_variable wake_;
    bool signalled_ = false;
};

// Calls that worker threads hand to the GUI thread and wait for. The GUI thread serves them from
// its event loop, and also while it waits for a worker to end, so the two can never deadlock.
class SyncQueue {
public:
    static SyncQueue& Instance();

    // From a worker: runs `call` on the GUI thread and returns when it has run; what the call
    // raises is raised here. From the GUI thread: runs it at once.
    void Run(const std::function<void()>& call);

    // GUI thread: runs every queued call.
    void Serve();
    // GUI thread: serves calls until `done` holds; Notify makes it look again.
    void ServeUntil(const std::function<bool()>& done);
    void Notify();

private:
    struct Call;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<Call*> calls_;
};

// The application's event type that asks the GUI thread to serve the queue.
QEvent::Type SyncQueueEventType();

// True once the application's message loop was told to end; safe from any thread.
bool ApplicationTerminated();
void SetApplicationTerminated(bool value);

// A worker thread with nested, cooperative pauses and calls onto the GUI thread. Execute runs
// the work; it calls WaitWhileSuspended at the points where a pause may take effect, so that a
// pause never freezes the worker inside a delivery or while it holds a lock.
class TThread : public QThread {
    Q_OBJECT
public:
    explicit TThread(bool createSuspended);
    // Terminates, resumes and waits for the worker (serving calls meanwhile).
    ~TThread() override;

    void Terminate();
    bool Terminated() const { return terminated_.load(); }
    // True once Execute has returned.
    bool Ended() const { return ended_.load(); }

    // Pauses nest: each Suspend needs its Resume. A Resume cancels a pause that has not taken
    // effect yet.
    void Suspend();
    void Resume();
    bool Suspended() const;

    void SetPriority(TThreadPriority priority);

    // Runs `call` on the GUI thread and waits for it.
    void Synchronize(const std::function<void()>& call) { SyncQueue::Instance().Run(call); }

    // Waits for the worker to end; on the GUI thread it keeps serving synchronised calls.
    void WaitFor();

protected:
    virtual void Execute() = 0;
    // Blocks while a pause is requested; false once the thread is terminated.
    bool WaitWhileSuspended();

private:
    void run() final;

    std::atomic<bool> terminated_{false};
    std::atomic<bool> ended_{false};
    mutable std::mutex pauseMutex_;
    std::condition_variable pauseChanged_;
    int suspendCount_;
};

}  // namespace framework
