#include "tests/e2e/AccessibilityBus.h"

#include <QDeadlineTimer>
#include <QProcessEnvironment>

#include <csignal>
#include <sys/types.h>
#include <unistd.h>
#include <utility>

AccessibilityBus::~AccessibilityBus()
{
    for (const Saved& variable : saved_) {
        if (variable.wasSet)
            qputenv(variable.name, variable.value);
        else
            qunsetenv(variable.name);
    }
    if (sessionBus_.state() == QProcess::NotRunning)
        return;
    // The session bus leads a process group of its own, which all it started shares (the launcher,
    // the accessibility bus, its registry): they end together, the bus reaped last, so that the
    // group's id stays theirs until then.
    ::kill(-static_cast<pid_t>(sessionBus_.processId()), SIGTERM);
    if (!sessionBus_.waitForFinished(10000)) {
        sessionBus_.kill();
        sessionBus_.waitForFinished(10000);
    }
}

bool AccessibilityBus::Start()
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    // Without a display the launcher keeps the accessibility bus's address off the X server, which
    // every test shares and where it would outlive this bus.
    environment.remove(QStringLiteral("DISPLAY"));
    sessionBus_.setProcessEnvironment(environment);
    sessionBus_.setChildProcessModifier([] { ::setpgid(0, 0); });
    sessionBus_.start(QStringLiteral("dbus-daemon"),
        {QStringLiteral("--session"), QStringLiteral("--nofork"), QStringLiteral("--print-address=1")});
    if (!sessionBus_.waitForStarted(10000)) {
        error_ = QStringLiteral("cannot start dbus-daemon: %1").arg(sessionBus_.errorString());
        return false;
    }
    const QDeadlineTimer deadline(20000);
    while (!sessionBus_.canReadLine() && sessionBus_.state() == QProcess::Running && !deadline.hasExpired())
        sessionBus_.waitForReadyRead(100);
    const QByteArray address = sessionBus_.readLine().trimmed();
    if (address.isEmpty()) {
        error_ = QStringLiteral("the session bus gave no address: %1")
                     .arg(QString::fromLocal8Bit(sessionBus_.readAllStandardError()));
        return false;
    }

    // Asking for the accessibility bus starts the launcher, which answers once that bus is up.
    environment.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), QString::fromLatin1(address));
    QProcess ask;
    ask.setProcessEnvironment(environment);
    ask.start(QStringLiteral("dbus-send"),
        {QStringLiteral("--session"), QStringLiteral("--print-reply"), QStringLiteral("--dest=org.a11y.Bus"),
            QStringLiteral("/org/a11y/bus"), QStringLiteral("org.a11y.Bus.GetAddress")});
    if (!ask.waitForFinished(60000)) {
        ask.kill();
        ask.waitForFinished(10000);
    }
    if (ask.exitStatus() != QProcess::NormalExit || ask.exitCode() != 0) {
        error_ = QStringLiteral("the accessibility bus did not start: %1")
                     .arg(QString::fromLocal8Bit(ask.readAllStandardError()));
        return false;
    }

    for (const auto& [name, value] : {std::pair<const char*, QByteArray>{"DBUS_SESSION_BUS_ADDRESS", address},
             std::pair<const char*, QByteArray>{"QT_LINUX_ACCESSIBILITY_ALWAYS_ON", "1"}}) {
        saved_.append({name, qgetenv(name), qEnvironmentVariableIsSet(name)});
        qputenv(name, value);
    }
    return true;
}

QStringList AccessibilityBus::Tree(qint64 processId)
{
    QProcess reader;
    reader.start(qEnvironmentVariable("STUDIO_CLOCK_ATSPI_TREE"), {QString::number(processId)});
    if (!reader.waitForFinished(60000)) {
        reader.kill();
        reader.waitForFinished(10000);
        error_ = QStringLiteral("the accessible tree was not read within a minute");
        return {};
    }
    if (reader.exitStatus() != QProcess::NormalExit || reader.exitCode() != 0) {
        error_ = QStringLiteral("the accessible tree was not read: %1 %2")
                     .arg(reader.errorString(), QString::fromLocal8Bit(reader.readAllStandardError()));
        return {};
    }
    return QString::fromUtf8(reader.readAllStandardOutput()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}
