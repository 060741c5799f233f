#pragma once

#include "app/ClockDisciplineText.h"
#include "app/ClockTrust.h"

#include <QObject>
#include <optional>

class ClockFaceNotice;
namespace display {
class TVrLedClock;
}

// Judges, once a second, how far the system clock can be trusted, from the kernel's answer and
// the time service's last report, and says so on the LED clock's face (a line laid on it) and in
// its tooltip, changing either only when what is said changed.
class ClockTrustFollower : public QObject {
    Q_OBJECT
public:
    explicit ClockTrustFollower(display::TVrLedClock* clock);

    // Asks the kernel and judges again; cheap (one system call).
    void Follow();
    // The time service's report, as the watch that asks it hands it on; judged at once.
    void TakeServiceReport(const std::optional<TimeServiceReport>& report);

    const ClockTrust& Trust() const { return trust_; }
    const ClockDisciplineText& Said() const { return said_; }

signals:
    // What is said of the clock changed.
    void Changed();
    // The kernel's bound shows a correction, which the service's last report may not hold yet.
    void KernelCorrected();

private:
    void Judge(const framework::ClockDiscipline& kernel);

    display::TVrLedClock* clock_;
    ClockFaceNotice* notice_;  // a child of the clock
    KernelCorrectionWatch corrections_;
    std::optional<TimeServiceReport> service_;
    framework::ClockDiscipline kernel_;
    ClockTrust trust_;
    ClockDisciplineText said_;
    bool saidOnce_ = false;
};
