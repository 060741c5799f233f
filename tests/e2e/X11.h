#pragma once

#include <xcb/xcb.h>

#include <cstdint>

// The test's own connection to the X display, for what xdotool cannot do.
xcb_connection_t* XConnection();
xcb_atom_t Atom(const char* name, xcb_connection_t* connection = XConnection());

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
