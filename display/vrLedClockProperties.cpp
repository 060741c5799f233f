// The LED clock's design-time properties: each stores its value, and those the face is drawn from
// redraw it on a change.
#include "display/VrSecondScheduler.h"
#include "display/vrLedClock.h"
#include "display/vrLedClockPrivate.h"

namespace display {

bool TVrLedClock::Threaded() const
{
    return d->scheduler->Timer()->TimerType() == ttThread;
}

void TVrLedClock::setThreaded(bool value)
{
    d->scheduler->Timer()->setTimerType(value ? ttThread : ttSystem);
}

bool TVrLedClock::Active() const
{
    return d->active;
}

void TVrLedClock::setActive(bool value)
{
    if (framework::SetIfChanged(d->active, value) && !IsDesigning())
        d->scheduler->setRunning(value);
}

QImage TVrLedClock::Background() const
{
    return d->background;
}

void TVrLedClock::setBackground(const QImage& value)
{
    d->background = value;  // always redrawn, even for the same picture
    UpdateControl();
}

int TVrLedClock::TickWidth() const
{
    return d->face.tickWidth;
}

void TVrLedClock::setTickWidth(int value)
{
    if (value > 0)
        ChangeAndUpdate(d->face.tickWidth, value);
}

bool TVrLedClock::SecondsIndicator() const
{
    return d->face.secondsIndicator;
}

void TVrLedClock::setSecondsIndicator(bool value)
{
    ChangeAndUpdate(d->face.secondsIndicator, value);
}

bool TVrLedClock::HourMarks() const
{
    return d->hourMarks;
}

void TVrLedClock::setHourMarks(bool value)
{
    ChangeAndUpdate(d->hourMarks, value);
}

framework::TColor TVrLedClock::HoursColor() const
{
    return d->hoursColor;
}

void TVrLedClock::setHoursColor(framework::TColor value)
{
    ChangeAndUpdate(d->hoursColor, value);
}

framework::TColor TVrLedClock::HoursOutline() const
{
    return d->hoursOutline;
}

void TVrLedClock::setHoursOutline(framework::TColor value)
{
    ChangeAndUpdate(d->hoursOutline, value);
}

framework::TColor TVrLedClock::SecHandColor() const
{
    return d->secHandColor;
}

void TVrLedClock::setSecHandColor(framework::TColor value)
{
    ChangeAndUpdate(d->secHandColor, value);
}

bool TVrLedClock::OnAir() const
{
    return d->onAir;
}

void TVrLedClock::setOnAir(bool value)
{
    if (d->onAir == value)
        return;
    ChangeAndUpdate(d->onAir, value);
    NotifyAccessible(this, QAccessible::DescriptionChanged);  // the description begins with it
}

framework::TColor TVrLedClock::OnAirColor() const
{
    return d->onAirColor;
}

void TVrLedClock::setOnAirColor(framework::TColor value)
{
    // Only what is shown on air changes.
    if (framework::SetIfChanged(d->onAirColor, value) && d->onAir)
        UpdateControl();
}

framework::TColor TVrLedClock::SecOutline() const
{
    return d->secOutline;
}

void TVrLedClock::setSecOutline(framework::TColor value)
{
    ChangeAndUpdate(d->secOutline, value);
}

int TVrLedClock::SecWidth() const
{
    return d->face.secWidth;
}

void TVrLedClock::setSecWidth(int value)
{
    ChangeAndUpdate(d->face.secWidth, value);
}

framework::TColor TVrLedClock::TickColor() const
{
    return d->tickColor;
}

void TVrLedClock::setTickColor(framework::TColor value)
{
    ChangeAndUpdate(d->tickColor, value);
}

framework::TColor TVrLedClock::TickOutline() const
{
    return d->tickOutline;
}

void TVrLedClock::setTickOutline(framework::TColor value)
{
    ChangeAndUpdate(d->tickOutline, value);
}

bool TVrLedClock::EnableAlarm() const
{
    return d->enableAlarm;
}

void TVrLedClock::setEnableAlarm(bool value)
{
    d->enableAlarm = value;
}

int TVrLedClock::Hours() const
{
    return d->face.hours;
}

void TVrLedClock::setHours(int value)
{
    ChangeAndUpdate(d->face.hours, framework::RangeChecked(value, 0, 23));
}

TVrHourFormat TVrLedClock::HourFormat() const
{
    return d->face.hourFormat;
}

void TVrLedClock::setHourFormat(TVrHourFormat value)
{
    ChangeAndUpdate(d->face.hourFormat, framework::CheckedEnum(value));
}

int TVrLedClock::Minutes() const
{
    return d->face.minutes;
}

void TVrLedClock::setMinutes(int value)
{
    ChangeAndUpdate(d->face.minutes, framework::RangeChecked(value, 0, 59));
}

int TVrLedClock::Seconds() const
{
    return d->face.seconds;
}

void TVrLedClock::setSeconds(int value)
{
    ChangeAndUpdate(d->face.seconds, framework::RangeChecked(value, 0, 59));
}

int TVrLedClock::LedSize() const
{
    return d->face.ledSize;
}

void TVrLedClock::setLedSize(int value)
{
    ChangeAndUpdate(d->face.ledSize, value);
}

int TVrLedClock::Spacing() const
{
    return d->face.spacing;
}

void TVrLedClock::setSpacing(int value)
{
    ChangeAndUpdate(d->face.spacing, value);
}

int TVrLedClock::TextOffsetX() const
{
    return d->face.textOffsetX;
}

void TVrLedClock::setTextOffsetX(int value)
{
    ChangeAndUpdate(d->face.textOffsetX, value);
}

int TVrLedClock::TextOffsetY() const
{
    return d->face.textOffsetY;
}

void TVrLedClock::setTextOffsetY(int value)
{
    ChangeAndUpdate(d->face.textOffsetY, value);
}

int TVrLedClock::TextAngle() const
{
    return d->face.textAngle;
}

void TVrLedClock::setTextAngle(int value)
{
    ChangeAndUpdate(d->face.textAngle, value);
}

framework::TDateTime TVrLedClock::AlarmTime() const
{
    return d->alarmTime;
}

void TVrLedClock::setAlarmTime(framework::TDateTime value)
{
    d->alarmTime = value;
}

TVrTimer* TVrLedClock::Timer() const
{
    return d->scheduler->Timer();
}

TVrBoundaryTimer* TVrLedClock::BoundaryTimer() const
{
    return d->scheduler->BoundaryTimer();
}

}  // namespace display
