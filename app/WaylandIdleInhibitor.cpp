#include "app/WaylandIdleInhibitor.h"

#include "app/WaylandGlobals.h"

#include "idle-inhibit-unstable-v1-client-protocol.h"

#include <QPlatformSurfaceEvent>
#include <QWidget>
#include <QWindow>

WaylandIdleInhibitor::WaylandIdleInhibitor(QWidget* window)
    : window_(window)
{
}

WaylandIdleInhibitor::~WaylandIdleInhibitor()
{
    Uninhibit();
    if (manager_)
        zwp_idle_inhibit_manager_v1_destroy(manager_);
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
    if (globals_)
        return;
    globals_ = std::make_unique<WaylandGlobals>();
    manager_
        = static_cast<zwp_idle_inhibit_manager_v1*>(globals_->Bind(zwp_idle_inhibit_manager_v1_interface, 1));
}

void WaylandIdleInhibitor::FollowTheSurface()
{
    if (!wanted_ || !manager_ || !watched_)
        return;
    wl_surface* const surface = WaylandGlobals::SurfaceOf(watched_);
    if (surface == surface_)
        return;
    Uninhibit();
    if (!surface)
        return;
    surface_ = surface;
    inhibitor_ = zwp_idle_inhibit_manager_v1_create_inhibitor(manager_, surface_);
    globals_->Flush();
}

void WaylandIdleInhibitor::Uninhibit()
{
    if (!inhibitor_)
        return;
    zwp_idle_inhibitor_v1_destroy(inhibitor_);
    inhibitor_ = nullptr;
    surface_ = nullptr;
    globals_->Flush();
}
