#include "framework/DateTime.h"

#include "framework/Arithmetic.h"
#include "framework/Exceptions.h"

#include <cmath>

namespace framework {

namespace {

constexpr std::int64_t kMSecsPerDay = 86'400'000;
const QDate kEpoch(1899, 12, 30);

// Whole milliseconds of the value, rounded, so that a fraction a hair below midnight carries into
// the next day instead of decoding as 24:00.
struct Stamp {
    std::int64_t Day;   // days from the epoch
    std::int64_t Time;  // milliseconds into that day, 0 .. 86'399'999
};

Stamp ToStamp(TDateTime value)
{
    if (!std::isfinite(value))
        throw EInvalidOp();
    const std::int64_t msecs = Round(static_cast<long double>(value) * kMSecsPerDay);
    const std::int64_t day = msecs / kMSecsPerDay;
    const std::int64_t time = std::abs(msecs % kMSecsPerDay);
    return {day, time};
}

}  // namespace

TDateTime EncodeDate(int year, int month, int day)
{
    const QDate date(year, month, day);
    if (!date.isValid() || year < 1 || year > 9999)
        throw Exception(QStringLiteral("Invalid argument to date encode"));
    return static_cast<TDateTime>(kEpoch.daysTo(date));
}

TDateTime EncodeTime(int hour, int minute, int second, int msec)
{
    if (hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59 || msec < 0
        || msec > 999)
        throw Exception(QStringLiteral("Invalid argument to time encode"));
    const std::int64_t msecs = ((hour * 60LL + minute) * 60 + second) * 1000 + msec;
    return static_cast<TDateTime>(msecs) / kMSecsPerDay;
}

DecodedTime DecodeTime(TDateTime value)
{
    const std::int64_t time = ToStamp(value).Time;
    return {static_cast<int>(time / 3'600'000), static_cast<int>(time / 60'000 % 60),
        static_cast<int>(time / 1000 % 60), static_cast<int>(time % 1000)};
}

QDate ToQDate(TDateTime value)
{
    const QDate date = kEpoch.addDays(ToStamp(value).Day);
    if (!date.isValid())
        throw Exception(QStringLiteral("Invalid date"));
    return date;
}

TDateTime FromQDateTime(const QDateTime& value)
{
    const QDate date = value.date();
    const QTime time = value.time();
    if (!date.isValid() || !time.isValid())
        throw Exception(QStringLiteral("Invalid date"));
    const auto day = static_cast<double>(kEpoch.daysTo(date));
    const double fraction = time.msecsSinceStartOfDay() / static_cast<double>(kMSecsPerDay);
    return day >= 0 ? day + fraction : day - fraction;
}

QDateTime ToQDateTime(TDateTime value)
{
    const DecodedTime t = DecodeTime(value);
    return QDateTime(ToQDate(value), QTime(t.Hour, t.Minute, t.Second, t.MSec));
}

std::int64_t DateOf(TDateTime value)
{
    return Trunc(value);
}

}  // namespace framework
