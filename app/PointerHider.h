#pragma once

#include <QObject>
#include <QPointF>
#include <QTimer>

class QWidget;

// Hides the mouse pointer over a full-screen window once it has rested for a few seconds, so that
// it does not sit on the clock's face, and shows it again at the first movement over any of the
// program's windows. A window that is not full screen always shows it, and so does an open popup
// (a context menu, the calendar's month list): the operator is using it. Hidden, the pointer is a
// blank override cursor; shown, every control has its own cursor again.
class PointerHider : public QObject {
    Q_OBJECT
public:
    explicit PointerHider(QWidget* window);
    ~PointerHider() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FollowTheWindow();
    void PointerMoved(const QPointF& position);
    // Shows the pointer, and hides it again after a rest if the window is full screen.
    void Wake();
    // Hides the pointer, unless a popup is open: then it looks again after the same rest.
    void Hide();
    void Show();

    QWidget* window_;
    QTimer rest_;
    QPointF lastPosition_;
    bool hidden_ = false;
};
