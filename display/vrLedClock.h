// vrLedClock: TVrLedClock, the LED clock.
#pragma once

#include "display/Export.h"
#include "display/VrBoundaryTimer.h"
#include "display/VrControls.h"
#include "display/VrThreads.h"
#include "display/VrTypes.h"
#include "framework/Arithmetic.h"
#include "framework/DateTime.h"

#include <QDateTime>
#include <QImage>
#include <QRegion>
#include <array>
#include <cstdint>
#include <optional>

namespace display {

// The studio clock face: twelve hour marks, HH:MM in slanted LED dots and a ring of second dots
// growing clockwise from 12 o'clock. While Active it follows the local time from the framework's
// time source: its timer wakes it shortly before each second boundary of the wall clock to draw the
// next face off screen, its boundary timer at the boundary to show it; then it raises an event for
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
    bool Active() const { return active_; }
    void setActive(bool value);
    bool SecondsIndicator() const { return secondsIndicator_; }
    void setSecondsIndicator(bool value) { ChangeAndUpdate(secondsIndicator_, value); }
    bool HourMarks() const { return hourMarks_; }
    void setHourMarks(bool value) { ChangeAndUpdate(hourMarks_, value); }
    QImage Background() const { return background_; }
    void setBackground(const QImage& value);
    framework::TColor HoursColor() const { return hoursColor_; }
    void setHoursColor(framework::TColor value) { ChangeAndUpdate(hoursColor_, value); }
    framework::TColor HoursOutline() const { return hoursOutline_; }
    void setHoursOutline(framework::TColor value) { ChangeAndUpdate(hoursOutline_, value); }
    framework::TColor SecHandColor() const { return secHandColor_; }
    void setSecHandColor(framework::TColor value) { ChangeAndUpdate(secHandColor_, value); }
    framework::TColor SecOutline() const { return secOutline_; }
    void setSecOutline(framework::TColor value) { ChangeAndUpdate(secOutline_, value); }
    int SecWidth() const { return secWidth_; }
    void setSecWidth(int value) { ChangeAndUpdate(secWidth_, value); }
    framework::TColor TickColor() const { return tickColor_; }
    void setTickColor(framework::TColor value) { ChangeAndUpdate(tickColor_, value); }
    framework::TColor TickOutline() const { return tickOutline_; }
    void setTickOutline(framework::TColor value) { ChangeAndUpdate(tickOutline_, value); }
    int TickWidth() const { return tickWidth_; }
    void setTickWidth(int value);  // 0 or less is ignored
    bool EnableAlarm() const { return enableAlarm_; }
    void setEnableAlarm(bool value) { enableAlarm_ = value; }
    // Hours 0..23, minutes and seconds 0..59; a value outside raises framework::ERangeError.
    int Hours() const { return hours_; }
    void setHours(int value) { ChangeAndUpdate(hours_, framework::RangeChecked(value, 0, 23)); }
    TVrHourFormat HourFormat() const { return hourFormat_; }
    void setHourFormat(TVrHourFormat value) { ChangeAndUpdate(hourFormat_, framework::CheckedEnum(value)); }
    int Minutes() const { return minutes_; }
    void setMinutes(int value) { ChangeAndUpdate(minutes_, framework::RangeChecked(value, 0, 59)); }
    int Seconds() const { return seconds_; }
    void setSeconds(int value) { ChangeAndUpdate(seconds_, framework::RangeChecked(value, 0, 59)); }
    int LedSize() const { return ledSize_; }
    void setLedSize(int value) { ChangeAndUpdate(ledSize_, value); }
    int Spacing() const { return spacing_; }
    void setSpacing(int value) { ChangeAndUpdate(spacing_, value); }
    int TextOffsetX() const { return textOffsetX_; }
    void setTextOffsetX(int value) { ChangeAndUpdate(textOffsetX_, value); }
    int TextOffsetY() const { return textOffsetY_; }
    void setTextOffsetY(int value) { ChangeAndUpdate(textOffsetY_, value); }
    int TextAngle() const { return textAngle_; }
    void setTextAngle(int value) { ChangeAndUpdate(textAngle_, value); }
    framework::TDateTime AlarmTime() const { return alarmTime_; }
    void setAlarmTime(framework::TDateTime value) { alarmTime_ = value; }

    TVrTimer* Timer() const { return timer_; }
    TVrBoundaryTimer* BoundaryTimer() const { return boundary_; }

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
    void OnHoursChanged(QObject* sender, quint16 hours);
    void OnMinutesChanged(QObject* sender, quint16 minutes);
    void OnSecondsChanged(QObject* sender, quint16 seconds);
    void OnAlarm(QObject* sender);

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
    // The centre and the radii of the hour marks and the second dots, from the control's size.
    struct Rings {
        framework::CheckedInt cx, cy, hourRadius, secondRadius;
    };
    Rings RingGeometry() const;
    // The corners of the ellipses the face draws: the dot of a second, and the LED dot at (row,
    // column) of a glyph whose right reference is (x, y), the columns counted leftwards.
    framework::TRect SecondDotCorners(const Rings& rings, int second) const;
    framework::TRect LedCorners(int x, int y, int row, int column) const;
    // Each character of the time text with the right reference and top it is drawn at.
    struct PlacedChar {
        QChar character;
        int x, y;
    };
    std::array<PlacedChar, 5> TimeLayout() const;
    // What a tick from the given time changes on the face: the second dots that came or went, and
    // the text when the hour or minute changed.
    QRegion ChangedSince(int oldHours, int oldMinutes, int oldSeconds) const;
    // The same, as worked out when this face was drawn ahead, if it was.
    QRegion ChangedByTick(int oldHours, int oldMinutes, int oldSeconds);

    // Everything the face drawn off screen depends on: a frame drawn ahead is shown only when this
    // is still the same at the boundary.
    struct FaceKey {
        int hours, minutes, seconds;
        std::uint64_t state;
        QSize size, bitmapSize;
        framework::TPoint origin;
        qreal ratio;
        bool operator==(const FaceKey& other) const;
    };
    FaceKey CurrentFace();
    void DrawFace();
    // The face drawn only where it meets `part`; the rest of the frame stays as it is.
    void DrawFaceWithin(const QRect& part);

    void ArmForNextSecond();
    // The boundary timer woke: a new second, or a set clock, is shown at once; a wake before the
    // time source reaches the boundary waits the rest.
    void BoundaryDue(bool clockSet);
    // Stores the hours, minutes and seconds of `sample`, a local time to the second; returns it.
    QDateTime TakeSample(const QDateTime& sample);
    // A tick to `sample`, a local time to the second: the changed pixels, then the events.
    void ShowSample(const QDateTime& sample);
    bool AlarmDue(const QDateTime& sample) const;
    // Tells screen readers of a new time on the face: once a minute, never every second.
    void AnnounceShownTime();

    bool active_ = false;
    bool secondsIndicator_ = true;
    bool hourMarks_ = true;
    int hours_ = 0;
    int minutes_ = 0;
    int seconds_ = 0;
    QImage background_;
    framework::TColor hoursColor_ = framework::clRed;
    framework::TColor hoursOutline_ = framework::clRed;
    framework::TColor secHandColor_ = framework::clRed;
    framework::TColor secOutline_ = framework::clRed;
    framework::TColor tickColor_ = framework::clRed;
    int tickWidth_ = 2;
    framework::TColor tickOutline_ = framework::clRed;
    framework::TDateTime alarmTime_ = 0;
    bool enableAlarm_ = false;
    TVrTimer* timer_ = nullptr;             // a child: freed first by the destructor
    TVrBoundaryTimer* boundary_ = nullptr;  // a child
    std::uint64_t faceState_ = 0;           // counts the changes of what the face is drawn from
    std::optional<FaceKey> held_;           // what the off-screen frame holds, when known
    // A face drawn ahead of the boundary: the face, the time of the one it follows, and what
    // differs between the two.
    struct DrawnAhead {
        FaceKey face;
        std::array<int, 3> from;
        QRegion changed;
    };
    std::optional<DrawnAhead> drawnAhead_;
    int secWidth_ = 2;
    int ledSize_ = 3;
    int spacing_ = 8;
    int textOffsetX_ = 0;
    int textOffsetY_ = 0;
    int textAngle_ = 10;
    TVrHourFormat hourFormat_ = hfmt24h;
    QDateTime lastSample_;  // the previous tick's local time, to the second
    QDateTime nextSample_;  // the second the boundary timer is armed for
    qint64 nextSampleMSecs_ = 0;
    QString announcedTime_;  // the time screen readers were last told of
};

}  // namespace display
