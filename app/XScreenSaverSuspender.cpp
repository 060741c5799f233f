#include "app/XScreenSaverSuspender.h"

#include <QGuiApplication>

#include <xcb/screensaver.h>

#include <cstdlib>
#include <memory>

namespace {

xcb_connection_t* XConnection()
{
    const auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    return x11 ? x11->connection() : nullptr;
}

// Suspending came with version 1.1 of the extension.
bool CanSuspend(xcb_connection_t* connection)
{
    const xcb_query_extension_reply_t* extension = xcb_get_extension_data(connection, &xcb_screensaver_id);
    if (!extension || !extension->present)
        return false;
    const std::unique_ptr<xcb_screensaver_query_version_reply_t, decltype(&std::free)> version(
        xcb_screensaver_query_version_reply(
            connection, xcb_screensaver_query_version(connection, 1, 1), nullptr),
        &std::free);
    return version
        && (version->server_major_version > 1
            || (version->server_major_version == 1 && version->server_minor_version >= 1));
}

}  // namespace

XScreenSaverSuspender::~XScreenSaverSuspender()
{
    setSuspended(false);
}

void XScreenSaverSuspender::setSuspended(bool suspended)
{
    if (suspended == suspended_)
        return;
    xcb_connection_t* connection = XConnection();
    if (!connection || (suspended && !CanSuspend(connection)))
        return;
    // The server counts a client's suspensions; this holds at most one.
    xcb_screensaver_suspend(connection, suspended ? 1 : 0);
    xcb_flush(connection);
    suspended_ = suspended;
}
