#pragma once

#include "app/AwakeWay.h"

#include <QTimer>
#include <QVariant>

class QDBusMessage;
class QDBusServiceWatcher;
class QWidget;

// Asks the desktop, over the session bus, not to blank or lock the screen while held: the standard
// services are asked in turn (the screen saver, GNOME's session manager, the desktop portal) and the
// first that accepts holds the request. A service that does not answer within a few seconds is
// passed over, but its call stays open: an answer that comes late is still taken, or given back at
// once when nothing wants it any more, so no late grant keeps the screen awake for good. While
// held, the standard services are watched: one that appears, or restarts, is asked again. None is
// ever shown to the operator. While held, it answers whenever that changes or is learnt anew (after
// asking, when the holding service goes) whether a service holds the request.
class DesktopIdleInhibitor : public AwakeWay {
    Q_OBJECT
public:
    // `window` names the window the request is for, to the services that want one.
    explicit DesktopIdleInhibitor(QWidget* window);
    ~DesktopIdleInhibitor() override;

    void Hold() override;
    void Release() override;

private:
    // Asks the services in turn, from the first.
    void AskInTurn();
    void Ask(int way);
    // The service asked refused or kept silent too long: the next one is asked.
    void PassOver();
    void Answer(int round, int way, const QDBusMessage& reply);
    // Gives the held request back, without waiting for an answer.
    void GiveBack();
    void ServiceOwnerChanged(const QString& service, const QString& newOwner);
    // A portal request ends with a Response: anything but 0 means the portal could not inhibit.
    Q_SLOT void PortalResponse(uint response, const QVariantMap& results, const QDBusMessage& signal);

    QWidget* window_;
    QDBusServiceWatcher* services_ = nullptr;  // made at the first Hold: no bus is touched before
    QTimer patience_;                          // how long the service asked may keep silent
    bool wanted_ = false;
    int round_ = 0;          // counts the rounds of asking, so that a late answer is told apart
    int asking_ = -1;        // the service whose answer this round waits for; -1 when none
    bool askAgain_ = false;  // a service appeared during the round
    int heldWay_ = -1;       // the service that holds the request
    QVariant cookie_;        // what it answered to name the request; null when nothing is held
};
