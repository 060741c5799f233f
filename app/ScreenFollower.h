#pragma once

#include <QObject>
#include <QRect>
#include <QString>

class QScreen;
class QWidget;

// Keeps a window on the screen chosen for it at start, known by its name: when that screen goes
// while the window is on it, the window moves to the primary screen, and when a screen of that name
// comes back, the window returns to it. A full-screen (or maximised) window stays so on each move.
// On Wayland, where no client places its window, the compositor opens it on the output it likes;
// there full screen is what puts the window on its screen, whenever the window enters it.
class ScreenFollower : public QObject {
    Q_OBJECT
public:
    // Puts `window`, not yet shown, on `screen`, and follows that screen from then on; the window
    // owns it.
    ScreenFollower(QWidget* window, QScreen* screen);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The chosen screen, while the display has it.
    QScreen* Chosen() const;
    void Removed(QScreen* screen);
    void Added(QScreen* screen);
    // Moves the shown window to `screen`, to the place it had on the chosen screen.
    void MoveTo(QScreen* screen);

    QWidget* window_;
    QString name_;
    bool displaced_ = false;  // moved away from the chosen screen because it went
    QRect home_;              // the window's normal place on the chosen screen, from the screen's top-left
};
