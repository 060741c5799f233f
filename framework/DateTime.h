#pragma once

#include "framework/Export.h"

#include <QDateTime>
#include <cstdint>

// Date-times as a floating-point count of days since 30 December 1899, the fraction being the time
// of day. Before that day the whole part counts backwards while the fraction still runs forward
// (-1.25 is 29 December 1899, 06:00).
namespace framework {

using TDateTime = double;

struct STUDIOCLOCK_FRAMEWORK_EXPORT DecodedTime {
    int Hour = 0;
    int Minute = 0;
    int Second = 0;
    int MSec = 0;
};

// Raise the framework's conversion error for dates Qt cannot represent or invalid fields.
STUDIOCLOCK_FRAMEWORK_EXPORT TDateTime EncodeDate(int year, int month, int day);
STUDIOCLOCK_FRAMEWORK_EXPORT TDateTime EncodeTime(int hour, int minute, int second, int msec);
STUDIOCLOCK_FRAMEWORK_EXPORT DecodedTime DecodeTime(TDateTime value);

STUDIOCLOCK_FRAMEWORK_EXPORT TDateTime FromQDateTime(
    const QDateTime& value);  // local wall-clock fields, no time zone shift
STUDIOCLOCK_FRAMEWORK_EXPORT QDateTime ToQDateTime(TDateTime value);  // local time
STUDIOCLOCK_FRAMEWORK_EXPORT QDate ToQDate(TDateTime value);

// The whole-day part, toward zero.
STUDIOCLOCK_FRAMEWORK_EXPORT std::int64_t DateOf(TDateTime value);

}  // namespace framework
