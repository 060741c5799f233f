#pragma once

#include "tests/e2e/X11.h"

#include <QProcess>

class VirtualDisplay;

// A window manager on the test's display (Openbox), for what only a window manager grants, such as
// full screen. It stops when this goes.
class WindowManager {
public:
    WindowManager() = default;
    // On a display of the test's own instead.
    explicit WindowManager(const VirtualDisplay& display);
    ~WindowManager();
    WindowManager(const WindowManager&) = delete;
    WindowManager& operator=(const WindowManager&) = delete;

    // Starts it and waits until it manages the display; false if it does not.
    bool Start();

private:
    QProcess process_;
    xcb_connection_t* connection_ = XConnection();
};
