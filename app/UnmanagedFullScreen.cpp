#include "app/UnmanagedFullScreen.h"

#include "app/X11.h"

#include <QEvent>
#include <QScreen>
#include <QWidget>
#include <QWindow>

#include <algorithm>
#include <cstdint>
#include <utility>
#include <vector>

namespace {

// The values of a property of type `type` (32-bit ones: windows, atoms) on `window`.
std::vector<std::uint32_t> Property(
    xcb_connection_t* connection, xcb_window_t window, xcb_atom_t name, xcb_atom_t type)
{
    const auto reply = Own(xcb_get_property_reply(
        connection, xcb_get_property(connection, 0, window, name, type, 0, 1024), nullptr));
    if (!reply || reply->format != 32)
        return {};
    const auto* values = static_cast<const std::uint32_t*>(xcb_get_property_value(reply.get()));
    return {values, values + xcb_get_property_value_length(reply.get()) / 4};
}

bool WindowManagerGrantsFullScreen(xcb_connection_t* connection)
{
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
    // A running manager names its own window on the root, and that window names itself: a manager
    // that has gone leaves the root's name pointing at nothing.
    const xcb_atom_t check = Atom("_NET_SUPPORTING_WM_CHECK", connection);
    const std::vector<std::uint32_t> manager = Property(connection, root, check, XCB_ATOM_WINDOW);
    if (manager.empty() || Property(connection, manager.front(), check, XCB_ATOM_WINDOW) != manager)
        return false;
    const std::vector<std::uint32_t> supported
        = Property(connection, root, Atom("_NET_SUPPORTED", connection), XCB_ATOM_ATOM);
    return std::find(supported.begin(), supported.end(), Atom("_NET_WM_STATE_FULLSCREEN", connection))
        != supported.end();
}

}  // namespace

UnmanagedFullScreen::UnmanagedFullScreen(QWidget* window)
    : QObject(window)
    , window_(window)
{
    window->installEventFilter(this);
}

bool UnmanagedFullScreen::eventFilter(QObject* watched, QEvent* event)
{
    // Looked at once the event is handled: a window being shown is placed by then.
    if (watched == window_ && (event->type() == QEvent::WindowStateChange || event->type() == QEvent::Show))
        QMetaObject::invokeMethod(this, &UnmanagedFullScreen::FollowTheWindow, Qt::QueuedConnection);
    return false;
}

void UnmanagedFullScreen::FollowTheWindow()
{
    if (window_->isFullScreen() && !normal_ && window_->isVisible()) {
        xcb_connection_t* connection = XConnection();
        if (!connection || WindowManagerGrantsFullScreen(connection))
            return;
        normal_ = window_->normalGeometry();
        Cover();
    } else if (!window_->isFullScreen() && normal_) {
        disconnect(screenFollowed_);
        window_->setGeometry(*std::exchange(normal_, std::nullopt));
    }
}

void UnmanagedFullScreen::Cover()
{
    disconnect(screenFollowed_);
    QScreen* screen = window_->screen();
    screenFollowed_ = connect(screen, &QScreen::geometryChanged, this, &UnmanagedFullScreen::Cover);
    // On the platform window: the widget's own geometry calls would take the window out of full
    // screen.
    window_->windowHandle()->setGeometry(screen->geometry());
}
