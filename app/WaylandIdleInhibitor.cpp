#include "app/WaylandIdleInhibitor.h"

#include "idle-inhibit-unstable-v1-client-protocol.h"

#include <QGuiApplication>
#include <QPlatformSurfaceEvent>
#include <QWidget>
#include <QWindow>
#include <qpa/qplatformnativeinterface.h>

#include <cstring>

#include <wayland-client.h>

namespace {

void Announced(void* data, wl_registry* registry, uint32_t name, const char* interface, uint32_t /*version*/)
{
    if (std::strcmp(interface, zwp_idle_inhibit_manager_v1_interface.name) != 0)
        return;
    *static_cast<zwp_idle_inhibit_manager_v1**>(data) = static_cast<zwp_idle_inhibit_manager_v1*>(
        wl_registry_bind(registry, name, &zwp_idle_inhibit_manager_v1_interface, 1));
}

void Withdrawn(void* /*data*/, wl_registry* /*registry*/, uint32_t /*name*/) { }

const wl_registry_listener kRegistryListener{Announced, Withdrawn};

}  // namespace

WaylandIdleInhibitor::WaylandIdleInhibitor(QWidget* window)
    : window_(window)
{
}

WaylandIdleInhibitor::~WaylandIdleInhibitor()
{
    Uninhibit();
    if (manager_)
        zwp_idle_inhibit_manager_v1_destroy(manager_);
    if (queue_)
        wl_event_queue_destroy(queue_);
}

void WaylandIdleInhibitor::Hold()
{
    wanted_ = true;
    BindManager();
    if (manager_) {
        QWindow* const window = window_->windowHandle();
        if (window != watched_) {
            if (watched_)
                watched_->removeEventFilter(this);
            watched_ = window;
            if (window)
                window->installEventFilter(this);
        }
        FollowTheSurface();
    }
    emit Answered(manager_ != nullptr);
}

void WaylandIdleInhibitor::Release()
{
    wanted_ = false;
    Uninhibit();
}

bool WaylandIdleInhibitor::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != watched_)
        return false;
    if (event->type() == QEvent::PlatformSurface
        && static_cast<QPlatformSurfaceEvent*>(event)->surfaceEventType()
            == QPlatformSurfaceEvent::SurfaceAboutToBeDestroyed)
        Uninhibit();
    else if (event->type() == QEvent::PlatformSurface || event->type() == QEvent::Show
        || event->type() == QEvent::Expose)
        FollowTheSurface();
    return false;
}

void WaylandIdleInhibitor::BindManager()
{
    if (bound_)
        return;
    bound_ = true;
    QPlatformNativeInterface* const native = QGuiApplication::platformNativeInterface();
    if (!QGuiApplication::platformName().startsWith(QLatin1String("wayland")) || !native)
        return;
    display_ = static_cast<wl_display*>(native->nativeResourceForIntegration("wl_display"));
    if (!display_)
        return;
    // The registry's announcements come on this queue alone, through a wrapper of the display set
    // to it; Qt's own queue is left to Qt.
    queue_ = wl_display_create_queue(display_);
    auto* const wrapper = static_cast<wl_display*>(wl_proxy_create_wrapper(display_));
    wl_proxy_set_queue(reinterpret_cast<wl_proxy*>(wrapper), queue_);
    wl_registry* const registry = wl_display_get_registry(wrapper);
    wl_proxy_wrapper_destroy(wrapper);
    wl_registry_add_listener(registry, &kRegistryListener, &manager_);
    wl_display_roundtrip_queue(display_, queue_);
    // Nothing later is wanted from the registry, so nothing piles up on a queue nobody reads.
    wl_registry_destroy(registry);
}

void WaylandIdleInhibitor::FollowTheSurface()
{
    if (!wanted_ || !manager_ || !watched_)
        return;
    auto* const surface = static_cast<wl_surface*>(
        QGuiApplication::platformNativeInterface()->nativeResourceForWindow("surface", watched_));
    if (surface == surface_)
        return;
    Uninhibit();
    if (!surface)
        return;
    surface_ = surface;
    inhibitor_ = zwp_idle_inhibit_manager_v1_create_inhibitor(manager_, surface_);
    wl_display_flush(display_);
}

void WaylandIdleInhibitor::Uninhibit()
{
    if (!inhibitor_)
        return;
    zwp_idle_inhibitor_v1_destroy(inhibitor_);
    inhibitor_ = nullptr;
    surface_ = nullptr;
    wl_display_flush(display_);
}
