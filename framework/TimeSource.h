#pragma once

#include "framework/DateTime.h"
#include "framework/Export.h"

#include <QDateTime>
#include <memory>
#include <mutex>

// The one place the program asks for the local date and time, so that tests and tools can stand
// at any moment of any day.
namespace framework {

class STUDIOCLOCK_FRAMEWORK_EXPORT TimeSource {
public:
    virtual ~TimeSource() = default;
    virtual QDateTime LocalNow() const = 0;
    // The same moment as milliseconds since the epoch.
    virtual qint64 MSecsSinceEpoch() const;
};

class STUDIOCLOCK_FRAMEWORK_EXPORT SystemTimeSource : public TimeSource {
public:
    QDateTime LocalNow() const override;
    // Without the local time's conversions, which cost a time-zone lookup each.
    qint64 MSecsSinceEpoch() const override;
};

// A clock that stands still until it is set or advanced.
class STUDIOCLOCK_FRAMEWORK_EXPORT ManualTimeSource : public TimeSource {
public:
    explicit ManualTimeSource(QDateTime start);
    QDateTime LocalNow() const override;
    void Set(const QDateTime& value);
    void AdvanceMSecs(qint64 msecs);

private:
    mutable std::mutex mutex_;
    QDateTime now_;
};

// Installs a source for the whole program (nullptr restores the system clock) and returns the one
// it replaced. Safe to call from any thread.
STUDIOCLOCK_FRAMEWORK_EXPORT std::shared_ptr<TimeSource> SetTimeSource(std::shared_ptr<TimeSource> source);

STUDIOCLOCK_FRAMEWORK_EXPORT QDateTime LocalNow();
STUDIOCLOCK_FRAMEWORK_EXPORT qint64 MSecsSinceEpoch();
STUDIOCLOCK_FRAMEWORK_EXPORT TDateTime Now();   // date and time of day
STUDIOCLOCK_FRAMEWORK_EXPORT TDateTime Date();  // today, time 00:00

}  // namespace framework
