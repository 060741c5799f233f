#include "app/PointerHider.h"

#include <QApplication>
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
    // Every window's platform window gets each movement over it before the control under the
    // pointer does, whether or not that control tracks the mouse: the menus' and popups' too.
    qApp->installEventFilter(this);
}

PointerHider::~PointerHider()
{
    Show();
}

bool PointerHider::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == window_ && event->type() == QEvent::WindowStateChange)
        FollowTheWindow();
    else if (event->type() == QEvent::MouseMove && watched->isWindowType())
        PointerMoved(static_cast<QMouseEvent*>(event)->globalPosition());
    else if (event->type() == QEvent::Show && watched->isWidgetType()
        && static_cast<QWidget*>(watched)->windowType() == Qt::Popup)
        Wake();  // opened from the keyboard, a menu is still to be pointed at
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
    Wake();
}

void PointerHider::Wake()
{
    Show();
    if (window_->isFullScreen())
        rest_.start();
}

void PointerHider::Hide()
{
    if (QApplication::activePopupWidget()) {
        rest_.start();
        return;
    }
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
