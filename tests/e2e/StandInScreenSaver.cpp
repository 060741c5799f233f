#include "tests/e2e/StandInScreenSaver.h"

#include <QFile>
#include <QProcessEnvironment>

namespace {

// A session bus that starts no service of the machine's own: only what the test runs is on it.
const char* const kBusConfiguration = R"(<!DOCTYPE busconfig PUBLIC
 "-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN"
 "http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd">
<busconfig>
  <type>session</type>
  <listen>unix:tmpdir=/tmp</listen>
  <auth>EXTERNAL</auth>
  <policy context="default">
    <allow send_destination="*" eavesdrop="true"/>
    <allow eavesdrop="true"/>
    <allow own="*"/>
  </policy>
</busconfig>
)";

void Stop(QProcess& process)
{
    if (process.state() == QProcess::NotRunning)
        return;
    process.terminate();
    if (!process.waitForFinished(5000)) {
        process.kill();
        process.waitForFinished(5000);
    }
}

// The first line `process` prints, within `msecs`.
QString FirstLine(QProcess& process, int msecs)
{
    while (!process.canReadLine() && process.waitForReadyRead(msecs)) { }
    return QString::fromLocal8Bit(process.readLine()).trimmed();
}

}  // namespace

StandInScreenSaver::StandInScreenSaver(Answer answer, Service service)
    : answer_(answer)
    , kind_(service)
{
}

StandInScreenSaver::~StandInScreenSaver()
{
    Stop(service_);
    Stop(bus_);
}

bool StandInScreenSaver::Start(int firstCookie)
{
    return StartBus() && StartService(firstCookie);
}

bool StandInScreenSaver::StartBus()
{
    QFile configuration(folder_.filePath(QStringLiteral("bus.conf")));
    if (!configuration.open(QIODevice::WriteOnly) || configuration.write(kBusConfiguration) < 0) {
        error_ = QStringLiteral("cannot write %1").arg(configuration.fileName());
        return false;
    }
    configuration.close();
    bus_.start(QStringLiteral("dbus-daemon"),
        {QStringLiteral("--config-file=") + configuration.fileName(),
            QStringLiteral("--address=") + BusAddress(), QStringLiteral("--nofork"),
            QStringLiteral("--print-address=1")});
    if (FirstLine(bus_, 10000).isEmpty()) {
        error_ = QStringLiteral("dbus-daemon did not start: install dbus-daemon");
        return false;
    }
    return true;
}

bool StandInScreenSaver::Restart(int firstCookie)
{
    Stop(service_);
    return StartService(firstCookie);
}

QString StandInScreenSaver::BusAddress() const
{
    return QStringLiteral("unix:path=") + folder_.filePath(QStringLiteral("bus"));
}

QStringList StandInScreenSaver::Calls() const
{
    QFile log(folder_.filePath(QStringLiteral("calls")));
    if (!log.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(log.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

bool StandInScreenSaver::StartService(int firstCookie)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), BusAddress());
    service_.setProcessEnvironment(environment);
    service_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    QStringList arguments{QStringLiteral(STUDIO_CLOCK_SCREEN_SAVER_STAND_IN),
        folder_.filePath(QStringLiteral("calls")), QString::number(firstCookie)};
    static const char* const kServices[] = {"screensaver", "gnome", "portal"};
    arguments << QStringLiteral("--service") << QLatin1String(kServices[static_cast<int>(kind_)]);
    if (answer_ == Answer::Refuses)
        arguments << QStringLiteral("--refuse");
    if (answer_ == Answer::AcceptsLate)
        arguments << QStringLiteral("--late") << QStringLiteral("6");
    // Debian's own interpreter, which has the D-Bus bindings.
    service_.start(QStringLiteral("/usr/bin/python3"), arguments);
    if (FirstLine(service_, 10000) != QLatin1String("ready")) {
        error_
            = QStringLiteral("the stand-in screen saver did not start: install python3-dbus and python3-gi");
        return false;
    }
    return true;
}
