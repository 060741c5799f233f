#include "display/VrBoundaryTimer.h"

#include <QSocketNotifier>
#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <sys/timerfd.h>
#include <unistd.h>

namespace display {

namespace {

constexpr long kNanosecondsPerMillisecond = 1'000'000;

timespec FromMSecsSinceEpoch(qint64 msecs)
{
    // A moment before the epoch has passed: the earliest one the kernel takes (zero disarms).
    if (msecs <= 0)
        return {0, 1};
    return {
        static_cast<std::time_t>(msecs / 1000), static_cast<long>(msecs % 1000) * kNanosecondsPerMillisecond};
}

}  // namespace

TVrBoundaryTimer::TVrBoundaryTimer(QObject* owner)
    : QObject(owner)
    , fd_(timerfd_create(CLOCK_REALTIME, TFD_NONBLOCK | TFD_CLOEXEC))
{
    fallback_.setSingleShot(true);
    fallback_.setTimerType(Qt::PreciseTimer);
    connect(&fallback_, &QTimer::timeout, this, [this] { emit OnDue(false); });
    if (fd_ < 0)
        return;
    notifier_ = new QSocketNotifier(fd_, QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, &TVrBoundaryTimer::ReadExpiry);
}

TVrBoundaryTimer::~TVrBoundaryTimer()
{
    delete notifier_;  // before the descriptor it watches goes
    if (fd_ >= 0)
        close(fd_);
}

void TVrBoundaryTimer::ArmAt(const QDateTime& moment)
{
    const qint64 at = moment.toMSecsSinceEpoch();
    Arm(FromMSecsSinceEpoch(at), at - QDateTime::currentMSecsSinceEpoch());
}

void TVrBoundaryTimer::ArmIn(qint64 msecs)
{
    msecs = std::max<qint64>(msecs, 1);
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    const qint64 nanoseconds = now.tv_nsec + msecs % 1000 * kNanosecondsPerMillisecond;
    Arm({static_cast<std::time_t>(now.tv_sec + msecs / 1000 + nanoseconds / 1'000'000'000),
            static_cast<long>(nanoseconds % 1'000'000'000)},
        msecs);
}

void TVrBoundaryTimer::Arm(timespec deadline, qint64 fallbackMsecs)
{
    fallback_.stop();
    // Absolute on the wall clock, so that a set clock cancels the wait and wakes us.
    const itimerspec setting{{0, 0}, deadline};
    if (fd_ >= 0 && timerfd_settime(fd_, TFD_TIMER_ABSTIME | TFD_TIMER_CANCEL_ON_SET, &setting, nullptr) == 0)
        return;
    fallback_.start(static_cast<int>(std::clamp<qint64>(fallbackMsecs + 1, 0, INT32_MAX)));
}

void TVrBoundaryTimer::Disarm()
{
    fallback_.stop();
    if (fd_ >= 0) {
        const itimerspec none{};
        timerfd_settime(fd_, 0, &none, nullptr);
    }
}

void TVrBoundaryTimer::ReadExpiry()
{
    std::uint64_t expirations = 0;
    if (read(fd_, &expirations, sizeof expirations) == static_cast<ssize_t>(sizeof expirations))
        emit OnDue(false);
    else if (errno == ECANCELED)
        emit OnDue(true);
    // Otherwise nothing is due: the timer was armed again after the kernel reported it.
}

}  // namespace display
