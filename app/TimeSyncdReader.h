#pragma once

#include "app/TimeServiceReport.h"

#include <QDBusConnection>
#include <QObject>

class QDBusMessage;

// Asks systemd-timesyncd, over the system bus, about the last answer it had from its NTP server.
// Ask() returns at once; Answered follows, always later and once for each Ask() that was not made
// while another was under way (that one's answer serves both). Nothing ever blocks the thread.
//
// Answered carries nullopt, quietly, when there is no bus, no timesyncd on it (it is never started
// for this: where chrony or a PTP daemon keeps the clock, timesyncd must stay off), when it has had
// no answer from a server yet, when it keeps silent for 2 s, or when its answer is not what its
// interface promises. Otherwise a report of service "systemd-timesyncd": the server's name (its
// address where it has no name), the stratum, root delay and dispersion the server gave, the poll
// interval, when the answer came (lastCorrectionMs) and the clock's offset reckoned from the
// exchange's four timestamps, as NTP reckons it, positive when the clock is ahead.
class TimeSyncdReader : public QObject {
    Q_OBJECT
public:
    // `bus` is the system bus unless a test hands over its own.
    explicit TimeSyncdReader(QDBusConnection bus = QDBusConnection::systemBus(), QObject* parent = nullptr);

    void Ask();

signals:
    void Answered(const std::optional<TimeServiceReport>& report);

private:
    void OwnerAnswered(const QDBusMessage& reply);
    void Finish(const std::optional<TimeServiceReport>& report);

    QDBusConnection bus_;
    bool asking_ = false;
};
