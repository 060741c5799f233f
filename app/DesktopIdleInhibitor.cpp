#include "app/DesktopIdleInhibitor.h"

#include "app/BusCall.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusServiceWatcher>
#include <QGuiApplication>
#include <QWidget>

#include <array>
#include <limits>

namespace {

// Long enough for a service the bus has to start first; then the next service is asked, while the
// first may still answer.
constexpr int kPatience = 5000;
// The call itself never times out: a service that never answers ends it with an error as it leaves
// the bus, and an answer however late is one to take or give back.
constexpr int kNoTimeout = std::numeric_limits<int>::max();
// The flag GNOME's session manager and the portal take for "keep the session from going idle".
constexpr uint kIdle = 8;

const char* const kPortal = "org.freedesktop.portal.Desktop";

struct Request {
    QString application;
    QString reason;
    WId xWindow;  // 0 when unknown or not on X
};

// A giving back is never worth starting a service for.
QDBusMessage Unstarted(QDBusMessage message)
{
    message.setAutoStartService(false);
    return message;
}

// One standard way to ask: its service, what its answer must look like, and its two calls.
struct Way {
    const char* service;
    const char* cookieSignature;
    QDBusMessage (*inhibit)(const Request&);
    QDBusMessage (*release)(const QVariant& cookie);
};

const std::array<Way, 3> kWays{{
    {"org.freedesktop.ScreenSaver", "u",
        [](const Request& request) {
            return BusCall("org.freedesktop.ScreenSaver", QStringLiteral("/org/freedesktop/ScreenSaver"),
                "org.freedesktop.ScreenSaver", "Inhibit", {request.application, request.reason});
        },
        [](const QVariant& cookie) {
            return Unstarted(
                BusCall("org.freedesktop.ScreenSaver", QStringLiteral("/org/freedesktop/ScreenSaver"),
                    "org.freedesktop.ScreenSaver", "UnInhibit", {cookie}));
        }},
    {"org.gnome.SessionManager", "u",
        [](const Request& request) {
            return BusCall("org.gnome.SessionManager", QStringLiteral("/org/gnome/SessionManager"),
                "org.gnome.SessionManager", "Inhibit",
                {request.application, static_cast<uint>(request.xWindow), request.reason, kIdle});
        },
        [](const QVariant& cookie) {
            return Unstarted(BusCall("org.gnome.SessionManager", QStringLiteral("/org/gnome/SessionManager"),
                "org.gnome.SessionManager", "Uninhibit", {cookie}));
        }},
    // The portal answers with a request object, which holds the inhibition until it is closed.
    {kPortal, "o",
        [](const Request& request) {
            const QString window
                = request.xWindow ? QStringLiteral("x11:") + QString::number(request.xWindow, 16) : QString();
            return BusCall(kPortal, QStringLiteral("/org/freedesktop/portal/desktop"),
                "org.freedesktop.portal.Inhibit", "Inhibit",
                {window, kIdle, QVariantMap{{QStringLiteral("reason"), request.reason}}});
        },
        [](const QVariant& cookie) {
            return Unstarted(BusCall(kPortal, cookie.value<QDBusObjectPath>().path(),
                "org.freedesktop.portal.Request", "Close", {}));
        }},
}};

constexpr int kPortalWay = 2;

const Way& WayAt(int way)
{
    return kWays.at(static_cast<std::size_t>(way));
}

QString ServiceOf(int way)
{
    return QString::fromLatin1(WayAt(way).service);
}

}  // namespace

DesktopIdleInhibitor::DesktopIdleInhibitor(QWidget* window)
    : window_(window)
{
    patience_.setSingleShot(true);
    patience_.setInterval(kPatience);
    connect(&patience_, &QTimer::timeout, this, &DesktopIdleInhibitor::PassOver);
}

DesktopIdleInhibitor::~DesktopIdleInhibitor()
{
    GiveBack();
}

void DesktopIdleInhibitor::Hold()
{
    if (wanted_)
        return;
    wanted_ = true;
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) {
        emit Answered(false);
        return;
    }
    if (!services_) {
        // A desktop's service often starts after a clock started with the session: each is
        // watched from the start, not only once it has answered.
        QStringList names;
        for (int way = 0; way < static_cast<int>(kWays.size()); ++way)
            names << ServiceOf(way);
        services_ = new QDBusServiceWatcher(this);
        services_->setConnection(bus);
        services_->setWatchMode(QDBusServiceWatcher::WatchForOwnerChange);
        services_->setWatchedServices(names);
        connect(services_, &QDBusServiceWatcher::serviceOwnerChanged, this,
            [this](const QString& service, const QString&, const QString& newOwner) {
                ServiceOwnerChanged(service, newOwner);
            });
        bus.connect(QString::fromLatin1(kPortal), QString(), QStringLiteral("org.freedesktop.portal.Request"),
            QStringLiteral("Response"), this, SLOT(PortalResponse(uint, QVariantMap, QDBusMessage)));
    }
    AskInTurn();
}

void DesktopIdleInhibitor::Release()
{
    wanted_ = false;
    asking_ = -1;
    patience_.stop();
    GiveBack();
}

void DesktopIdleInhibitor::AskInTurn()
{
    ++round_;
    askAgain_ = false;
    Ask(0);
}

void DesktopIdleInhibitor::Ask(int way)
{
    if (way == static_cast<int>(kWays.size())) {
        asking_ = -1;
        if (askAgain_)
            AskInTurn();
        else
            emit Answered(false);
        return;
    }
    asking_ = way;
    const bool onX = qGuiApp->nativeInterface<QNativeInterface::QX11Application>() != nullptr;
    const Request request{QCoreApplication::applicationName(),
        QStringLiteral("The clock is shown full screen"), onX ? window_->internalWinId() : 0};
    AskOverBus(QDBusConnection::sessionBus(), WayAt(way).inhibit(request), kNoTimeout, this,
        [this, round = round_, way](const QDBusMessage& reply) { Answer(round, way, reply); });
    patience_.start();
}

void DesktopIdleInhibitor::PassOver()
{
    if (asking_ >= 0)
        Ask(asking_ + 1);
}

void DesktopIdleInhibitor::Answer(int round, int way, const QDBusMessage& reply)
{
    const Way& asked = WayAt(way);
    const bool awaited = round == round_ && way == asking_;
    if (reply.type() != QDBusMessage::ReplyMessage
        || reply.signature() != QLatin1String(asked.cookieSignature)) {
        if (awaited) {
            patience_.stop();
            PassOver();
        }
        return;
    }
    const QVariant cookie = reply.arguments().constFirst();
    if (!wanted_ || !cookie_.isNull()) {
        // Nothing wants it any more, or another service already holds the request.
        QDBusConnection::sessionBus().send(asked.release(cookie));
        return;
    }
    asking_ = -1;
    askAgain_ = false;
    patience_.stop();
    heldWay_ = way;
    cookie_ = cookie;
    emit Answered(true);
}

void DesktopIdleInhibitor::GiveBack()
{
    if (cookie_.isNull())
        return;
    QDBusConnection::sessionBus().send(WayAt(heldWay_).release(cookie_));
    cookie_ = QVariant();
    heldWay_ = -1;
}

void DesktopIdleInhibitor::ServiceOwnerChanged(const QString& service, const QString& newOwner)
{
    // The held request goes with the service's old owner.
    const bool lost = heldWay_ >= 0 && service == ServiceOf(heldWay_);
    if (lost) {
        cookie_ = QVariant();
        heldWay_ = -1;
    }
    if (!wanted_ || !cookie_.isNull() || (!lost && newOwner.isEmpty()))
        return;
    // Asked again at once, or once the round under way has ended.
    if (asking_ >= 0)
        askAgain_ = true;
    else
        AskInTurn();
}

void DesktopIdleInhibitor::PortalResponse(
    uint response, const QVariantMap& /*results*/, const QDBusMessage& signal)
{
    if (response == 0 || heldWay_ != kPortalWay || cookie_.value<QDBusObjectPath>().path() != signal.path())
        return;
    // The portal has already ended the request.
    cookie_ = QVariant();
    heldWay_ = -1;
    if (wanted_ && asking_ < 0)
        Ask(kPortalWay + 1);
}
