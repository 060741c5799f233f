#include "app/ScreenAwake.h"

#include <QEvent>
#include <QWidget>

ScreenAwake::ScreenAwake(QWidget* window)
    : QObject(window)
    , window_(window)
    , desktop_(window)
{
    connect(&desktop_, &DesktopIdleInhibitor::Answered, this, &ScreenAwake::DesktopAnswered);
    window->installEventFilter(this);
    FollowTheWindow();
}

bool ScreenAwake::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == window_ && event->type() == QEvent::WindowStateChange)
        FollowTheWindow();
    return false;
}

void ScreenAwake::FollowTheWindow()
{
    if (window_->isFullScreen() == fullScreen_)
        return;
    fullScreen_ = window_->isFullScreen();
    if (fullScreen_) {
        desktop_.Hold();
    } else {
        desktop_.Release();
        xScreenSaver_.setSuspended(false);
    }
}

void ScreenAwake::DesktopAnswered(bool held)
{
    xScreenSaver_.setSuspended(fullScreen_ && !held);
}
