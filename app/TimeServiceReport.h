#pragma once

#include <QMetaType>
#include <QString>

#include <optional>

// What a time service says of its last correction of the system clock.
struct TimeServiceReport {
    QString service;                 // "systemd-timesyncd" or "chrony"
    QString server;                  // the reference's name as the service gives it (host name or address)
    int stratum = 0;                 // 0: not said
    qint64 lastCorrectionMs = 0;     // when the last answer / reference update came, ms since the epoch (UTC)
    qint64 pollIntervalMs = 0;       // the service's current polling interval; 0: not said
    std::optional<qint64> offsetUs;  // the clock's last measured offset (+: the clock is ahead)
    qint64 rootDelayUs = 0;
    qint64 rootDispersionUs = 0;
};

// For the readers' Answered signals, queued connections and QVariant.
Q_DECLARE_METATYPE(std::optional<TimeServiceReport>)
