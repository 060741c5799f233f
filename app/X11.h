#pragma once

#include <xcb/xcb.h>

#include <cstdlib>
#include <memory>

// What the program asks of its X display directly, where Qt has no call for it.

// The connection Qt opened to the X display; null off X.
xcb_connection_t* XConnection();

// A reply of the X server, freed as it goes.
template <typename Reply> using XReply = std::unique_ptr<Reply, decltype(&std::free)>;
template <typename Reply> XReply<Reply> Own(Reply* reply)
{
    return XReply<Reply>(reply, &std::free);
}

// The atom the server has for `name` (made if it has none yet); XCB_ATOM_NONE if it does not answer.
xcb_atom_t Atom(const char* name, xcb_connection_t* connection = XConnection());
