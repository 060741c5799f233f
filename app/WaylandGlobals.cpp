#include "app/WaylandGlobals.h"

#include <QGuiApplication>
#include <QWindow>
#include <qpa/qplatformnativeinterface.h>

#include <cstring>
#include <wayland-client.h>

namespace {

QPlatformNativeInterface* WaylandNativeInterface()
{
    return WaylandGlobals::OnWayland() ? QGuiApplication::platformNativeInterface() : nullptr;
}

// What a registry's announcements are searched for, and what was found.
struct Wanted {
    const wl_interface& interface;
    std::uint32_t version;
    void* bound = nullptr;
};

void Announced(
    void* data, wl_registry* registry, std::uint32_t name, const char* interface, std::uint32_t version)
{
    auto* const wanted = static_cast<Wanted*>(data);
    if (!wanted->bound && version >= wanted->version && std::strcmp(interface, wanted->interface.name) == 0)
        wanted->bound = wl_registry_bind(registry, name, &wanted->interface, wanted->version);
}

void Withdrawn(void* /*data*/, wl_registry* /*registry*/, std::uint32_t /*name*/) { }

const wl_registry_listener kRegistryListener{Announced, Withdrawn};

}  // namespace

WaylandGlobals::WaylandGlobals()
{
    if (QPlatformNativeInterface* const native = WaylandNativeInterface())
        display_ = static_cast<wl_display*>(native->nativeResourceForIntegration("wl_display"));
    if (display_)
        queue_ = wl_display_create_queue(display_);
}

WaylandGlobals::~WaylandGlobals()
{
    if (queue_)
        wl_event_queue_destroy(queue_);
}

void* WaylandGlobals::Bind(const wl_interface& interface, std::uint32_t version)
{
    if (!queue_)
        return nullptr;
    // The registry's announcements come on this queue alone, through a wrapper of the display set
    // to it; Qt's own queue is left to Qt.
    auto* const wrapper = static_cast<wl_display*>(wl_proxy_create_wrapper(display_));
    wl_proxy_set_queue(reinterpret_cast<wl_proxy*>(wrapper), queue_);
    wl_registry* const registry = wl_display_get_registry(wrapper);
    wl_proxy_wrapper_destroy(wrapper);
    Wanted wanted{interface, version};
    wl_registry_add_listener(registry, &kRegistryListener, &wanted);
    wl_display_roundtrip_queue(display_, queue_);
    // Nothing later is wanted from the registry, so nothing piles up on a queue nobody reads.
    wl_registry_destroy(registry);
    return wanted.bound;
}

void WaylandGlobals::Flush()
{
    if (display_)
        wl_display_flush(display_);
}

void WaylandGlobals::Roundtrip()
{
    if (queue_)
        wl_display_roundtrip_queue(display_, queue_);
}

void WaylandGlobals::DispatchPending()
{
    if (queue_)
        wl_display_dispatch_queue_pending(display_, queue_);
}

bool WaylandGlobals::OnWayland()
{
    return QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

wl_surface* WaylandGlobals::SurfaceOf(QWindow* window)
{
    QPlatformNativeInterface* const native = WaylandNativeInterface();
    return native && window ? static_cast<wl_surface*>(native->nativeResourceForWindow("surface", window))
                            : nullptr;
}
