#include "display/VrBoundaryTimer.h"

#include <QSocketNotifier>
#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/timerfd.h>
#include <unistd.h>

namespace display {

namespace {

constexpr long kNanosecondsPerMillisecond = 1'000'000;
constexpr std::int64_t kNanosecondsPerSecond = 1'000'000'000;
constexpr qint64 kLastMSecsSinceEpoch = 9'000'000'000'000;

// How long before the moment the kernel wakes the event loop. The rest is waited out right there,
// so the moment itself wakes this thread directly, not through the loop's dispatching. Short
// enough that holding the loop that long goes unnoticed.
constexpr std::int64_t kLeadNanoseconds = 2 * kNanosecondsPerMillisecond;
// The last stretch is waited out awake: a sleeping thread takes some 50 microseconds to run again
// after its moment, a tenth of a millisecond awake costs a hundredth of a percent of a core.
constexpr std::int64_t kAwakeNanoseconds = 100'000;

std::int64_t Nanoseconds(timespec moment)
{
    return static_cast<std::int64_t>(moment.tv_sec) * kNanosecondsPerSecond + moment.tv_nsec;
}

timespec FromNanoseconds(std::int64_t nanoseconds)
{
    return {static_cast<std::time_t>(nanoseconds / kNanosecondsPerSecond),
        static_cast<long>(nanoseconds % kNanosecondsPerSecond)};
}

timespec Now(clockid_t clock)
{
    timespec now{};
    clock_gettime(clock, &now);
    return now;
}

// Waits until `moment` of the wall clock, at most the lead, on the monotonic clock: a wall clock
// set meanwhile cannot stretch the wait. Sleeps without the default timer slack, which alone
// would add a twentieth of a millisecond, then stays awake for the last stretch.
void WaitUntil(timespec moment)
{
    const std::int64_t left = Nanoseconds(moment) - Nanoseconds(Now(CLOCK_REALTIME));
    if (left <= 0)
        return;
    const timespec until
        = FromNanoseconds(Nanoseconds(Now(CLOCK_MONOTONIC)) + std::min(left, kLeadNanoseconds));
    const int slack = prctl(PR_GET_TIMERSLACK);
    prctl(PR_SET_TIMERSLACK, 1UL);
    const timespec awake = FromNanoseconds(Nanoseconds(until) - kAwakeNanoseconds);
    while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &awake, nullptr) == EINTR) { }
    while (Nanoseconds(Now(CLOCK_MONOTONIC)) < Nanoseconds(until)) { }
    if (slack > 0)
        prctl(PR_SET_TIMERSLACK, static_cast<unsigned long>(slack));
}

// The last descriptors under the process's limit are left to the toolkit and the libraries (the
// display connection, fonts, D-Bus): thousands of clocks must not take them all.
constexpr rlim_t kDescriptorsLeftToOthers = 64;

// A wall-clock timer's descriptor, or -1 where there is none to spare.
int BoundaryDescriptor()
{
    const int fd = timerfd_create(CLOCK_REALTIME, TFD_NONBLOCK | TFD_CLOEXEC);
    rlimit limit{};
    // Descriptors are handed out lowest first: one this high means few are left above it.
    if (fd >= 0 && getrlimit(RLIMIT_NOFILE, &limit) == 0 && limit.rlim_cur != RLIM_INFINITY
        && static_cast<rlim_t>(fd) + kDescriptorsLeftToOthers >= limit.rlim_cur) {
        close(fd);
        return -1;
    }
    return fd;
}

}  // namespace

TVrBoundaryTimer::TVrBoundaryTimer(QObject* owner)
    : QObject(owner)
    , fd_(BoundaryDescriptor())
{
    fallback_.setSingleShot(true);
    fallback_.setTimerType(Qt::PreciseTimer);
    connect(&fallback_, &QTimer::timeout, this, [this] { emit Due(false); });
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
    // A moment before the epoch has passed; one past what nanoseconds count (the year 2262) is
    // as good as never.
    const qint64 at = std::clamp<qint64>(moment.toMSecsSinceEpoch(), 0, kLastMSecsSinceEpoch);
    Arm(FromNanoseconds(at * kNanosecondsPerMillisecond), at - QDateTime::currentMSecsSinceEpoch());
}

void TVrBoundaryTimer::ArmIn(qint64 msecs)
{
    // At least a millisecond; a wait past what nanoseconds count is as good as never.
    msecs = std::clamp<qint64>(msecs, 1, kLastMSecsSinceEpoch - QDateTime::currentMSecsSinceEpoch());
    Arm(FromNanoseconds(Nanoseconds(Now(CLOCK_REALTIME)) + msecs * kNanosecondsPerMillisecond), msecs);
}

void TVrBoundaryTimer::Arm(timespec moment, qint64 fallbackMsecs)
{
    fallback_.stop();
    moment_ = moment;
    // Absolute on the wall clock, so that a set clock cancels the wait and wakes us. Never 0,
    // which would disarm.
    const timespec woken = FromNanoseconds(std::max<std::int64_t>(Nanoseconds(moment) - kLeadNanoseconds, 1));
    const itimerspec setting{{0, 0}, woken};
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

std::chrono::nanoseconds TVrBoundaryTimer::WakesIn() const
{
    if (fd_ < 0)
        return std::chrono::milliseconds(std::max(fallback_.remainingTime(), 0));
    itimerspec setting{};
    timerfd_gettime(fd_, &setting);
    return std::chrono::nanoseconds(Nanoseconds(setting.it_value));
}

void TVrBoundaryTimer::ReadExpiry()
{
    std::uint64_t expirations = 0;
    if (read(fd_, &expirations, sizeof expirations) == static_cast<ssize_t>(sizeof expirations)) {
        WaitUntil(moment_);
        emit Due(false);
    } else if (errno == ECANCELED)
        emit Due(true);
    // Otherwise nothing is due: the timer was armed again after the kernel reported it.
}

}  // namespace display
