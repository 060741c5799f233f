#include "Thread.h"

#include <QCoreApplication>
#include <exception>

namespace framework {

namespace {

std::atomic<bool> applicationTerminated{false};

QThread::Priority ToQtPriority(TThreadPriority priority)
{
    switch (priority) {
    case tpIdle:
        return QThread::IdlePriority;
    case tpLowest:
        return QThread::LowestPriority;
    case tpLower:
        return QThread::LowPriority;
    case tpNormal:
        return QThread::NormalPriority;
    case tpHigher:
        return QThread::HighPriority;
    case tpHighest:
        return QThread::HighestPriority;
    case tpTimeCritical:
        return QThread::TimeCriticalPriority;
    }
    return QThread::NormalPriority;
}

bool OnGuiThread()
{
    const QCoreApplication* application = QCoreApplication::instance();
    return application && QThread::currentThread() == application->thread();
}

}  // namespace

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
    const std::function<void()>& function;
    bool done = false;
    std::exception_ptr error;
};

QEvent::Type SyncQueueEventType()
{
    static const auto type = static_cast<QEvent::Type>(QEvent::registerEventType());
    return type;
}

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
    Call entry{call, false, nullptr};
    std::unique_lock lock(mutex_);
    calls_.push_back(&entry);
    changed_.notify_all();
    if (QCoreApplication* application = QCoreApplication::instance())
        QCoreApplication::postEvent(application, new QEvent(SyncQueueEventType()));
    changed_.wait(lock, [&entry] { return entry.done; });
    if (entry.error)
        std::rethrow_exception(entry.error);
}

void SyncQueue::Serve()
{
    std::unique_lock lock(mutex_);
    while (!calls_.empty()) {
        Call* call = calls_.front();
        calls_.erase(calls_.begin());
        lock.unlock();
        try {
            call->function();
        } catch (...) {
            call->error = std::current_exception();
        }
        lock.lock();
        call->done = true;
        changed_.notify_all();
    }
}

void SyncQueue::ServeUntil(const std::function<bool()>& done)
{
    for (;;) {
        Serve();
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [&] { return !calls_.empty() || done(); });
        if (calls_.empty() && done())
            return;
    }
}

void SyncQueue::Notify()
{
    {
        const std::lock_guard lock(mutex_);
    }
    changed_.notify_all();
}

TThread::TThread(bool createSuspended)
    : suspendCount_(createSuspended ? 1 : 0)
{
}

TThread::~TThread()
{
    Terminate();
    while (Suspended())
        Resume();
    WaitFor();
}

void TThread::Terminate()
{
    terminated_ = true;
    pauseChanged_.notify_all();
}

void TThread::Suspend()
{
    const std::lock_guard lock(pauseMutex_);
    ++suspendCount_;
}

void TThread::Resume()
{
    {
        const std::lock_guard lock(pauseMutex_);
        if (suspendCount_ > 0)
            --suspendCount_;
    }
    pauseChanged_.notify_all();
}

bool TThread::Suspended() const
{
    const std::lock_guard lock(pauseMutex_);
    return suspendCount_ > 0;
}

void TThread::SetPriority(TThreadPriority priority)
{
    if (isRunning())
        setPriority(ToQtPriority(priority));
}

bool TThread::WaitWhileSuspended()
{
    std::unique_lock lock(pauseMutex_);
    pauseChanged_.wait(lock, [this] { return suspendCount_ == 0 || terminated_.load(); });
    return !terminated_.load();
}

void TThread::WaitFor()
{
    if (QThread::currentThread() == this)
        return;  // a thread cannot outlive itself
    if (OnGuiThread())
        SyncQueue::Instance().ServeUntil([this] { return ended_.load(); });
    wait();
}

void TThread::run()
{
    Execute();
    ended_ = true;
    SyncQueue::Instance().Notify();
}

}  // namespace framework
