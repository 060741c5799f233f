#pragma once

#include <QImage>
#include <QJsonArray>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>

#include <optional>

// A headless Wayland compositor of a test's own, sway (wlroots) or weston, with one output of
// 1024 x 768, HEADLESS-1, and its own runtime folder. It stops when this goes, and its folders go
// with it. Sway refuses to run as root, so under root it runs as nobody.
class WaylandCompositor {
public:
    enum class Kind { Sway, Weston };

    explicit WaylandCompositor(Kind kind);
    ~WaylandCompositor();
    WaylandCompositor(const WaylandCompositor&) = delete;
    WaylandCompositor& operator=(const WaylandCompositor&) = delete;

    // Starts it and waits until it takes clients; false, with the reason in Error(), if it does not.
    bool Start();
    QString Error() const { return error_; }
    // What a client needs to run under it: its socket, a runtime folder of the client's own (the
    // compositor's belongs to another user under root), Qt's Wayland platform and no X display.
    QProcessEnvironment ClientEnvironment() const;

    // HEADLESS-1 as the compositor shows it, with sway's cursor where it shows one; a null picture
    // if it cannot say.
    QImage Screenshot() const;

    // Sway only. Runs `command` as swaymsg does; false if sway refuses it.
    bool Command(const QString& command) const;
    // The window whose app_id is `appId` in sway's tree (fullscreen_mode, inhibit_idle, rect,
    // focused...), with the name of its output added as "output"; empty while there is none.
    QJsonObject Window(const QString& appId) const;
    // Where a node of sway's tree lies in the layout.
    static QRect Rect(const QJsonObject& node);
    // Where the output called `name` lies in the layout of all outputs.
    QRect Output(const QString& name) const;
    // Moves the seat's pointer (a virtual one, made at the first move) to `to` in that layout.
    bool MovePointer(QPoint to);
    // Types a key by its name ("F11") into the focused window.
    bool Key(const QString& key) const;
    // A token to activate a window with, as the compositor gives a launcher one; empty if it does not.
    QString ActivationToken() const;

private:
    bool StartSway();
    bool StartWeston();
    // Runs a client program in ClientEnvironment(), in `folder`; its standard output, none if it fails.
    std::optional<QByteArray> Run(
        const QString& program, const QStringList& arguments, const QString& folder = {}) const;
    std::optional<QByteArray> Swaymsg(const QStringList& arguments) const;
    // Sway's outputs, as `swaymsg -t get_outputs` describes them.
    QJsonArray Outputs() const;

    Kind kind_;
    QTemporaryDir folder_;
    QString socket_;
    QString ipcSocket_;
    QProcess server_;
    QProcess pointer_;
    QString error_;
};
