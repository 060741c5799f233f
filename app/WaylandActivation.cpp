#include "app/WaylandActivation.h"

#include "app/WaylandGlobals.h"
#include "xdg-activation-v1-client-protocol.h"

#include <QEvent>
#include <QTimer>
#include <QWidget>
#include <QWindow>

WaylandActivation::WaylandActivation(QWidget* window)
    : QObject(window)
    , window_(window)
    , token_(qgetenv("XDG_ACTIVATION_TOKEN"))
{
    qunsetenv("XDG_ACTIVATION_TOKEN");
    if (!token_.isEmpty() && WaylandGlobals::OnWayland())
        window_->installEventFilter(this);
}

bool WaylandActivation::eventFilter(QObject* watched, QEvent* event)
{
    // The compositor activates only a surface it shows. The platform window exists once the window
    // is shown, and the first frame is committed as the window is first exposed: the request
    // follows that.
    if (watched == window_ && event->type() == QEvent::Show && window_->windowHandle()) {
        window_->removeEventFilter(this);
        window_->windowHandle()->installEventFilter(this);
    } else if (watched == window_->windowHandle() && event->type() == QEvent::Expose
        && window_->windowHandle()->isExposed()) {
        watched->removeEventFilter(this);
        QTimer::singleShot(0, this, &WaylandActivation::Activate);
    }
    return false;
}

void WaylandActivation::Activate()
{
    WaylandGlobals globals;
    auto* const activation = static_cast<xdg_activation_v1*>(globals.Bind(xdg_activation_v1_interface, 1));
    wl_surface* const surface = WaylandGlobals::SurfaceOf(window_->windowHandle());
    if (!activation)
        return;
    if (surface)
        xdg_activation_v1_activate(activation, token_.constData(), surface);
    xdg_activation_v1_destroy(activation);
    globals.Flush();
    token_.clear();
}
