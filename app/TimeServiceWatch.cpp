#include "app/TimeServiceWatch.h"

namespace {

constexpr int kTimeSyncdEveryMs = 60 * 1000;
constexpr qint64 kChronyEveryMs = 5LL * 60 * 1000;

}  // namespace

TimeServiceWatch::TimeServiceWatch(QObject* parent, const QDBusConnection& systemBus, const QString& chronyc)
    : QObject(parent)
    , timesyncd_(systemBus)
    , chrony_(chronyc)
{
    every_.setInterval(kTimeSyncdEveryMs);
    connect(&every_, &QTimer::timeout, this,
        [this] { Ask(!sinceChrony_.isValid() || sinceChrony_.hasExpired(kChronyEveryMs)); });
    connect(&timesyncd_, &TimeSyncdReader::Answered, this, &TimeServiceWatch::TimeSyncdAnswered);
    connect(&chrony_, &ChronyReader::Answered, this, &TimeServiceWatch::Reported);
    every_.start();
}

void TimeServiceWatch::AskNow()
{
    Ask(true);
}

void TimeServiceWatch::Ask(bool chronyToo)
{
    chronyToo_ = chronyToo;
    timesyncd_.Ask();
}

void TimeServiceWatch::TimeSyncdAnswered(const std::optional<TimeServiceReport>& report)
{
    if (report || !chronyToo_) {
        // A silent timesyncd between chrony's turns leaves chrony's last report standing.
        if (report)
            emit Reported(report);
        return;
    }
    sinceChrony_.start();
    chrony_.Ask();
}
