#pragma once

#include "framework/Enums.h"
#include "framework/Export.h"

#include <QPointer>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>

namespace framework {

// An auto-reset event: Signal wakes one wait (or the next one to start), then resets itself.
class STUDIOCLOCK_FRAMEWORK_EXPORT TEvent {
public:
    void Signal();
    // True when the time ran out, false when the event was signalled. No time-out waits for a
    // signal only.
    bool WaitTimedOut(std::chrono::milliseconds timeout);

private:
    std::mutex mutex_;
    std::condition_variable wake_;
    bool signalled_ = false;
};

// Calls that worker threads hand to the GUI thread and wait for. The GUI thread serves them from
// its event loop, and also while it waits for a worker to end, so the two can never deadlock.
class STUDIOCLOCK_FRAMEWORK_EXPORT SyncQueue {
public:
    static SyncQueue& Instance();

    // From a worker: runs `call` on the GUI thread and returns when it has run; what the call
    // raises is raised here. From the GUI thread: runs it at once.
    void Run(const std::function<void()>& call);

    // GUI thread: runs the calls queued by now; the event loop is asked to serve any queued
    // meanwhile, after its own turn.
    void Serve();
    // GUI thread: serves calls until `done` holds; Notify makes it look again.
    void ServeUntil(const std::function<bool()>& done);
    void Notify();
    // GUI thread: has its event loop serve the calls from now on; a thread calls it as it is made.
    void ServeFromEventLoop();

private:
    friend class SyncServer;
    struct Call;
    // Has the event loop serve the queue soon; under the lock.
    void PostServe();
    // The Serve the event loop was asked for. Only it may ask again, so that calls served while
    // the GUI thread waits leave no Serve behind in the loop.
    void ServePosted();

    QPointer<QObject> server_;  // a child of the application
    std::mutex mutex_;
    // The GUI thread waits on it for a new call or an ended worker; each worker waits on its own
    // call's condition, so a finished call wakes only its caller.
    std::condition_variable work_;
    std::deque<Call*> calls_;
    bool servePosted_ = false;  // the event loop has a Serve to come: one at a time
};

// True on the thread the application object was made on, which serves synchronised calls.
STUDIOCLOCK_FRAMEWORK_EXPORT bool OnGuiThread();

// True once the application's message loop was told to end; safe from any thread.
STUDIOCLOCK_FRAMEWORK_EXPORT bool ApplicationTerminated();
STUDIOCLOCK_FRAMEWORK_EXPORT void SetApplicationTerminated(bool value);

// A worker thread with nested, cooperative pauses and calls onto the GUI thread. It owns its work
// and starts it as soon as it is made; the work is handed the thread, calls WaitWhileSuspended at
// the points where a pause may take effect (so that a pause never freezes the worker inside a
// delivery or while it holds a lock), and ends once Terminated. Whatever the work uses it owns (or
// shares): the thread stops and waits for it before freeing it, so no owner has to remember to.
class STUDIOCLOCK_FRAMEWORK_EXPORT TThread {
public:
    using Work = std::function<void(TThread& thread)>;

    TThread(Work work, bool createSuspended);
    // Stops the worker and waits for it (serving calls meanwhile), then frees the work.
    virtual ~TThread();
    TThread(const TThread&) = delete;
    TThread& operator=(const TThread&) = delete;

    // Ends a wait of the worker's in progress (WaitTimedOut), and makes WaitWhileSuspended return
    // false from now on.
    void Terminate();
    bool Terminated() const;
    // True once the work has returned.
    bool Ended() const;
    // Lifts every pause and terminates: a waiting worker goes on at once, to its end.
    void Stop();

    // Pauses nest: each Suspend needs its Resume. A Resume cancels a pause that has not taken
    // effect yet.
    void Suspend();
    void Resume();
    bool Suspended() const;

    // Takes effect when the worker next passes WaitWhileSuspended. Raising a priority above
    // normal needs privileges the program may not have; it then stays normal.
    void SetPriority(TThreadPriority priority);
    TThreadPriority Priority() const;

    // Runs `call` on the GUI thread and waits for it.
    static void Synchronize(const std::function<void()>& call) { SyncQueue::Instance().Run(call); }

    // Waits for the worker to end; on the GUI thread it keeps serving synchronised calls.
    void WaitFor();

    // True on the worker thread itself.
    bool IsCurrentThread() const;

    // Worker thread: blocks while a pause is requested; false once the thread is terminated.
    // `onPass` runs as the worker passes, before a new pause can begin: settings written while the
    // worker was paused are read there as one set, and none is written while it reads.
    bool WaitWhileSuspended(const std::function<void()>& onPass = nullptr);
    // Worker thread: waits until Wake or Terminate, or until `timeout` has passed (a time-out of
    // milliseconds::max() never passes); true when the time ran out. A wake between two waits ends
    // the next one at once.
    bool WaitTimedOut(std::chrono::milliseconds timeout);
    // Ends the worker's wait in progress, or its next one, at once.
    void Wake();

private:
    struct Private;
    std::unique_ptr<Private> d;
};

}  // namespace framework
