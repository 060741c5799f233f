#pragma once

#include "display/vrLedClock.h"

#include <QLabel>

// A short line on the LED clock's face, in the space inside the ring of seconds below the digits
// or above them, so that it hides neither; sized from the face, it scales with the clock. Hidden
// while it has nothing to say, so the face is then exactly as without it.
class ClockFaceNotice : public QLabel {
    Q_OBJECT
public:
    enum class Place { BelowTheDigits, AboveTheDigits };

    explicit ClockFaceNotice(
        display::TVrLedClock* clock, Place place = Place::BelowTheDigits, const QColor& colour = Colour());

    // Shows the line, or hides the notice for an empty one.
    void Show(const QString& line);
    void SetColour(const QColor& colour);

    // The warning colour, which no part of the face uses.
    static QColor Colour();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Fits the line into the space the face leaves free, in the largest font that fits.
    void Fit();

    display::TVrLedClock* clock_;
    Place place_;
};
