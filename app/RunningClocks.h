#pragma once

#include <QDBusConnection>
#include <QStringList>
#include <QVariantMap>
#include <optional>

// The clocks running on the session bus, as the command-line options that act on them reach them
// (these never start a clock). Every call waits a few seconds at most.
class RunningClocks {
public:
    explicit RunningClocks(QDBusConnection bus = QDBusConnection::sessionBus());

    // Whether there is a session bus to ask.
    bool BusReached() const { return bus_.isConnected(); }
    // The running clocks' names on the bus, in the order they started (by process id).
    QStringList Names() const;
    // The process id in a clock's name.
    static qint64 ProcessId(const QString& name);
    // All properties of one clock's interface; empty with the reason in `error` when it does not
    // answer.
    std::optional<QVariantMap> Properties(const QString& name, QString* error) const;

private:
    QDBusConnection bus_;
};

// What `studio-clock --timing` prints: each running clock's own timing over the last minute and
// hour. The exit code: 0, or 1 when no clock can be reached.
int PrintTiming(const RunningClocks& clocks);
