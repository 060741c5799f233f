#pragma once

// A private session bus for the clocks a test starts, and the program run against them.
#include "app/RunningClocks.h"
#include "tests/e2e/PrivateBus.h"

#include <QDBusConnection>
#include <QProcess>
#include <memory>

// A session bus of the test's own, and the test's connection to it.
class SessionBus {
public:
    bool Start()
    {
        if (!bus_.Start())
            return false;
        connection_ = std::make_unique<QDBusConnection>(
            QDBusConnection::connectToBus(bus_.Address(), QStringLiteral("test-session")));
        return connection_->isConnected();
    }
    ~SessionBus() { QDBusConnection::disconnectFromBus(QStringLiteral("test-session")); }

    PrivateBus& Bus() { return bus_; }
    QDBusConnection& Connection() { return *connection_; }
    RunningClocks Clocks() const { return RunningClocks(*connection_); }
    // One property of the only clock on the bus; invalid while there is none or it does not answer.
    QVariant Property(const char* name) const
    {
        const QStringList names = Clocks().Names();
        QString error;
        const auto properties = names.size() == 1 ? Clocks().Properties(names.first(), &error) : std::nullopt;
        return properties ? properties->value(QLatin1String(name)) : QVariant();
    }

private:
    PrivateBus bus_{PrivateBus::Kind::Session};
    std::unique_ptr<QDBusConnection> connection_;
};

// The program run with `arguments` against the clocks, with `sessionBus` as its session bus.
struct Answer {
    int exitCode = -1;
    QString output;
    QString errors;
};
inline Answer RunOption(const QStringList& arguments, const QString& sessionBus)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), sessionBus);
    QProcess program;
    program.setProcessEnvironment(environment);
    program.start(qEnvironmentVariable("STUDIO_CLOCK_PROGRAM"), arguments);
    if (!program.waitForFinished(20000))
        return {};
    return {program.exitCode(), QString::fromLocal8Bit(program.readAllStandardOutput()),
        QString::fromLocal8Bit(program.readAllStandardError())};
}
