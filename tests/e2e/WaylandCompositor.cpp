#include "tests/e2e/WaylandCompositor.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QTest>

#include <pwd.h>
#include <unistd.h>

#include <optional>

namespace {

const QLatin1String kOutput("HEADLESS-1");

// Finds the node with `appId` under `node`, which is on the output `output`.
QJsonObject FindWindow(const QJsonObject& node, const QString& appId, QString output)
{
    if (node.value(QLatin1String("type")).toString() == QLatin1String("output"))
        output = node.value(QLatin1String("name")).toString();
    if (node.value(QLatin1String("app_id")).toString() == appId) {
        QJsonObject window = node;
        window.insert(QLatin1String("output"), output);
        return window;
    }
    for (const char* children : {"nodes", "floating_nodes"})
        for (const QJsonValue child : node.value(QLatin1String(children)).toArray()) {
            QJsonObject found = FindWindow(child.toObject(), appId, output);
            if (!found.isEmpty())
                return found;
        }
    return {};
}

}  // namespace

WaylandCompositor::WaylandCompositor(Kind kind)
    : kind_(kind)
{
}

WaylandCompositor::~WaylandCompositor()
{
    if (pointer_.state() != QProcess::NotRunning) {
        pointer_.closeWriteChannel();
        if (!pointer_.waitForFinished(5000))
            pointer_.kill();
    }
    if (server_.state() != QProcess::NotRunning) {
        server_.terminate();
        if (!server_.waitForFinished(5000))
            server_.kill();
    }
}

bool WaylandCompositor::Start()
{
    // The compositor's runtime folder and the clients' are kept apart: under root the compositor
    // is another user, and each folder must belong to its user alone.
    QDir folder(folder_.path());
    const QFile::Permissions ownerOnly = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner;
    if (!folder_.isValid() || !folder.mkdir(QStringLiteral("compositor"), ownerOnly)
        || !folder.mkdir(QStringLiteral("client"), ownerOnly)
        || !QFile::setPermissions(folder_.path(), ownerOnly | QFile::ExeGroup | QFile::ExeOther)) {
        error_ = QStringLiteral("cannot make the runtime folders");
        return false;
    }
    server_.setStandardOutputFile(folder_.filePath(QStringLiteral("log")));
    server_.setStandardErrorFile(folder_.filePath(QStringLiteral("log")), QIODevice::Append);
    const bool started = kind_ == Kind::Sway ? StartSway() : StartWeston();
    if (!started && error_.isEmpty()) {
        QFile log(folder_.filePath(QStringLiteral("log")));
        error_ = QStringLiteral("the compositor did not start:\n")
            + (log.open(QIODevice::ReadOnly) ? QString::fromLocal8Bit(log.readAll()) : QString());
    }
    return started;
}

bool WaylandCompositor::StartSway()
{
    const QString runtime = folder_.filePath(QStringLiteral("compositor"));
    QFile config(folder_.filePath(QStringLiteral("sway.conf")));
    if (!config.open(QIODevice::WriteOnly)) {
        error_ = QStringLiteral("cannot write sway's configuration");
        return false;
    }
    // No X server: Xwayland would leave its socket in /tmp/.X11-unix.
    config.write("output HEADLESS-1 resolution 1024x768 position 0 0\nxwayland disable\n");
    config.close();
    config.setPermissions(config.permissions() | QFile::ReadOther);

    QProcessEnvironment environment;
    environment.insert(QStringLiteral("PATH"), qEnvironmentVariable("PATH"));
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime);
    environment.insert(QStringLiteral("WLR_BACKENDS"), QStringLiteral("headless"));
    environment.insert(QStringLiteral("WLR_LIBINPUT_NO_DEVICES"), QStringLiteral("1"));
    environment.insert(QStringLiteral("WLR_RENDERER"), QStringLiteral("pixman"));
    server_.setProcessEnvironment(environment);
    const QStringList sway{QStringLiteral("sway"), QStringLiteral("-c"), config.fileName()};
    if (geteuid() == 0) {
        const passwd* nobody = getpwnam("nobody");
        if (!nobody || chown(qPrintable(runtime), nobody->pw_uid, nobody->pw_gid) != 0) {
            error_ = QStringLiteral("cannot give the runtime folder to nobody");
            return false;
        }
        server_.start(QStringLiteral("setpriv"),
            QStringList{QStringLiteral("--reuid=%1").arg(nobody->pw_uid),
                QStringLiteral("--regid=%1").arg(nobody->pw_gid), QStringLiteral("--clear-groups")}
                + sway);
    } else {
        server_.start(sway.first(), sway.mid(1));
    }
    // Its socket and its IPC socket are made as it starts, in its runtime folder alone.
    const QDir folder(runtime);
    const bool ready = server_.waitForStarted(10000)
        && QTest::qWaitFor(
            [&] {
                const QStringList sockets = folder.entryList({QStringLiteral("wayland-*")}, QDir::System);
                const QStringList ipc = folder.entryList({QStringLiteral("sway-ipc.*.sock")}, QDir::System);
                for (const QString& socket : sockets)
                    if (!socket.endsWith(QLatin1String(".lock")))
                        socket_ = folder.filePath(socket);
                if (!ipc.isEmpty())
                    ipcSocket_ = folder.filePath(ipc.first());
                return server_.state() == QProcess::NotRunning
                    || (!socket_.isEmpty() && !ipcSocket_.isEmpty()
                        && Swaymsg({QStringLiteral("-t"), QStringLiteral("get_version")}));
            },
            20000);
    return ready && server_.state() == QProcess::Running;
}

bool WaylandCompositor::StartWeston()
{
    // It makes its socket once it is ready to take clients.
    const QString runtime = folder_.filePath(QStringLiteral("compositor"));
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime);
    environment.remove(QStringLiteral("DISPLAY"));
    environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
    server_.setProcessEnvironment(environment);
    // --debug lets weston-screenshooter take the screen.
    server_.start(QStringLiteral("weston"),
        {QStringLiteral("--backend=headless-backend.so"), QStringLiteral("--use-pixman"),
            QStringLiteral("--width=1024"), QStringLiteral("--height=768"),
            QStringLiteral("--socket=wayland-test"), QStringLiteral("--idle-time=0"),
            QStringLiteral("--debug")});
    socket_ = QDir(runtime).filePath(QStringLiteral("wayland-test"));
    return server_.waitForStarted(10000)
        && QTest::qWaitFor(
            [&] { return server_.state() == QProcess::NotRunning || QFile::exists(socket_); }, 20000)
        && server_.state() == QProcess::Running;
}

QProcessEnvironment WaylandCompositor::ClientEnvironment() const
{
    QProcessEnvironment environment;
    environment.insert(QStringLiteral("WAYLAND_DISPLAY"), socket_);
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), folder_.filePath(QStringLiteral("client")));
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("wayland"));
    environment.insert(QStringLiteral("DISPLAY"), QString());
    if (!ipcSocket_.isEmpty())
        environment.insert(QStringLiteral("SWAYSOCK"), ipcSocket_);
    return environment;
}

std::optional<QByteArray> WaylandCompositor::Run(
    const QString& program, const QStringList& arguments, const QString& folder) const
{
    QProcess client;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(ClientEnvironment());
    client.setProcessEnvironment(environment);
    client.setWorkingDirectory(folder);
    client.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    client.start(program, arguments);
    if (!client.waitForFinished(20000)) {
        client.kill();
        client.waitForFinished(5000);
        return std::nullopt;
    }
    if (client.exitStatus() != QProcess::NormalExit || client.exitCode() != 0)
        return std::nullopt;
    return client.readAllStandardOutput();
}

std::optional<QByteArray> WaylandCompositor::Swaymsg(const QStringList& arguments) const
{
    return Run(QStringLiteral("swaymsg"), QStringList{QStringLiteral("-r")} + arguments);
}

QImage WaylandCompositor::Screenshot() const
{
    if (kind_ == Kind::Sway) {
        const auto shot = Run(QStringLiteral("grim"),
            {QStringLiteral("-c"), QStringLiteral("-t"), QStringLiteral("ppm"), QStringLiteral("-o"), kOutput,
                QStringLiteral("-")});
        return shot ? QImage::fromData(*shot).convertToFormat(QImage::Format_RGB32) : QImage();
    }
    // It writes the picture into the folder it runs in, named after the moment.
    QTemporaryDir shots(folder_.filePath(QStringLiteral("shot-XXXXXX")));
    if (!Run(QStringLiteral("weston-screenshooter"), {}, shots.path()))
        return {};
    const QStringList files = QDir(shots.path()).entryList({QStringLiteral("*.png")}, QDir::Files);
    return files.isEmpty() ? QImage()
                           : QImage(shots.filePath(files.first())).convertToFormat(QImage::Format_RGB32);
}

bool WaylandCompositor::Command(const QString& command) const
{
    return Swaymsg({command}).has_value();
}

QJsonObject WaylandCompositor::Window(const QString& appId) const
{
    const QJsonObject tree = QJsonDocument::fromJson(
        Swaymsg({QStringLiteral("-t"), QStringLiteral("get_tree")}).value_or(QByteArray()))
                                 .object();
    return FindWindow(tree, appId, QString());
}

QRect WaylandCompositor::Rect(const QJsonObject& node)
{
    const QJsonObject rect = node.value(QLatin1String("rect")).toObject();
    return QRect(rect.value(QLatin1String("x")).toInt(), rect.value(QLatin1String("y")).toInt(),
        rect.value(QLatin1String("width")).toInt(), rect.value(QLatin1String("height")).toInt());
}

QJsonArray WaylandCompositor::Outputs() const
{
    return QJsonDocument::fromJson(
        Swaymsg({QStringLiteral("-t"), QStringLiteral("get_outputs")}).value_or(QByteArray()))
        .array();
}

QRect WaylandCompositor::Output(const QString& name) const
{
    const QJsonArray outputs = Outputs();
    for (const QJsonValue output : outputs)
        if (output[QLatin1String("name")].toString() == name)
            return Rect(output.toObject());
    return {};
}

bool WaylandCompositor::MovePointer(QPoint to)
{
    if (pointer_.state() == QProcess::NotRunning) {
        // The pointer's places are fractions of the layout's extent.
        QRect layout;
        const QJsonArray outputs = Outputs();
        for (const QJsonValue output : outputs)
            layout |= Rect(output.toObject());
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(ClientEnvironment());
        pointer_.setProcessEnvironment(environment);
        pointer_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        pointer_.start(qEnvironmentVariable("STUDIO_CLOCK_POINTER_MOVER"),
            {QString::number(layout.right() + 1), QString::number(layout.bottom() + 1)});
        if (!pointer_.waitForStarted(10000))
            return false;
    }
    pointer_.write(QStringLiteral("%1 %2\n").arg(to.x()).arg(to.y()).toLatin1());
    const QDeadlineTimer deadline(10000);
    while (!pointer_.canReadLine())
        if (!pointer_.waitForReadyRead(static_cast<int>(deadline.remainingTime())))
            return false;
    return pointer_.readLine().trimmed() == "moved";
}

bool WaylandCompositor::Key(const QString& key) const
{
    // A virtual keyboard's first key is lost without a pause for its keymap to arrive.
    return Run(
        QStringLiteral("wtype"), {QStringLiteral("-s"), QStringLiteral("300"), QStringLiteral("-k"), key})
        .has_value();
}

QString WaylandCompositor::ActivationToken() const
{
    const auto token = Run(qEnvironmentVariable("STUDIO_CLOCK_ACTIVATION_TOKEN"), {});
    return token ? QString::fromLatin1(*token).trimmed() : QString();
}
