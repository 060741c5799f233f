#include "tests/e2e/WindowManager.h"

#include "tests/e2e/X11.h"

#include <QDeadlineTimer>
#include <QThread>

#include <cstdlib>

namespace {

// An EWMH window manager announces itself on the root window.
bool Managed()
{
    xcb_connection_t* connection = XConnection();
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
    const xcb_get_property_cookie_t cookie
        = xcb_get_property(connection, 0, root, Atom("_NET_SUPPORTING_WM_CHECK"), XCB_ATOM_WINDOW, 0, 1);
    xcb_get_property_reply_t* reply = xcb_get_property_reply(connection, cookie, nullptr);
    const bool managed = reply && xcb_get_property_value_length(reply) > 0;
    std::free(reply);
    return managed;
}

}  // namespace

WindowManager::~WindowManager()
{
    if (process_.state() != QProcess::NotRunning) {
        process_.terminate();
        if (!process_.waitForFinished(5000))
            process_.kill();
    }
}

bool WindowManager::Start()
{
    process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process_.start(QStringLiteral("openbox"), {QStringLiteral("--sm-disable")});
    if (!process_.waitForStarted(10000))
        return false;
    const QDeadlineTimer deadline(10000);
    while (!Managed()) {
        if (deadline.hasExpired() || process_.state() == QProcess::NotRunning)
            return false;
        QThread::msleep(50);
    }
    return true;
}
