#include "app/RunningClocks.h"

#include "app/BusCall.h"
#include "app/ClockBusObject.h"

#include <QCoreApplication>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusReply>
#include <algorithm>
#include <cstdio>
#include <utility>

namespace {

constexpr int kAnswerTimeoutMs = 3000;

void Print(const QString& text, FILE* stream)
{
    std::fputs(qPrintable(text), stream);
}

QString Milliseconds(const QVariant& microseconds)
{
    return QString::number(microseconds.toDouble() / 1000.0, 'f', 2) + QStringLiteral(" ms");
}

// One measure over one span: "median 0.42 ms, p99 1.10 ms, worst 1.31 ms, 0 late of 60 s".
QString Figures(const QVariantMap& timing, const QString& measure, const QString& span)
{
    const QString key = measure + QLatin1Char('.') + span + QLatin1Char('.');
    const qint64 seconds = timing.value(key + QStringLiteral("seconds")).toLongLong();
    if (seconds == 0)
        return QStringLiteral("no seconds yet");
    return QStringLiteral("median %1, p99 %2, worst %3, %4 late of %5 s")
        .arg(Milliseconds(timing.value(key + QStringLiteral("median-us"))),
            Milliseconds(timing.value(key + QStringLiteral("p99-us"))),
            Milliseconds(timing.value(key + QStringLiteral("worst-us"))),
            timing.value(key + QStringLiteral("late")).toString(), QString::number(seconds));
}

// The clocks' names; none, with one line said, when no clock runs.
QStringList ClocksToReach(const RunningClocks& clocks)
{
    QStringList names = clocks.Names();
    if (names.isEmpty())
        Print(QCoreApplication::applicationName()
                + (clocks.BusReached() ? QStringLiteral(": no clock is running on this session bus\n")
                                       : QStringLiteral(": no clock to reach: there is no session bus\n")),
            stderr);
    return names;
}

void SayNotReached(const QString& name, const QString& what, const QString& error)
{
    Print(QStringLiteral("%1: clock %2 %3: %4\n")
              .arg(QCoreApplication::applicationName(), QString::number(RunningClocks::ProcessId(name)), what,
                  error),
        stderr);
}

}  // namespace

RunningClocks::RunningClocks(QDBusConnection bus)
    : bus_(std::move(bus))
{
}

QStringList RunningClocks::Names() const
{
    if (!bus_.isConnected())
        return {};
    const QDBusReply<QStringList> names = bus_.interface()->registeredServiceNames();
    QStringList clocks;
    for (const QString& name : names.value())
        if (name.startsWith(ClockBusObject::ServicePrefix()) && ProcessId(name) > 0)
            clocks << name;
    std::sort(clocks.begin(), clocks.end(),
        [](const QString& a, const QString& b) { return ProcessId(a) < ProcessId(b); });
    return clocks;
}

qint64 RunningClocks::ProcessId(const QString& name)
{
    bool number = false;
    const qint64 pid = name.mid(ClockBusObject::ServicePrefix().size()).toLongLong(&number);
    return number ? pid : 0;
}

QDBusMessage RunningClocks::Call(
    const QString& name, const QString& method, const QVariantList& arguments) const
{
    QDBusMessage call = BusCall(name, ClockBusObject::ObjectPath(),
        QStringLiteral("org.freedesktop.DBus.Properties"), method, arguments);
    call.setAutoStartService(false);
    return bus_.call(call, QDBus::Block, kAnswerTimeoutMs);
}

std::optional<QVariantMap> RunningClocks::Properties(const QString& name, QString* error) const
{
    const QDBusReply<QVariantMap> reply
        = Call(name, QStringLiteral("GetAll"), {ClockBusObject::InterfaceName()});
    if (!reply.isValid()) {
        *error = reply.error().message();
        return std::nullopt;
    }
    return reply.value();
}

bool RunningClocks::Set(
    const QString& name, const QString& property, const QVariant& value, QString* error) const
{
    const QDBusReply<void> reply = Call(name, QStringLiteral("Set"),
        {ClockBusObject::InterfaceName(), property, QVariant::fromValue(QDBusVariant(value))});
    if (!reply.isValid()) {
        *error = reply.error().message();
        return false;
    }
    return true;
}

int PrintTiming(const RunningClocks& clocks)
{
    const QStringList names = ClocksToReach(clocks);
    if (names.isEmpty())
        return 1;
    int reached = 0;
    for (const QString& name : names) {
        QString error;
        const std::optional<QVariantMap> properties = clocks.Properties(name, &error);
        if (!properties) {
            SayNotReached(name, QStringLiteral("did not answer"), error);
            continue;
        }
        ++reached;
        const auto timing = qdbus_cast<QVariantMap>(properties->value(QStringLiteral("Timing")));
        QString text = QStringLiteral("Clock %1 (%2), priority %3\n")
                           .arg(QString::number(RunningClocks::ProcessId(name)), name,
                               properties->value(QStringLiteral("Priority")).toString());
        const QString measures[][2]
            = {{QStringLiteral("handover"), QStringLiteral("handed to the window system")},
                {QStringLiteral("presented"), QStringLiteral("shown by the compositor")}};
        for (const auto& [measure, words] : measures) {
            if (!timing.contains(measure + QStringLiteral(".minute.seconds")))
                continue;
            text += QStringLiteral("  %1 after the second:\n").arg(words);
            text += QStringLiteral("    last minute: %1\n")
                        .arg(Figures(timing, measure, QStringLiteral("minute")));
            text += QStringLiteral("    last hour:   %1\n")
                        .arg(Figures(timing, measure, QStringLiteral("hour")));
        }
        Print(text, stdout);
    }
    return reached ? 0 : 1;
}

int ChangeRunningClocks(const RunningClocks& clocks, const QVariantMap& changes)
{
    const QStringList names = ClocksToReach(clocks);
    if (names.isEmpty())
        return 1;
    bool allTook = true;
    for (const QString& name : names)
        for (auto change = changes.cbegin(); change != changes.cend(); ++change) {
            QString error;
            if (!clocks.Set(name, change.key(), change.value(), &error)) {
                SayNotReached(name, QStringLiteral("refused %1").arg(change.key()), error);
                allTook = false;
                break;  // one line for each clock
            }
        }
    return allTook ? 0 : 2;
}
