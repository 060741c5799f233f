#include "display/VrSecondScheduler.h"

#include "framework/Component.h"
#include "framework/TimeSource.h"

#include <algorithm>
#include <cstdint>

namespace display {

namespace {

// How long before a second boundary the timer wakes the owner to prepare the next second: room
// for a large face and a busy machine, short enough that a change in between is rare.
constexpr qint64 kDrawAheadMsecs = 50;

}  // namespace

TVrSecondScheduler::TVrSecondScheduler(QObject* owner)
    : QObject(owner)
{
    {
        // The timer belongs to its owner, not to any layout the owner is read from.
        const framework::LayoutReading::MadeInCode madeInCode;
        timer_ = new TVrTimer(this);
    }
    timer_->setEnabled(false);
    connect(timer_, &TVrTimer::OnTimer, this, &TVrSecondScheduler::PrepareNext);
    boundary_ = new TVrBoundaryTimer(this);
    connect(boundary_, &TVrBoundaryTimer::OnDue, this, &TVrSecondScheduler::BoundaryDue);
}

TVrSecondScheduler::~TVrSecondScheduler()
{
    delete timer_;  // stops its worker, waiting for a tick under way, before anything else goes
}

void TVrSecondScheduler::setRunning(bool value)
{
    running_ = value;
    if (value)
        ArmForNextSecond();
    else
        boundary_->Disarm();
    timer_->setEnabled(value);
}

QDateTime TVrSecondScheduler::ToSeconds(const QDateTime& moment)
{
    const QTime time = moment.time();
    return QDateTime(moment.date(), QTime(time.hour(), time.minute(), time.second()));
}

QDateTime TVrSecondScheduler::CurrentSecond()
{
    return ToSeconds(framework::LocalNow());
}

void TVrSecondScheduler::ArmForNextSecond()
{
    const QDateTime now = framework::LocalNow();
    const QDateTime boundary = ToSeconds(now).addSecs(1);
    next_ = boundary;
    nextMSecs_ = boundary.toMSecsSinceEpoch();
    boundary_->ArmAt(boundary);
    const qint64 left = now.msecsTo(boundary);
    timer_->ArmNextTick(static_cast<std::uint32_t>(std::max<qint64>(left - kDrawAheadMsecs, 1)));
}

void TVrSecondScheduler::PrepareNext()
{
    const QDateTime now = CurrentSecond();
    if (now != shown_)
        emit ShowSecond(now);
    else
        emit PrepareSecond(shown_.addSecs(1));
}

void TVrSecondScheduler::BoundaryDue(bool clockSet)
{
    if (!running_)
        return;
    // Within the second armed for, its local time is known already: no time-zone lookups
    // between the wake and the pixels.
    const qint64 since = framework::MSecsSinceEpoch() - nextMSecs_;
    if (!clockSet && since >= 0 && since < 1000) {
        emit ShowSecond(next_);
        return;
    }
    const QDateTime now = framework::LocalNow();
    const QDateTime second = ToSeconds(now);
    if (!clockSet && second == shown_) {
        // Woken before the time source reached the boundary (a slewed clock, another clock under
        // the kernel's timer): the new second is never shown early. At least a millisecond.
        boundary_->ArmIn(now.msecsTo(shown_.addSecs(1)));
        return;
    }
    // The time just read is shown: reading it again would only delay the pixels.
    emit ShowSecond(second);
}

}  // namespace display
