#include "app/ScreenFollower.h"

#include "app/WaylandGlobals.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <QWindow>
#include <QWindowStateChangeEvent>
#include <algorithm>

namespace {

// `bounds` as far into `area` as it goes; a window larger than the area keeps its top-left corner
// (and with it the title bar) in the area.
QRect Within(QRect bounds, const QRect& area)
{
    bounds.moveRight(std::min(bounds.right(), area.right()));
    bounds.moveBottom(std::min(bounds.bottom(), area.bottom()));
    bounds.moveTopLeft(QPoint(std::max(bounds.left(), area.left()), std::max(bounds.top(), area.top())));
    return bounds;
}

}  // namespace

ScreenFollower::ScreenFollower(QWidget* window, QScreen* screen)
    : QObject(window)
    , window_(window)
    , name_(screen->name())
{
    // Where the window is decides its screen when it is made, on X11 at least; it is centred there
    // as it is shown.
    window_->setScreen(screen);
    window_->move(screen->availableGeometry().topLeft());
    connect(qGuiApp, &QGuiApplication::screenRemoved, this, &ScreenFollower::Removed);
    connect(qGuiApp, &QGuiApplication::screenAdded, this, &ScreenFollower::Added);
    if (WaylandGlobals::OnWayland())
        window_->installEventFilter(this);
}

bool ScreenFollower::eventFilter(QObject* watched, QEvent* event)
{
    // The compositor puts a window that asks for full screen on the output the window names, and
    // Qt names the output the surface last entered: the focused one, where the compositor opened
    // it. The request has gone when this is told, but not been carried out: asked again for the
    // chosen output, the compositor takes the later request.
    if (watched == window_ && event->type() == QEvent::WindowStateChange && window_->isFullScreen()
        && !(static_cast<QWindowStateChangeEvent*>(event)->oldState() & Qt::WindowFullScreen)) {
        QScreen* chosen = Chosen();
        if (chosen && window_->screen() != chosen) {
            QWindow* handle = window_->windowHandle();
            handle->setScreen(chosen);
            handle->setWindowStates(handle->windowStates());
        }
    }
    return false;
}

QScreen* ScreenFollower::Chosen() const
{
    const QList<QScreen*> screens = QGuiApplication::screens();
    const auto found = std::find_if(
        screens.begin(), screens.end(), [this](const QScreen* screen) { return screen->name() == name_; });
    return found == screens.end() ? nullptr : *found;
}

void ScreenFollower::Removed(QScreen* screen)
{
    // The screen is still the window's while this is told, unless the platform has already given
    // the window another (on X11, a busy program may learn of the window's new screen first); the
    // window then goes wherever the platform puts it, and on X11 stays where the screen was.
    const bool onIt
        = screen == window_->screen() || screen->geometry().contains(window_->geometry().center());
    if (!onIt || !(displaced_ || screen->name() == name_))
        return;
    QScreen* primary = QGuiApplication::primaryScreen();
    if (!primary)
        return;
    if (!displaced_)
        home_ = window_->normalGeometry().translated(-screen->availableGeometry().topLeft());
    displaced_ = true;
    MoveTo(primary);
}

void ScreenFollower::Added(QScreen* screen)
{
    if (!displaced_ || screen->name() != name_)
        return;
    displaced_ = false;
    MoveTo(screen);
}

void ScreenFollower::MoveTo(QScreen* screen)
{
    const QRect area = screen->availableGeometry();
    // A window manager holds a full-screen or maximised window where it is: the window leaves
    // that state, moves as a plain window, and takes the state again on its new screen.
    const Qt::WindowStates states = window_->windowState();
    const Qt::WindowStates kept = states & (Qt::WindowFullScreen | Qt::WindowMaximized);
    if (kept)
        window_->setWindowState(states & ~kept);
    window_->setScreen(screen);
    window_->setGeometry(Within(home_.translated(area.topLeft()), area));
    if (kept)
        window_->setWindowState(window_->windowState() | kept);
}
