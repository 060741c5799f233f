#include "framework/Thread.h"

#include <QCoreApplication>
#include <QPointer>
#include <QThread>
#include <atomic>
#include <exception>
#include <pthread.h>
#include <sched.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <thread>
#include <unistd.h>
#include <utility>

namespace framework {

namespace {

std::atomic<bool> applicationTerminated{false};

}  // namespace

bool OnGuiThread()
{
    const QCoreApplication* application = QCoreApplication::instance();
    return application && QThread::currentThread() == application->thread();
}

// Serves the queue from the GUI thread's event loop, whatever the application object: a plain
// QApplication runs synchronised calls as well as the framework's own.
class SyncServer : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    Q_INVOKABLE void Serve() { SyncQueue::Instance().ServePosted(); }
};

bool ApplicationTerminated()
{
    return applicationTerminated.load();
}

void SetApplicationTerminated(bool value)
{
    applicationTerminated = value;
}

void TEvent::Signal()
{
    {
        const std::lock_guard lock(mutex_);
        signalled_ = true;
    }
    wake_.notify_one();
}

bool TEvent::WaitTimedOut(std::chrono::milliseconds timeout)
{
    std::unique_lock lock(mutex_);
    if (timeout == std::chrono::milliseconds::max())
        wake_.wait(lock, [this] { return signalled_; });
    else if (!wake_.wait_for(lock, timeout, [this] { return signalled_; }))
        return true;
    signalled_ = false;
    return false;
}

struct SyncQueue::Call {
    explicit Call(const std::function<void()>& call)
        : function(call)
    {
    }
    const std::function<void()>& function;
    std::condition_variable finished;
    bool done = false;
    std::exception_ptr error;
};

SyncQueue& SyncQueue::Instance()
{
    static SyncQueue queue;
    return queue;
}

void SyncQueue::Run(const std::function<void()>& call)
{
    if (OnGuiThread()) {
        call();
        return;
    }
    Call entry(call);
    std::unique_lock lock(mutex_);
    // The entry lives until it is done: Serve takes it off the queue before marking it done, and
    // this call does not return before that.
    // cppcheck-suppress danglingLifetime
    calls_.push_back(&entry);
    work_.notify_all();
    PostServe();
    entry.finished.wait(lock, [&entry] { return entry.done; });
    if (entry.error)
        std::rethrow_exception(entry.error);
}

void SyncQueue::PostServe()
{
    // Asked by name: the toolkit builds the queued call itself, so no object made on a worker is
    // read on the GUI thread outside the queue's own lock. One Serve serves every call queued by
    // the time it runs, so thousands of workers calling at once post one event, not thousands.
    if (server_ && !std::exchange(servePosted_, true))
        QMetaObject::invokeMethod(server_, "Serve", Qt::QueuedConnection);
}

void SyncQueue::ServePosted()
{
    {
        const std::lock_guard lock(mutex_);
        servePosted_ = false;  // a call queued from now on posts the next one
    }
    Serve();
}

void SyncQueue::Serve()
{
    std::unique_lock lock(mutex_);
    // Only the calls queued by now: the workers they release may queue again at once, and the
    // event loop must get its turn between rounds (painting, input, a quit), however many there are.
    for (std::size_t round = calls_.size(); round > 0 && !calls_.empty(); --round) {
        Call* call = calls_.front();
        calls_.pop_front();
        lock.unlock();
        try {
            call->function();
        } catch (...) {
            call->error = std::current_exception();
        }
        lock.lock();
        call->done = true;
        // Under the lock: the caller cannot see done, return and free the entry before this.
        call->finished.notify_one();
    }
    if (!calls_.empty())
        PostServe();
}

void SyncQueue::ServeUntil(const std::function<bool()>& done)
{
    std::unique_lock lock(mutex_);
    while (!done()) {
        if (calls_.empty()) {
            work_.wait(lock, [&] { return !calls_.empty() || done(); });
            continue;
        }
        lock.unlock();
        Serve();
        lock.lock();
    }
}

void SyncQueue::ServeFromEventLoop()
{
    const std::lock_guard lock(mutex_);
    if (!server_ && OnGuiThread()) {
        server_ = new SyncServer(QCoreApplication::instance());  // freed with the application
        servePosted_ = false;  // what was posted to an earlier one went with it
    }
}

void SyncQueue::Notify()
{
    {
        const std::lock_guard lock(mutex_);
    }
    work_.notify_all();
}

struct TThread::Private {
    Private(Work work, bool createSuspended)
        : work(std::move(work))
        , suspendCount(createSuspended ? 1 : 0)
    {
    }

    // Worker thread: gives it the priority last asked for.
    void ApplyPriority();

    Work work;
    std::thread thread;
    std::atomic<std::thread::id> id{};
    std::atomic<bool> terminated{false};
    std::atomic<bool> ended{false};
    std::atomic<TThreadPriority> priority{tpNormal};
    TThreadPriority applied = tpNormal;  // worker thread only
    TEvent wake;
    mutable std::mutex pauseMutex;
    std::condition_variable pauseChanged;
    int suspendCount;
};

void TThread::Private::ApplyPriority()
{
    const TThreadPriority wanted = priority.load();
    if (wanted == applied)
        return;
    applied = wanted;
    // Linux keeps a nice value per thread; the idle level is a scheduling class of its own.
    sched_param param{};
    pthread_setschedparam(pthread_self(), wanted == tpIdle ? SCHED_IDLE : SCHED_OTHER, &param);
    static constexpr int kNice[] = {19, 10, 5, 0, -5, -10, -15};
    setpriority(PRIO_PROCESS, static_cast<id_t>(syscall(SYS_gettid)), kNice[wanted]);
}

TThread::TThread(Work work, bool createSuspended)
    : d(std::make_unique<Private>(std::move(work), createSuspended))
{
    SyncQueue::Instance().ServeFromEventLoop();
    // Started last: the work may use all of this object at once.
    d->thread = std::thread([this] {
        d->id = std::this_thread::get_id();
        d->work(*this);
        d->ended = true;
        SyncQueue::Instance().Notify();
    });
}

TThread::~TThread()
{
    Stop();
    WaitFor();
}

void TThread::Terminate()
{
    {
        const std::lock_guard lock(d->pauseMutex);
        d->terminated = true;
    }
    d->pauseChanged.notify_all();
    Wake();
}

bool TThread::Terminated() const
{
    return d->terminated.load();
}

bool TThread::Ended() const
{
    return d->ended.load();
}

void TThread::Stop()
{
    while (Suspended())
        Resume();
    Terminate();
}

void TThread::Suspend()
{
    const std::lock_guard lock(d->pauseMutex);
    ++d->suspendCount;
}

void TThread::Resume()
{
    {
        const std::lock_guard lock(d->pauseMutex);
        if (d->suspendCount > 0)
            --d->suspendCount;
    }
    d->pauseChanged.notify_all();
}

bool TThread::Suspended() const
{
    const std::lock_guard lock(d->pauseMutex);
    return d->suspendCount > 0;
}

void TThread::SetPriority(TThreadPriority priority)
{
    d->priority = priority;
}

TThreadPriority TThread::Priority() const
{
    return d->priority.load();
}

bool TThread::IsCurrentThread() const
{
    return std::this_thread::get_id() == d->id.load();
}

bool TThread::WaitWhileSuspended(const std::function<void()>& onPass)
{
    {
        std::unique_lock lock(d->pauseMutex);
        d->pauseChanged.wait(lock, [this] { return d->suspendCount == 0 || d->terminated.load(); });
        if (d->terminated.load())
            return false;
        if (onPass)
            onPass();
    }
    d->ApplyPriority();
    return !d->terminated.load();
}

bool TThread::WaitTimedOut(std::chrono::milliseconds timeout)
{
    return d->wake.WaitTimedOut(timeout);
}

void TThread::Wake()
{
    d->wake.Signal();
}

void TThread::WaitFor()
{
    if (IsCurrentThread() || !d->thread.joinable())
        return;  // a thread waiting on itself, or one joined already
    if (OnGuiThread())
        SyncQueue::Instance().ServeUntil([this] { return d->ended.load(); });
    d->thread.join();
}

}  // namespace framework

#include "Thread.moc"
