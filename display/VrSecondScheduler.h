// VrSecondScheduler: TVrSecondScheduler, what wakes the LED clock for each second.
#pragma once

#include "display/Export.h"
#include "display/VrBoundaryTimer.h"
#include "display/VrThreads.h"

#include <QDateTime>
#include <QObject>

namespace display {

// Follows the seconds of the framework's time source for an owner that shows them, knowing
// nothing of how: shortly before each second boundary its timer asks for the next second to be
// prepared, and at the boundary its boundary timer asks for it to be shown. A set clock is shown
// at once; a wake before the time source reaches the boundary waits out the rest, so a second is
// never shown early; an early wake that finds the second shown already over asks for the new one
// at once. The owner tells it the second it shows, and arms it again once it has shown one.
class STUDIOCLOCK_DISPLAY_EXPORT TVrSecondScheduler : public QObject {
    Q_OBJECT
public:
    explicit TVrSecondScheduler(QObject* owner = nullptr);
    ~TVrSecondScheduler() override;

    // The early wake's timer (its TimerType decides between a worker thread and the event loop)
    // and the boundary's.
    TVrTimer* Timer() const { return timer_; }
    TVrBoundaryTimer* BoundaryTimer() const { return boundary_; }

    // Running, it arms for the next boundary at once; stopped, it disarms both timers.
    bool Running() const { return running_; }
    void setRunning(bool value);
    // The second the owner shows, a local time to the second.
    QDateTime ShownSecond() const { return shown_; }
    void setShownSecond(const QDateTime& second) { shown_ = second; }

    // Arms the boundary timer for the time source's next second boundary, and the timer shortly
    // before it.
    void ArmForNextSecond();
    // The early wake: asks for the second after the one shown to be prepared, or, if that second
    // is over already (a late wake, a set clock), for the time source's second to be shown now.
    void PrepareNext();

    // The time source's local time, to the second.
    static QDateTime CurrentSecond();
    static QDateTime ToSeconds(const QDateTime& moment);

signals:
    void PrepareSecond(const QDateTime& second);
    void ShowSecond(const QDateTime& second);

private:
    void BoundaryDue(bool clockSet);

    TVrTimer* timer_ = nullptr;             // a child: freed first by the destructor
    TVrBoundaryTimer* boundary_ = nullptr;  // a child
    bool running_ = false;
    QDateTime shown_;
    QDateTime next_;  // the second the boundary timer is armed for
    qint64 nextMSecs_ = 0;
};

}  // namespace display
