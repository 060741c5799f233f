#include "app/ClockBusObject.h"

#include "app/ClockTiming.h"
#include "app/ClockTrustFollower.h"
#include "app/SchedulingPriority.h"
#include "app/StudioSignals.h"

#include <QCoreApplication>
#include <QDBusArgument>
#include <QDBusError>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QLoggingCategory>
#include <QMetaProperty>
#include <utility>

namespace {

Q_LOGGING_CATEGORY(lcBus, "studioclock.bus")

const char* const kStates[] = {"synchronised", "holdover", "not-synchronised", "unknown"};

QString PropertiesInterface()
{
    return QStringLiteral("org.freedesktop.DBus.Properties");
}

// The D-Bus type of a value as it arrived: "b", "s", "as", ...
QString SignatureOf(const QVariant& value)
{
    if (value.metaType() == QMetaType::fromType<QDBusArgument>())
        return value.value<QDBusArgument>().currentSignature();
    const char* signature = QDBusMetaType::typeToSignature(value.metaType());
    return signature ? QString::fromLatin1(signature) : QStringLiteral("?");
}

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

// The countdown a written Countdown names: none for empty text, else its target; nullopt, with the
// reason in `why`, for a target that does not parse.
std::optional<std::optional<CountdownTarget>> CountdownWritten(const QString& text, QString* why)
{
    if (text.trimmed().isEmpty())
        return std::optional<CountdownTarget>();
    if (std::optional<CountdownTarget> target = CountdownTarget::Parse(text, why))
        return target;
    return std::nullopt;
}

}  // namespace

ClockBusObject::ClockBusObject(QObject* parent, const ClockTrustFollower* trust, const ClockTiming* timing,
    const SchedulingPriority* priority, StudioSignals* studio, QDBusConnection bus)
    : QDBusVirtualObject(parent)
    , trust_(trust)
    , timing_(timing)
    , priority_(priority)
    , studio_(studio)
    , bus_(std::move(bus))
    , name_(ServicePrefix() + QString::number(QCoreApplication::applicationPid()))
{
    if (!bus_.isConnected())
        return;
    if (!bus_.registerVirtualObject(ObjectPath(), this)) {
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
    connect(studio_, &StudioSignals::OnAirChanged, this, [this] { TellChanged({QStringLiteral("OnAir")}); });
    connect(studio_, &StudioSignals::CountdownChanged, this,
        [this] { TellChanged({QStringLiteral("Countdown")}); });
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
        ObjectPath(), PropertiesInterface(), QStringLiteral("PropertiesChanged"));
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

bool ClockBusObject::OnAir() const
{
    return studio_->OnAir();
}

void ClockBusObject::SetOnAir(bool onAir)
{
    studio_->SetOnAir(onAir);
}

QString ClockBusObject::Countdown() const
{
    const std::optional<CountdownTarget>& target = studio_->Countdown();
    return target ? target->Text() : QString();
}

void ClockBusObject::SetCountdown(const QString& target)
{
    QString why;
    if (const std::optional<std::optional<CountdownTarget>> countdown = CountdownWritten(target, &why))
        studio_->SetCountdown(*countdown);
}

QString ClockBusObject::introspect(const QString& /*path*/) const
{
    QString xml = QStringLiteral("  <interface name=\"%1\">\n").arg(InterfaceName());
    const QMetaObject* const meta = metaObject();
    for (int i = meta->propertyOffset(); i < meta->propertyCount(); ++i) {
        const QMetaProperty property = meta->property(i);
        xml += QStringLiteral("    <property name=\"%1\" type=\"%2\" access=\"%3\"/>\n")
                   .arg(QLatin1String(property.name()),
                       QLatin1String(QDBusMetaType::typeToSignature(property.metaType())),
                       property.isWritable() ? QStringLiteral("readwrite") : QStringLiteral("read"));
    }
    return xml + QStringLiteral("  </interface>\n");
}

bool ClockBusObject::handleMessage(const QDBusMessage& message, const QDBusConnection& connection)
{
    // Introspection and Peer are Qt's; the clock's own interface has properties alone.
    if (message.interface() == InterfaceName())
        return connection.send(message.createErrorReply(QDBusError::UnknownMethod,
            QStringLiteral("%1 has no methods, only properties").arg(InterfaceName())));
    if (message.interface() != PropertiesInterface())
        return false;
    const QVariantList arguments = message.arguments();
    const QString interface = arguments.value(0).toString();
    if (!interface.isEmpty() && interface != InterfaceName())
        return connection.send(message.createErrorReply(QDBusError::UnknownInterface,
            QStringLiteral("%1 has no interface %2").arg(ObjectPath(), interface)));
    const QString member = message.member();
    const QString signature = message.signature();
    if (member == QStringLiteral("GetAll") && signature == QStringLiteral("s"))
        return connection.send(message.createReply(QVariant::fromValue(AllProperties())));
    if (member == QStringLiteral("Get") && signature == QStringLiteral("ss"))
        return connection.send(Read(message, arguments.at(1).toString()));
    if (member == QStringLiteral("Set") && signature == QStringLiteral("ssv"))
        return connection.send(
            Write(message, arguments.at(1).toString(), arguments.at(2).value<QDBusVariant>().variant()));
    return connection.send(message.createErrorReply(QDBusError::UnknownMethod,
        QStringLiteral("No method %1 with arguments (%2)").arg(member, signature)));
}

QVariantMap ClockBusObject::AllProperties() const
{
    QVariantMap all;
    const QMetaObject* const meta = metaObject();
    for (int i = meta->propertyOffset(); i < meta->propertyCount(); ++i)
        all.insert(QLatin1String(meta->property(i).name()), meta->property(i).read(this));
    return all;
}

std::optional<QMetaProperty> ClockBusObject::Exported(const QString& name) const
{
    const QMetaObject* const meta = metaObject();
    const int index = meta->indexOfProperty(name.toLatin1().constData());
    if (index < meta->propertyOffset())
        return std::nullopt;
    return meta->property(index);
}

QDBusMessage ClockBusObject::Read(const QDBusMessage& call, const QString& name) const
{
    const std::optional<QMetaProperty> property = Exported(name);
    if (!property)
        return call.createErrorReply(QDBusError::UnknownProperty, QStringLiteral("No property %1").arg(name));
    return call.createReply(QVariant::fromValue(QDBusVariant(property->read(this))));
}

QDBusMessage ClockBusObject::Write(const QDBusMessage& call, const QString& name, const QVariant& value)
{
    const std::optional<QMetaProperty> property = Exported(name);
    if (!property)
        return call.createErrorReply(QDBusError::UnknownProperty, QStringLiteral("No property %1").arg(name));
    if (!property->isWritable())
        return call.createErrorReply(
            QDBusError::PropertyReadOnly, QStringLiteral("%1 is read-only").arg(name));
    const QString wanted = QLatin1String(QDBusMetaType::typeToSignature(property->metaType()));
    if (SignatureOf(value) != wanted)
        return call.createErrorReply(QDBusError::InvalidArgs,
            QStringLiteral("%1 takes a value of type '%2', not '%3'").arg(name, wanted, SignatureOf(value)));
    QString why;
    if (name == QStringLiteral("Countdown") && !CountdownWritten(value.toString(), &why))
        return call.createErrorReply(QDBusError::InvalidArgs, why);
    property->write(this, value);
    return call.createReply();
}
