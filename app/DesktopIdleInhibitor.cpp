#include "app/DesktopIdleInhibitor.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDBusServiceWatcher>
#include <QGuiApplication>
#include <QWidget>

#include <array>

namespace {

// Long enough for a service the bus has to start first; the window never waits for it.
constexpr int kAnswerTimeout = 5000;
// The flag GNOME's session manager and the portal take for "keep the session from going idle".
constexpr uint kIdle = 8;

const char* const kPortal = "org.freedesktop.portal.Desktop";

struct Request {
    QString application;
    QString reason;
    WId xWindow;  // 0 when unknown or not on X
};

QDBusMessage Call(const char* service, const QString& path, const char* interface, const char* method,
    const QVariantList& arguments)
{
    QDBusMessage message = QDBusMessage::createMethodCall(
        QString::fromLatin1(service), path, QString::fromLatin1(interface), QString::fromLatin1(method));
    message.setArguments(arguments);
    return message;
}

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
            return Call("org.freedesktop.ScreenSaver", QStringLiteral("/org/freedesktop/ScreenSaver"),
                "org.freedesktop.ScreenSaver", "Inhibit", {request.application, request.reason});
        },
        [](const QVariant& cookie) {
            return Unstarted(
                Call("org.freedesktop.ScreenSaver", QStringLiteral("/org/freedesktop/ScreenSaver"),
                    "org.freedesktop.ScreenSaver", "UnInhibit", {cookie}));
        }},
    {"org.gnome.SessionManager", "u",
        [](const Request& request) {
            return Call("org.gnome.SessionManager", QStringLiteral("/org/gnome/SessionManager"),
                "org.gnome.SessionManager", "Inhibit",
                {request.application, static_cast<uint>(request.xWindow), request.reason, kIdle});
        },
        [](const QVariant& cookie) {
            return Unstarted(Call("org.gnome.SessionManager", QStringLiteral("/org/gnome/SessionManager"),
                "org.gnome.SessionManager", "Uninhibit", {cookie}));
        }},
    // The portal answers with a request object, which holds the inhibition until it is closed.
    {kPortal, "o",
        [](const Request& request) {
            const QString window
                = request.xWindow ? QStringLiteral("x11:") + QString::number(request.xWindow, 16) : QString();
            return Call(kPortal, QStringLiteral("/org/freedesktop/portal/desktop"),
                "org.freedesktop.portal.Inhibit", "Inhibit",
                {window, kIdle, QVariantMap{{QStringLiteral("reason"), request.reason}}});
        },
        [](const QVariant& cookie) {
            return Unstarted(Call(kPortal, cookie.value<QDBusObjectPath>().path(),
                "org.freedesktop.portal.Request", "Close", {}));
        }},
}};

constexpr int kPortalWay = 2;

}  // namespace

DesktopIdleInhibitor::DesktopIdleInhibitor(QWidget* window)
    : window_(window)
{
}

DesktopIdleInhibitor::~DesktopIdleInhibitor()
{
    Release();
}

void DesktopIdleInhibitor::Hold()
{
    if (wanted_)
        return;
    wanted_ = true;
    if (asking_)
        return;  // the answer still on its way is kept
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) {
        emit Answered(false);
        return;
    }
    if (!heldService_) {
        heldService_ = new QDBusServiceWatcher(this);
        heldService_->setConnection(bus);
        heldService_->setWatchMode(QDBusServiceWatcher::WatchForOwnerChange);
        connect(heldService_, &QDBusServiceWatcher::serviceOwnerChanged, this,
            [this](
                const QString&, const QString&, const QString& newOwner) { ServiceOwnerChanged(newOwner); });
        bus.connect(QString::fromLatin1(kPortal), QString(), QStringLiteral("org.freedesktop.portal.Request"),
            QStringLiteral("Response"), this, SLOT(PortalResponse(uint, QVariantMap, QDBusMessage)));
    }
    Ask(0);
}

void DesktopIdleInhibitor::Release()
{
    wanted_ = false;
    GiveBack();
}

void DesktopIdleInhibitor::Ask(int way)
{
    if (way == static_cast<int>(kWays.size())) {
        asking_ = false;
        emit Answered(false);
        return;
    }
    asking_ = true;
    const bool onX = qGuiApp->nativeInterface<QNativeInterface::QX11Application>() != nullptr;
    const Request request{QCoreApplication::applicationName(),
        QStringLiteral("The clock is shown full screen"), onX ? window_->internalWinId() : 0};
    auto* call = new QDBusPendingCallWatcher(
        QDBusConnection::sessionBus().asyncCall(kWays[way].inhibit(request), kAnswerTimeout), this);
    connect(call, &QDBusPendingCallWatcher::finished, this, [this, way](QDBusPendingCallWatcher* finished) {
        finished->deleteLater();
        Answer(way, finished->reply());
    });
}

void DesktopIdleInhibitor::Answer(int way, const QDBusMessage& reply)
{
    const Way& asked = kWays[way];
    if (reply.type() != QDBusMessage::ReplyMessage
        || reply.signature() != QLatin1String(asked.cookieSignature)) {
        if (wanted_)
            Ask(way + 1);
        else
            asking_ = false;
        return;
    }
    asking_ = false;
    heldWay_ = way;
    cookie_ = reply.arguments().constFirst();
    heldService_->setWatchedServices({QString::fromLatin1(asked.service)});
    if (!wanted_) {
        GiveBack();  // left full screen while the answer was on its way
        return;
    }
    emit Answered(true);
}

void DesktopIdleInhibitor::GiveBack()
{
    if (cookie_.isNull())
        return;
    QDBusConnection::sessionBus().send(kWays[heldWay_].release(cookie_));
    cookie_ = QVariant();
}

void DesktopIdleInhibitor::ServiceOwnerChanged(const QString& newOwner)
{
    cookie_ = QVariant();
    if (!wanted_ || asking_)
        return;
    // A restarted service is asked again; until one is back, nothing holds the request.
    if (newOwner.isEmpty())
        emit Answered(false);
    else
        Ask(0);
}

void DesktopIdleInhibitor::PortalResponse(
    uint response, const QVariantMap& /*results*/, const QDBusMessage& signal)
{
    if (response == 0 || heldWay_ != kPortalWay || cookie_.isNull()
        || cookie_.value<QDBusObjectPath>().path() != signal.path())
        return;
    cookie_ = QVariant();  // the portal has already ended the request
    if (wanted_ && !asking_)
        Ask(kPortalWay + 1);
}
