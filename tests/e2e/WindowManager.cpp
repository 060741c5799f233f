#include "tests/e2e/WindowManager.h"

#include "tests/e2e/VirtualDisplay.h"

#include <QDeadlineTimer>
#include <QThread>

#include <cstdlib>

namespace {

xcb_window_t Root(xcb_connection_t* connection)
{
    return xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
}

// An EWMH window manager announces itself on the root window.
bool Announced(xcb_connection_t* connection)
{
    const xcb_get_property_cookie_t cookie = xcb_get_property(
        connection, 0, Root(connection), Atom("_NET_SUPPORTING_WM_CHECK", connection), XCB_ATOM_WINDOW, 0, 1);
    xcb_get_property_reply_t* reply = xcb_get_property_reply(connection, cookie, nullptr);
    const bool announced = reply && xcb_get_property_value_length(reply) > 0;
    std::free(reply);
    return announced;
}

// A managed window is framed: the window manager has taken it from the root.
bool Framed(xcb_connection_t* connection, xcb_window_t window)
{
    xcb_query_tree_reply_t* tree
        = xcb_query_tree_reply(connection, xcb_query_tree(connection, window), nullptr);
    const bool framed = tree && tree->parent != Root(connection);
    std::free(tree);
    return framed;
}

// Openbox announces itself before it is ready, and a window mapped in between is never shown; so
// a probe window is mapped, again if need be, until the window manager frames it.
bool ManagesNewWindows(xcb_connection_t* connection, const QDeadlineTimer& deadline)
{
    const xcb_window_t probe = xcb_generate_id(connection);
    xcb_create_window(connection, XCB_COPY_FROM_PARENT, probe, Root(connection), 0, 0, 16, 16, 0,
        XCB_WINDOW_CLASS_INPUT_OUTPUT, XCB_COPY_FROM_PARENT, 0, nullptr);
    bool framed = false;
    while (!framed && !deadline.hasExpired()) {
        xcb_map_window(connection, probe);
        xcb_flush(connection);
        const QDeadlineTimer retry(500);
        while (!(framed = Framed(connection, probe)) && !retry.hasExpired())
            QThread::msleep(20);
    }
    xcb_destroy_window(connection, probe);
    xcb_flush(connection);
    return framed;
}

}  // namespace

WindowManager::WindowManager(const VirtualDisplay& display)
    : connection_(display.Connection())
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("DISPLAY"), display.Name());
    process_.setProcessEnvironment(environment);
}

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
    while (!Announced(connection_)) {
        if (deadline.hasExpired() || process_.state() == QProcess::NotRunning)
            return false;
        QThread::msleep(50);
    }
    return ManagesNewWindows(connection_, deadline);
}
