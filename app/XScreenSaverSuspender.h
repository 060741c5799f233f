#pragma once

// Suspends the X server's own screen saver and display power saving while held, for a session with
// no desktop service to ask (a window manager alone). The server's settings stay as they are, and
// it ends a client's suspension when the client disconnects, so none outlives the program. Off X,
// or on a server without the extension, it does nothing.
class XScreenSaverSuspender {
public:
    XScreenSaverSuspender() = default;
    ~XScreenSaverSuspender();
    XScreenSaverSuspender(const XScreenSaverSuspender&) = delete;
    XScreenSaverSuspender& operator=(const XScreenSaverSuspender&) = delete;

    void setSuspended(bool suspended);

private:
    bool suspended_ = false;
};
