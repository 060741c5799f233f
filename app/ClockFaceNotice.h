#pragma once

#include "display/vrLedClock.h"

#include <QLabel>

// A short upper-case line on the LED clock's face, between the digits and the bottom of the ring
// of seconds, so that it hides neither; sized from the face, it scales with the clock. Hidden
// while it has nothing to say, so the face is then exactly as without it.
class ClockFaceNotice : public QLabel {
    Q_OBJECT
public:
    explicit ClockFaceNotice(display::TVrLedClock* clock);

    // Shows the line, or hides the notice for an empty one.
    void Show(const QString& line);

    // The warning colour, which no part of the face uses.
    static QColor Colour();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Fits the line into the space the face leaves free, in the largest font that fits.
    void Place();

    display::TVrLedClock* clock_;
};
