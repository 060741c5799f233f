#include "app/UnmanagedFullScreen.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <QWindow>

#include <xcb/xcb.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <utility>
#include <vector>

namespace {

template <typename Reply> using XReply = std::unique_ptr<Reply, decltype(&std::free)>;

xcb_atom_t Atom(xcb_connection_t* connection, const char* name)
{
    const XReply<xcb_intern_atom_reply_t> reply(
        xcb_intern_atom_reply(connection,
            xcb_intern_atom(connection, 1, static_cast<std::uint16_t>(std::strlen(name)), name), nullptr),
        &std::free);
    return reply ? reply->atom : static_cast<xcb_atom_t>(XCB_ATOM_NONE);
}

// The values of a property of type `type` (32-bit ones: windows, atoms) on `window`.
std::vector<std::uint32_t> Property(
    xcb_connection_t* connection, xcb_window_t window, xcb_atom_t name, xcb_atom_t type)
{
    const XReply<xcb_get_property_reply_t> reply(
        xcb_get_property_reply(
            connection, xcb_get_property(connection, 0, window, name, type, 0, 1024), nullptr),
        &std::free);
    if (!reply || reply->format != 32)
        return {};
    const auto* values = static_cast<const std::uint32_t*>(xcb_get_property_value(reply.get()));
    return {values, values + xcb_get_property_value_length(reply.get()) / 4};
}

// The window's X display; none off X.
xcb_connection_t* XConnection()
{
    const auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    return x11 ? x11->connection() : nullptr;
}

bool WindowManagerGrantsFullScreen(xcb_connection_t* connection)
{
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
    // A running manager names its own window on the root, and that window names itself: a manager
    // that has gone leaves the root's name pointing at nothing.
    const xcb_atom_t check = Atom(connection, "_NET_SUPPORTING_WM_CHECK");
    const std::vector<std::uint32_t> manager = Property(connection, root, check, XCB_ATOM_WINDOW);
    if (manager.empty() || Property(connection, manager.front(), check, XCB_ATOM_WINDOW) != manager)
        return false;
    const std::vector<std::uint32_t> supported
        = Property(connection, root, Atom(connection, "_NET_SUPPORTED"), XCB_ATOM_ATOM);
    return std::find(supported.begin(), supported.end(), Atom(connection, "_NET_WM_STATE_FULLSCREEN"))
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
        if (covered_)
            disconnect(covered_, nullptr, this, nullptr);
        covered_ = nullptr;
        window_->setGeometry(*std::exchange(normal_, std::nullopt));
    }
}

void UnmanagedFullScreen::Cover()
{
    if (covered_ != window_->screen()) {
        if (covered_)
            disconnect(covered_, nullptr, this, nullptr);
        covered_ = window_->screen();
        connect(covered_, &QScreen::geometryChanged, this, &UnmanagedFullScreen::Cover);
    }
    // On the platform window: the widget's own geometry calls would take the window out of full
    // screen.
    window_->windowHandle()->setGeometry(covered_->geometry());
}
