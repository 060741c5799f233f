#pragma once

#include <QDBusConnection>
#include <QDBusVirtualObject>
#include <QMetaProperty>
#include <QVariantMap>
#include <optional>

class ClockTiming;
class ClockTrustFollower;
class SchedulingPriority;
class StudioSignals;

// The running clock on the session bus, for whoever looks after the studio: every clock owns a
// name of its own (`ServicePrefix()` and its process id, in the way media players do) with one
// object, `ObjectPath()`, whose interface `InterfaceName()` holds, read-only, how far the system
// clock can be trusted and why, where its time comes from, the clock's own timing and the
// scheduling priority it was granted; and, to be written by the playout system or a switch, the
// studio's signals: on air and the countdown's target. A change is told with PropertiesChanged;
// the timing figures, which move every second, are told once a minute and read fresh on every Get.
// Without a session bus the clock runs as before, unreachable. The properties are served here, not
// by Qt's export, which would take a value of another type for a written property and say nothing
// of a refusal: a write of the wrong type, or a target that does not parse, is answered with an
// error that says why, and nothing changes.
class ClockBusObject : public QDBusVirtualObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "example.studioclock.StudioClock1")
    Q_PROPERTY(QString TrustState READ TrustState)
    Q_PROPERTY(QString TrustLine READ TrustLine)
    Q_PROPERTY(QString TrustDescription READ TrustDescription)
    Q_PROPERTY(qulonglong LastCorrectionUSec READ LastCorrectionUSec)
    Q_PROPERTY(qulonglong MaximumErrorUSec READ MaximumErrorUSec)
    Q_PROPERTY(QString TimeService READ TimeService)
    Q_PROPERTY(QString TimeServer READ TimeServer)
    Q_PROPERTY(int Stratum READ Stratum)
    Q_PROPERTY(QVariantMap Timing READ Timing)
    Q_PROPERTY(QString Priority READ Priority)
    Q_PROPERTY(bool OnAir READ OnAir WRITE SetOnAir)
    Q_PROPERTY(QString Countdown READ Countdown WRITE SetCountdown)
public:
    ClockBusObject(QObject* parent, const ClockTrustFollower* trust, const ClockTiming* timing,
        const SchedulingPriority* priority, StudioSignals* studio,
        QDBusConnection bus = QDBusConnection::sessionBus());
    ~ClockBusObject() override;
    ClockBusObject(const ClockBusObject&) = delete;
    ClockBusObject& operator=(const ClockBusObject&) = delete;

    static QString ServicePrefix();
    static QString ObjectPath();
    static QString InterfaceName();
    // Whether the clock owns its name and object on the bus.
    bool Reachable() const { return reachable_; }

    // "synchronised", "holdover", "not-synchronised" or "unknown".
    QString TrustState() const;
    // The line on the clock's face, empty while all is well.
    QString TrustLine() const;
    // The clock's tooltip: the source, how good it is, or since when it runs alone.
    QString TrustDescription() const;
    // The best known moment of the last correction, in microseconds since the epoch; 0: unknown.
    qulonglong LastCorrectionUSec() const;
    qulonglong MaximumErrorUSec() const;
    // The time service that reported, and its reference; empty where none did.
    QString TimeService() const;
    QString TimeServer() const;
    int Stratum() const;
    // The clock's own timing over the last minute and hour, keyed "<measure>.<span>.<figure>":
    // measure "handover" (pixels handed to the window system) or "presented" (shown, where the
    // compositor says), span "minute" or "hour", figure "seconds", "median-us", "p99-us",
    // "worst-us" or "late".
    QVariantMap Timing() const;
    // The scheduling priority the clock was granted, as SchedulingPriority says it.
    QString Priority() const;
    bool OnAir() const;
    void SetOnAir(bool onAir);
    // The countdown's target as CountdownTarget writes it; empty for none. Written, a target that
    // does not parse changes nothing.
    QString Countdown() const;
    void SetCountdown(const QString& target);

    QString introspect(const QString& path) const override;
    bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override;

private:
    void TellChanged(const QStringList& names);
    // The interface's properties by name, as GetAll answers them.
    QVariantMap AllProperties() const;
    // The interface's property `name`; nullopt for none.
    std::optional<QMetaProperty> Exported(const QString& name) const;
    // The answer to Properties.Get or Properties.Set of `name`.
    QDBusMessage Read(const QDBusMessage& call, const QString& name) const;
    QDBusMessage Write(const QDBusMessage& call, const QString& name, const QVariant& value);

    const ClockTrustFollower* trust_;
    const ClockTiming* timing_;
    const SchedulingPriority* priority_;
    StudioSignals* studio_;
    QDBusConnection bus_;
    QString name_;
    bool reachable_ = false;
};
