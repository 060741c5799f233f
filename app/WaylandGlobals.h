#pragma once

#include <cstdint>

class QWindow;
struct wl_display;
struct wl_event_queue;
struct wl_interface;
struct wl_surface;

// The compositor's globals as the program binds them for itself, beside Qt, over Qt's own
// connection (Qt 6.4 has no public Wayland interface; its native interface, which is private,
// hands over the display and a window's surface). They are bound on an event queue of this
// object's own, so Qt's queue is never dispatched from here; what is bound on it must be
// destroyed before it. Off Wayland it binds nothing.
class WaylandGlobals {
public:
    WaylandGlobals();
    ~WaylandGlobals();
    WaylandGlobals(const WaylandGlobals&) = delete;
    WaylandGlobals& operator=(const WaylandGlobals&) = delete;

    // The compositor's global of `interface`, bound at `version`; null where the compositor
    // offers none, at a lower version, or off Wayland. The caller destroys it.
    void* Bind(const wl_interface& interface, std::uint32_t version);
    // Sends what was asked of the compositor.
    void Flush();
    // Waits until the compositor has answered everything asked so far, calling the listeners of
    // what is bound here.
    void Roundtrip();
    // Calls the listeners of what is bound here for the events already read from the compositor
    // (Qt reads them); never waits.
    void DispatchPending();

    // Whether the program runs on Qt's Wayland platform.
    static bool OnWayland();
    // The surface Qt made for `window`, while it has one; null off Wayland.
    static wl_surface* SurfaceOf(QWindow* window);

private:
    wl_display* display_ = nullptr;
    wl_event_queue* queue_ = nullptr;
};
