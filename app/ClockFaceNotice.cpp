#include "app/ClockFaceNotice.h"

#include "framework/Arithmetic.h"
#include "framework/Exceptions.h"

#include <QEvent>
#include <QFontMetrics>
#include <cmath>

namespace {

constexpr int kSmallestPixelSize = 6;

// Half the width of the ring's inside at a height dy from its centre.
double HalfChord(double radius, double dy)
{
    return dy >= radius ? 0.0 : std::sqrt(radius * radius - dy * dy);
}

}  // namespace

ClockFaceNotice::ClockFaceNotice(display::TVrLedClock* clock, Place place, const QColor& colour)
    : QLabel(clock)
    , clock_(clock)
    , place_(place)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);  // the clock keeps its tooltip and clicks
    setAlignment(Qt::AlignCenter);
    SetColour(colour);
    hide();
    clock->installEventFilter(this);
}

QColor ClockFaceNotice::Colour()
{
    return {255, 176, 0};  // amber
}

void ClockFaceNotice::SetColour(const QColor& colour)
{
    if (palette().color(QPalette::WindowText) == colour)
        return;
    QPalette colours = palette();
    colours.setColor(QPalette::WindowText, colour);
    setPalette(colours);
}

void ClockFaceNotice::Show(const QString& line)
{
    setText(line);
    setVisible(!line.isEmpty());
    Fit();
}

bool ClockFaceNotice::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == clock_ && event->type() == QEvent::Resize && isVisible())
        Fit();
    return QLabel::eventFilter(watched, event);
}

void ClockFaceNotice::Fit()
{
    if (text().isEmpty())
        return;
    QRect digits;
    QRect top;
    QRect bottom;
    try {
        digits = clock_->TimeTextRect();
        top = clock_->SecondDotRect(0);
        bottom = clock_->SecondDotRect(30);
    } catch (const framework::Exception&) {
        hide();  // a face too large to place has no room to spare either
        return;
    }
    // The band between the digits and the ring's lowest (or highest) dot, inside the ring.
    const double centreY = (top.center().y() + bottom.center().y()) / 2.0;
    const double radius = bottom.top() - centreY;
    const bool below = place_ == Place::BelowTheDigits;
    const int bandHeight = below ? bottom.top() - digits.bottom() - 1 : digits.top() - top.bottom() - 1;
    // A little off the digits, where the ring is wider than further out.
    const int gap = bandHeight / 5;

    QFont lineFont = font();
    lineFont.setBold(true);
    const auto lineTop
        = [&](int height) { return below ? digits.bottom() + 1 + gap : digits.top() - gap - height; };
    // As tall as two fifths of the band, then narrowed to the ring's width where the line's outer
    // edge meets it; a smaller font ends nearer the centre, where the ring is wider, so few steps
    // are taken.
    int pixelSize = std::max(kSmallestPixelSize, bandHeight * 2 / 5);
    while (pixelSize > kSmallestPixelSize) {
        lineFont.setPixelSize(pixelSize);
        const QFontMetrics metrics(lineFont);
        const int outerEdge
            = below ? lineTop(metrics.height()) + metrics.height() : lineTop(metrics.height());
        const double room = 1.8 * HalfChord(radius, std::abs(outerEdge - centreY));
        const int advance = metrics.horizontalAdvance(text());
        if (advance <= room)
            break;
        pixelSize = std::min(pixelSize - 1, framework::CheckedInt::Trunc(pixelSize * room / advance).value());
    }
    pixelSize = std::max(pixelSize, kSmallestPixelSize);
    lineFont.setPixelSize(pixelSize);
    setFont(lineFont);
    const QFontMetrics metrics(lineFont);
    const int width = metrics.horizontalAdvance(text()) + 2;
    setGeometry(bottom.center().x() - width / 2, lineTop(metrics.height()), width, metrics.height());
}
