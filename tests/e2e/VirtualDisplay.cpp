#include "tests/e2e/VirtualDisplay.h"

#include "app/X11.h"

#include <cstdint>

VirtualDisplay::~VirtualDisplay()
{
    if (connection_)
        xcb_disconnect(connection_);
    if (server_.state() != QProcess::NotRunning) {
        server_.terminate();
        if (!server_.waitForFinished(5000))
            server_.kill();
    }
}

bool VirtualDisplay::Start(QSize size)
{
    // Xvfb picks a free display number and writes it where -displayfd says, here its output.
    // -noreset keeps the monitors set while no client is connected.
    server_.start(QStringLiteral("Xvfb"),
        {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-screen"), QStringLiteral("0"),
            QStringLiteral("%1x%2x24").arg(size.width()).arg(size.height()), QStringLiteral("-nolisten"),
            QStringLiteral("tcp"), QStringLiteral("-noreset")});
    if (!server_.waitForStarted(10000))
        return false;
    while (!server_.canReadLine())
        if (!server_.waitForReadyRead(10000))
            return false;
    name_ = QLatin1Char(':') + QString::fromLatin1(server_.readLine()).trimmed();
    connection_ = xcb_connect(qPrintable(name_), nullptr);
    if (xcb_connection_has_error(connection_))
        return false;
    // Xvfb's one output makes a screen of the whole display; switched off, it leaves only the
    // monitors plugged in.
    return Xrandr({QStringLiteral("--output"), QStringLiteral("screen"), QStringLiteral("--off"),
        QStringLiteral("--fb"), QStringLiteral("%1x%2").arg(size.width()).arg(size.height())});
}

bool VirtualDisplay::Plug(const QString& name, const QRect& area) const
{
    // WIDTH/MILLIMETRES x HEIGHT/MILLIMETRES + X + Y, at 96 dots an inch.
    const QString geometry = QStringLiteral("%1/%2x%3/%4+%5+%6")
                                 .arg(area.width())
                                 .arg(area.width() * 254 / 960)
                                 .arg(area.height())
                                 .arg(area.height() * 254 / 960)
                                 .arg(area.x())
                                 .arg(area.y());
    return Xrandr({QStringLiteral("--setmonitor"), name, geometry, QStringLiteral("none")});
}

bool VirtualDisplay::Unplug(const QString& name) const
{
    return Xrandr({QStringLiteral("--delmonitor"), name});
}

QImage VirtualDisplay::Grab(const QRect& area) const
{
    // Xvfb's depth 24 comes as 32-bit pixels, as QImage's RGB32 has them.
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection_)).data->root;
    const auto picture = Own(xcb_get_image_reply(connection_,
        xcb_get_image(connection_, XCB_IMAGE_FORMAT_Z_PIXMAP, root, static_cast<std::int16_t>(area.x()),
            static_cast<std::int16_t>(area.y()), static_cast<std::uint16_t>(area.width()),
            static_cast<std::uint16_t>(area.height()), ~0U),
        nullptr));
    if (!picture || picture->depth != 24)
        return {};
    return QImage(xcb_get_image_data(picture.get()), area.width(), area.height(), QImage::Format_RGB32)
        .copy();
}

bool VirtualDisplay::Xrandr(const QStringList& arguments) const
{
    QProcess xrandr;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("DISPLAY"), name_);
    xrandr.setProcessEnvironment(environment);
    xrandr.setProcessChannelMode(QProcess::ForwardedChannels);
    xrandr.start(QStringLiteral("xrandr"), arguments);
    return xrandr.waitForFinished(10000) && xrandr.exitStatus() == QProcess::NormalExit
        && xrandr.exitCode() == 0;
}
