#include "app/SchedulingPriority.h"

#include "app/BusCall.h"

#include <QDBusMessage>
#include <QDBusVariant>
#include <QLoggingCategory>

#include <algorithm>
#include <cerrno>
#include <utility>

#include <sys/resource.h>
#include <unistd.h>

Q_LOGGING_CATEGORY(lcPriority, "studioclock.priority")

namespace {

// Enough to be served before the desktop's ordinary work, far from what a real-time thread takes.
constexpr int kWantedNice = -10;
// The nice levels there are.
constexpr int kLowestNice = -20;
constexpr int kHighestNice = 19;
constexpr int kPatience = 2000;

const char* const kService = "org.freedesktop.RealtimeKit1";
const char* const kPath = "/org/freedesktop/RealtimeKit1";

// The lowest nice level RLIMIT_NICE lets a process without privileges take: 20 - limit.
int NiceFloor()
{
    rlimit limit{};
    if (getrlimit(RLIMIT_NICE, &limit) != 0)
        return kHighestNice;
    if (limit.rlim_cur == RLIM_INFINITY || limit.rlim_cur >= 40)
        return kLowestNice;
    return 20 - static_cast<int>(limit.rlim_cur);
}

// The thread's nice level, or nullopt where it cannot be read.
std::optional<int> NiceOf(pid_t thread)
{
    errno = 0;
    const int nice = getpriority(PRIO_PROCESS, static_cast<id_t>(thread));
    if (errno != 0)
        return std::nullopt;
    return nice;
}

}  // namespace

SchedulingPriority::SchedulingPriority(QDBusConnection bus, QObject* parent)
    : QObject(parent)
    , bus_(std::move(bus))
{
}

void SchedulingPriority::Request()
{
    if (requested_)
        return;
    requested_ = true;
    thread_ = gettid();
    if (!bus_.isConnected()) {
        QMetaObject::invokeMethod(this, &SchedulingPriority::SetItself, Qt::QueuedConnection);
        return;
    }
    const QDBusMessage minimum = BusCall(QString::fromLatin1(kService), QString::fromLatin1(kPath),
        QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"),
        {QString::fromLatin1(kService), QStringLiteral("MinNiceLevel")});
    AskOverBus(bus_, minimum, kPatience, this, [this](const QDBusMessage& reply) { MinimumAnswered(reply); });
}

void SchedulingPriority::MinimumAnswered(const QDBusMessage& reply)
{
    if (reply.type() != QDBusMessage::ReplyMessage || reply.signature() != QLatin1String("v")) {
        SetItself();
        return;
    }
    const QVariant minimum = reply.arguments().constFirst().value<QDBusVariant>().variant();
    if (minimum.metaType() != QMetaType::fromType<int>() || minimum.toInt() > kHighestNice) {
        SetItself();
        return;
    }
    const int level = std::max(kWantedNice, minimum.toInt());
    const std::optional<int> current = NiceOf(thread_);
    if (current && *current <= level) {
        SetItself();  // RealtimeKit's level would be no higher than the thread's own
        return;
    }
    const QDBusMessage raise
        = BusCall(QString::fromLatin1(kService), QString::fromLatin1(kPath), QString::fromLatin1(kService),
            QStringLiteral("MakeThreadHighPriority"), {static_cast<qulonglong>(thread_), level});
    AskOverBus(bus_, raise, kPatience, this,
        [this, level](const QDBusMessage& reply) { RealtimeKitAnswered(reply, level); });
}

void SchedulingPriority::RealtimeKitAnswered(const QDBusMessage& reply, int level)
{
    if (reply.type() == QDBusMessage::ReplyMessage)
        Grant(QStringLiteral("RealtimeKit nice %1").arg(level));
    else
        SetItself();
}

void SchedulingPriority::SetItself()
{
    const std::optional<int> current = NiceOf(thread_);
    const int floor = NiceFloor();
    // With the privilege to, any level may be taken; without, no lower than RLIMIT_NICE allows.
    for (const int level : {kWantedNice, std::max(kWantedNice, floor)}) {
        if (!current || level >= *current)
            break;
        if (setpriority(PRIO_PROCESS, static_cast<id_t>(thread_), level) == 0) {
            Grant(QStringLiteral("setpriority nice %1").arg(level));
            return;
        }
    }
    qCDebug(
        lcPriority, "Neither RealtimeKit nor the limits grant a higher priority; the clock runs as before");
    Grant(QStringLiteral("none"));
}

void SchedulingPriority::Grant(const QString& granted)
{
    granted_ = granted;
    emit GrantedChanged(granted_);
}
