#pragma once

#include "app/DesktopIdleInhibitor.h"
#include "app/XScreenSaverSuspender.h"

#include <QObject>

class QWidget;

// Keeps the screen from blanking or locking while the window is full screen: the clock is left
// alone on a studio screen, where nobody touches the mouse or the keyboard for months. The desktop
// is asked over the session bus; where no service there accepts, the X server's own screen saver
// is suspended instead. The request is held only while full screen, and given back when the window
// leaves full screen or goes; the user's settings are never changed.
class ScreenAwake : public QObject {
    Q_OBJECT
public:
    explicit ScreenAwake(QWidget* window);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FollowTheWindow();
    void DesktopAnswered(bool held);

    QWidget* window_;
    bool fullScreen_ = false;
    XScreenSaverSuspender xScreenSaver_;
    DesktopIdleInhibitor desktop_;
};
