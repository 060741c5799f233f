#include "app/SystemdNotifier.h"

#include "display/vrLedClock.h"
#include "framework/ConnectGuarded.h"

#include <QEvent>
#include <QWidget>

#include <systemd/sd-daemon.h>

SystemdNotifier::SystemdNotifier(QWidget* window, display::TVrLedClock* clock)
    : QObject(window)
    , window_(window)
{
    window->installEventFilter(this);
    // Asked once: the unit's watchdog is set for the process's whole life.
    if (sd_watchdog_enabled(0, nullptr) > 0)
        framework::ConnectGuarded(
            clock, &display::TVrLedClock::OnSecondsChanged, this, &SystemdNotifier::Ticked);
}

bool SystemdNotifier::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == window_ && event->type() == QEvent::Show && !ready_) {
        ready_ = true;
        sd_notify(0, "READY=1");
    }
    return false;
}

void SystemdNotifier::Ticked()
{
    sd_notify(0, "WATCHDOG=1");
}
