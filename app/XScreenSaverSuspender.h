#pragma once

#include "app/AwakeWay.h"

// Suspends the X server's own screen saver and display power saving while held, for a session with
// no desktop service to ask (a window manager alone). The server's settings stay as they are, and
// it ends a client's suspension when the client disconnects, so none outlives the program. Off X,
// or on a server without the extension, it never holds.
class XScreenSaverSuspender : public AwakeWay {
    Q_OBJECT
public:
    using AwakeWay::AwakeWay;
    ~XScreenSaverSuspender() override;

    void Hold() override;
    void Release() override;

private:
    void setSuspended(bool suspended);

    bool suspended_ = false;
};
