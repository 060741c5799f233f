#pragma once

#include <QList>
#include <QObject>

class AwakeWay;
class QWidget;

// Keeps the screen from blanking or locking while the window is full screen and shown: the clock
// is left alone on a studio screen, where nobody touches the mouse or the keyboard for months. The
// ways are tried in order, and the first that holds is the one: the Wayland compositor's idle
// inhibitor where the compositor offers it, else the desktop's services over the session bus, else
// the X server's own screen saver. A way that comes to hold later releases those after it; one that
// stops holding passes the request on. Everything is given back when the window leaves full screen,
// is hidden or closes; the user's settings are never changed.
class ScreenAwake : public QObject {
    Q_OBJECT
public:
    explicit ScreenAwake(QWidget* window);
    // The ways in order of preference; it takes them as its children.
    ScreenAwake(QWidget* window, const QList<AwakeWay*>& ways);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FollowTheWindow();
    void Answered(qsizetype way, bool held);

    QWidget* window_;
    QList<AwakeWay*> ways_;
    bool wanted_ = false;
};
