#pragma once

#include <QObject>
#include <QPointF>
#include <QTimer>

class QWidget;

// Hides the mouse pointer over a full-screen window once it has rested for a few seconds, so that
// it does not sit on the clock's face, and shows it again at the first movement. A window that is
// not full screen always shows it. Hidden, the pointer is a blank override cursor; shown, every
// control has its own cursor again.
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
    void Hide();
    void Show();

    QWidget* window_;
    QTimer rest_;
    QPointF lastPosition_;
    bool hidden_ = false;
};
