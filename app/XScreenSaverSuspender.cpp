#include "app/XScreenSaverSuspender.h"

#include "app/X11.h"

#include <xcb/screensaver.h>

namespace {

// Suspending came with version 1.1 of the extension.
bool CanSuspend(xcb_connection_t* connection)
{
    const xcb_query_extension_reply_t* extension = xcb_get_extension_data(connection, &xcb_screensaver_id);
    if (!extension || !extension->present)
        return false;
    const auto version = Own(xcb_screensaver_query_version_reply(
        connection, xcb_screensaver_query_version(connection, 1, 1), nullptr));
    return version
        && (version->server_major_version > 1
            || (version->server_major_version == 1 && version->server_minor_version >= 1));
}

}  // namespace

XScreenSaverSuspender::~XScreenSaverSuspender()
{
    setSuspended(false);
}

void XScreenSaverSuspender::Hold()
{
    setSuspended(true);
    emit Answered(suspended_);
}

void XScreenSaverSuspender::Release()
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
