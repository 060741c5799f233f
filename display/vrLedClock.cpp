#include "display/vrLedClock.h"

#include "display/DrawingUtils.h"
#include "framework/Application.h"
#include "framework/Arithmetic.h"
#include "framework/TimeSource.h"

#include <cmath>

namespace display {

using framework::CheckedAdd;
using framework::CheckedMul;
using framework::CheckedSub;
using framework::Round;

namespace {

// The LED font: digits 0 to 9, then the colon; 9 rows of 6 dots each, bit 5 the leftmost dot.
constexpr std::array<std::uint8_t, 99> kLedFont = {
    0x1E, 0x21, 0x21, 0x21, 0x21, 0x21, 0x21, 0x21, 0x1E,  // 0
    0x01, 0x01, 0x01, 0x01, 0x00, 0x01, 0x01, 0x01, 0x01,  // 1
    0x1E, 0x01, 0x01, 0x01, 0x1E, 0x20, 0x20, 0x20, 0x1E,  // 2
    0x1E, 0x01, 0x01, 0x01, 0x1E, 0x01, 0x01, 0x01, 0x1E,  // 3
    0x21, 0x21, 0x21, 0x21, 0x1E, 0x01, 0x01, 0x01, 0x01,  // 4
    0x1E, 0x20, 0x20, 0x20, 0x1E, 0x01, 0x01, 0x01, 0x1E,  // 5
    0x1E, 0x20, 0x20, 0x20, 0x1E, 0x21, 0x21, 0x21, 0x1E,  // 6
    0x1E, 0x01, 0x01, 0x01, 0x00, 0x01, 0x01, 0x01, 0x01,  // 7
    0x1E, 0x21, 0x21, 0x21, 0x1E, 0x21, 0x21, 0x21, 0x1E,  // 8
    0x1E, 0x21, 0x21, 0x21, 0x1E, 0x01, 0x01, 0x01, 0x1E,  // 9
    0x00, 0x00, 0x00, 0x04, 0x04, 0x00, 0x00, 0x00, 0x00,  // :
};
constexpr int kGlyphRows = 9;
constexpr int kGlyphColumns = 6;

// 2 pi in extended precision; each angle is then held as a double, as the face was designed.
constexpr long double kTwoPi = 6.283185307179586477L;
constexpr double kDegreesToRadians = 0.017453292519943295;

QDateTime ToSeconds(const QDateTime& moment)
{
    const QTime time = moment.time();
    return QDateTime(moment.date(), QTime(time.hour(), time.minute(), time.second()));
}

// The centre of a point on a ring: (cx - rnd(cos a x r), cy - rnd(sin a x r)).
framework::TPoint OnRing(int cx, int cy, int radius, long double steps, int perTurn)
{
    const auto angle = static_cast<double>(steps * kTwoPi / perTurn);
    return {CheckedSub(cx, static_cast<int>(Round(std::cos(static_cast<long double>(angle)) * radius))),
        CheckedSub(cy, static_cast<int>(Round(std::sin(static_cast<long double>(angle)) * radius)))};
}

}  // namespace

TVrLedClock::TVrLedClock(QWidget* parent)
    : TVrGraphicImageControl(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    SetBounds(0, 0, 200, 200);
    setColor(framework::clBlack);
    {
        // The timer belongs to the clock, not to any layout the clock is read from.
        const framework::LayoutReading::MadeInCode madeInCode;
        timer_ = new TVrTimer(this);
    }
    timer_->setEnabled(false);
    connect(timer_, &TVrTimer::OnTimer, this, &TVrLedClock::UpdateTime);
    // The first sample; nothing can be connected yet, so no event would reach anyone.
    lastSample_ = TakeSample();
}

TVrLedClock::~TVrLedClock()
{
    delete timer_;  // stops and waits for its worker before anything else goes
}

bool TVrLedClock::Threaded() const
{
    return timer_->TimerType() == ttThread;
}

void TVrLedClock::setThreaded(bool value)
{
    timer_->setTimerType(value ? ttThread : ttSystem);
}

void TVrLedClock::setActive(bool value)
{
    if (value == active_)
        return;
    active_ = value;
    if (IsDesigning())
        return;
    if (value)
        ArmForNextSecond();
    timer_->setEnabled(value);
}

void TVrLedClock::setSecondsIndicator(bool value)
{
    ChangeAndUpdate(secondsIndicator_, value);
}
void TVrLedClock::setHourMarks(bool value)
{
    ChangeAndUpdate(hourMarks_, value);
}
void TVrLedClock::setHoursColor(framework::TColor value)
{
    ChangeAndUpdate(hoursColor_, value);
}
void TVrLedClock::setHoursOutline(framework::TColor value)
{
    ChangeAndUpdate(hoursOutline_, value);
}
void TVrLedClock::setSecHandColor(framework::TColor value)
{
    ChangeAndUpdate(secHandColor_, value);
}
void TVrLedClock::setSecOutline(framework::TColor value)
{
    ChangeAndUpdate(secOutline_, value);
}
void TVrLedClock::setSecWidth(int value)
{
    ChangeAndUpdate(secWidth_, value);
}
void TVrLedClock::setTickColor(framework::TColor value)
{
    ChangeAndUpdate(tickColor_, value);
}
void TVrLedClock::setTickOutline(framework::TColor value)
{
    ChangeAndUpdate(tickOutline_, value);
}
void TVrLedClock::setHourFormat(TVrHourFormat value)
{
    ChangeAndUpdate(hourFormat_, framework::CheckedEnum(value));
}
void TVrLedClock::setLedSize(int value)
{
    ChangeAndUpdate(ledSize_, value);
}
void TVrLedClock::setSpacing(int value)
{
    ChangeAndUpdate(spacing_, value);
}
void TVrLedClock::setTextOffsetX(int value)
{
    ChangeAndUpdate(textOffsetX_, value);
}
void TVrLedClock::setTextOffsetY(int value)
{
    ChangeAndUpdate(textOffsetY_, value);
}
void TVrLedClock::setTextAngle(int value)
{
    ChangeAndUpdate(textAngle_, value);
}

void TVrLedClock::setHours(int value)
{
    ChangeAndUpdate(hours_, framework::RangeChecked(value, 0, 23));
}

void TVrLedClock::setMinutes(int value)
{
    ChangeAndUpdate(minutes_, framework::RangeChecked(value, 0, 59));
}

void TVrLedClock::setSeconds(int value)
{
    ChangeAndUpdate(seconds_, framework::RangeChecked(value, 0, 59));
}

void TVrLedClock::setTickWidth(int value)
{
    if (value > 0)
        ChangeAndUpdate(tickWidth_, value);
}

void TVrLedClock::setBackground(const QImage& value)
{
    background_ = value;  // always redrawn, even for the same picture
    UpdateControl();
}

void TVrLedClock::Loaded()
{
    TVrGraphicImageControl::Loaded();
    if (active_)
        UpdateTime(this);
}

void TVrLedClock::ArmForNextSecond()
{
    // The milliseconds are truncated, so 1000 - msec never falls short of the time really left:
    // the next tick lands within a millisecond after the boundary, never before it.
    const int msec = framework::LocalNow().time().msec();
    timer_->ArmNextTick(static_cast<std::uint32_t>(1000 - msec));
}

QDateTime TVrLedClock::TakeSample()
{
    QDateTime sample = ToSeconds(framework::LocalNow());
    hours_ = sample.time().hour();
    minutes_ = sample.time().minute();
    seconds_ = sample.time().second();
    return sample;
}

bool TVrLedClock::AlarmDue(const QDateTime& sample) const
{
    if (!enableAlarm_)
        return false;
    const QDateTime alarm = ToSeconds(framework::ToQDateTime(alarmTime_));
    // Reached or passed since the previous sample, whichever days the two fall on (a late tick
    // at midnight, a stepped clock); the first sample must meet it exactly.
    if (!lastSample_.isValid())
        return sample == alarm;
    return lastSample_ < alarm && alarm <= sample;
}

void TVrLedClock::UpdateTime(QObject* /*sender*/)
{
    const int oldHours = hours_;
    const int oldMinutes = minutes_;
    const int oldSeconds = seconds_;
    const QDateTime sample = TakeSample();
    bool alarmDue = false;
    try {
        alarmDue = AlarmDue(sample);
    } catch (const framework::Exception&) {
        alarmDue = false;  // an alarm time no calendar holds never comes
    }
    lastSample_ = sample;
    // Armed after the redraw and the handlers, from the time they finished, also when one fails.
    struct ArmOnExit {
        TVrLedClock& clock;
        ~ArmOnExit()
        {
            // Nothing may leave a destructor: a timer that cannot be set is reported instead.
            if (clock.active_ && !clock.IsDesigning())
                framework::Guarded(&clock, [this] { clock.ArmForNextSecond(); });
        }
    } arm{*this};

    if ((secondsIndicator_ && seconds_ != oldSeconds) || minutes_ != oldMinutes)
        UpdateControl();
    if (hours_ != oldHours)
        DoHoursChanged();
    if (minutes_ != oldMinutes)
        DoMinutesChanged();
    if (seconds_ != oldSeconds)
        DoSecondsChanged();
    if (alarmDue)
        DoAlarm();
}

void TVrLedClock::DoHoursChanged()
{
    emit OnHoursChanged(this, static_cast<quint16>(hours_));
}

void TVrLedClock::DoMinutesChanged()
{
    emit OnMinutesChanged(this, static_cast<quint16>(minutes_));
}

void TVrLedClock::DoSecondsChanged()
{
    emit OnSecondsChanged(this, static_cast<quint16>(seconds_));
}

void TVrLedClock::DoAlarm()
{
    emit OnAlarm(this);
}

int TVrLedClock::SlantOffset(int value, int angle)
{
    const long double shift = std::tan(static_cast<long double>(angle * kDegreesToRadians)) * value;
    if (!std::isfinite(shift) || shift >= 2147483647.5L || shift < -2147483648.5L)
        return 0;
    return static_cast<int>(Round(shift));
}

void TVrLedClock::Paint()
{
    framework::TCanvas& canvas = BitmapCanvas();
    ClearBitmapCanvas();
    if (!background_.isNull()) {
        canvas.Brush().Style = Transparent() ? framework::bsClear : framework::bsSolid;
        canvas.BrushCopy(framework::Rect(0, 0, width(), height()), background_,
            framework::Rect(0, 0, background_.width(), background_.height()), Color());
    }
    const int cx = width() / 2;
    const int cy = height() / 2;
    const int ring = CheckedAdd(CheckedMul(2, secWidth_), tickWidth_);
    const int r0 = CheckedSub(std::min(cx, cy), 10);
    const int rh = CheckedSub(r0, CheckedMul(2, ring));
    const int rs = CheckedSub(rh, ring);

    canvas.Pen() = {tickOutline_, 1, framework::psSolid};
    canvas.Brush() = {tickColor_, framework::bsSolid};
    if (hourMarks_) {
        for (int k = 0; k < 12; ++k) {
            const framework::TPoint p = OnRing(cx, cy, rh, k + 9, 12);
            canvas.Ellipse(CheckedSub(p.X, tickWidth_), CheckedSub(p.Y, tickWidth_),
                CheckedAdd(p.X, tickWidth_), CheckedAdd(p.Y, tickWidth_));
        }
    }
    DrawTime();
    if (secondsIndicator_) {
        canvas.Pen() = {secOutline_, 1, framework::psSolid};
        canvas.Brush() = {secHandColor_, framework::bsSolid};
        for (int s = 0; s <= seconds_; ++s) {
            const framework::TPoint p = OnRing(cx, cy, rs, s + 15, 60);
            canvas.Ellipse(CheckedSub(p.X, secWidth_), CheckedSub(p.Y, secWidth_), CheckedAdd(p.X, secWidth_),
                CheckedAdd(p.Y, secWidth_));
        }
    }
    TVrGraphicImageControl::Paint();
}

void TVrLedClock::DrawTime()
{
    const int pitch = CheckedAdd(ledSize_, 1);
    const int cellWidth = CheckedMul(5, pitch);
    const int cellHeight = CheckedMul(8, pitch);
    const int textWidth = CheckedMul(CheckedSub(CheckedAdd(cellWidth, spacing_), 1), 5);
    int x = CheckedAdd(CheckedAdd(CheckedSub(width(), textWidth) / 2, cellWidth), textOffsetX_);
    const int y = CheckedAdd(CheckedSub(height(), cellHeight) / 2, textOffsetY_);

    const int hour = hourFormat_ == hfmt12h && hours_ > 12 ? hours_ - 12 : hours_;
    const QString text
        = QStringLiteral("%1:%2").arg(hour, 2, 10, QLatin1Char('0')).arg(minutes_, 2, 10, QLatin1Char('0'));
    for (int i = 0; i < text.size(); ++i) {
        if (text[i] == QLatin1Char(':'))
            DrawLedChar(CheckedSub(CheckedAdd(x, cellWidth / 2), ledSize_), y, text[i]);
        else
            DrawLedChar(x, y, text[i]);
        if (i + 1 < text.size())
            x = text[i + 1] == QLatin1Char(':') ? CheckedAdd(x, cellWidth / 2)
                                                : CheckedAdd(x, CheckedAdd(spacing_, cellWidth));
    }
}

void TVrLedClock::DrawLedChar(int x, int y, QChar character)
{
    framework::TCanvas& canvas = BitmapCanvas();
    canvas.Brush() = {hoursColor_, framework::bsSolid};
    canvas.Pen() = {hoursOutline_, 1, framework::psSolid};
    const int glyph = character.unicode() - '0';
    const int pitch = CheckedAdd(ledSize_, 1);
    for (int row = 0; row < kGlyphRows; ++row) {
        const int slant = SlantOffset(CheckedMul(row, ledSize_), textAngle_);
        const std::uint8_t bits
            = kLedFont.at(static_cast<std::size_t>(glyph) * kGlyphRows + static_cast<std::size_t>(row));
        for (int column = 0; column < kGlyphColumns; ++column) {
            if (!(bits & (1u << column)))
                continue;
            const int left
                = CheckedSub(CheckedSub(CheckedSub(x, ledSize_), CheckedMul(pitch, column)), slant);
            const int top = CheckedAdd(y, CheckedMul(pitch, row));
            canvas.Ellipse(left, top, CheckedAdd(left, pitch), CheckedAdd(top, ledSize_));
        }
    }
}

}  // namespace display
