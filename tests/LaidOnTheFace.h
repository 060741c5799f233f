#pragma once

// What the window lays on the LED clock's face, told apart from the face the clock draws, with the
// kernel's clock stood in for.
#include "framework/ClockDiscipline.h"

#include <QImage>
#include <QPainter>
#include <QRegion>
#include <QWidget>
#include <memory>
#include <sys/timex.h>

// Stands in for the kernel for one scope; the test program's synchronised stand-in comes back after.
class ScopedKernelClock {
public:
    explicit ScopedKernelClock(framework::KernelClockAnswer answer)
        : answer_(std::make_shared<framework::KernelClockAnswer>(answer))
        , previous_(framework::SetKernelClockSource([answer = answer_] { return *answer; }))
    {
    }
    ~ScopedKernelClock() { framework::SetKernelClockSource(previous_); }
    ScopedKernelClock(const ScopedKernelClock&) = delete;
    ScopedKernelClock& operator=(const ScopedKernelClock&) = delete;

    void Set(framework::KernelClockAnswer answer) { *answer_ = answer; }

private:
    std::shared_ptr<framework::KernelClockAnswer> answer_;
    framework::KernelClockSource previous_;
};

inline const framework::KernelClockAnswer kSynchronised{TIME_OK, STA_PLL, 12000, 300};
inline const framework::KernelClockAnswer kNotSynchronised{TIME_ERROR, STA_UNSYNC, 16000000, 16000000};

// The clock as it draws itself, without anything the window lays on its face.
inline QImage FaceAlone(QWidget& clock)
{
    QImage face(clock.size(), QImage::Format_ARGB32_Premultiplied);
    clock.render(&face, QPoint(), QRegion(), QWidget::DrawWindowBackground);
    return face;
}

inline QImage FaceShown(QWidget& clock)
{
    return clock.grab().toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

// The pixels where the face as shown differs from the face alone.
inline QRegion Laid(const QImage& shown, const QImage& alone)
{
    QRegion differing;
    for (int y = 0; y < shown.height(); ++y)
        for (int x = 0; x < shown.width(); ++x)
            if (shown.pixel(x, y) != alone.pixel(x, y))
                differing += QRect(x, y, 1, 1);
    return differing;
}

// A picture of the window with one area painted over.
inline QImage Blanked(QImage window, const QRect& area)
{
    QPainter(&window).fillRect(area, Qt::black);
    return window;
}
