#include "app/ClockTiming.h"

#include "app/PresentationFeedback.h"
#include "display/vrLedClock.h"

#include <QDateTime>
#include <ctime>
#include <utility>

namespace {

constexpr qint64 kMicrosecondsPerSecond = 1000000;
constexpr qint64 kSecondsPerMinute = 60;

}  // namespace

ClockTiming::ClockTiming(display::TVrLedClock* clock, Now now)
    : QObject(clock)
    , now_(std::move(now))
{
    connect(clock, &display::TVrLedClock::SecondShown, this, &ClockTiming::Shown);
    if (PresentationFeedback::Offered()) {
        feedback_ = new PresentationFeedback(clock, this);
        connect(feedback_, &PresentationFeedback::Presented, this,
            [this](qint64 second, qint64 latencyUs) { presented_.Note(second, latencyUs); });
    }
}

ClockTiming::~ClockTiming() = default;

void ClockTiming::Shown(const QDateTime& second)
{
    if (feedback_)
        feedback_->Shown(second);
    const qint64 boundaryUs = second.toMSecsSinceEpoch() * 1000;
    const qint64 secondNumber = second.toSecsSinceEpoch();
    handOver_.Note(secondNumber, now_() - boundaryUs);
    // The first second of a minute ends the one before: once, however long the gap since.
    const std::optional<qint64> before = std::exchange(lastMinute_, secondNumber / kSecondsPerMinute);
    if (before && *before != *lastMinute_)
        emit MinuteCompleted();
}

ClockTiming::Figures ClockTiming::FiguresOf(const SecondTiming& timing) const
{
    const qint64 nowSecond = now_() / kMicrosecondsPerSecond;
    return {timing.LastMinute(nowSecond), timing.LastHour(nowSecond)};
}

ClockTiming::Figures ClockTiming::HandOver() const
{
    return FiguresOf(handOver_);
}

std::optional<ClockTiming::Figures> ClockTiming::Presented() const
{
    if (!feedback_ || !feedback_->Measures())
        return std::nullopt;
    return FiguresOf(presented_);
}

qint64 ClockTiming::RealtimeNowUs()
{
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    return now.tv_sec * kMicrosecondsPerSecond + now.tv_nsec / 1000;
}
