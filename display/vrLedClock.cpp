#include "display/vrLedClock.h"

#include "display/DrawingUtils.h"
#include "display/VrSecondScheduler.h"
#include "display/vrLedClockPrivate.h"
#include "framework/Application.h"

#include <QPointer>
#include <QScopedValueRollback>
#include <cmath>
#include <utility>

namespace display {

namespace {

// Every part of the face is outlined with this pen width.
constexpr int kOutlineWidth = 1;

void DrawEllipse(framework::TCanvas& canvas, const framework::TRect& corners)
{
    canvas.Ellipse(corners.Left, corners.Top, corners.Right, corners.Bottom);
}

}  // namespace

TVrLedClock::TVrLedClock(QWidget* parent)
    : TVrGraphicImageControl(parent)
    , d(std::make_unique<Private>())
{
    d->scheduler = new TVrSecondScheduler(this);
    // The first sample; nothing can be connected yet, so no event would reach anyone. Taken before
    // any redraw, so that what the clock shows is the time it was made from its first redraw on.
    d->scheduler->setShownSecond(TakeSample(TVrSecondScheduler::CurrentSecond()));
    d->announcedTime = ShownTime();
    setAttribute(Qt::WA_OpaquePaintEvent);
    SetBounds(0, 0, 200, 200);
    setColor(framework::clBlack);
    // What the drawing or a handler raises is reported naming the clock, and leaves the loop whole.
    connect(d->scheduler, &TVrSecondScheduler::PrepareSecond, this, [this](const QDateTime& second) {
        framework::Guarded(this, [this, &second] { DrawAhead(second); });
    });
    connect(d->scheduler, &TVrSecondScheduler::ShowSecond, this, [this](const QDateTime& second) {
        framework::Guarded(this, [this, &second] { ShowSample(second); });
    });
}

TVrLedClock::~TVrLedClock()
{
    delete d->scheduler;  // stops the timer's worker while everything it may call on is still here
}

void TVrLedClock::Loaded()
{
    TVrGraphicImageControl::Loaded();
    if (d->active)
        UpdateTime(this);
}

void TVrLedClock::UpdateControl()
{
    ++d->faceState;
    TVrGraphicImageControl::UpdateControl();
    AnnounceShownTime();
}

void TVrLedClock::AnnounceShownTime()
{
    if (IsLoading())
        return;
    QString shown = ShownTime();
    if (shown == d->announcedTime)
        return;
    const QString before = std::exchange(d->announcedTime, std::move(shown));
    if (!QAccessible::isActive())
        return;
    // The time is the clock's text, so readers hear of it as the text replaced: AT-SPI passes on a
    // value change only for a number.
    QAccessibleTextUpdateEvent event(this, 0, before, d->announcedTime);
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
    ++d->faceState;
    TVrGraphicImageControl::changeEvent(event);
}

void TVrLedClock::PrepareNextSecond()
{
    d->scheduler->PrepareNext();
}

void TVrLedClock::DrawAhead(const QDateTime& second)
{
    d->frames.ForgetDrawnAhead();
    // Only over a frame a paint framed already; a clock not shown draws nothing.
    if (!isVisible() || OffscreenBitmap().Empty())
        return;
    // Over a frame that holds the face shown now, only what the next second changes is drawn. Not
    // at a fractional pixel ratio: there the clip's edges would cut device pixels in part.
    const qreal ratio = devicePixelRatioF();
    const bool holdsShown = d->frames.Holds(CurrentFace()) && ratio == std::floor(ratio);
    d->frames.Forget();
    const QTime shown(d->face.hours, d->face.minutes, d->face.seconds);
    const QTime next = second.time();
    // Drawn from the next second's time; the shown one is back as this returns, also on failure.
    const QScopedValueRollback hours(d->face.hours, next.hour());
    const QScopedValueRollback minutes(d->face.minutes, next.minute());
    const QScopedValueRollback seconds(d->face.seconds, next.second());
    const QRegion changed = Geometry().ChangedSince(shown);
    try {
        if (holdsShown)
            DrawFaceWithin(changed.boundingRect());
        else
            DrawFace();
    } catch (const framework::Exception&) {
        return;  // the boundary's own paint draws the face again, and reports what fails
    }
    BitmapCanvas().Flush();  // ends the drawing now rather than in the boundary's paint
    d->frames.HoldDrawnAhead(CurrentFace(), shown, changed);
}

QRegion TVrLedClock::ChangedByTick(const QTime& shown)
{
    if (const std::optional<QRegion> drawnAhead = d->frames.ChangedByTick(shown, CurrentFace()))
        return *drawnAhead;
    return Geometry().ChangedSince(shown);
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
    d->face.hours = sample.time().hour();
    d->face.minutes = sample.time().minute();
    d->face.seconds = sample.time().second();
    return sample;
}

bool TVrLedClock::AlarmDue(const QDateTime& sample) const
{
    if (!d->enableAlarm)
        return false;
    const QDateTime alarm = TVrSecondScheduler::ToSeconds(framework::ToQDateTime(d->alarmTime));
    // Reached or passed since the previous sample, whichever days the two fall on (a late tick
    // at midnight, a stepped clock); the first sample must meet it exactly.
    const QDateTime previous = d->scheduler->ShownSecond();
    if (!previous.isValid())
        return sample == alarm;
    return previous < alarm && alarm <= sample;
}

void TVrLedClock::UpdateTime(QObject* /*sender*/)
{
    ShowSample(TVrSecondScheduler::CurrentSecond());
}

void TVrLedClock::ShowSample(const QDateTime& sample)
{
    const QTime shown(d->face.hours, d->face.minutes, d->face.seconds);
    TakeSample(sample);
    bool alarmDue = false;
    try {
        alarmDue = AlarmDue(sample);
    } catch (const framework::Exception&) {
        alarmDue = false;  // an alarm time no calendar holds never comes
    }
    d->scheduler->setShownSecond(sample);
    // Any handler may free the clock: then the tick ends there, touching nothing of it.
    const QPointer<TVrLedClock> self(this);
    // Armed after the redraw and the handlers, from the time they finished, also when one fails.
    struct ArmOnExit {
        const QPointer<TVrLedClock>& clock;
        ~ArmOnExit()
        {
            // Nothing may leave a destructor: a timer that cannot be set is reported instead.
            if (clock && clock->d->active && !clock->IsDesigning())
                framework::Guarded(clock, [this] { clock->d->scheduler->ArmForNextSecond(); });
        }
    } arm{self};

    // The whole frame is still drawn off screen; only the pixels the tick changed reach the screen.
    UpdateRegion(ChangedByTick(shown));
    if (isVisible() && !IsLoading())
        emit SecondShown(sample);
    if (!self)
        return;
    AnnounceShownTime();
    if (d->face.hours != shown.hour())
        DoHoursChanged();
    if (self && d->face.minutes != shown.minute())
        DoMinutesChanged();
    if (self && d->face.seconds != shown.second())
        DoSecondsChanged();
    if (self && alarmDue)
        DoAlarm();
}

void TVrLedClock::DoHoursChanged()
{
    emit OnHoursChanged(this, static_cast<quint16>(d->face.hours));
}

void TVrLedClock::DoMinutesChanged()
{
    emit OnMinutesChanged(this, static_cast<quint16>(d->face.minutes));
}

void TVrLedClock::DoSecondsChanged()
{
    emit OnSecondsChanged(this, static_cast<quint16>(d->face.seconds));
}

void TVrLedClock::DoAlarm()
{
    emit OnAlarm(this);
}

int TVrLedClock::SlantOffset(int value, int angle)
{
    return TVrClockFaceGeometry::SlantOffset(value, angle);
}

TVrFrameCache::FaceKey TVrLedClock::CurrentFace()
{
    const framework::TBitmap& bitmap = OffscreenBitmap();
    return {QTime(d->face.hours, d->face.minutes, d->face.seconds), d->faceState, size(),
        QSize(bitmap.Width(), bitmap.Height()), BitmapCanvas().Origin(), devicePixelRatioF()};
}

void TVrLedClock::Paint()
{
    // The frame drawn ahead is copied only if drawing now would give the very same one.
    if (!d->frames.TakeDrawnAhead(CurrentFace())) {
        d->frames.Forget();
        DrawFace();
        d->frames.Hold(CurrentFace());
    }
    TVrGraphicImageControl::Paint();
}

void TVrLedClock::DrawFace()
{
    framework::TCanvas& canvas = BitmapCanvas();
    ClearBitmapCanvas();
    if (!d->background.isNull()) {
        canvas.Brush().Style = Transparent() ? framework::bsClear : framework::bsSolid;
        canvas.BrushCopy(
            framework::Rect(0, 0, width(), height()), d->background, BitmapRect(d->background), Color());
    }
    const TVrClockFaceGeometry geometry = Geometry();
    const TVrClockFaceGeometry::Rings rings = geometry.RingGeometry();
    canvas.Pen() = {d->tickOutline, kOutlineWidth, framework::psSolid};
    canvas.Brush() = {d->tickColor, framework::bsSolid};
    if (d->hourMarks) {
        for (int mark = 0; mark < 12; ++mark)
            DrawEllipse(canvas, geometry.HourMarkCorners(rings, mark));
    }
    DrawTime();
    if (d->face.secondsIndicator) {
        canvas.Pen() = {d->onAir ? d->onAirColor : d->secOutline, kOutlineWidth, framework::psSolid};
        canvas.Brush() = {d->onAir ? d->onAirColor : d->secHandColor, framework::bsSolid};
        for (int s = 0; s <= d->face.seconds; ++s)
            DrawEllipse(canvas, geometry.SecondDotCorners(rings, s));
    }
}

TVrClockFaceGeometry TVrLedClock::Geometry() const
{
    return {d->face, size()};
}

QRect TVrLedClock::SecondDotRect(int second) const
{
    return Geometry().SecondDotRect(second);
}

QRect TVrLedClock::TimeTextRect() const
{
    return Geometry().TimeTextRect();
}

QString TVrLedClock::ShownTime() const
{
    return Geometry().ShownTime();
}

void TVrLedClock::DrawTime()
{
    for (const TVrClockFaceGeometry::PlacedChar& placed : Geometry().TimeLayout())
        DrawLedChar(placed.x, placed.y, placed.character);
}

void TVrLedClock::DrawLedChar(int x, int y, QChar character)
{
    framework::TCanvas& canvas = BitmapCanvas();
    canvas.Brush() = {d->onAir ? d->onAirColor : d->hoursColor, framework::bsSolid};
    canvas.Pen() = {d->onAir ? d->onAirColor : d->hoursOutline, kOutlineWidth, framework::psSolid};
    for (const framework::TRect& corners : Geometry().LitLedCorners({character, x, y}))
        DrawEllipse(canvas, corners);
}

}  // namespace display
