#pragma once

#include <QImage>
#include <QProcess>
#include <QString>
#include <QTemporaryDir>

// The built studio-clock program, started on the test's X display at a chosen time, locale and
// time zone, and driven the way an operator would: mouse, keyboard and window manager requests.
class ClockProcess {
public:
    struct Setting {
        // libfaketime's FAKETIME: "@2026-12-08 23:59:55" starts there and runs on,
        // "2026-12-08 10:30:15" stands still, "+3600" runs an hour ahead. Empty: the real time.
        QString fakeTime;
        QString locale;
        QString timeZone;
        // A file holding a FAKETIME that the program reads at every clock reading, to step its
        // clock while it runs; empty for none.
        QString timeFile;
    };

    explicit ClockProcess(QString fakeTime, QString locale = QStringLiteral("en_US.UTF-8"),
        QString timeZone = QStringLiteral("UTC"), QString timeFile = QString());
    ~ClockProcess();
    ClockProcess(const ClockProcess&) = delete;
    ClockProcess& operator=(const ClockProcess&) = delete;

    // Runs the program on another X display than the test's (see VirtualDisplay), where Grab() and
    // the window manager's requests do not reach.
    void setDisplay(const QString& display) { display_ = display; }

    // Runs the program under a Wayland compositor instead, with the client environment it gives
    // (WaylandCompositor): Start waits for no X window, the compositor tells when it shows, and
    // what the program writes on its standard error is kept for ErrorOutput().
    void setWayland(const QProcessEnvironment& client);
    QString ErrorOutput();

    // Sets a variable of the program's environment, before Start. Without DBUS_SESSION_BUS_ADDRESS
    // the program finds no session bus, as on a machine without a desktop.
    void setEnvironmentVariable(const QString& name, const QString& value);
    // Starts the program with `arguments` and waits for its window; false (with the reason in
    // Error()) if it fails.
    bool Start(const QStringList& arguments = {});
    QString Error() const { return error_; }
    qint64 ProcessId() const { return process_.processId(); }

    // What the kernel answers the program about its clock's discipline, "result status maxerror
    // esterror" as adjtimex gives them (a negative result fails the call); read by the program at
    // every call, so it may change while the program runs. Until set: synchronised, 1 ms bound.
    void SetKernelClock(const QString& answer);

    // The window's contents as the X server shows them.
    QImage Grab() const;
    // Where the window is on its display, without the window manager's frame.
    QRect Geometry() const;

    void MovePointer(QPoint to) const;
    // Clicks the mouse's `button`: 1 the left, 3 the right.
    void Click(QPoint at, int button = 1) const;
    // On the test's own display.
    void DoubleClick(QPoint at) const;
    void Type(const QString& text) const;
    // Presses a key by its X name ("F11") with the window focused.
    void Key(const QString& key) const;
    void Resize(QSize size) const;
    // Asks the window manager to maximise the window, as its title bar's button does.
    void Maximise() const;
    // Unmaps the window, as minimising it does: it is no longer painted.
    void Unmap() const;
    // Asks the window to close, as its close button does.
    void Close() const;
    // The exit code once the program has ended within `msecs`, or -1.
    int WaitForExit(int msecs);

private:
    QString Xdotool(const QStringList& arguments) const;

    Setting setting_;
    QTemporaryDir kernelClock_;
    QString display_;
    QProcessEnvironment environment_;
    QProcess process_;
    QString window_;
    QString error_;
    bool wayland_ = false;
    QByteArray errorOutput_;
};
