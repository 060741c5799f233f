#pragma once

#include <QDBusConnection>
#include <QObject>
#include <QString>

#include <sys/types.h>

class QDBusMessage;

// Raises the scheduling priority of the thread that calls Request() (the GUI thread, which draws
// each second and wakes at its boundary) where that is granted without privileges, and only ever
// as a nice level: never a real-time policy, which a stuck clock could turn into a stuck machine.
//
// RealtimeKit is asked first, over the system bus (its MinNiceLevel read, then
// MakeThreadHighPriority for the thread's kernel id at nice -10, or its minimum if that is
// higher); if it refuses, is absent or keeps silent for 2 s, the thread's nice level is set itself
// (setpriority), to -10 or as near as RLIMIT_NICE allows, where that is below the level it has.
// Neither granted, the thread runs as before, and one debug line of the "studioclock.priority"
// category says so. Request() returns at once; GrantedChanged comes once, when the outcome is
// known, and Granted() says it from then on.
//
// Linux threads start with the nice level of the thread that makes them, so threads made after
// the grant share it. The clock's timer worker (TVrSecondScheduler's TVrTimer) then runs at the
// same level, which does no harm: it only asks for the next face to be drawn ahead, 50 ms before
// the boundary, and the boundary itself wakes the GUI thread (TVrBoundaryTimer, on that thread).
class SchedulingPriority : public QObject {
    Q_OBJECT
public:
    // `bus` is the system bus unless a test hands over its own.
    explicit SchedulingPriority(
        QDBusConnection bus = QDBusConnection::systemBus(), QObject* parent = nullptr);

    // Asks once; later calls do nothing.
    void Request();
    // "RealtimeKit nice -10", "setpriority nice -5", or "none"; empty until known.
    QString Granted() const { return granted_; }

signals:
    void GrantedChanged(const QString& granted);

private:
    void MinimumAnswered(const QDBusMessage& reply);
    void RealtimeKitAnswered(const QDBusMessage& reply, int level);
    // RealtimeKit did not grant: the thread's own nice level is lowered where the limits allow.
    void SetItself();
    void Grant(const QString& granted);

    QDBusConnection bus_;
    pid_t thread_ = 0;
    bool requested_ = false;
    QString granted_;
};
