#pragma once

#include <QObject>

class QWidget;

namespace display {
class TVrLedClock;
}

// Tells systemd, where it started the clock as a notify service (the user unit), that the clock is
// up once its window shows; and, where the unit asks for a watchdog, that the GUI thread is alive
// after each second the clock shows, also while the window is hidden and paints nothing. A face
// that stops ticking while it looks alive is then killed and started again within seconds. Started
// any other way, it says nothing.
class SystemdNotifier : public QObject {
    Q_OBJECT
public:
    SystemdNotifier(QWidget* window, display::TVrLedClock* clock);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Ticked();

    QWidget* window_;
    bool ready_ = false;
};
