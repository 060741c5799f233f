#pragma once

// What the tests ask of the X display directly, where xdotool has no command for it, through the
// test's own connection (app/X11.h's XConnection).
#include "app/X11.h"

#include <cstdint>

// The X server's own screen saver: whether it is on, and how long no input has come.
struct XScreenSaverState {
    bool on;
    std::uint32_t idleMilliseconds;
};
XScreenSaverState XScreenSaver();
// Sets the seconds without input after which the X server's screen saver comes on; -1 restores the
// server's default.
void SetXScreenSaverTimeout(int seconds);

// Whether the pointer's image, as the server shows it now, has a pixel that is not transparent.
bool PointerShown();

// Double-clicks the first button where the pointer is: the four button events reach the server in
// one go, so they make one double click however late a loaded machine runs the test.
void DoubleClickHere();
