#include "tests/e2e/PrivateBus.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcessEnvironment>

#include <algorithm>

namespace {

// Anyone may own any name and call anything: the bus holds nothing but the test's stand-ins.
const char* const kBusConfiguration = R"(<!DOCTYPE busconfig PUBLIC
 "-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN"
 "http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd">
<busconfig>
  <type>%1</type>
  <listen>unix:tmpdir=/tmp</listen>
  <auth>EXTERNAL</auth>
  <servicedir>%2</servicedir>
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

PrivateBus::PrivateBus(Kind kind)
    : kind_(kind)
{
}

PrivateBus::~PrivateBus()
{
    for (const auto& service : services_)
        Stop(*service);
    Stop(bus_);
}

bool PrivateBus::Start()
{
    QFile configuration(FilePath(QStringLiteral("bus.conf")));
    const QString type = kind_ == Kind::Session ? QStringLiteral("session") : QStringLiteral("system");
    const QString services = FilePath(QStringLiteral("services"));
    if (!QDir().mkpath(services) || !configuration.open(QIODevice::WriteOnly)
        || configuration.write(QString::fromLatin1(kBusConfiguration).arg(type, services).toUtf8()) < 0) {
        error_ = QStringLiteral("cannot write %1").arg(configuration.fileName());
        return false;
    }
    configuration.close();
    bus_.start(QStringLiteral("dbus-daemon"),
        {QStringLiteral("--config-file=") + configuration.fileName(),
            QStringLiteral("--address=") + Address(), QStringLiteral("--nofork"),
            QStringLiteral("--print-address=1")});
    if (FirstLine(bus_, 10000).isEmpty()) {
        error_ = QStringLiteral("dbus-daemon did not start: install dbus-daemon");
        return false;
    }
    return true;
}

QProcess* PrivateBus::StartService(const QStringList& arguments)
{
    auto service = std::make_unique<QProcess>();
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(AddressVariable(), Address());
    service->setProcessEnvironment(environment);
    service->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    // Debian's own interpreter, which has the D-Bus bindings.
    service->start(QStringLiteral("/usr/bin/python3"), arguments);
    if (FirstLine(*service, 10000) != QLatin1String("ready")) {
        Stop(*service);
        error_ = QStringLiteral("the stand-in %1 did not start: install python3-dbus and python3-gi")
                     .arg(QFileInfo(arguments.value(0)).fileName());
        return nullptr;
    }
    services_.push_back(std::move(service));
    return services_.back().get();
}

void PrivateBus::StopService(QProcess* service)
{
    const auto found = std::find_if(services_.begin(), services_.end(),
        [service](const std::unique_ptr<QProcess>& running) { return running.get() == service; });
    if (found == services_.end())
        return;
    Stop(**found);
    services_.erase(found);
}

bool PrivateBus::AddActivatable(const QString& name, const QString& command)
{
    QFile description(FilePath(QStringLiteral("services/%1.service").arg(name)));
    if (!description.open(QIODevice::WriteOnly)
        || description.write(
               QStringLiteral("[D-BUS Service]\nName=%1\nExec=/bin/sh -c '%2'\n").arg(name, command).toUtf8())
            < 0) {
        error_ = QStringLiteral("cannot write %1").arg(description.fileName());
        return false;
    }
    return true;
}

QString PrivateBus::Address() const
{
    return QStringLiteral("unix:path=") + FilePath(QStringLiteral("bus"));
}

QString PrivateBus::AddressVariable() const
{
    return kind_ == Kind::Session ? QStringLiteral("DBUS_SESSION_BUS_ADDRESS")
                                  : QStringLiteral("DBUS_SYSTEM_BUS_ADDRESS");
}

QStringList LogLines(const QString& path)
{
    QFile log(path);
    if (!log.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(log.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}
