#pragma once

#include <QImage>
#include <QProcess>
#include <QRect>
#include <QString>

#include <xcb/xcb.h>

// A display of a test's own beside the one the test runs on: an Xvfb whose screens are RandR
// monitors the test plugs and unplugs while programs run on it, as screens are on a studio
// machine. It stops when this goes.
class VirtualDisplay {
public:
    VirtualDisplay() = default;
    ~VirtualDisplay();
    VirtualDisplay(const VirtualDisplay&) = delete;
    VirtualDisplay& operator=(const VirtualDisplay&) = delete;

    // Starts it with room for `size` and no screen yet; false if it does not start.
    bool Start(QSize size);
    // Its name, for DISPLAY (":95").
    QString Name() const { return name_; }
    xcb_connection_t* Connection() const { return connection_; }

    // Plugs in a screen called `name` covering `area` of the display; screens plugged earlier come
    // first in Qt's list, and the first is the primary screen.
    bool Plug(const QString& name, const QRect& area) const;
    bool Unplug(const QString& name) const;
    // What the display shows in `area`.
    QImage Grab(const QRect& area) const;

private:
    bool Xrandr(const QStringList& arguments) const;

    QProcess server_;
    QString name_;
    xcb_connection_t* connection_ = nullptr;
};
