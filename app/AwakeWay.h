#pragma once

#include <QObject>

// One way of keeping the screen awake, as ScreenAwake asks it. Hold asks for it; the way answers,
// at once or later, whether it holds, and answers again whenever that changes while it is held.
// Release gives it back, and is harmless when nothing is held. A way never shows anything to the
// operator.
class AwakeWay : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    virtual void Hold() = 0;
    virtual void Release() = 0;

signals:
    void Answered(bool held);
};
