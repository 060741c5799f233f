#pragma once

#include <QDateTime>
#include <QString>
#include <optional>

// Where a countdown counts to, as an operator writes it: a mark of every hour (":00", the full
// hour; ":30"; ":59:50") or a time of day ("17:00", "17:00:30"), read in local time. Both repeat:
// once the target is reached the countdown waits for the next one.
class CountdownTarget {
public:
    // The target `text` names; nullopt, with the reason in `why`, for text that names none.
    static std::optional<CountdownTarget> Parse(const QString& text, QString* why);

    // The target written as Parse reads it: ":30", ":59:50", "17:00", "17:00:30".
    QString Text() const;
    // The first moment at or after `from` that the target falls on. A time of day that a change
    // to summer time skips falls on the moment the clock jumps to; one that a change back repeats
    // falls on its first passing.
    QDateTime NextFrom(const QDateTime& from) const;

    bool operator==(const CountdownTarget& other) const
    {
        return hourly_ == other.hourly_ && hour_ == other.hour_ && minute_ == other.minute_
            && second_ == other.second_;
    }

private:
    CountdownTarget(bool hourly, int hour, int minute, int second);

    QDateTime NextMarkOfTheHour(const QDateTime& from) const;
    QDateTime NextTimeOfDay(const QDateTime& from) const;

    bool hourly_;
    int hour_;
    int minute_;
    int second_;
};
