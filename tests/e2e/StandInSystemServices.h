#pragma once

#include "tests/e2e/PrivateBus.h"

#include <QFileInfo>
#include <QStringList>
#include <optional>

// The system services the clock asks about its time and its priority, for one test: a private
// system bus, which a client finds through DBUS_SYSTEM_BUS_ADDRESS set to Address() (a program
// started by the test) or through QDBusConnection::connectToBus(Address(), ...) (the test's own
// process, whose QDBusConnection::systemBus() keeps the address it first read), and on it the
// stand-ins started: time-service-stand-in.py for systemd-timesyncd, realtime-kit-stand-in.py for
// RealtimeKit. All stop when this goes.
class StandInSystemServices {
public:
    // What the stand-in timesyncd answers.
    struct TimeSyncd {
        enum class Answer {
            Answers,      // its last answer from the server, as below
            NoAnswerYet,  // the all-zero message timesyncd has before its first answer
            Garbage,      // the property `garbled` of another type
            Hangs,        // never replies
        };
        Answer answer = Answer::Answers;
        // When the last answer came: at `answeredAtS` (UTC seconds since the epoch) if set, else
        // `ageS` seconds before each call, by the stand-in's clock.
        std::optional<qint64> answeredAtS;
        qint64 ageS = 5;
        QString server = QStringLiteral("ntp1.example");  // empty: only the address, 192.0.2.1
        qint64 pollS = 64;
        int stratum = 2;
        qint64 offsetUs = 200;                           // how far the clock was ahead of the server
        QString garbled = QStringLiteral("NTPMessage");  // or ServerName, PollIntervalUSec
    };
    enum class RealtimeKit { Grants, Refuses };

    // Starts the bus alone; false with the reason in Error().
    bool Start() { return bus_.Start(); }
    bool StartTimeSyncd(const TimeSyncd& answer);
    bool StartRealtimeKit(RealtimeKit answer, int minNiceLevel = -15);
    // Makes the bus start a timesyncd (one that only notes it was started) for a call that asks it to.
    bool MakeTimeSyncdStartable();
    bool TimeSyncdWasStarted() const;

    QString Address() const { return bus_.Address(); }
    QString Error() const { return bus_.Error(); }
    // The calls the stand-ins took, one a line, in order: "GetAll org.freedesktop.timesync1.Manager",
    // "MakeThreadHighPriority 1234 -10", "MakeThreadHighPriority 1234 -10 refused".
    QStringList Calls() const { return LogLines(bus_.FilePath(QStringLiteral("calls"))); }

private:
    PrivateBus bus_{PrivateBus::Kind::System};
};
