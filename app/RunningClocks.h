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
    // Writes one property of a clock's interface; false, with the clock's reason in `error`, when
    // it refuses or does not answer.
    bool Set(const QString& name, const QString& property, const QVariant& value, QString* error) const;

private:
    // One call to a clock's properties, which are never started by being called.
    QDBusMessage Call(const QString& name, const QString& method, const QVariantList& arguments) const;

    QDBusConnection bus_;
};

// What `studio-clock --timing` prints: each running clock's own timing over the last minute and
// hour. The exit code: 0, or 1 when no clock can be reached.
int PrintTiming(const RunningClocks& clocks);

// What `studio-clock --on-air`, `--off-air`, `--set-countdown` and `--clear-countdown` do: writes
// `changes` (property names to values) to every running clock. The exit code: 0 when every clock
// took them; 1, with one line, when no clock can be reached; 2, with a line for each, when a
// clock refused or did not answer.
int ChangeRunningClocks(const RunningClocks& clocks, const QVariantMap& changes);
