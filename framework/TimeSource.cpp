#include "framework/TimeSource.h"

#include <mutex>

namespace framework {

namespace {

std::mutex sourceMutex;

std::shared_ptr<TimeSource>& InstalledSource()
{
    static std::shared_ptr<TimeSource> source = std::make_shared<SystemTimeSource>();
    return source;
}

std::shared_ptr<TimeSource> CurrentSource()
{
    const std::lock_guard lock(sourceMutex);
    return InstalledSource();
}

}  // namespace

qint64 TimeSource::MSecsSinceEpoch() const
{
    return LocalNow().toMSecsSinceEpoch();
}

QDateTime SystemTimeSource::LocalNow() const
{
    return QDateTime::currentDateTime();
}

qint64 SystemTimeSource::MSecsSinceEpoch() const
{
    return QDateTime::currentMSecsSinceEpoch();
}

ManualTimeSource::ManualTimeSource(QDateTime start)
    : now_(std::move(start))
{
}

QDateTime ManualTimeSource::LocalNow() const
{
    const std::lock_guard lock(mutex_);
    return now_;
}

void ManualTimeSource::Set(const QDateTime& value)
{
    const std::lock_guard lock(mutex_);
    now_ = value;
}

void ManualTimeSource::AdvanceMSecs(qint64 msecs)
{
    const std::lock_guard lock(mutex_);
    now_ = now_.addMSecs(msecs);
}

std::shared_ptr<TimeSource> SetTimeSource(std::shared_ptr<TimeSource> source)
{
    if (!source)
        source = std::make_shared<SystemTimeSource>();
    const std::lock_guard lock(sourceMutex);
    std::swap(InstalledSource(), source);
    return source;
}

QDateTime LocalNow()
{
    return CurrentSource()->LocalNow();
}

qint64 MSecsSinceEpoch()
{
    return CurrentSource()->MSecsSinceEpoch();
}

TDateTime Now()
{
    return FromQDateTime(LocalNow());
}

TDateTime Date()
{
    return FromQDateTime(QDateTime(LocalNow().date(), QTime(0, 0)));
}

}  // namespace framework
