#pragma once

#include "app/AwakeWay.h"

#include <QPointer>
#include <memory>

class QWidget;
class QWindow;
class WaylandGlobals;
struct wl_surface;
struct zwp_idle_inhibit_manager_v1;
struct zwp_idle_inhibitor_v1;

// Keeps a Wayland compositor from going idle (blanking, locking) while held, through an idle
// inhibitor on the window's surface. Qt makes the surface anew each time the window is shown, so
// the inhibitor follows the surface. The compositor's manager is bound through WaylandGlobals, on
// an event queue of its own. Off Wayland, or where the compositor lacks the protocol, it never
// holds.
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
    bool wanted_ = false;
    std::unique_ptr<WaylandGlobals> globals_;  // made at the first Hold; outlives what is bound on it
    zwp_idle_inhibit_manager_v1* manager_ = nullptr;
    wl_surface* surface_ = nullptr;  // the surface the inhibitor is on
    zwp_idle_inhibitor_v1* inhibitor_ = nullptr;
};
