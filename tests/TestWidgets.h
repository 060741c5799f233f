#pragma once

#include "framework/TimeSource.h"

#include <QBackingStore>
#include <QEvent>
#include <QImage>
#include <QPaintEvent>
#include <QPalette>
#include <QWidget>
#include <cmath>
#include <ctime>
#include <memory>

// The colour of logical pixel (x, y) of a grabbed frame at any device pixel ratio: the device pixel
// under the logical pixel's centre, so an edge shared with a neighbour never decides the reading.
inline QColor PixelAt(const QImage& frame, int x, int y)
{
    const qreal ratio = frame.devicePixelRatio();
    auto device = [ratio](int logical) { return static_cast<int>(std::floor((logical + 0.5) * ratio)); };
    return frame.pixelColor(device(x), device(y));
}
inline QColor PixelAt(const QImage& frame, QPoint logical)
{
    return PixelAt(frame, logical.x(), logical.y());
}

// A copy of what the window system holds of a window, in device pixels: its backing store's
// picture (grabbing the screen hands back only part of it above one device pixel per pixel, and
// the picture is painted in place when scaled, so it is copied deeply).
inline QImage Shown(QWidget& window)
{
    const auto* held = dynamic_cast<const QImage*>(window.backingStore()->paintDevice());
    return held ? held->copy() : QImage();
}

// A parent whose own background is one plain colour, to tell it apart from what a control draws.
class Backdrop : public QWidget {
public:
    explicit Backdrop(QColor colour, QSize size = QSize(100, 100))
    {
        resize(size);
        SetColour(colour);
    }
    void SetColour(QColor colour)
    {
        QPalette p = palette();
        p.setColor(QPalette::Window, colour);
        setPalette(p);
        setAutoFillBackground(true);
    }
};

// Counts the paint events a widget receives, and keeps the region the last one painted.
class PaintCounter : public QObject {
public:
    explicit PaintCounter(QWidget& widget) { widget.installEventFilter(this); }
    int paints = 0;
    QRegion region;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint) {
            ++paints;
            region = static_cast<QPaintEvent*>(event)->region();
        }
        return false;
    }
};

// Stands the program's clock still at `start` for one scope, also when a check leaves it early.
class ScopedTimeSource {
public:
    explicit ScopedTimeSource(const QDateTime& start)
        : source_(std::make_shared<framework::ManualTimeSource>(start))
        , previous_(framework::SetTimeSource(source_))
    {
    }
    ~ScopedTimeSource() { framework::SetTimeSource(previous_); }
    ScopedTimeSource(const ScopedTimeSource&) = delete;
    ScopedTimeSource& operator=(const ScopedTimeSource&) = delete;

    framework::ManualTimeSource& operator*() const { return *source_; }
    framework::ManualTimeSource* operator->() const { return source_.get(); }

private:
    std::shared_ptr<framework::ManualTimeSource> source_;
    std::shared_ptr<framework::TimeSource> previous_;
};

// Puts the program in time zone `zone` (a TZ value) for one scope, also when a check leaves it early.
class ScopedTimeZone {
public:
    explicit ScopedTimeZone(const char* zone)
        : previous_(qgetenv("TZ"))
        , wasSet_(qEnvironmentVariableIsSet("TZ"))
    {
        qputenv("TZ", zone);
        tzset();
    }
    ~ScopedTimeZone()
    {
        if (wasSet_)
            qputenv("TZ", previous_);
        else
            qunsetenv("TZ");
        tzset();
    }
    ScopedTimeZone(const ScopedTimeZone&) = delete;
    ScopedTimeZone& operator=(const ScopedTimeZone&) = delete;

private:
    QByteArray previous_;
    bool wasSet_;
};
