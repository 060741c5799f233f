#pragma once

#include "app/CountdownReading.h"

#include <QObject>
#include <optional>

class ClockFaceNotice;
namespace display {
class TVrLedClock;
}

// What the studio tells the clock beyond the time: on air, from the mixer's fader or the playout
// system, and a countdown to a target, shown on the face above the digits from ten minutes before
// it. The window's key, the session bus and the command line set them here; a change is signalled
// whoever made it.
class StudioSignals : public QObject {
    Q_OBJECT
public:
    explicit StudioSignals(display::TVrLedClock* clock);

    bool OnAir() const;
    void SetOnAir(bool onAir);
    // The target counted to; nullopt for none.
    const std::optional<CountdownTarget>& Countdown() const { return target_; }
    void SetCountdown(const std::optional<CountdownTarget>& target);

    // Shows the countdown as at the second the clock shows; called once that second is shown, so
    // that the countdown changes with it, never before.
    void FollowSecond();

    // The countdown's colours: white, which no part of the face nor the warning uses, and red.
    static QColor CountingColour();
    static QColor ClosingColour();

signals:
    void OnAirChanged();
    void CountdownChanged();

private:
    display::TVrLedClock* clock_;
    ClockFaceNotice* line_;  // a child of the clock
    std::optional<CountdownTarget> target_;
    // The seconds left at the last second counted, for what a screen reader is told.
    std::optional<qint64> countedBefore_;
};
