// vrLedClock: TVrLedClock, the LED clock.
#pragma once

#include "display/Export.h"
#include "display/VrBoundaryTimer.h"
#include "display/VrClockFaceGeometry.h"
#include "display/VrControls.h"
#include "display/VrFrameCache.h"
#include "display/VrThreads.h"
#include "display/VrTypes.h"
#include "framework/DateTime.h"

#include <QDateTime>
#include <QImage>
#include <QRegion>
#include <memory>

namespace display {

// The studio clock face: twelve hour marks, HH:MM in slanted LED dots and a ring of second dots
// growing clockwise from 12 o'clock. While Active it follows the local time from the framework's
// time source: its TVrSecondScheduler wakes it shortly before each second boundary of the wall
// clock to draw the next face off screen, and at the boundary to show it; then it raises an event for
// each changed unit of time (hours, minutes, seconds, in that order) and the alarm. Any of these
// handlers may free the clock; the tick's later events are then not raised.
//
// Recorded defaults (the values a stored layout leaves out): Active False, SecondsIndicator and
// HourMarks True, the six colours clRed, SecWidth and TickWidth 2, LedSize 3, Spacing 8,
// TextOffsetX and TextOffsetY 0, TextAngle 10, Transparent False, Color clBlack. Threaded, Hours,
// Minutes, Seconds and HourFormat are always stored.
class STUDIOCLOCK_DISPLAY_EXPORT TVrLedClock : public TVrGraphicImageControl {
    Q_OBJECT
    FRAMEWORK_CONTROL_PROPERTIES
    Q_PROPERTY(bool Threaded READ Threaded WRITE setThreaded STORED true)
    Q_PROPERTY(bool Active READ Active WRITE setActive)
    Q_PROPERTY(bool SecondsIndicator READ SecondsIndicator WRITE setSecondsIndicator)
    Q_PROPERTY(bool HourMarks READ HourMarks WRITE setHourMarks)
    Q_PROPERTY(QImage Background READ Background WRITE setBackground)
    Q_PROPERTY(framework::TColor HoursColor READ HoursColor WRITE setHoursColor)
    Q_PROPERTY(framework::TColor HoursOutline READ HoursOutline WRITE setHoursOutline)
    Q_PROPERTY(framework::TColor SecHandColor READ SecHandColor WRITE setSecHandColor)
    Q_PROPERTY(framework::TColor SecOutline READ SecOutline WRITE setSecOutline)
    Q_PROPERTY(int SecWidth READ SecWidth WRITE setSecWidth)
    Q_PROPERTY(framework::TColor TickColor READ TickColor WRITE setTickColor)
    Q_PROPERTY(framework::TColor TickOutline READ TickOutline WRITE setTickOutline)
    Q_PROPERTY(int TickWidth READ TickWidth WRITE setTickWidth)
    Q_PROPERTY(bool OnAir READ OnAir WRITE setOnAir)
    Q_PROPERTY(framework::TColor OnAirColor READ OnAirColor WRITE setOnAirColor)
    Q_PROPERTY(bool EnableAlarm READ EnableAlarm WRITE setEnableAlarm)
    Q_PROPERTY(int Hours READ Hours WRITE setHours STORED true)
    Q_PROPERTY(display::TVrHourFormat HourFormat READ HourFormat WRITE setHourFormat STORED true)
    Q_PROPERTY(int Minutes READ Minutes WRITE setMinutes STORED true)
    Q_PROPERTY(int Seconds READ Seconds WRITE setSeconds STORED true)
    Q_PROPERTY(int LedSize READ LedSize WRITE setLedSize)
    Q_PROPERTY(int Spacing READ Spacing WRITE setSpacing)
    Q_PROPERTY(int TextOffsetX READ TextOffsetX WRITE setTextOffsetX)
    Q_PROPERTY(int TextOffsetY READ TextOffsetY WRITE setTextOffsetY)
    Q_PROPERTY(int TextAngle READ TextAngle WRITE setTextAngle)
    Q_PROPERTY(bool Transparent READ Transparent WRITE setTransparent)
    // Set by the owner at run time; takes effect at the next tick.
    Q_PROPERTY(double AlarmTime READ AlarmTime WRITE setAlarmTime DESIGNABLE false STORED false)
public:
    explicit TVrLedClock(QWidget* parent = nullptr);
    ~TVrLedClock() override;

    bool Threaded() const;
    void setThreaded(bool value);
    bool Active() const;
    void setActive(bool value);
    bool SecondsIndicator() const;
    void setSecondsIndicator(bool value);
    bool HourMarks() const;
    void setHourMarks(bool value);
    QImage Background() const;
    void setBackground(const QImage& value);
    framework::TColor HoursColor() const;
    void setHoursColor(framework::TColor value);
    framework::TColor HoursOutline() const;
    void setHoursOutline(framework::TColor value);
    framework::TColor SecHandColor() const;
    void setSecHandColor(framework::TColor value);
    framework::TColor SecOutline() const;
    void setSecOutline(framework::TColor value);
    int SecWidth() const;
    void setSecWidth(int value);
    framework::TColor TickColor() const;
    void setTickColor(framework::TColor value);
    framework::TColor TickOutline() const;
    void setTickOutline(framework::TColor value);
    int TickWidth() const;
    void setTickWidth(int value);  // 0 or less is ignored
    // On air, as a studio clock shows a tally: the lit LEDs (the digits and the second dots) take
    // OnAirColor, red unless set; a clock whose own colours are red needs another. Off at start.
    bool OnAir() const;
    void setOnAir(bool value);
    framework::TColor OnAirColor() const;
    void setOnAirColor(framework::TColor value);
    bool EnableAlarm() const;
    void setEnableAlarm(bool value);
    // Hours 0..23, minutes and seconds 0..59; a value outside raises framework::ERangeError.
    int Hours() const;
    void setHours(int value);
    TVrHourFormat HourFormat() const;
    void setHourFormat(TVrHourFormat value);
    int Minutes() const;
    void setMinutes(int value);
    int Seconds() const;
    void setSeconds(int value);
    int LedSize() const;
    void setLedSize(int value);
    int Spacing() const;
    void setSpacing(int value);
    int TextOffsetX() const;
    void setTextOffsetX(int value);
    int TextOffsetY() const;
    void setTextOffsetY(int value);
    int TextAngle() const;
    void setTextAngle(int value);
    framework::TDateTime AlarmTime() const;
    void setAlarmTime(framework::TDateTime value);

    TVrTimer* Timer() const;
    TVrBoundaryTimer* BoundaryTimer() const;

    // The time the face shows, HH:MM: under hfmt12h the afternoon's hours from 1 to 11.
    QString ShownTime() const;

    // To screen readers a clock named "Clock" whose text is the time shown.
    QAccessible::Role AccessibleRole() const override;
    QString AccessibleText() const override;
    QString UnnamedAccessibleName() const override;

    void Loaded() override;
    // Redraws, and tells screen readers when the time shown changed.
    void UpdateControl() override;

    // One tick: takes the local time, redraws what changed, raises the events, and (while Active)
    // arms the boundary timer for the next second boundary and the timer shortly before it.
    void UpdateTime(QObject* sender);
    // Draws the next second's face off screen, so that its boundary only copies what changed;
    // nothing reaches the screen. Ticks at once instead if the second shown has already ended.
    void PrepareNextSecond();

    // The horizontal shift of a row of LED dots: rnd(tan(angle) x value), 0 when that fails.
    static int SlantOffset(int value, int angle);

    // What drawing or erasing a part of the face changes, in control pixels, with a pixel to
    // spare: the dot of a second (0..59), and every dot the HH:MM text may light.
    QRect SecondDotRect(int second) const;
    QRect TimeTextRect() const;

signals:
    // A handler that may raise is connected with framework::ConnectGuarded; a plainly connected one
    // must not raise.
    void OnHoursChanged(QObject* sender, quint16 hours);
    void OnMinutesChanged(QObject* sender, quint16 minutes);
    void OnSecondsChanged(QObject* sender, quint16 seconds);
    void OnAlarm(QObject* sender);
    // A tick's new face has been handed to the window system: emitted as soon as the repaint of
    // what changed returns, before the events above, with the second shown (a local time to the
    // second; its boundary is the moment it was due). Raised only while the clock is visible and
    // no layout is being read, since only then does a tick reach the screen.
    void SecondShown(const QDateTime& second);

protected:
    virtual void DoHoursChanged();
    virtual void DoMinutesChanged();
    virtual void DoSecondsChanged();
    void DoAlarm();

    void Paint() override;
    void changeEvent(QEvent* event) override;
    void DrawTime();
    // One LED glyph; x is its right reference, y its top.
    void DrawLedChar(int x, int y, QChar character);

private:
    struct Private;

    TVrClockFaceGeometry Geometry() const;
    TVrFrameCache::FaceKey CurrentFace();
    void DrawFace();
    // The face drawn only where it meets `part`; the rest of the frame stays as it is.
    void DrawFaceWithin(const QRect& part);
    // Draws `second`'s face off screen ahead of its boundary, over the face shown when it can.
    void DrawAhead(const QDateTime& second);
    // What a tick from the face shown at `shown` changes, as worked out ahead if it was.
    QRegion ChangedByTick(const QTime& shown);

    // Stores the hours, minutes and seconds of `sample`, a local time to the second; returns it.
    QDateTime TakeSample(const QDateTime& sample);
    // A tick to `sample`, a local time to the second: the changed pixels, then the events.
    void ShowSample(const QDateTime& sample);
    bool AlarmDue(const QDateTime& sample) const;
    // Tells screen readers of a new time on the face: once a minute, never every second.
    void AnnounceShownTime();

    std::unique_ptr<Private> d;
};

}  // namespace display
