#pragma once

#include "app/AwakeWay.h"

#include <QPointer>

class QWidget;
class QWindow;
struct wl_display;
struct wl_event_queue;
struct wl_surface;
struct zwp_idle_inhibit_manager_v1;
struct zwp_idle_inhibitor_v1;

// Keeps a Wayland compositor from going idle (blanking, locking) while held, through an idle
// inhibitor on the window's surface. Qt makes the surface anew each time the window is shown, so
// the inhibitor follows the surface. The compositor's manager is bound on an event queue of this
// class's own, so Qt's queue is never dispatched from here. Off Wayland, or where the compositor
// lacks the protocol, it never holds.
class WaylandIdleInhibitor : public AwakeWay {
    Q_OBJECT
public:
    explicit WaylandIdleInhibitor(QWidget* window);
    ~WaylandIdleInhibitor() override;

    void Hold() override;
    void Release() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Binds the compositor's manager once, if the compositor offers one.
    void BindManager();
    void FollowTheSurface();
    void Uninhibit();

    QWidget* window_;
    QPointer<QWindow> watched_;  // the window whose surface is followed
    bool bound_ = false;
    bool wanted_ = false;
    wl_display* display_ = nullptr;
    wl_event_queue* queue_ = nullptr;
    zwp_idle_inhibit_manager_v1* manager_ = nullptr;
    wl_surface* surface_ = nullptr;  // the surface the inhibitor is on
    zwp_idle_inhibitor_v1* inhibitor_ = nullptr;
};
