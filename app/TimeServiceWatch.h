#pragma once

#include "app/ChronyReader.h"
#include "app/TimeSyncdReader.h"

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

// Asks the time services now and then what they last did, without ever waiting for them:
// systemd-timesyncd over the system bus each minute, and, where it does not answer, chrony
// through chronyc every five minutes (a process each time, so rarely). A correction the kernel's
// bound shows is asked about at once. Each answer, or the lack of one, is handed on.
class TimeServiceWatch : public QObject {
    Q_OBJECT
public:
    explicit TimeServiceWatch(QObject* parent,
        const QDBusConnection& systemBus = QDBusConnection::systemBus(),
        const QString& chronyc = QStringLiteral("chronyc"));

    // Asks now (the first time, or after a correction), chrony too where timesyncd is silent.
    void AskNow();

signals:
    void Reported(const std::optional<TimeServiceReport>& report);

private:
    void Ask(bool chronyToo);
    void TimeSyncdAnswered(const std::optional<TimeServiceReport>& report);

    TimeSyncdReader timesyncd_;
    ChronyReader chrony_;
    QTimer every_;
    QElapsedTimer sinceChrony_;
    bool chronyToo_ = false;
};
