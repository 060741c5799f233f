#pragma once

#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>

// A desktop's screen saver service for one test: a private session bus, and on it
// screen-saver-stand-in.py, which owns org.freedesktop.ScreenSaver and logs each call it takes.
// Both stop when this goes.
class StandInScreenSaver {
public:
    enum class Answer { Accepts, Refuses };

    explicit StandInScreenSaver(Answer answer = Answer::Accepts);
    ~StandInScreenSaver();
    StandInScreenSaver(const StandInScreenSaver&) = delete;
    StandInScreenSaver& operator=(const StandInScreenSaver&) = delete;

    // Starts the bus and the service, whose cookies count from `firstCookie`; false with the reason
    // in Error() if either does not start.
    bool Start(int firstCookie = 1);
    // Ends the service, as a desktop's crashing or restarting one does, and starts it anew.
    bool Restart(int firstCookie);
    QString Error() const { return error_; }

    // For a client's DBUS_SESSION_BUS_ADDRESS.
    QString BusAddress() const;
    // The calls taken so far, one a line: "Inhibit 1", "UnInhibit 1", "Inhibit refused".
    QStringList Calls() const;

private:
    bool StartService(int firstCookie);

    Answer answer_;
    QTemporaryDir folder_;
    QProcess bus_;
    QProcess service_;
    QString error_;
};
