#pragma once

#include "display/Export.h"

#include <QDateTime>
#include <QObject>
#include <QTimer>
#include <chrono>
#include <ctime>

class QSocketNotifier;

namespace display {

// Wakes the GUI thread at a moment of the wall clock, to the microsecond and never before it as
// the kernel counts time, and at once when the system clock is set while it waits (an operator
// or a time service stepping it). The event loop is woken two milliseconds ahead and the thread
// waits out the rest, asleep and for the last tenth of a millisecond awake, so the moment finds
// the thread running. Where the kernel offers no such timer, or no descriptor is to spare for it
// (thousands of clocks), it falls back to the event loop's timer, to the millisecond.
class STUDIOCLOCK_DISPLAY_EXPORT TVrBoundaryTimer : public QObject {
    Q_OBJECT
public:
    explicit TVrBoundaryTimer(QObject* owner = nullptr);
    ~TVrBoundaryTimer() override;

    // Wakes once at `moment`, at once if it has passed. Replaces what was armed.
    void ArmAt(const QDateTime& moment);
    // Wakes once after `msecs` (at least one) of the kernel's wall clock. Replaces what was armed.
    void ArmIn(qint64 msecs);
    void Disarm();
    // How long until the event loop is woken for what is armed, read back from the timer that wakes
    // it: the kernel's wakes it the lead before the moment. Zero once that has come, or with
    // nothing armed.
    std::chrono::nanoseconds WakesIn() const;
    // False when it fell back: the event loop's timer wakes it.
    bool UsesKernelTimer() const { return fd_ >= 0; }

signals:
    // The moment came (clockSet false), or the system clock was set meanwhile (clockSet true).
    void Due(bool clockSet);

private:
    void Arm(timespec moment, qint64 fallbackMsecs);
    void ReadExpiry();

    timespec moment_{};  // the wall-clock moment armed

    int fd_ = -1;
    QSocketNotifier* notifier_ = nullptr;  // a child
    QTimer fallback_;
};

}  // namespace display
