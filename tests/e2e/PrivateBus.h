#pragma once

#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>

#include <memory>
#include <vector>

// A D-Bus bus of one test's own, of the session or the system kind, with only what the test runs
// on it: nothing of the machine's is started there. Clients find it through the kind's variable
// (DBUS_SESSION_BUS_ADDRESS, DBUS_SYSTEM_BUS_ADDRESS) set to Address(). The stand-in services it
// starts, then the bus, stop when this goes.
class PrivateBus {
public:
    enum class Kind { Session, System };

    explicit PrivateBus(Kind kind);
    ~PrivateBus();
    PrivateBus(const PrivateBus&) = delete;
    PrivateBus& operator=(const PrivateBus&) = delete;

    // False with the reason in Error() if dbus-daemon does not start.
    bool Start();
    // Runs a python3-dbus stand-in (`arguments`: its script and options) as a client of this bus,
    // and waits until it prints "ready", which it does once it owns its name; nullptr, with the
    // reason in Error(), if it does not. The service is this bus's until StopService or the end.
    QProcess* StartService(const QStringList& arguments);
    void StopService(QProcess* service);
    // Makes `name` a service the bus starts, running `command` (through /bin/sh), when a call to
    // it asks the bus to; false with the reason in Error().
    bool AddActivatable(const QString& name, const QString& command);

    QString Address() const;
    // The environment variable a client of this kind of bus reads its address from.
    QString AddressVariable() const;
    // A file in the bus's own temporary folder, for the stand-ins' logs.
    QString FilePath(const QString& name) const { return folder_.filePath(name); }
    QString Error() const { return error_; }

private:
    Kind kind_;
    QTemporaryDir folder_;
    QProcess bus_;
    std::vector<std::unique_ptr<QProcess>> services_;
    QString error_;
};

// The lines of a stand-in's log (the calls it took, one a line); none before the first.
QStringList LogLines(const QString& path);
