#pragma once

#include "app/CountdownTarget.h"

#include <QDateTime>
#include <QString>
#include <optional>

// What the countdown shows at one second of the wall clock: the time left as "−M:SS" from ten
// minutes before its target, then "0:00" for a few seconds at the target; nothing in between.
struct CountdownReading {
    bool shown = false;
    QString text;
    // The last ten seconds and the target itself, shown in red.
    bool closing = false;
    // Whole seconds to the target; 0 at it and while "0:00" stays.
    qint64 secondsLeft = 0;
    // The moment counted to.
    QDateTime target;
};

// How long before its target the countdown shows, and how long "0:00" stays.
constexpr qint64 kCountdownShownSeconds = 600;
constexpr qint64 kCountdownZeroSeconds = 5;

CountdownReading ReadCountdown(const CountdownTarget& target, const QDateTime& second);

// Whether going from `before` seconds left (nullopt: nothing was counting) to `now` passes a
// moment a screen reader is told of: 60, 30 or 10 s left, or the target.
bool PassesSpokenMoment(std::optional<qint64> before, const CountdownReading& now);

// The countdown in words for a screen reader: "30 seconds to 17:00", "17:00, now".
QString SpokenCountdown(const CountdownReading& reading, bool portuguese);
