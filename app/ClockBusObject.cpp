#include "app/ClockBusObject.h"

#include "app/ClockTiming.h"
#include "app/ClockTrustFollower.h"
#include "app/SchedulingPriority.h"

#include <QCoreApplication>
#include <QDBusMessage>
#include <QLoggingCategory>
#include <utility>

namespace {

Q_LOGGING_CATEGORY(lcBus, "studioclock.bus")

const char* const kStates[] = {"synchronised", "holdover", "not-synchronised", "unknown"};

void AddFigures(QVariantMap& timing, const QString& measure, const ClockTiming::Figures& figures)
{
    const std::pair<const char*, const SecondTiming::Summary&> spans[]
        = {{"minute", figures.lastMinute}, {"hour", figures.lastHour}};
    for (const auto& [span, summary] : spans) {
        const QString key = measure + QLatin1Char('.') + QLatin1String(span) + QLatin1Char('.');
        timing.insert(key + QStringLiteral("seconds"), summary.seconds);
        timing.insert(key + QStringLiteral("median-us"), summary.medianUs);
        timing.insert(key + QStringLiteral("p99-us"), summary.p99Us);
        timing.insert(key + QStringLiteral("worst-us"), summary.worstUs);
        timing.insert(key + QStringLiteral("late"), summary.late);
    }
}

}  // namespace

ClockBusObject::ClockBusObject(QObject* parent, const ClockTrustFollower* trust, const ClockTiming* timing,
    const SchedulingPriority* priority, QDBusConnection bus)
    : QObject(parent)
    , trust_(trust)
    , timing_(timing)
    , priority_(priority)
    , bus_(std::move(bus))
    , name_(ServicePrefix() + QString::number(QCoreApplication::applicationPid()))
{
    if (!bus_.isConnected())
        return;
    if (!bus_.registerObject(ObjectPath(), this, QDBusConnection::ExportAllProperties)) {
        qCWarning(lcBus) << "cannot put the clock's object on the session bus:" << bus_.lastError().message();
        return;
    }
    if (!bus_.registerService(name_)) {
        qCWarning(lcBus) << "cannot own" << name_ << "on the session bus:" << bus_.lastError().message();
        bus_.unregisterObject(ObjectPath());
        return;
    }
    reachable_ = true;
    connect(trust_, &ClockTrustFollower::Changed, this, [this] {
        TellChanged(
            {QStringLiteral("TrustState"), QStringLiteral("TrustLine"), QStringLiteral("TrustDescription"),
                QStringLiteral("LastCorrectionUSec"), QStringLiteral("MaximumErrorUSec"),
                QStringLiteral("TimeService"), QStringLiteral("TimeServer"), QStringLiteral("Stratum")});
    });
    connect(
        timing_, &ClockTiming::MinuteCompleted, this, [this] { TellChanged({QStringLiteral("Timing")}); });
    connect(priority_, &SchedulingPriority::GrantedChanged, this,
        [this] { TellChanged({QStringLiteral("Priority")}); });
}

ClockBusObject::~ClockBusObject()
{
    if (!reachable_)
        return;
    bus_.unregisterService(name_);
    bus_.unregisterObject(ObjectPath());
}

QString ClockBusObject::ServicePrefix()
{
    return QStringLiteral(STUDIO_CLOCK_APP_ID ".instance");
}

QString ClockBusObject::ObjectPath()
{
    return QStringLiteral("/example/studioclock/StudioClock");
}

QString ClockBusObject::InterfaceName()
{
    return QStringLiteral("example.studioclock.StudioClock1");
}

void ClockBusObject::TellChanged(const QStringList& names)
{
    QVariantMap changed;
    for (const QString& name : names)
        changed.insert(name, property(name.toLatin1().constData()));
    QDBusMessage signal = QDBusMessage::createSignal(
        ObjectPath(), QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("PropertiesChanged"));
    signal << InterfaceName() << changed << QStringList();
    bus_.send(signal);
}

QString ClockBusObject::TrustState() const
{
    return QString::fromLatin1(kStates[static_cast<int>(trust_->Trust().state)]);
}

QString ClockBusObject::TrustLine() const
{
    return trust_->Said().faceLine;
}

QString ClockBusObject::TrustDescription() const
{
    return trust_->Said().toolTip;
}

qulonglong ClockBusObject::LastCorrectionUSec() const
{
    const qint64 last = trust_->Trust().lastCorrectionMs;
    return last > 0 ? static_cast<qulonglong>(last) * 1000 : 0;
}

qulonglong ClockBusObject::MaximumErrorUSec() const
{
    return static_cast<qulonglong>(std::max<qint64>(0, trust_->Trust().kernel.maxErrorUs));
}

QString ClockBusObject::TimeService() const
{
    const auto& service = trust_->Trust().service;
    return service ? service->service : QString();
}

QString ClockBusObject::TimeServer() const
{
    const auto& service = trust_->Trust().service;
    return service ? service->server : QString();
}

int ClockBusObject::Stratum() const
{
    const auto& service = trust_->Trust().service;
    return service ? service->stratum : 0;
}

QVariantMap ClockBusObject::Timing() const
{
    QVariantMap timing;
    AddFigures(timing, QStringLiteral("handover"), timing_->HandOver());
    if (const std::optional<ClockTiming::Figures> presented = timing_->Presented())
        AddFigures(timing, QStringLiteral("presented"), *presented);
    return timing;
}

QString ClockBusObject::Priority() const
{
    return priority_->Granted();
}
