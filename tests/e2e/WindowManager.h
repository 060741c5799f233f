#pragma once

#include <QProcess>

// A window manager on the test's display (Openbox), for what only a window manager grants, such as
// full screen. It stops when this goes.
class WindowManager {
public:
    WindowManager() = default;
    ~WindowManager();
    WindowManager(const WindowManager&) = delete;
    WindowManager& operator=(const WindowManager&) = delete;

    // Starts it and waits until it manages the display; false if it does not.
    bool Start();

private:
    QProcess process_;
};
