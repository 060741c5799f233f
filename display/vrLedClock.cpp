#include "display/vrLedClock.h"

#include "display/DrawingUtils.h"
#include "framework/Application.h"
#include "framework/Arithmetic.h"
#include "framework/TimeSource.h"

#include <QPointer>
#include <QScopedValueRollback>
#include <algorithm>
#include <cmath>
#include <tuple>
#include <utility>

namespace display {

using framework::CheckedInt;

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

QDateTime ToSeconds(const QDateTime& moment)
{
    const QTime time = moment.time();
    return QDateTime(moment.date(), QTime(time.hour(), time.minute(), time.second()));
}

// The centre of a point on a ring: (cx - rnd(cos a x r), cy - rnd(sin a x r)).
framework::TPoint OnRing(CheckedInt cx, CheckedInt cy, CheckedInt radius, long double steps, int perTurn)
{
    const auto angle = static_cast<long double>(static_cast<double>(steps * kTwoPi / perTurn));
    return {(cx - CheckedInt::Round(std::cos(angle) * radius.value())).value(),
        (cy - CheckedInt::Round(std::sin(angle) * radius.value())).value()};
}

// How long before a second boundary the timer wakes the clock to draw the next face: room for a
// large face and a busy machine, short enough that a change in between is rare.
constexpr qint64 kDrawAheadMsecs = 50;

// Every part of the face is outlined with this pen width.
constexpr int kOutlineWidth = 1;

// The corners of a round dot of the given radius around a centre.
framework::TRect DotCorners(framework::TPoint centre, CheckedInt radius)
{
    const CheckedInt x = centre.X;
    const CheckedInt y = centre.Y;
    return framework::Rect(
        (x - radius).value(), (y - radius).value(), (x + radius).value(), (y + radius).value());
}

void DrawEllipse(framework::TCanvas& canvas, const framework::TRect& corners)
{
    canvas.Ellipse(corners.Left, corners.Top, corners.Right, corners.Bottom);
}

// What drawing or erasing an ellipse with these corners changes on the screen, with a pixel to
// spare on every side: at a fractional device pixel ratio the window system rounds a region to
// whole device pixels, and may leave out one the ellipse's edge covers in part.
QRect ScreenReach(const framework::TRect& corners)
{
    const framework::TRect inked = framework::TCanvas::EllipseExtent(corners, kOutlineWidth);
    return {QPoint((CheckedInt(inked.Left) - 1).value(), (CheckedInt(inked.Top) - 1).value()),
        QPoint(inked.Right, inked.Bottom)};
}

}  // namespace

TVrLedClock::TVrLedClock(QWidget* parent)
    : TVrGraphicImageControl(parent)
{
    // The first sample; nothing can be connected yet, so no event would reach anyone. Taken first,
    // so that what the clock shows is the time it was made from its first redraw on.
    lastSample_ = TakeSample(ToSeconds(framework::LocalNow()));
    announcedTime_ = ShownTime();
    setAttribute(Qt::WA_OpaquePaintEvent);
    SetBounds(0, 0, 200, 200);
    setColor(framework::clBlack);
    {
        // The timer belongs to the clock, not to any layout the clock is read from.
        const framework::LayoutReading::MadeInCode madeInCode;
        timer_ = new TVrTimer(this);
    }
    timer_->setEnabled(false);
    connect(timer_, &TVrTimer::OnTimer, this, &TVrLedClock::PrepareNextSecond);
    boundary_ = new TVrBoundaryTimer(this);
    connect(boundary_, &TVrBoundaryTimer::OnDue, this, &TVrLedClock::BoundaryDue);
}

TVrLedClock::~TVrLedClock()
{
    delete timer_;  // stops its worker, waiting for a tick under way, before anything else goes
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
    if (!framework::SetIfChanged(active_, value))
        return;
    if (IsDesigning())
        return;
    if (value)
        ArmForNextSecond();
    else
        boundary_->Disarm();
    timer_->setEnabled(value);
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

void TVrLedClock::UpdateControl()
{
    ++faceState_;
    TVrGraphicImageControl::UpdateControl();
    AnnounceShownTime();
}

void TVrLedClock::AnnounceShownTime()
{
    if (IsLoading())
        return;
    QString shown = ShownTime();
    if (shown == announcedTime_)
        return;
    const QString before = std::exchange(announcedTime_, std::move(shown));
    if (!QAccessible::isActive())
        return;
    // The time is the clock's text, so readers hear of it as the text replaced: AT-SPI passes on a
    // value change only for a number.
    QAccessibleTextUpdateEvent event(this, 0, before, announcedTime_);
    QAccessible::updateAccessibility(&event);
}

QAccessible::Role TVrLedClock::AccessibleRole() const
{
    return QAccessible::Clock;
}

QString TVrLedClock::AccessibleText() const
{
    return ShownTime();
}

QString TVrLedClock::UnnamedAccessibleName() const
{
    return tr("Clock");
}

void TVrLedClock::changeEvent(QEvent* event)
{
    // A palette, style or screen change repaints later, maybe after a frame was drawn ahead.
    ++faceState_;
    TVrGraphicImageControl::changeEvent(event);
}

void TVrLedClock::ArmForNextSecond()
{
    const QDateTime now = framework::LocalNow();
    const QDateTime boundary = ToSeconds(now).addSecs(1);
    nextSample_ = boundary;
    nextSampleMSecs_ = boundary.toMSecsSinceEpoch();
    boundary_->ArmAt(boundary);
    const qint64 left = now.msecsTo(boundary);
    timer_->ArmNextTick(static_cast<std::uint32_t>(std::max<qint64>(left - kDrawAheadMsecs, 1)));
}

void TVrLedClock::BoundaryDue(bool clockSet)
{
    if (!active_ || IsDesigning())
        return;
    // Within the second armed for, its local time is known already: no time-zone lookups
    // between the wake and the pixels.
    const qint64 since = framework::MSecsSinceEpoch() - nextSampleMSecs_;
    if (!clockSet && since >= 0 && since < 1000) {
        framework::Guarded(this, [this] { ShowSample(nextSample_); });
        return;
    }
    const QDateTime now = framework::LocalNow();
    const QDateTime sample = ToSeconds(now);
    if (!clockSet && sample == lastSample_) {
        // Woken before the time source reached the boundary (a slewed clock, another clock under
        // the kernel's timer): the new second is never shown early. At least a millisecond.
        boundary_->ArmIn(now.msecsTo(lastSample_.addSecs(1)));
        return;
    }
    // What a handler raises is reported, as for a tick of the timer, and leaves the loop whole.
    // The time just read is shown: reading it again would only delay the pixels.
    framework::Guarded(this, [this, &sample] { ShowSample(sample); });
}

void TVrLedClock::PrepareNextSecond()
{
    drawnAhead_.reset();
    if (ToSeconds(framework::LocalNow()) != lastSample_) {
        UpdateTime(timer_);  // the second shown is over (a late wake, a set clock): tick now
        return;
    }
    // Only over a frame a paint framed already; a clock not shown draws nothing.
    if (!isVisible() || OffscreenBitmap().Empty())
        return;
    // Over a frame that holds the face shown now, only what the next second changes is drawn. Not
    // at a fractional pixel ratio: there the clip's edges would cut device pixels in part.
    const qreal ratio = devicePixelRatioF();
    const bool holdsShown = held_ && *held_ == CurrentFace() && ratio == std::floor(ratio);
    held_.reset();
    const int shownHours = hours_;
    const int shownMinutes = minutes_;
    const int shownSeconds = seconds_;
    const QTime next = lastSample_.addSecs(1).time();
    // Drawn from the next second's time; the shown one is back as this returns, also on failure.
    const QScopedValueRollback hours(hours_, next.hour());
    const QScopedValueRollback minutes(minutes_, next.minute());
    const QScopedValueRollback seconds(seconds_, next.second());
    const QRegion changed = ChangedSince(shownHours, shownMinutes, shownSeconds);
    try {
        if (holdsShown)
            DrawFaceWithin(changed.boundingRect());
        else
            DrawFace();
    } catch (const framework::Exception&) {
        return;  // the boundary's own paint draws the face again, and reports what fails
    }
    BitmapCanvas().Flush();  // ends the drawing now rather than in the boundary's paint
    held_ = CurrentFace();
    drawnAhead_ = DrawnAhead{*held_, {shownHours, shownMinutes, shownSeconds}, changed};
}

QRegion TVrLedClock::ChangedByTick(int oldHours, int oldMinutes, int oldSeconds)
{
    if (drawnAhead_ && drawnAhead_->from == std::array{oldHours, oldMinutes, oldSeconds}
        && drawnAhead_->face == CurrentFace())
        return drawnAhead_->changed;
    return ChangedSince(oldHours, oldMinutes, oldSeconds);
}

void TVrLedClock::DrawFaceWithin(const QRect& part)
{
    framework::TCanvas& canvas = BitmapCanvas();
    canvas.SetClipRect(framework::FromQRect(part));
    const struct Unclip {
        framework::TCanvas& canvas;
        ~Unclip() { canvas.ResetClip(); }
    } unclip{canvas};
    DrawFace();
}

QDateTime TVrLedClock::TakeSample(const QDateTime& sample)
{
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
    ShowSample(ToSeconds(framework::LocalNow()));
}

void TVrLedClock::ShowSample(const QDateTime& sample)
{
    const int oldHours = hours_;
    const int oldMinutes = minutes_;
    const int oldSeconds = seconds_;
    TakeSample(sample);
    bool alarmDue = false;
    try {
        alarmDue = AlarmDue(sample);
    } catch (const framework::Exception&) {
        alarmDue = false;  // an alarm time no calendar holds never comes
    }
    lastSample_ = sample;
    // Any handler may free the clock: then the tick ends there, touching nothing of it.
    const QPointer<TVrLedClock> self(this);
    // Armed after the redraw and the handlers, from the time they finished, also when one fails.
    struct ArmOnExit {
        const QPointer<TVrLedClock>& clock;
        ~ArmOnExit()
        {
            // Nothing may leave a destructor: a timer that cannot be set is reported instead.
            if (clock && clock->active_ && !clock->IsDesigning())
                framework::Guarded(clock, [this] { clock->ArmForNextSecond(); });
        }
    } arm{self};

    // The whole frame is still drawn off screen; only the pixels the tick changed reach the screen.
    UpdateRegion(ChangedByTick(oldHours, oldMinutes, oldSeconds));
    AnnounceShownTime();
    if (hours_ != oldHours)
        DoHoursChanged();
    if (self && minutes_ != oldMinutes)
        DoMinutesChanged();
    if (self && seconds_ != oldSeconds)
        DoSecondsChanged();
    if (self && alarmDue)
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
    return CheckedInt::Round(shift).value();
}

bool TVrLedClock::FaceKey::operator==(const FaceKey& other) const
{
    const auto tied = [](const FaceKey& key) {
        return std::tie(
            key.hours, key.minutes, key.seconds, key.state, key.size, key.bitmapSize, key.origin, key.ratio);
    };
    return tied(*this) == tied(other);
}

TVrLedClock::FaceKey TVrLedClock::CurrentFace()
{
    const framework::TBitmap& bitmap = OffscreenBitmap();
    return {hours_, minutes_, seconds_, faceState_, size(), QSize(bitmap.Width(), bitmap.Height()),
        BitmapCanvas().Origin(), devicePixelRatioF()};
}

void TVrLedClock::Paint()
{
    // The frame drawn ahead is copied only if drawing now would give the very same one.
    const bool drawnAlready = drawnAhead_ && drawnAhead_->face == CurrentFace();
    drawnAhead_.reset();
    if (!drawnAlready) {
        held_.reset();
        DrawFace();
        held_ = CurrentFace();
    }
    TVrGraphicImageControl::Paint();
}

void TVrLedClock::DrawFace()
{
    framework::TCanvas& canvas = BitmapCanvas();
    ClearBitmapCanvas();
    if (!background_.isNull()) {
        canvas.Brush().Style = Transparent() ? framework::bsClear : framework::bsSolid;
        canvas.BrushCopy(
            framework::Rect(0, 0, width(), height()), background_, BitmapRect(background_), Color());
    }
    const Rings rings = RingGeometry();
    canvas.Pen() = {tickOutline_, kOutlineWidth, framework::psSolid};
    canvas.Brush() = {tickColor_, framework::bsSolid};
    if (hourMarks_) {
        for (int k = 0; k < 12; ++k)
            DrawEllipse(
                canvas, DotCorners(OnRing(rings.cx, rings.cy, rings.hourRadius, k + 9, 12), tickWidth_));
    }
    DrawTime();
    if (secondsIndicator_) {
        canvas.Pen() = {secOutline_, kOutlineWidth, framework::psSolid};
        canvas.Brush() = {secHandColor_, framework::bsSolid};
        for (int s = 0; s <= seconds_; ++s)
            DrawEllipse(canvas, SecondDotCorners(rings, s));
    }
}

TVrLedClock::Rings TVrLedClock::RingGeometry() const
{
    const CheckedInt cx = width() / 2;
    const CheckedInt cy = height() / 2;
    const CheckedInt ring = 2 * CheckedInt(secWidth_) + tickWidth_;
    const CheckedInt hourRadius = std::min(cx, cy) - 10 - 2 * ring;
    return {cx, cy, hourRadius, hourRadius - ring};
}

framework::TRect TVrLedClock::SecondDotCorners(const Rings& rings, int second) const
{
    return DotCorners(OnRing(rings.cx, rings.cy, rings.secondRadius, second + 15, 60), secWidth_);
}

QRect TVrLedClock::SecondDotRect(int second) const
{
    return ScreenReach(SecondDotCorners(RingGeometry(), second));
}

QRect TVrLedClock::TimeTextRect() const
{
    // Every dot a glyph may light, so that the region holds the old digits and the new.
    QRect text;
    for (const PlacedChar& placed : TimeLayout())
        for (int row = 0; row < kGlyphRows; ++row)
            for (int column = 0; column < kGlyphColumns; ++column)
                text |= ScreenReach(LedCorners(placed.x, placed.y, row, column));
    return text;
}

QRegion TVrLedClock::ChangedSince(int oldHours, int oldMinutes, int oldSeconds) const
{
    QRegion changed;
    try {
        if (hours_ != oldHours || minutes_ != oldMinutes)
            changed += TimeTextRect();
        if (secondsIndicator_) {
            // The dots after the smaller of the two seconds came or went; the ones up to it stay.
            for (int s = std::min(oldSeconds, seconds_) + 1; s <= std::max(oldSeconds, seconds_); ++s)
                changed += SecondDotRect(s);
        }
    } catch (const framework::Exception&) {
        // A face too large to place: the whole control, whose paint reports the error, and the
        // tick's events still follow.
        return rect();
    }
    return changed & rect();
}

void TVrLedClock::DrawTime()
{
    for (const PlacedChar& placed : TimeLayout())
        DrawLedChar(placed.x, placed.y, placed.character);
}

std::array<TVrLedClock::PlacedChar, 5> TVrLedClock::TimeLayout() const
{
    const CheckedInt ledSize = ledSize_;
    const CheckedInt spacing = spacing_;
    const CheckedInt pitch = ledSize + 1;
    const CheckedInt cellWidth = 5 * pitch;
    const CheckedInt cellHeight = 8 * pitch;
    const CheckedInt textWidth = (cellWidth + spacing - 1) * 5;
    CheckedInt x = (width() - textWidth) / 2 + cellWidth + textOffsetX_;
    const CheckedInt y = (height() - cellHeight) / 2 + textOffsetY_;

    const QString text = ShownTime();
    std::array<PlacedChar, 5> placed{};
    for (int i = 0; i < text.size(); ++i) {
        const bool colon = text[i] == QLatin1Char(':');
        placed.at(static_cast<std::size_t>(i))
            = {text[i], (colon ? x + cellWidth / 2 - ledSize : x).value(), y.value()};
        if (i + 1 < text.size())
            x += text[i + 1] == QLatin1Char(':') ? cellWidth / 2 : spacing + cellWidth;
    }
    return placed;
}

QString TVrLedClock::ShownTime() const
{
    const int hour = hourFormat_ == hfmt12h && hours_ > 12 ? hours_ - 12 : hours_;
    return QStringLiteral("%1:%2").arg(hour, 2, 10, QLatin1Char('0')).arg(minutes_, 2, 10, QLatin1Char('0'));
}

framework::TRect TVrLedClock::LedCorners(int x, int y, int row, int column) const
{
    const CheckedInt ledSize = ledSize_;
    const CheckedInt pitch = ledSize + 1;
    const int slant = SlantOffset((row * ledSize).value(), textAngle_);
    const CheckedInt left = x - ledSize - pitch * column - slant;
    const CheckedInt top = y + pitch * row;
    return framework::Rect(left.value(), top.value(), (left + pitch).value(), (top + ledSize).value());
}

void TVrLedClock::DrawLedChar(int x, int y, QChar character)
{
    framework::TCanvas& canvas = BitmapCanvas();
    canvas.Brush() = {hoursColor_, framework::bsSolid};
    canvas.Pen() = {hoursOutline_, kOutlineWidth, framework::psSolid};
    const int glyph = character.unicode() - '0';
    for (int row = 0; row < kGlyphRows; ++row) {
        const std::uint8_t bits
            = kLedFont.at(static_cast<std::size_t>(glyph) * kGlyphRows + static_cast<std::size_t>(row));
        for (int column = 0; column < kGlyphColumns; ++column)
            if (bits & (1u << column))
                DrawEllipse(canvas, LedCorners(x, y, row, column));
    }
}

}  // namespace display
