#pragma once

#include <QObject>

class QWidget;

// The platform's full-screen key (F11 here) for a window on a dedicated studio screen: it toggles
// full screen wherever the focus is in the window, and leaving full screen gives back the window's
// previous state and size.
class FullScreenKey : public QObject {
    Q_OBJECT
public:
    explicit FullScreenKey(QWidget* window);

private:
    void Toggle();

    QWidget* window_;
};
