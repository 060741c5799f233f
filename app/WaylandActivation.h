#pragma once

#include <QByteArray>
#include <QObject>

class QWidget;

// Hands the compositor the activation token a launcher gave the program (XDG_ACTIVATION_TOKEN) once
// the window is on screen, so that the compositor may give it the keyboard focus: a full-screen
// clock on an output other than the focused one would otherwise not hear F11 until somebody
// clicked it. The token is taken out of the environment at once, so that nothing the clock starts
// inherits it, and used once. Off Wayland, without a token, or where the compositor lacks
// xdg-activation, it does nothing.
class WaylandActivation : public QObject {
    Q_OBJECT
public:
    explicit WaylandActivation(QWidget* window);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Activate();

    QWidget* window_;
    QByteArray token_;
};
