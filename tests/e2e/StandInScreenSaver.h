#pragma once

#include "tests/e2e/PrivateBus.h"

#include <QStringList>

class QProcess;

// A desktop's service that keeps the screen awake, for one test: a private session bus, and on it
// screen-saver-stand-in.py, which owns the service's standard name and logs each call it takes.
// Both stop when this goes.
class StandInScreenSaver {
public:
    // Late: accepts 6 s after the call, after the clock has stopped waiting for the answer.
    enum class Answer { Accepts, Refuses, AcceptsLate };
    // The screen saver, GNOME's session manager, the desktop portal.
    enum class Service { ScreenSaver, SessionManager, Portal };

    explicit StandInScreenSaver(Answer answer = Answer::Accepts, Service service = Service::ScreenSaver);

    // Starts the bus and the service, whose cookies count from `firstCookie`; false with the reason
    // in Error() if either does not start.
    bool Start(int firstCookie = 1);
    // Starts the bus alone, for a service that comes later (Restart).
    bool StartBus() { return bus_.Start(); }
    // Ends the service, as a desktop's crashing or restarting one does, and starts it anew.
    bool Restart(int firstCookie);
    QString Error() const { return bus_.Error(); }

    // For a client's DBUS_SESSION_BUS_ADDRESS.
    QString BusAddress() const { return bus_.Address(); }
    // The calls taken so far, one a line: "Inhibit 1", "UnInhibit 1", "Inhibit refused"; GNOME's
    // and the portal's with the flags asked for: "Inhibit 1 flags 8", "Uninhibit 1", "Close 1".
    QStringList Calls() const { return LogLines(bus_.FilePath(QStringLiteral("calls"))); }

private:
    bool StartService(int firstCookie);

    Answer answer_;
    Service kind_;
    PrivateBus bus_{PrivateBus::Kind::Session};
    QProcess* service_ = nullptr;
};
