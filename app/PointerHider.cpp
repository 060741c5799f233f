#include "app/PointerHider.h"

#include <QGuiApplication>
#include <QMouseEvent>
#include <QWidget>
#include <QWindow>

namespace {

constexpr int kRestBeforeHiding = 3000;  // milliseconds

}  // namespace

PointerHider::PointerHider(QWidget* window)
    : QObject(window)
    , window_(window)
{
    rest_.setSingleShot(true);
    rest_.setInterval(kRestBeforeHiding);
    connect(&rest_, &QTimer::timeout, this, &PointerHider::Hide);
    window->installEventFilter(this);
}

PointerHider::~PointerHider()
{
    Show();
}

bool PointerHider::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == window_) {
        if (event->type() == QEvent::WindowStateChange)
            FollowTheWindow();
        // The window's platform window gets every movement over it before it goes to the control
        // under the pointer, whether or not that control tracks the mouse. It exists once shown.
        else if (event->type() == QEvent::Show && window_->windowHandle())
            window_->windowHandle()->installEventFilter(this);
    } else if (event->type() == QEvent::MouseMove) {
        PointerMoved(static_cast<QMouseEvent*>(event)->globalPosition());
    }
    return false;
}

void PointerHider::FollowTheWindow()
{
    if (window_->isFullScreen()) {
        rest_.start();
    } else {
        rest_.stop();
        Show();
    }
}

void PointerHider::PointerMoved(const QPointF& position)
{
    // A window moved or resized under a still pointer reports a movement too, where it is.
    if (position == lastPosition_)
        return;
    lastPosition_ = position;
    Show();
    if (window_->isFullScreen())
        rest_.start();
}

void PointerHider::Hide()
{
    if (hidden_)
        return;
    QGuiApplication::setOverrideCursor(Qt::BlankCursor);
    hidden_ = true;
}

void PointerHider::Show()
{
    if (!hidden_)
        return;
    QGuiApplication::restoreOverrideCursor();
    hidden_ = false;
}
