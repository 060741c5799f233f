#pragma once

#include "app/SecondTiming.h"

#include <QObject>
#include <functional>
#include <optional>

class QDateTime;
class PresentationFeedback;

namespace display {
class TVrLedClock;
}

// The clock's own timing: for each second the clock shows, how long after the second's boundary
// its new face was handed to the window system (the hand-over, measured as the clock's
// SecondShown arrives; on Wayland, once the commit is sent, see PresentationFeedback) and, on a Wayland
// compositor that reports presentation times, how long after it the face was on screen. Each is kept as a
// SecondTiming and read as the figures of the last completed minute and hour (see SecondTiming for what
// counts as late). MinuteCompleted is raised once a minute, as the first second of a new minute is noted; the
// figures are computed afresh on each read, against the time then.
//
// A child of the clock it measures. The time is the wall clock (CLOCK_REALTIME, microseconds since
// the epoch), the clock the seconds' boundaries are on; a test hands in its own.
class ClockTiming : public QObject {
    Q_OBJECT
public:
    using Now = std::function<qint64()>;

    struct Figures {
        SecondTiming::Summary lastMinute;
        SecondTiming::Summary lastHour;
    };

    explicit ClockTiming(display::TVrLedClock* clock, Now now = RealtimeNowUs);
    ~ClockTiming() override;

    Figures HandOver() const;
    // Empty where presentation is not measured (off Wayland, or a compositor without it).
    std::optional<Figures> Presented() const;

    static qint64 RealtimeNowUs();

signals:
    void MinuteCompleted();

private:
    void Shown(const QDateTime& second);
    Figures FiguresOf(const SecondTiming& timing) const;

    Now now_;
    SecondTiming handOver_;
    SecondTiming presented_;
    PresentationFeedback* feedback_ = nullptr;  // a child; null off Wayland
    std::optional<qint64> lastMinute_;
};
