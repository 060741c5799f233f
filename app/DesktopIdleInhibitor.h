#pragma once

#include <QObject>
#include <QVariant>

class QDBusMessage;
class QDBusServiceWatcher;
class QWidget;

// Asks the desktop, over the session bus, not to blank or lock the screen while held: the standard
// services are asked in turn (the screen saver, GNOME's session manager, the desktop portal) and the
// first that accepts holds the request. Every call is asynchronous with a short timeout, so a
// missing, failing or hung service only moves on to the next; none is ever shown to the operator.
// A service that accepted and restarts is asked again.
class DesktopIdleInhibitor : public QObject {
    Q_OBJECT
public:
    // `window` names the window the request is for, to the services that want one.
    explicit DesktopIdleInhibitor(QWidget* window);
    ~DesktopIdleInhibitor() override;

    void Hold();
    void Release();

signals:
    // While held, whenever that changes or is learnt anew (after asking, when the holding service
    // goes): whether a service holds the request.
    void Answered(bool held);

private:
    void Ask(int way);
    void Answer(int way, const QDBusMessage& reply);
    // Gives the held request back, without waiting for an answer.
    void GiveBack();
    // The held service's owner changed: its requests went with the old owner.
    void ServiceOwnerChanged(const QString& newOwner);
    // A portal request ends with a Response: anything but 0 means the portal could not inhibit.
    Q_SLOT void PortalResponse(uint response, const QVariantMap& results, const QDBusMessage& signal);

    QWidget* window_;
    QDBusServiceWatcher* heldService_ = nullptr;  // made at the first Hold: no bus is touched before
    bool wanted_ = false;
    bool asking_ = false;
    int heldWay_ = -1;  // the service that last accepted
    QVariant cookie_;   // what it answered to name the request; null once given back or lost
};
