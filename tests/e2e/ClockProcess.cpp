#include "tests/e2e/ClockProcess.h"

#include "tests/e2e/X11.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QGuiApplication>
#include <QPixmap>
#include <QSaveFile>
#include <QScreen>
#include <QThread>

#include <algorithm>
#include <cstdint>
#include <initializer_list>
#include <iterator>

namespace {

const char* const kFakeTimeLibrary = "/usr/lib/x86_64-linux-gnu/faketime/libfaketimeMT.so.1";

QString KernelClockFile(const QTemporaryDir& folder)
{
    return folder.filePath(QStringLiteral("kernel-clock"));
}

// A folder in `folder` holding a chronyc that fails, as where chrony is not installed, put first on
// the program's PATH so that a chrony of the machine's never answers it.
QString SilentChronyFolder(const QTemporaryDir& folder)
{
    const QString path = folder.filePath(QStringLiteral("chronyc"));
    QFile chronyc(path);
    if (chronyc.open(QIODevice::WriteOnly)) {
        chronyc.write("#!/bin/sh\nexit 1\n");
        chronyc.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    return folder.path();
}

QString Program()
{
    return qEnvironmentVariable("STUDIO_CLOCK_PROGRAM");
}

enum class ToWindowManager { No, Yes };

// Sends a client message about `window`: to the window itself, or to the root window, where the
// window manager takes requests.
void SendClientMessage(
    xcb_window_t window, const char* type, std::initializer_list<std::uint32_t> data, ToWindowManager to)
{
    xcb_connection_t* connection = XConnection();
    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = window;
    message.type = Atom(type);
    std::copy(data.begin(), data.end(), std::begin(message.data.data32));
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
    xcb_send_event(connection, 0, to == ToWindowManager::Yes ? root : window,
        to == ToWindowManager::Yes ? XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY
                                   : XCB_EVENT_MASK_NO_EVENT,
        reinterpret_cast<const char*>(&message));
    xcb_flush(connection);
}

}  // namespace

ClockProcess::ClockProcess(QString fakeTime, QString locale, QString timeZone, QString timeFile)
    : setting_{std::move(fakeTime), std::move(locale), std::move(timeZone), std::move(timeFile)}
{
    SetKernelClock(QStringLiteral("0 0 1000 100"));
}

ClockProcess::~ClockProcess()
{
    if (process_.state() != QProcess::NotRunning) {
        process_.kill();
        process_.waitForFinished(5000);
    }
}

void ClockProcess::setWayland(const QProcessEnvironment& client)
{
    wayland_ = true;
    environment_.insert(client);
}

QString ClockProcess::ErrorOutput()
{
    errorOutput_ += process_.readAllStandardError();
    return QString::fromLocal8Bit(errorOutput_);
}

void ClockProcess::setEnvironmentVariable(const QString& name, const QString& value)
{
    environment_.insert(name, value);
}

bool ClockProcess::Start(const QStringList& arguments)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), QStringLiteral("unix:path=/nonexistent"));
    // Nor do its time services: no system bus, and a chronyc that knows nothing.
    environment.insert(QStringLiteral("DBUS_SYSTEM_BUS_ADDRESS"), QStringLiteral("unix:path=/nonexistent"));
    environment.insert(QStringLiteral("PATH"),
        SilentChronyFolder(kernelClock_) + QLatin1Char(':') + environment.value(QStringLiteral("PATH")));
    environment.insert(QStringLiteral("LANG"), setting_.locale);
    environment.insert(QStringLiteral("LC_ALL"), setting_.locale);
    environment.insert(QStringLiteral("TZ"), setting_.timeZone);
    // The machine's own clock discipline never decides what a test sees.
    QStringList preloaded{qEnvironmentVariable("STUDIO_CLOCK_KERNEL_CLOCK_STAND_IN")};
    environment.insert(QStringLiteral("STUDIO_CLOCK_KERNEL_CLOCK_FILE"), KernelClockFile(kernelClock_));
    // A build with the address sanitizer wants its runtime loaded first; these go first.
    environment.insert(QStringLiteral("ASAN_OPTIONS"),
        environment.value(QStringLiteral("ASAN_OPTIONS")) + QStringLiteral(":verify_asan_link_order=0"));
    if (!setting_.fakeTime.isEmpty() || !setting_.timeFile.isEmpty()) {
        preloaded << QString::fromLatin1(kFakeTimeLibrary);
        // The timer waits on the monotonic clock, which stays real.
        environment.insert(QStringLiteral("FAKETIME_DONT_FAKE_MONOTONIC"), QStringLiteral("1"));
        if (!setting_.fakeTime.isEmpty())
            environment.insert(QStringLiteral("FAKETIME"), setting_.fakeTime);
        if (!setting_.timeFile.isEmpty()) {
            environment.insert(QStringLiteral("FAKETIME_TIMESTAMP_FILE"), setting_.timeFile);
            environment.insert(QStringLiteral("FAKETIME_NO_CACHE"), QStringLiteral("1"));
        }
    }
    environment.insert(QStringLiteral("LD_PRELOAD"), preloaded.join(QLatin1Char(' ')));
    if (!display_.isEmpty())
        environment.insert(QStringLiteral("DISPLAY"), display_);
    environment.insert(environment_);
    process_.setProcessEnvironment(environment);
    process_.setProcessChannelMode(wayland_ ? QProcess::SeparateChannels : QProcess::ForwardedErrorChannel);
    process_.start(Program(), arguments);
    if (!process_.waitForStarted(10000)) {
        error_ = QStringLiteral("cannot start %1: %2").arg(Program(), process_.errorString());
        return false;
    }
    if (wayland_)
        return true;
    // Polled rather than xdotool's --sync, which gives up for good when another client's window
    // vanishes during its search.
    const QDeadlineTimer deadline(20000);
    while (window_.isEmpty() && !deadline.hasExpired()) {
        window_ = Xdotool({QStringLiteral("search"), QStringLiteral("--onlyvisible"), QStringLiteral("--pid"),
                              QString::number(process_.processId())})
                      .section(QLatin1Char('\n'), 0, 0);
        if (window_.isEmpty())
            QThread::msleep(50);
    }
    if (window_.isEmpty())
        error_ = QStringLiteral("the program showed no window");
    // The first frame follows the window's appearance closely; give it that moment.
    QThread::msleep(500);
    return !window_.isEmpty();
}

QString ClockProcess::Xdotool(const QStringList& arguments) const
{
    QProcess xdotool;
    if (!display_.isEmpty()) {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("DISPLAY"), display_);
        xdotool.setProcessEnvironment(environment);
    }
    xdotool.start(QStringLiteral("xdotool"), arguments);
    if (!xdotool.waitForFinished(20000))
        xdotool.kill();
    return QString::fromLocal8Bit(xdotool.readAllStandardOutput()).trimmed();
}

QImage ClockProcess::Grab() const
{
    return QGuiApplication::primaryScreen()
        ->grabWindow(window_.toULongLong())
        .toImage()
        .convertToFormat(QImage::Format_RGB32);
}

QRect ClockProcess::Geometry() const
{
    // X=, Y=, WIDTH=, HEIGHT= and SCREEN=, a line each.
    QRect geometry;
    const QStringList lines
        = Xdotool({QStringLiteral("getwindowgeometry"), QStringLiteral("--shell"), window_})
              .split(QLatin1Char('\n'));
    for (const QString& line : lines) {
        const int value = line.section(QLatin1Char('='), 1).toInt();
        if (line.startsWith(QLatin1String("X=")))
            geometry.moveLeft(value);
        else if (line.startsWith(QLatin1String("Y=")))
            geometry.moveTop(value);
        else if (line.startsWith(QLatin1String("WIDTH=")))
            geometry.setWidth(value);
        else if (line.startsWith(QLatin1String("HEIGHT=")))
            geometry.setHeight(value);
    }
    return geometry;
}

void ClockProcess::MovePointer(QPoint to) const
{
    Xdotool({QStringLiteral("mousemove"), QStringLiteral("--window"), window_, QString::number(to.x()),
        QString::number(to.y())});
}

void ClockProcess::Click(QPoint at, int button) const
{
    Xdotool({QStringLiteral("mousemove"), QStringLiteral("--window"), window_, QString::number(at.x()),
        QString::number(at.y()), QStringLiteral("click"), QString::number(button)});
}

void ClockProcess::DoubleClick(QPoint at) const
{
    // The pointer is where it was sent before the clicks come.
    Xdotool({QStringLiteral("mousemove"), QStringLiteral("--sync"), QStringLiteral("--window"), window_,
        QString::number(at.x()), QString::number(at.y())});
    DoubleClickHere();
}

void ClockProcess::Type(const QString& text) const
{
    Xdotool({QStringLiteral("windowfocus"), QStringLiteral("--sync"), window_});
    Xdotool({QStringLiteral("type"), QStringLiteral("--delay"), QStringLiteral("20"), text});
}

void ClockProcess::Key(const QString& key) const
{
    Xdotool({QStringLiteral("windowfocus"), QStringLiteral("--sync"), window_});
    Xdotool({QStringLiteral("key"), key});
}

void ClockProcess::Resize(QSize size) const
{
    Xdotool({QStringLiteral("windowsize"), window_, QString::number(size.width()),
        QString::number(size.height())});
}

void ClockProcess::Maximise() const
{
    // An EWMH request, to the root window where the window manager listens: add both maximised
    // states, asked by an application.
    constexpr std::uint32_t kAdd = 1;
    constexpr std::uint32_t kFromApplication = 1;
    SendClientMessage(window_.toUInt(), "_NET_WM_STATE",
        {kAdd, Atom("_NET_WM_STATE_MAXIMIZED_VERT"), Atom("_NET_WM_STATE_MAXIMIZED_HORZ"), kFromApplication},
        ToWindowManager::Yes);
}

void ClockProcess::Unmap() const
{
    Xdotool({QStringLiteral("windowunmap"), window_});
}

void ClockProcess::Close() const
{
    // What a window manager sends when the close button is pressed.
    SendClientMessage(
        window_.toUInt(), "WM_PROTOCOLS", {Atom("WM_DELETE_WINDOW"), XCB_CURRENT_TIME}, ToWindowManager::No);
}

void ClockProcess::SetKernelClock(const QString& answer)
{
    // Replaced whole, so the program never reads half an answer.
    QSaveFile file(KernelClockFile(kernelClock_));
    if (file.open(QIODevice::WriteOnly)) {
        file.write(answer.toLatin1());
        file.commit();
    }
}

int ClockProcess::WaitForExit(int msecs)
{
    // waitForFinished is false for a process already seen to end (while the test served events).
    if (process_.state() != QProcess::NotRunning && !process_.waitForFinished(msecs))
        return -1;
    return process_.exitStatus() == QProcess::NormalExit ? process_.exitCode() : -1;
}
