#pragma once

#include <QObject>
#include <QRect>
#include <optional>

class QWidget;

// Full screen is a window manager's to grant. On an X server that none serves (a kiosk that starts
// the clock alone), asking for it changes nothing on the screen, yet the window would count itself
// full screen and hide the pointer and hold the screen awake as one. There the window covers its
// screen itself, following the screen's size, and takes its place back when it leaves full screen.
class UnmanagedFullScreen : public QObject {
    Q_OBJECT
public:
    explicit UnmanagedFullScreen(QWidget* window);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FollowTheWindow();
    void Cover();

    QWidget* window_;
    std::optional<QRect> normal_;             // the window's place while it covers its screen itself
    QMetaObject::Connection screenFollowed_;  // the covered screen's size, while it is covered
};
