#pragma once

#include <xcb/xcb.h>

// The test's own connection to the X display, for what xdotool cannot do.
xcb_connection_t* XConnection();
xcb_atom_t Atom(const char* name, xcb_connection_t* connection = XConnection());
