#include "app/TimeSyncdReader.h"

#include "app/BusCall.h"

#include <QDBusArgument>
#include <QDBusMessage>
#include <QVariantMap>

#include <arpa/inet.h>
#include <sys/socket.h>

#include <utility>

namespace {

const char* const kService = "org.freedesktop.timesync1";
// Long enough for a busy bus, short enough that a hung service costs the clock nothing it shows.
constexpr int kPatience = 2000;
// Timestamps past this (some 146 000 years) are none a server sends; keeping below it lets their
// sums and differences never overflow.
constexpr quint64 kLatestUs = quint64(1) << 62;

template <typename T> bool Holds(const QVariant& value)
{
    return value.metaType() == QMetaType::fromType<T>();
}

// The last NTP exchange as timesyncd keeps it, in microseconds (timestamps since the epoch).
struct NtpMessage {
    uint stratum = 0;
    qulonglong rootDelay = 0;
    qulonglong rootDispersion = 0;
    qulonglong origin = 0;       // the request left (the clock's time)
    qulonglong receive = 0;      // it reached the server (the server's time)
    qulonglong transmit = 0;     // the answer left the server (the server's time)
    qulonglong destination = 0;  // the answer came (the clock's time)
};

std::optional<NtpMessage> NtpMessageOf(const QVariant& value)
{
    if (!Holds<QDBusArgument>(value))
        return std::nullopt;
    const auto argument = value.value<QDBusArgument>();
    if (argument.currentSignature() != QLatin1String("(uuuuittayttttbtt)"))
        return std::nullopt;
    NtpMessage message;
    uint leap = 0;
    uint version = 0;
    uint mode = 0;
    int precision = 0;
    QByteArray referenceId;
    bool spike = false;
    qulonglong packets = 0;
    qulonglong jitter = 0;
    argument.beginStructure();
    argument >> leap >> version >> mode >> message.stratum >> precision >> message.rootDelay
        >> message.rootDispersion >> referenceId >> message.origin >> message.receive >> message.transmit
        >> message.destination >> spike >> packets >> jitter;
    argument.endStructure();
    return message;
}

// How far the clock was ahead of the server when the answer came, as NTP reckons it from the four
// timestamps; nullopt when one of them cannot be a time.
std::optional<qint64> OffsetUs(const NtpMessage& message)
{
    for (const qulonglong stamp : {message.origin, message.receive, message.transmit, message.destination})
        if (stamp == 0 || stamp >= kLatestUs)
            return std::nullopt;
    const auto us = [](qulonglong stamp) { return static_cast<qint64>(stamp); };
    return ((us(message.origin) - us(message.receive)) + (us(message.destination) - us(message.transmit)))
        / 2;
}

// The server's address as timesyncd gives it (an address family and its bytes), written out.
QString AddressOf(const QVariant& value)
{
    if (!Holds<QDBusArgument>(value))
        return {};
    const auto argument = value.value<QDBusArgument>();
    if (argument.currentSignature() != QLatin1String("(iay)"))
        return {};
    int family = 0;
    QByteArray bytes;
    argument.beginStructure();
    argument >> family >> bytes;
    argument.endStructure();
    const bool fits = (family == AF_INET && bytes.size() == 4) || (family == AF_INET6 && bytes.size() == 16);
    char text[INET6_ADDRSTRLEN] = {};
    if (!fits || !inet_ntop(family, bytes.constData(), text, sizeof text))
        return {};
    return QString::fromLatin1(text);
}

std::optional<TimeServiceReport> ReportOf(const QDBusMessage& reply)
{
    if (reply.type() != QDBusMessage::ReplyMessage || reply.signature() != QLatin1String("a{sv}"))
        return std::nullopt;
    const auto properties = qdbus_cast<QVariantMap>(reply.arguments().constFirst());
    const QVariant name = properties.value(QStringLiteral("ServerName"));
    const QVariant poll = properties.value(QStringLiteral("PollIntervalUSec"));
    const std::optional<NtpMessage> message = NtpMessageOf(properties.value(QStringLiteral("NTPMessage")));
    // No answer from a server yet: timesyncd's message is all zeros, which is no correction.
    if (!Holds<QString>(name) || !Holds<qulonglong>(poll) || !message || message->destination == 0
        || message->destination >= kLatestUs)
        return std::nullopt;
    TimeServiceReport report;
    report.service = QStringLiteral("systemd-timesyncd");
    report.server = name.toString();
    if (report.server.isEmpty())
        report.server = AddressOf(properties.value(QStringLiteral("ServerAddress")));
    report.stratum = static_cast<int>(message->stratum);
    report.lastCorrectionMs = static_cast<qint64>(message->destination / 1000);
    report.pollIntervalMs = static_cast<qint64>(qMin(poll.toULongLong(), kLatestUs) / 1000);
    report.offsetUs = OffsetUs(*message);
    report.rootDelayUs = static_cast<qint64>(qMin(message->rootDelay, kLatestUs));
    report.rootDispersionUs = static_cast<qint64>(qMin(message->rootDispersion, kLatestUs));
    return report;
}

}  // namespace

TimeSyncdReader::TimeSyncdReader(QDBusConnection bus, QObject* parent)
    : QObject(parent)
    , bus_(std::move(bus))
{
}

void TimeSyncdReader::Ask()
{
    if (asking_)
        return;
    asking_ = true;
    if (!bus_.isConnected()) {
        QMetaObject::invokeMethod(
            this, [this] { Finish(std::nullopt); }, Qt::QueuedConnection);
        return;
    }
    const QDBusMessage owned = BusCall(QStringLiteral("org.freedesktop.DBus"),
        QStringLiteral("/org/freedesktop/DBus"), QStringLiteral("org.freedesktop.DBus"),
        QStringLiteral("NameHasOwner"), {QString::fromLatin1(kService)});
    AskOverBus(bus_, owned, kPatience, this, [this](const QDBusMessage& reply) { OwnerAnswered(reply); });
}

void TimeSyncdReader::OwnerAnswered(const QDBusMessage& reply)
{
    if (reply.type() != QDBusMessage::ReplyMessage || reply.signature() != QLatin1String("b")
        || !reply.arguments().constFirst().toBool()) {
        Finish(std::nullopt);
        return;
    }
    QDBusMessage properties = BusCall(QString::fromLatin1(kService),
        QStringLiteral("/org/freedesktop/timesync1"), QStringLiteral("org.freedesktop.DBus.Properties"),
        QStringLiteral("GetAll"), {QStringLiteral("org.freedesktop.timesync1.Manager")});
    properties.setAutoStartService(false);
    AskOverBus(
        bus_, properties, kPatience, this, [this](const QDBusMessage& reply) { Finish(ReportOf(reply)); });
}

void TimeSyncdReader::Finish(const std::optional<TimeServiceReport>& report)
{
    asking_ = false;
    emit Answered(report);
}
