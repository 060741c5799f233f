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

ClockFaceNotice::ClockFaceNotice(display::TVrLedClock* clock)
    : QLabel(clock)
    , clock_(clock)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);  // the clock keeps its tooltip and clicks
    setAlignment(Qt::AlignCenter);
    QPalette colours = palette();
    colours.setColor(QPalette::WindowText, Colour());
    setPalette(colours);
    hide();
    clock->installEventFilter(this);
}

QColor ClockFaceNotice::Colour()
{
    return {255, 176, 0};  // amber
}

void ClockFaceNotice::Show(const QString& line)
{
    setText(line);
    setVisible(!line.isEmpty());
    Place();
}

bool ClockFaceNotice::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == clock_ && event->type() == QEvent::Resize && isVisible())
        Place();
    return QLabel::eventFilter(watched, event);
}

void ClockFaceNotice::Place()
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
    // The band between the digits and the ring's lowest dot, inside the ring.
    const double centreY = (top.center().y() + bottom.center().y()) / 2.0;
    const double radius = bottom.top() - centreY;
    const int bandTop = digits.bottom() + 1;
    const int bandHeight = bottom.top() - bandTop;
    // A little below the digits, where the ring is wider than further down.
    const int lineTop = bandTop + bandHeight / 5;

    QFont lineFont = font();
    lineFont.setBold(true);
    // As tall as two fifths of the band, then narrowed to the ring's width where the line's lower
    // edge meets it; a smaller font ends higher, where the ring is wider, so few steps are taken.
    int pixelSize = std::max(kSmallestPixelSize, bandHeight * 2 / 5);
    while (pixelSize > kSmallestPixelSize) {
        lineFont.setPixelSize(pixelSize);
        const QFontMetrics metrics(lineFont);
        const double room = 1.8 * HalfChord(radius, lineTop + metrics.height() - centreY);
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
    setGeometry(bottom.center().x() - width / 2, lineTop, width, metrics.height());
}
